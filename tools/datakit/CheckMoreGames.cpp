// The checker's tests of the more-games screen's data.
#include "CheckMoreGames.h"

#include "TextTables.h"

namespace datakit {

namespace {

constexpr int kEntries = 9;
constexpr const char* kButton = "button";
constexpr const char* kIcon = "moregames/game_";
constexpr const char* kSoftKeys[] = {"OK", "BACK"};
constexpr const char* kEntryText = "MORE_GAME";
constexpr const char* kEntryAddress = "MORE_GAME_URL";
constexpr const char16_t* kIconSource = u"src=%ICON%";
// Every address is a placeholder on the domain reserved for examples.
constexpr const char16_t* kAddressPrefix = u"https://example.com/";
// Room kept free on each side of a soft key's text, at 240 pixels wide.
constexpr int kButtonMargin = 4;
constexpr int kBaseWidth = 240;

std::u16string wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::string textFile(const std::string& code) { return "txt/res_" + code + ".txt"; }

// A "<" with no ">" before the next "<" or the end is shown as text.
bool hasOpenTag(const std::u16string& text) {
  for (size_t at = text.find(u'<'); at != std::u16string::npos; at = text.find(u'<', at + 1)) {
    size_t close = text.find(u'>', at + 1), next = text.find(u'<', at + 1);
    if (close == std::u16string::npos || (next != std::u16string::npos && next < close)) return true;
  }
  return false;
}

}  // namespace

void checkMoreGamesPictures(const ScreenSizeData& size, const LanguageTexts& texts, const FaultSink& fault) {
  std::optional<std::string> button = size.findPicture(kButton);
  if (!button) fault(size.resolution, "", "no picture \"button\" under its PATH (the more-games screen's soft keys)");
  PngInfo first;
  for (int n = 0; n < kEntries; ++n) {
    std::string name = kIcon + std::to_string(n);
    std::optional<std::string> icon = size.findPicture(name);
    if (!icon) {
      fault(size.resolution, "", "no picture \"" + name + "\" under its PATH (a more-games entry's icon)");
      continue;
    }
    PngInfo info;
    readPngInfo(size.read(*icon), info);
    if (n == 0) first = info;
    if (info.width != first.width || info.height != first.height)
      fault(*icon, "", "the more-games icons differ in size");
  }
  if (!button) return;
  PngInfo info;
  readPngInfo(size.read(*button), info);
  const int room = info.width - 2 * kButtonMargin * size.width / kBaseWidth;
  for (const auto& [code, table] : texts) {
    for (const char* key : kSoftKeys) {
      auto it = table.find(wide(key));
      if (it == table.end()) continue;
      if (int w = size.menuFontWidth(it->second); w > room)
        fault(textFile(code), key,
              "\"" + std::string(key) + "\" is " + std::to_string(w) + " pixels wide, the soft key has room for " +
                  std::to_string(room) + " at " + std::to_string(size.width) + " pixels");
    }
  }
}

void checkMoreGamesTexts(const LanguageTexts& texts, const FaultSink& fault) {
  for (const auto& [code, entries] : texts) {
    const std::string file = textFile(code);
    const auto& table = entries;  // a lambda cannot capture a structured binding before clang 16
    auto need = [&](const std::string& key) -> const std::u16string* {
      auto it = table.find(wide(key));
      if (it != table.end()) return &it->second;
      fault(file, "", "missing key \"" + key + "\" (the more-games screen)");
      return nullptr;
    };
    for (const char* key : kSoftKeys) need(key);
    for (int n = 0; n < kEntries; ++n) {
      std::string textKey = kEntryText + std::to_string(n), addressKey = kEntryAddress + std::to_string(n);
      if (const std::u16string* text = need(textKey)) {
        if (hasOpenTag(*text)) fault(file, textKey, "a tag without its \">\" would show as text");
        if (text->find(kIconSource) == std::u16string::npos)
          fault(file, textKey, "the entry does not show its icon (" + toUtf8(kIconSource) + ")");
      }
      if (const std::u16string* address = need(addressKey)) {
        if (address->rfind(kAddressPrefix, 0) != 0)
          fault(file, addressKey, "the address is not a placeholder under " + toUtf8(kAddressPrefix));
      }
    }
  }
}

}  // namespace datakit
