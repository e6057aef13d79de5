// Legibility at one screen size: the pages laid out as the program lays them out (the numbers below follow
// GameMenu, GameMenuHelp, CustomControls, VirtualKeyboard, MoreGames and ChoiceBox), each text's area
// measured against the picture behind it as the page shades it, and the labels at the screen's edge
// drawn glyph by glyph.
#include "CheckLegibility.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdio>
#include <set>

#include "Fonts.h"
#include "GameTable.h"
#include "Image.h"
#include "gamelib/ChoiceBox.h"
#include "gamelib/PageLayout.h"
#include "moregames/MoreGamesLook.h"

namespace datakit {

namespace {

// The game library's fonts by their index in its list.
constexpr size_t kMenuFont = 0, kMenuSelFont = 1, kHud0Font = 2, kSmallFont = 6;
const char* const kFontNames[] = {"menu", "menusel", "hud0", "hud1", "num0", "num1", "small"};

// What lies behind a text is judged by its brightest and its darkest pixels, leaving out the odd star: this
// share at each end.
constexpr double kOutlierShare = 0.01;

// The in-game menu's entries: the shared ones and the sound levels they cycle through.
const char* const kMenuEntryKeys[] = {"start",       "continue", "highscores", "help",        "cfg_keys",
                                      "mainmenu",    "exit",     "soundfxoff", "soundfxlow",  "soundfxnormal",
                                      "soundfxhigh", "musicoff", "musiclow",   "musicnormal", "musichigh"};

std::u16string wide(const std::string& key) { return std::u16string(key.begin(), key.end()); }

// Linear light of an 8-bit sRGB channel, from a table: the checks ask it for every pixel of every picture.
double channel(int value) {
  static const std::array<double, 256> linear = [] {
    std::array<double, 256> out{};
    for (size_t v = 0; v < out.size(); ++v) {
      const double c = static_cast<double>(v) / 255.0;
      out[v] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    return out;
  }();
  return linear[static_cast<size_t>(value)];
}

double luminance(Rgb c) { return 0.2126 * channel(red(c)) + 0.7152 * channel(green(c)) + 0.0722 * channel(blue(c)); }

std::string oneDecimal(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", v);
  return text;
}

struct Rect {
  int x, y, w, h;
};

// A page as the player sees it before its text: the picture and what the page paints over it.
struct Backdrop {
  Image screen;
  std::string entry;  // the picture a fault names
  // What lies behind the text, and what to change when it fails.
  std::string behind = "this picture shaded";
  std::string remedy = "darken what lies behind it";
  // Where the program fixes what lies behind the text, a failure is a note.
  bool excused = false;
};

class Pages {
 public:
  Pages(const LegibilityInput& in, LegibilityReport& report) : in_(in), report_(report) {}

  void run() {
    for (const GameRow& game : gameTable()) {
      if (game.menuPicture.empty()) continue;
      std::optional<std::string> entry = in_.findPicture(game.menuPicture);
      if (!entry) continue;
      const Image picture = decodePng(in_.bytes(*entry));
      const int wideLeft = (in_.width >> 3) >> 1, narrowLeft = in_.width >> 3;
      const auto leftOf = [&](int shade) { return shade == gamelib::kListShade ? wideLeft : narrowLeft; };
      const Backdrop menu{shaded(picture, gamelib::kListShade, wideLeft), *entry};
      menuPage(game, menu);
      // The table and help are judged on the page shade even where the game shows them in its list's menu.
      tablePage(Backdrop{shaded(picture, gamelib::kPageShade, leftOf(game.tableShade)), *entry},
                leftOf(game.tableShade));
      helpPage(Backdrop{shaded(picture, gamelib::kPageShade, leftOf(game.helpShade)), *entry}, leftOf(game.helpShade));
      keyPage(game, Backdrop{shaded(picture, gamelib::kPageShade, -1), *entry});
      nameEntryPage(menu);
    }
    moreGamesPage();
    questionPages();
    softKeys();
  }

 private:
  const LegibilityInput& in_;
  LegibilityReport& report_;
  std::set<std::string> reported_;

  const LegibilityFont& font(size_t index) const { return (*in_.fonts)[index]; }

  // The picture centred on the screen with a band of black at alpha -level over it, as GameMenu::shadeImage
  // makes it: over the list's columns from left in, or over every column when left is negative.
  Image shaded(const Image& picture, int level, int left) const {
    const int d = picture.width() - in_.width;
    const int from = left < 0 ? 0 : left + d / 2, to = left < 0 ? picture.width() - 1 : in_.width - left + d / 2;
    Image screen(in_.width, in_.height, 0);
    const int ox = (in_.width - picture.width()) / 2, oy = (in_.height - picture.height()) / 2;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) {
        Rgb c = picture.at(x, y);
        if (c == kKeyColour) continue;
        if (x >= from && x <= to) {
          const int keep = 255 + level;
          c = rgb(red(c) * keep / 255, green(c) * keep / 255, blue(c) * keep / 255);
        }
        screen.set(x + ox, y + oy, c);
      }
    return screen;
  }

  // The dimmest colour of a font's fill: the glyph pixels nearer the brightest than the darkest (the outline
  // and shadow) are its fill.
  std::optional<Rgb> dimmestFill(size_t index) {
    if (auto it = fills_.find(index); it != fills_.end()) return it->second;
    std::optional<Rgb> dimmest;
    if (!font(index).pageEntries.empty()) {
      const Image& page = pagePicture(index, 0);
      double darkest = 2, brightest = -1;
      for (Rgb c : page.pixels())
        if (c != kKeyColour) {
          darkest = std::min(darkest, luminance(c));
          brightest = std::max(brightest, luminance(c));
        }
      const double middle = (darkest + brightest) / 2;
      for (Rgb c : page.pixels())
        if (c != kKeyColour && luminance(c) >= middle && (!dimmest || luminance(c) < luminance(*dimmest))) dimmest = c;
    }
    fills_[index] = dimmest;
    return dimmest;
  }
  std::map<size_t, std::optional<Rgb>> fills_;

  int textWidth(size_t index, const std::u16string& text) const { return font(index).width(text); }

  int widest(size_t index, const std::vector<std::string>& keys) const {
    int w = 0;
    for (const auto& [code, table] : *in_.texts)
      for (const std::string& key : keys)
        if (auto it = table.find(wide(key)); it != table.end()) w = std::max(w, textWidth(index, it->second));
    return w;
  }

  // The text of a font over an area of the page: its dimmest fill against the brightest of what lies behind,
  // and what lies behind calm in itself. A logo or a strip of sprites under a bright font can pass the first
  // once the page shades it, yet its edges still run through the letters.
  void area(const Backdrop& page, const char* where, size_t index, Rect r) {
    std::optional<Rgb> fill = dimmestFill(index);
    if (!fill || r.w <= 0 || r.h <= 0) return;
    std::vector<double> values;
    for (int y = std::max(0, r.y); y < std::min(in_.height, r.y + r.h); ++y)
      for (int x = std::max(0, r.x); x < std::min(in_.width, r.x + r.w); ++x)
        values.push_back(luminance(page.screen.at(x, y)));
    if (values.empty()) return;
    const size_t outliers = static_cast<size_t>(static_cast<double>(values.size() - 1) * kOutlierShare);
    const auto brightest = values.begin() + static_cast<long>(values.size() - 1 - outliers);
    std::nth_element(values.begin(), brightest, values.end());
    const auto darkest = values.begin() + static_cast<long>(outliers);
    std::nth_element(values.begin(), darkest, brightest);
    const double contrast = (luminance(*fill) + 0.05) / (*brightest + 0.05);
    const double within = (*brightest + 0.05) / (*darkest + 0.05);
    const std::string size = std::to_string(in_.width) + "x" + std::to_string(in_.height);
    const std::string rows = "(rows " + std::to_string(r.y) + " to " + std::to_string(r.y + r.h - 1) + ")";
    const std::string text = std::string("the ") + where + "'s text in font " + kFontNames[index];
    std::string message;
    if (contrast < kMinContrast) {
      message = text + " has a contrast of " + oneDecimal(contrast) + " against " + page.behind + " at " + size + " " +
                rows + ", " + oneDecimal(kMinContrast) + " is needed: " + page.remedy;
    } else if (within >= kMaxBackdropContrast) {
      message = text + " lies on shapes of " + page.behind + " at " + size + " " + rows +
                ": what lies behind it has a contrast of " + oneDecimal(within) + " within itself, under " +
                oneDecimal(kMaxBackdropContrast) + " is needed: dim or move what lies behind it";
    } else {
      return;
    }
    // One fault per page, font and picture: the first area that fails.
    if (!reported_.insert(page.entry + where + kFontNames[index] + size).second) return;
    if (page.excused)
      report_.notes.push_back(message);
    else
      report_.faults.push_back({page.entry, "", message});
  }

  // Rows of the in-game list: GameMenu's box, its first row 4 pixels down, rows 18/12 of the menu font.
  struct ListRows {
    int top, itemHeight, rows;
  };
  ListRows listRows() const {
    const int top = in_.height * 25 / 176, border = 2;
    const int boxHeight = in_.height - in_.height * 15 / 176 - top;
    const int itemHeight = font(kMenuFont).height * 18 / 12;
    return {top + border + 4, itemHeight, std::max(0, (boxHeight - 2 * border) / std::max(1, itemHeight))};
  }

  void menuPage(const GameRow& game, const Backdrop& page) {
    std::vector<std::string> keys(std::begin(kMenuEntryKeys), std::end(kMenuEntryKeys));
    keys.insert(keys.end(), game.menuTexts.begin(), game.menuTexts.end());
    const int w = widest(kMenuFont, keys), cx = in_.width >> 1;
    const ListRows list = listRows();
    // The selected entry lies on the shared highlight picture.
    std::optional<std::string> highlight = in_.findPicture("selected");
    const Image* bar = highlight ? &decoded(*highlight) : nullptr;
    const int ws = widest(kMenuSelFont, keys);
    for (int i = 0; i < list.rows; ++i) {
      const int y = list.top + i * list.itemHeight;
      area(page, "in-game menu", kMenuFont, {cx - w / 2, y, w, font(kMenuFont).height});
      if (bar && !bar->empty()) {
        Backdrop one = page;
        one.screen.blit(*bar, cx - bar->width() / 2, y + font(kMenuSelFont).height / 2 - bar->height() / 2);
        one.entry = *highlight;
        area(one, "in-game menu's highlighted entry", kMenuSelFont, {cx - ws / 2, y, ws, font(kMenuSelFont).height});
      }
    }
  }

  void tablePage(const Backdrop& page, int left) {
    const ListRows list = listRows();
    for (int i = 0; i < std::min(list.rows, 8); ++i)
      area(page, "high-score table", kMenuFont,
           {left + 10, list.top + i * list.itemHeight, in_.width - 2 * left - 20, font(kMenuFont).height});
  }

  // GameMenuHelp: the title 3 pixels down, lines from the title's height + 12, each the small font + 3.
  void helpPage(const Backdrop& page, int left) {
    const int cx = in_.width >> 1;
    const int title = widest(kMenuSelFont, {"help"});
    area(page, "help page", kMenuSelFont, {cx - title / 2, 3, title, font(kMenuSelFont).height});
    const int top = font(kMenuSelFont).height + 12, bottom = in_.height - font(kHud0Font).height;
    const int lineHeight = font(kSmallFont).height + 3, width = in_.width - 2 * left - 4;
    for (int y = top; y + lineHeight <= bottom; y += lineHeight)
      area(page, "help page", kSmallFont, {left + 5, y, width, font(kSmallFont).height});
    softKeyAreas(page, "help page", "quit", "down");
  }

  void softKeyAreas(const Backdrop& page, const char* where, const std::string& left, const std::string& right) {
    const int h = font(kHud0Font).height, y = in_.height - h;
    const int wl = widest(kHud0Font, {left}), wr = widest(kHud0Font, {right});
    area(page, where, kHud0Font, {gamelib::kSoftKeyInset, y, wl, h});
    area(page, where, kHud0Font, {in_.width - gamelib::kSoftKeyInset - wr, y, wr, h});
  }

  // CustomControls: a grid 10 pixels in, rows of the hud0 font + 3; names in the left half, two key cells
  // in the right; a gap row, then the three buttons. The selected key cell's grey is fixed by the screen.
  void keyPage(const GameRow& game, const Backdrop& page) {
    const int gridX = 10, gridY = 10, gridWidth = in_.width - 20, labelWidth = gridWidth / 2;
    const int rowHeight = font(kHud0Font).height + 3, cell = (gridWidth - labelWidth) / 2;
    int actions = 0;
    for (int bits = game.actionMask & 0xFFFF; bits != 0; bits &= bits - 1) ++actions;
    for (int i = 0; i < actions; ++i) {
      const int y = gridY + i * rowHeight + 1;
      area(page, "key set-up", kHud0Font, {gridX + 1, y, labelWidth - 1, rowHeight - 2});
      area(page, "key set-up", kSmallFont, {gridX + labelWidth + cell + 1, y, cell - 1, rowHeight - 2});
    }
    const int cx = gridX + gridWidth / 2;
    for (int b = 0; b < 3; ++b) {
      const int y = gridY + (actions + 1 + b) * rowHeight + rowHeight / 2;
      for (size_t f : {kMenuFont, kMenuSelFont}) {
        const int w = widest(f, {"set_default", "ok", "cancel"});
        area(page, "key set-up", f, {cx - w / 2, y - font(f).height / 2, w, font(f).height});
      }
    }
    softKeyAreas(page, "key set-up", "ok", "cancel");
  }

  // VirtualKeyboard over the menu's picture: the three panel pictures centred, six key cells a row, the
  // title in the small font above the typed name, "ok" and "<-" 4 pixels in from the bottom corners.
  void nameEntryPage(const Backdrop& menu) {
    std::optional<std::string> parts[] = {in_.findPicture("input/input_top"), in_.findPicture("input/input_midd"),
                                          in_.findPicture("input/input_bot")};
    if (!parts[0] || !parts[1] || !parts[2]) return;
    const Image &top = decoded(*parts[0]), &middle = decoded(*parts[1]), &bottom = decoded(*parts[2]);
    const int w = in_.width, h = in_.height;
    const int y0 = (h - (top.height() + middle.height() + bottom.height())) / 2;
    Backdrop page = menu;
    page.screen.blit(top, (w - top.width()) / 2, y0);
    page.screen.blit(middle, (w - middle.width()) / 2, y0 + top.height());
    page.screen.blit(bottom, (w - bottom.width()) / 2, y0 + top.height() + middle.height());
    page.entry = *parts[1];
    const int fh = font(kMenuFont).height, hud = font(kHud0Font).height;
    const int cellWidth = hud * 21 / 12, cellHeight = hud * 19 / 12, x = (w - cellWidth * 6) / 2;
    const int y = y0 + top.height(), rows = (28 + 2 + 5) / 6;
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < 6; ++c)
        for (size_t f : {kMenuFont, kMenuSelFont})
          area(page, "name entry", f,
               {x + c * cellWidth + 1, y + r * cellHeight + (cellHeight - fh) / 2, cellWidth - 2, fh});
    const int titleWidth = widest(kSmallFont, {"entername"}), sh = font(kSmallFont).height;
    const int titleBottom = y0 + top.height() + middle.height() - 2 * fh - 4;
    area(page, "name entry", kSmallFont, {(w - titleWidth) / 2, titleBottom - sh, titleWidth, sh});
    const int textY = y0 + top.height() + middle.height() - fh - 3;
    area(page, "name entry", kMenuFont, {x + 5, textY, cellWidth * 6 - 10, fh});
    // The labels lie on the game's picture, outside the panel.
    area(menu, "name entry", kMenuFont, {4, h - 4 - fh, textWidth(kMenuFont, u"ok"), fh});
    area(menu, "name entry", kMenuFont,
         {w - 4 - textWidth(kMenuFont, u"<-"), h - 4 - fh, textWidth(kMenuFont, u"<-"), fh});
  }

  // The menus' background centred on a black screen, as the more-games screen and the questions show it.
  std::optional<Backdrop> menuBackground() {
    std::optional<std::string> entry = in_.findPicture("menu/back");
    if (!entry) return std::nullopt;
    const Image& picture = decoded(*entry);
    Backdrop page{Image(in_.width, in_.height, 0), *entry};
    page.screen.blitOpaque(picture, (in_.width - picture.width()) / 2, (in_.height - picture.height()) / 2);
    return page;
  }

  // MoreGames: the list's panel over the middle four fifths of the screen, the first entry highlighted (an
  // entry is at least a title and a line of description), and the soft keys' labels centred on their
  // pictures in the bottom corners. The panel and the highlight are the program's colours: a fault there
  // names the small font.
  void moreGamesPage() {
    std::optional<Backdrop> back = menuBackground();
    const LegibilityFont& small = font(kSmallFont);
    if (!back || small.pageEntries.empty()) return;
    const int w = in_.width * 4 / 5, h = in_.height * 4 / 5, x = (in_.width - w) / 2, y = (in_.height - h) / 2;
    const int inset = moregames::kInset, line = small.height, entryHeight = 2 * line + 2 * inset;
    Backdrop list = *back;
    list.screen.fillRect(x, y, w, h, moregames::kPanelFill);
    list.screen.drawRect(x, y, w, h, moregames::kHighlightBorder);
    list.screen.fillRect(x, y, w, entryHeight, moregames::kHighlightFill);
    list.screen.drawRect(x, y, w, entryHeight, moregames::kHighlightBorder);
    list.entry = small.pageEntries.front();
    list.remedy = "brighten the font's fill (the list's colours are the program's, in moregames/MoreGamesLook.h)";
    list.behind = "the list's highlight";
    area(list, "more-games screen's highlighted entry", kSmallFont, {x + inset, y + inset, w - 2 * inset, line});
    list.behind = "the list's panel";
    area(list, "more-games screen", kSmallFont, {x + inset, y + entryHeight + inset, w - 2 * inset, line});

    std::optional<std::string> button = in_.findPicture("button");
    if (!button) return;
    const Image& key = decoded(*button);
    Backdrop keys = *back;
    keys.entry = *button;
    const int bottom = in_.height - key.height(), right = in_.width - key.width();
    keys.screen.blit(key, 0, bottom);
    keys.screen.blit(key, right, bottom);
    const int label = std::min(key.width(), widest(kMenuFont, {"OK", "BACK"})), fh = font(kMenuFont).height;
    for (int left : {0, right})
      area(keys, "more-games screen's soft key", kMenuFont,
           {left + (key.width() - label) / 2, bottom + (key.height() - fh) / 2, label, fh});
  }

  // ChoiceBox: rows of the menu font's height + 4 in a box two thirds of the screen wide, centred; each
  // row's text centred in it; the chosen row on a bar of the program's own colour; "OK" at the bottom left.
  struct QuestionRow {
    size_t font;
    int width;
    bool choice;
  };
  void questionPage(const char* where, const char* chosen, const std::vector<QuestionRow>& rows) {
    std::optional<Backdrop> page = menuBackground();
    if (!page || rows.empty()) return;
    const int rowHeight = font(kMenuFont).height + 4, boxWidth = in_.width / 3 * 2;
    const int boxX = (in_.width - boxWidth) >> 1, cx = boxX + (boxWidth >> 1);
    const int boxY = (in_.height - rowHeight * static_cast<int>(rows.size())) >> 1;
    for (size_t i = 0; i < rows.size(); ++i) {
      const QuestionRow& row = rows[i];
      const int top = boxY + rowHeight * static_cast<int>(i), fh = font(row.font).height;
      const Rect text{cx - row.width / 2, top + (rowHeight - fh) / 2, row.width, fh};
      area(*page, where, row.font, text);
      if (!row.choice) continue;
      Backdrop bar = *page;
      bar.screen.fillRect(boxX + 1, top + 1, boxWidth - 2, rowHeight - 2, gamelib::ChoiceBox::kHighlightColour);
      bar.behind = "the bar under the chosen row";
      bar.remedy = "the bar's colour is the program's own and stays";
      bar.excused = true;
      area(bar, chosen, row.font, text);
    }
    const int fh = font(kMenuFont).height;
    area(*page, where, kMenuFont, {5, in_.height - rowHeight, textWidth(kMenuFont, u"OK"), fh});
  }

  void questionPages() {
    std::vector<QuestionRow> languages;
    for (const std::u16string& name : in_.languageNames)
      languages.push_back({kMenuFont, textWidth(kMenuFont, name), true});
    questionPage("language question", "language question's chosen row", languages);
    questionPage("sound question", "sound question's chosen row",
                 {{kHud0Font, widest(kHud0Font, {"enable_sound"}), false},
                  {kMenuFont, widest(kMenuFont, {"yes"}), true},
                  {kMenuFont, widest(kMenuFont, {"no"}), true}});
  }

  // The columns a text's glyphs ink when drawn from x, as ImageFont::drawString draws them.
  std::pair<int, int> inkColumns(size_t index, const std::u16string& text, int x) {
    const LegibilityFont& f = font(index);
    int first = INT32_MAX, last = INT32_MIN;
    for (char16_t c : text) {
      if (f.upper) c = upperOf(c);
      const bool space = gamelib::drawsAsSpace(c);
      const size_t at = space ? 0 : f.chars.find(c);
      if (at == std::u16string::npos) continue;
      if (!space) {
        const Image& page = pagePicture(index, static_cast<size_t>(f.pages[at]));
        for (int gx = 0; gx < f.widths[at]; ++gx)
          for (int gy = 0; gy < page.height(); ++gy)
            if (f.offsets[at] + gx < page.width() && page.at(f.offsets[at] + gx, gy) != kKeyColour) {
              first = std::min(first, x + gx);
              last = std::max(last, x + gx);
              break;
            }
      }
      x += f.widths[at] + f.spacing;
    }
    return {first, last};
  }
  const Image& pagePicture(size_t index, size_t page) { return decoded(font(index).pageEntries.at(page)); }

  // The shared pictures (the highlight, the name entry's panels, the font pages) serve every game's pages:
  // each is decoded once.
  const Image& decoded(const std::string& entry) {
    auto it = decoded_.find(entry);
    if (it == decoded_.end()) it = decoded_.emplace(entry, decodePng(in_.bytes(entry))).first;
    return it->second;
  }
  std::map<std::string, Image> decoded_;

  // Soft-key labels drawn from both bottom corners: side by side within the screen, and no letter in the
  // screen's outer columns.
  void softKeys() {
    struct Pair {
      const char* left;
      const char* right;
      const char* where;
    };
    const Pair pairs[] = {{"quit", "down", "help page"}, {"ok", "cancel", "key set-up"}};
    for (const auto& [code, table] : *in_.texts)
      for (const Pair& keys : pairs) {
        auto left = table.find(wide(keys.left));
        auto right = table.find(wide(keys.right));
        if (left == table.end() || right == table.end()) continue;
        const std::string file = "txt/res_" + code + ".txt";
        const int wl = textWidth(kHud0Font, left->second), wr = textWidth(kHud0Font, right->second);
        if (wl + wr > in_.width)
          report_.faults.push_back({file, keys.right,
                                    std::string("the ") + keys.where + "'s soft keys \"" + keys.left + "\" and \"" +
                                        keys.right + "\" are " + std::to_string(wl + wr) +
                                        " pixels wide side by side, the screen " + std::to_string(in_.width)});
        const int lastColumn = in_.width - 1 - kEdgeMargin;
        auto atTheEdge = [&](const char* key, const std::u16string& text, int x) {
          const auto [from, to] = inkColumns(kHud0Font, text, x);
          if (to < from) return;
          if (from < kEdgeMargin) report_.faults.push_back({file, key, edgeMessage(key, keys.where, from)});
          if (to > lastColumn) report_.faults.push_back({file, key, edgeMessage(key, keys.where, to)});
        };
        atTheEdge(keys.left, left->second, gamelib::kSoftKeyInset);
        atTheEdge(keys.right, right->second, in_.width - gamelib::kSoftKeyInset - wr);
      }
  }

  std::string edgeMessage(const char* key, const char* where, int column) const {
    return std::string("the ") + where + "'s soft key \"" + key + "\" is drawn at column " + std::to_string(column) +
           " of " + std::to_string(in_.width - 1) + ": letters keep " + std::to_string(kEdgeMargin) +
           " columns from the screen's sides";
  }
};

}  // namespace

int LegibilityFont::width(const std::u16string& text) const {
  int w = 0;
  for (char16_t c : text) {
    if (upper) c = upperOf(c);
    const size_t at = gamelib::drawsAsSpace(c) ? 0 : chars.find(c);
    if (at != std::u16string::npos && !widths.empty()) w += widths[at] + spacing;
  }
  return w;
}

LegibilityReport checkLegibility(const LegibilityInput& in) {
  LegibilityReport report;
  Pages(in, report).run();
  return report;
}

}  // namespace datakit
