// Legibility at one screen size: soft-key labels that fit side by side, and text colours that stand out
// from the shaded pictures of the in-game pages, measured as the game library draws them.
#include "CheckLegibility.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "GameTable.h"
#include "Image.h"

namespace datakit {

namespace {

// The game library's fonts by their index in its list.
constexpr size_t kMenuFont = 0, kMenuSelFont = 1, kHud0Font = 2, kSmallFont = 6;

// Soft-key labels are drawn in "hud0", one from each bottom corner of the screen.
struct SoftKeys {
  const char* left;
  const char* right;
  const char* where;
};
const SoftKeys kSoftKeys[] = {{"quit", "down", "help page"}, {"ok", "cancel", "key set-up"}};

// How far across the picture the menu darkens it: the list's band (the entries' inset, halved for the
// wide in-game list) or the whole picture.
enum class Band { WideList, List, Whole };
struct ShadedPage {
  const char* where;
  int shade;  // the alpha of the black laid over the band
  Band band;
  std::vector<size_t> fonts;  // drawn over the shaded picture itself
};
const ShadedPage kPages[] = {
    {"in-game menu", 161, Band::WideList, {kMenuFont}},
    {"help page", 161, Band::WideList, {kMenuSelFont, kHud0Font, kSmallFont}},
    {"high-score table", 160, Band::List, {kMenuFont}},
    {"key set-up", 160, Band::Whole, {kMenuFont, kMenuSelFont, kHud0Font, kSmallFont}},
};
const char* const kFontNames[] = {"menu", "menusel", "hud0", "hud1", "num0", "num1", "small"};

// Text for reading: the contrast asked of body text.
constexpr double kMinContrast = 4.5;
// The background is judged by its brightest pixels, leaving out the odd star: this share of them.
constexpr double kBrightestShare = 0.01;

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

double ratio(double lighter, double darker) { return (lighter + 0.05) / (darker + 0.05); }

std::string oneDecimal(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", v);
  return text;
}

// The dimmest colour of a font's fill: the glyph pixels nearer the brightest than the darkest (the
// outline and shadow) are its fill.
std::optional<Rgb> dimmestFill(const Image& page) {
  double darkest = 2, brightest = -1;
  for (Rgb c : page.pixels())
    if (c != kKeyColour) {
      darkest = std::min(darkest, luminance(c));
      brightest = std::max(brightest, luminance(c));
    }
  if (brightest < 0) return std::nullopt;
  const double middle = (darkest + brightest) / 2;
  std::optional<Rgb> dimmest;
  for (Rgb c : page.pixels())
    if (c != kKeyColour && luminance(c) >= middle && (!dimmest || luminance(c) < luminance(*dimmest))) dimmest = c;
  return dimmest;
}

// The luminance of the brightest pixels of the shaded band, over the rows the screen shows.
double shadedBrightness(const Image& picture, const ShadedPage& page, int width, int height) {
  const int d = picture.width() - width;
  int inset = width >> 3;
  if (page.band == Band::WideList) inset >>= 1;
  int from = inset + d / 2, to = width - inset + d / 2;
  if (page.band == Band::Whole) from = 0, to = picture.width() - 1;
  from = std::max(from, 0);
  to = std::min(to, picture.width() - 1);
  const int top = std::max(0, (picture.height() - height) / 2), bottom = std::min(picture.height(), top + height);
  std::vector<double> values;
  for (int y = top; y < bottom; ++y)
    for (int x = from; x <= to; ++x) {
      const Rgb c = picture.at(x, y);
      const int keep = 255 - page.shade;
      values.push_back(luminance(rgb(red(c) * keep / 255, green(c) * keep / 255, blue(c) * keep / 255)));
    }
  if (values.empty()) return 0;
  const size_t at = values.size() - 1 - static_cast<size_t>(static_cast<double>(values.size() - 1) * kBrightestShare);
  std::nth_element(values.begin(), values.begin() + static_cast<long>(at), values.end());
  return values[at];
}

void checkSoftKeys(const LegibilityInput& in, std::vector<LegibilityFault>& faults) {
  for (const auto& [code, table] : *in.texts)
    for (const SoftKeys& keys : kSoftKeys) {
      auto left = table.find(std::u16string(keys.left, keys.left + std::char_traits<char>::length(keys.left)));
      auto right = table.find(std::u16string(keys.right, keys.right + std::char_traits<char>::length(keys.right)));
      if (left == table.end() || right == table.end()) continue;
      const int together = in.textWidth(kHud0Font, left->second) + in.textWidth(kHud0Font, right->second);
      if (together > in.width)
        faults.push_back({"txt/res_" + code + ".txt", keys.right,
                          std::string("the ") + keys.where + "'s soft keys \"" + keys.left + "\" and \"" + keys.right +
                              "\" are " + std::to_string(together) + " pixels wide side by side, the screen " +
                              std::to_string(in.width)});
    }
}

void checkContrast(const LegibilityInput& in, std::vector<LegibilityFault>& faults) {
  std::map<size_t, std::optional<Rgb>> fills;
  auto fillOf = [&](size_t font) {
    if (!fills.count(font)) {
      std::optional<std::string> page = in.fontPage(font);
      fills[font] = page ? dimmestFill(decodePng(in.bytes(*page))) : std::nullopt;
    }
    return fills[font];
  };
  const std::string size = std::to_string(in.width) + "x" + std::to_string(in.height);
  for (const GameRow& game : gameTable()) {
    std::optional<std::string> entry = game.menuPicture.empty() ? std::nullopt : in.findPicture(game.menuPicture);
    if (!entry) continue;
    const Image picture = decodePng(in.bytes(*entry));
    for (const ShadedPage& page : kPages) {
      const double background = shadedBrightness(picture, page, in.width, in.height);
      for (size_t font : page.fonts) {
        std::optional<Rgb> fill = fillOf(font);
        if (!fill) continue;
        const double contrast = ratio(luminance(*fill), background);
        if (contrast < kMinContrast)
          faults.push_back({*entry, "",
                            std::string("the ") + page.where + "'s text in font " + kFontNames[font] +
                                " has a contrast of " + oneDecimal(contrast) + " against this picture shaded at " +
                                size + ", " + oneDecimal(kMinContrast) + " is needed: darken what lies behind it"});
      }
    }
  }
}

}  // namespace

std::vector<LegibilityFault> checkLegibility(const LegibilityInput& in) {
  std::vector<LegibilityFault> faults;
  checkSoftKeys(in, faults);
  checkContrast(in, faults);
  return faults;
}

}  // namespace datakit
