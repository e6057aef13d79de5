// The checker's tests of each screen size: its pictures, image tables and fonts, and the texts that must fit.
#include <algorithm>
#include <optional>
#include <set>

#include "Checker.h"
#include "Fonts.h"
#include "app/GameList.h"
#include "gamelib/PageLayout.h"

namespace datakit {

const std::vector<std::string> kSharedImages = {
    "vandelorn", "menu/back", "menu/icons",      "arrowUp",          "arrowDown",
    "pause",     "selected",  "input/input_top", "input/input_midd", "input/input_bot",
};

// Both icons of every main menu entry.
const std::vector<std::string> kMenuIconKeys = [] {
  std::vector<std::string> keys;
  for (const gamelib::MenuNames& e : glimmerhut::kMenuNames) {
    keys.push_back(ascii(e.icon));
    keys.push_back(ascii(e.selectedIcon));
  }
  return keys;
}();

// The main menu's titles. kFits below copies them as the program starts, so they stay above it in this file.
const std::vector<std::string> kMenuTitles = [] {
  std::vector<std::string> keys;
  for (const gamelib::MenuNames& e : glimmerhut::kMenuNames) keys.push_back(ascii(e.titleKey));
  return keys;
}();

// Font 6 is the only one the program does not upper-case.
const std::vector<std::string> kFontNames = {"menu", "menusel", "hud0", "hud1", "num0", "num1", "small"};
constexpr size_t kMixedCaseFont = 6;
// The key set-up's names of keys in the player's language: this prefix and the key's English name.
constexpr const char16_t* kKeyNamePrefix = u"keyname_";

namespace {

using Font = LegibilityFont;

// Where the game library draws texts of the shared screens, and so how wide each may be: the
// main menu's titles (a title wider than the screen less 20 is split into two words, and one that
// cannot be split is not drawn), the in-game menu's entries (inside the list box), the key set-up's
// action names (in the left half of its grid) and buttons.
enum class Room { Title, MenuBox, FullGrid, QuestionBox, KeyGrid };
struct Fit {
  size_t font;
  Room room;
  std::vector<std::string> keys;
  const char* where;
};
const std::vector<Fit> kFits = {
    {3, Room::Title, kMenuTitles, "main menu"},
    {1,
     Room::MenuBox,
     {"start", "continue", "highscores", "help", "cfg_keys", "mainmenu", "exit", "sound_level", "music_level",
      "sound level", "music level", "soundfxoff", "soundfxlow", "soundfxnormal", "soundfxhigh", "musicoff", "musiclow",
      "musicnormal", "musichigh"},
     "in-game menu"},
    {1, Room::FullGrid, {"set_default", "ok", "cancel"}, "key set-up"},
    {2, Room::QuestionBox, {"enable_sound"}, "sound question"},
    {1, Room::QuestionBox, {"yes", "no"}, "sound question"},
    {6, Room::KeyGrid, {"entername"}, "name entry"},
};

// The shared fits, and each game's own menu entries in the menu box.
std::vector<Fit> allFits() {
  std::vector<Fit> fits = kFits;
  for (const GameRow& g : gameTable())
    if (!g.menuTexts.empty()) fits.push_back({1, Room::MenuBox, g.menuTexts, "in-game menu"});
  return fits;
}

}  // namespace

std::vector<std::string> Checker::pathList(const std::string& resolution) {
  auto t = table(readPlainTable(bytes(resolution), where(resolution)), resolution);
  std::u16string path = t.count(u"PATH") ? t[u"PATH"] : u"PATH";
  std::vector<std::string> list;
  for (const std::u16string& p : splitText(path, u';')) {
    std::string s = toUtf8(p);
    list.push_back(s.empty() || s.back() != '/' ? s + "/" : s);
  }
  return list;
}

std::optional<std::string> Checker::findInPath(const std::vector<std::string>& list, const std::string& dir,
                                               const std::string& name) {
  for (const std::string& p : list)
    if (has(dir + p + name)) return dir + p + name;
  return std::nullopt;
}

Font Checker::checkFont(const std::string& resolution, const std::string& prefix, bool upper) {
  Font font;
  int pages = 0;
  for (int page = 0; page < 10; ++page, pages = page) {
    std::string picture = prefix + "/font_" + std::to_string(page) + ".png";
    std::string metrics = prefix + "/font_" + std::to_string(page);
    if (!has(picture) && !has(metrics)) break;
    if (!has(picture) || !has(metrics)) {
      error(has(picture) ? picture : metrics, 0, "a font page needs its picture and its metrics");
      break;
    }
    PngInfo info;
    readPngInfo(bytes(picture), info);
    if (page == 0)
      font.height = info.height;
    else if (info.height != font.height)
      error(picture, 0, "all pages of a font share the height of page 0");
    Bytes m = bytes(metrics);
    int count = m.empty() ? 0 : static_cast<std::int8_t>(m[0]);
    if (count < 1) {
      error(metrics, 0, "a page holds 1 to 127 glyphs");
      continue;
    }
    size_t at = 1;
    int width = 0;
    for (int g = 0; g < count; ++g) {
      if (at + 2 > m.size()) {
        error(metrics, 0, "metrics end early");
        break;
      }
      size_t len = size_t(m[at]) << 8 | m[at + 1];
      Bytes one(m.begin() + static_cast<long>(at), m.begin() + static_cast<long>(std::min(m.size(), at + 2 + len)));
      std::vector<TableLine> s = readUtfStrings(one, where(metrics));
      at += 2 + len;
      if (s.size() != 1 || s[0].text.size() != 1 || at >= m.size()) {
        error(metrics, 0, "glyph " + std::to_string(g) + " is not one character and a width");
        break;
      }
      char16_t c = s[0].text[0];
      if (upper && upperOf(c) != c)
        error(metrics, 0, "glyph " + toUtf8(s[0].text) + " is never shown: the font is upper-cased");
      if (page == 0 && g == 0 && c != u' ')
        error(metrics, 0, "glyph 0 of page 0 gives the space's width and should be the space");
      int w = static_cast<std::int8_t>(m[at++]);
      if (w <= 0) error(metrics, 0, "glyph " + toUtf8(s[0].text) + " has no width");
      font.pages.push_back(page);
      font.offsets.push_back(width);
      width += w;
      font.chars.push_back(c);
      font.widths.push_back(w);
    }
    font.pageEntries.push_back(picture);
    if (at != m.size()) error(metrics, 0, "bytes after the last glyph");
    if (width != info.width)
      error(
          metrics, 0,
          "glyph widths add up to " + std::to_string(width) + ", the page is " + std::to_string(info.width) + " wide");
  }
  for (int page = pages + 1; page < 10; ++page)
    if (has(prefix + "/font_" + std::to_string(page) + ".png"))
      error(prefix + "/font_" + std::to_string(page) + ".png", 0, "page after a gap is never loaded");
  if (font.height == 0) error(resolution, 0, "font " + prefix + " has no page 0");
  return font;
}

void Checker::checkScreenSize(const std::string& resolution) {
  std::string size = resolution.substr(9, resolution.size() - 13);
  int width = std::stoi(size), height = std::stoi(size.substr(size.find('x') + 1));
  std::vector<std::string> list = pathList(resolution);
  for (const std::string& image : kSharedImages)
    if (!findInPath(list, "graphics/", image + ".png") && !findInPath(list, "graphics/", image + ".jpg"))
      error(resolution, 1, "no picture \"" + image + "\" under its PATH");
  if (auto icons = findInPath(list, "graphics/", "menu/icons.txt")) {
    auto lines = readPlainTable(bytes(*icons), where(*icons));
    std::map<std::string, std::pair<int, int>> sizes;
    for (const TableLine& l : lines) {
      auto f = splitText(l.text, u';');
      if (f.size() == 5) sizes[toUtf8(f[0])] = {std::stoi(toUtf8(f[3])), std::stoi(toUtf8(f[4]))};
    }
    for (const std::string& key : kMenuIconKeys)
      if (!sizes.count(key))
        error(*icons, 0, "the main menu's icon \"" + key + "\" is missing");
      else if (sizes[key] != sizes[kMenuIconKeys[0]])
        error(*icons, 0, "icon \"" + key + "\" differs in size from \"" + kMenuIconKeys[0] + "\"");
    if (sizes.count(kMenuIconKeys[0]) && sizes[kMenuIconKeys[0]].first * 4 > width)
      error(*icons, 0, "four icons do not fit side by side on a screen " + std::to_string(width) + " wide");
  } else {
    error(resolution, 1, "no image table \"menu/icons\" under its PATH");
  }
  checkGameNames(resolution, list);
  auto prefix = findInPath(list, "", "menu/font_0");
  if (!prefix) return error(resolution, 1, "no font \"menu\" under its PATH");
  std::string base = prefix->substr(0, prefix->size() - std::string("menu/font_0").size());
  std::vector<Font> fonts;
  for (size_t i = 0; i < kFontNames.size(); ++i) {
    Font font = checkFont(resolution, base + kFontNames[i], i != kMixedCaseFont);
    for (auto& [code, t] : texts_)
      for (auto& [key, value] : t)
        for (char16_t c : value) {
          char16_t g = i != kMixedCaseFont ? upperOf(c) : c;
          if (!gamelib::drawsAsSpace(c) && c != u'\n' && font.chars.find(g) == std::u16string::npos) {
            std::string file = "txt/res_" + code + ".txt";
            error(file, sourceLine(file, toUtf8(key)),
                  "font " + base + kFontNames[i] + " has no \"" + toUtf8(std::u16string(1, g)) + "\"");
            break;
          }
        }
    if (font.height * 3 > height) error(resolution, 0, "font " + kFontNames[i] + " is too tall for the screen");
    font.upper = i != kMixedCaseFont;
    font.spacing = i == kMixedCaseFont ? 1 : 0;
    fonts.push_back(font);
  }
  checkFits(fonts, width);
  LegibilityInput legibility{
      width,
      height,
      &texts_,
      &fonts,
      languageNames_,
      [&](const std::string& picture) { return findInPath(list, "graphics/", picture + ".png"); },
      [&](const std::string& entry) { return bytes(entry); }};
  // A picture's fault is its generator's (or the pixel art's first) line.
  LegibilityReport legible = checkLegibility(legibility);
  for (const LegibilityFault& f : legible.faults)
    error(f.entry, f.key.empty() ? std::max(1, sourceLine(f.entry, "generator")) : sourceLine(f.entry, f.key),
          f.message);
  report_.notes.insert(report_.notes.end(), legible.notes.begin(), legible.notes.end());
  auto picture = [&](const std::string& p) {
    auto png = findInPath(list, "graphics/", p + ".png");
    return png ? png : findInPath(list, "graphics/", p + ".jpg");
  };
  checkMoreGamesPictures({resolution, width, picture, [&](const std::string& n) { return bytes(n); },
                          [&](const std::u16string& t) { return fonts[0].width(t); }},
                         texts_, sink());
}

// A game whose folder is in the archive must have everything its set-up asks for by name.
void Checker::checkGameNames(const std::string& resolution, const std::vector<std::string>& list) {
  for (const GameRow& game : gameTable()) {
    if (game.imageTable.empty()) continue;
    auto images = findInPath(list, "graphics/", game.imageTable + ".txt");
    if (!images) continue;
    for (const std::string& picture : game.pictures)
      if (!findInPath(list, "graphics/", picture + ".png") && !findInPath(list, "graphics/", picture + ".jpg"))
        error(resolution, 1, "no picture \"" + picture + "\" under its PATH");
    std::set<std::u16string> keys;
    for (const TableLine& l : readPlainTable(bytes(*images), where(*images))) keys.insert(splitText(l.text, u';')[0]);
    for (const std::string& key : game.imageKeys)
      if (!keys.count(std::u16string(key.begin(), key.end())))
        error(*images, 0, "the game looks up \"" + key + "\", which is not in the image table");
    if (game.animationList.empty()) continue;
    // A list under data/ serves every screen size: its frames must be in each size's image table.
    const bool shared = startsWith(game.animationList, "data/");
    auto anim = shared ? (has(game.animationList) ? std::optional<std::string>(game.animationList) : std::nullopt)
                       : findInPath(list, "graphics/", game.animationList);
    if (!anim) {
      error(resolution, 1, "no animation list \"" + game.animationList + "\" under its PATH");
    } else {
      if (shared)
        report(*anim, checkAnimationLines(readPlainTable(bytes(*anim), where(*anim)),
                                          readPlainTable(bytes(*images), where(*images)), *images));
      std::set<std::u16string> names;
      for (const TableLine& l : readPlainTable(bytes(*anim), where(*anim)))
        names.insert(l.text.substr(0, l.text.find(u'=')));
      for (const std::string& key : game.animationKeys)
        if (!names.count(std::u16string(key.begin(), key.end())))
          error(*anim, 0, "the game looks up the animation \"" + key + "\", which the list lacks");
    }
  }
}

void Checker::checkFits(const std::vector<Font>& fonts, int width) {
  const int titleRoom = width - 20, menuRoom = width - 2 * (width >> 3), actionRoom = (width - 20) / 2;
  // Two key cells share the grid's right half; a name stays between the lines around its cell.
  const int keyRoom = ((width - 20) - (width - 20) / 2) / 2 - 1;
  const int questionRoom = width / 3 * 2, keyGridRoom = fonts[2].height * 21 / 12 * 6;
  auto roomOf = [&](Room r) {
    switch (r) {
      case Room::MenuBox:
        return menuRoom;
      case Room::QuestionBox:
        return questionRoom;
      case Room::KeyGrid:
        return keyGridRoom;
      default:
        return titleRoom;
    }
  };
  const std::string lang = "txt/lang.txt";
  if (has(lang)) {
    auto list = table(readUtfStrings(bytes(lang), where(lang)), lang);
    for (const std::u16string& name : splitText(list[u"LANGS"], u';'))
      if (int w = fonts[0].width(name); w > questionRoom)
        error(lang, sourceLine(lang, "LANGS"),
              "\"" + toUtf8(name) + "\" is " + std::to_string(w) + " pixels wide, the language menu has room for " +
                  std::to_string(questionRoom));
  }
  for (auto& [code, t] : texts_) {
    std::string file = "txt/res_" + code + ".txt";
    auto tooWide = [&](const std::string& key, int w, int room, const char* where) {
      error(file, sourceLine(file, key),
            "\"" + key + "\" is " + std::to_string(w) + " pixels wide, the " + where + " has room for " +
                std::to_string(room) + " at " + std::to_string(width) + " pixels");
    };
    for (const Fit& fit : allFits())
      for (const std::string& key : fit.keys) {
        auto it = t.find(std::u16string(key.begin(), key.end()));
        if (it == t.end()) continue;
        const Font& f = fonts[fit.font];
        if (fit.room != Room::Title) {
          int room = roomOf(fit.room);
          if (int w = f.width(it->second); w > room) tooWide(key, w, room, fit.where);
          continue;
        }
        if (int w = f.width(it->second); w > titleRoom) {
          std::vector<std::u16string> words = splitText(it->second, u' ');
          if (words.size() != 2 || f.width(words[0]) > width || f.width(words[1]) > width)
            tooWide(key, w, titleRoom, "main menu (as two words at most)");
        }
      }
    for (const GameRow& g : gameTable()) {
      std::string key = "ctrl_actions_" + g.key;
      auto it = t.find(std::u16string(key.begin(), key.end()));
      if (it != t.end())
        for (const std::u16string& action : splitText(it->second, u';'))
          if (int w = fonts[2].width(action); w > actionRoom) tooWide(key, w, actionRoom, "key set-up's action column");
    }
    for (const auto& [key, name] : t)
      if (key.rfind(kKeyNamePrefix, 0) == 0)
        if (int w = fonts[kMixedCaseFont].width(name); w > keyRoom)
          tooWide(toUtf8(key), w, keyRoom, "key set-up's key cell");
  }
}

}  // namespace datakit
