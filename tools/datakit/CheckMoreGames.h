// The checker's tests of the more-games screen's data: its soft-key picture and the nine entry icons at
// each screen size, and in every language its soft-key texts, its entries and their addresses.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "Png.h"

namespace datakit {

// A fault: the archive entry, a text key whose source line is wanted (empty for none), the message.
using FaultSink = std::function<void(const std::string& entry, const std::string& key, const std::string& message)>;
// Language code to its texts.
using LanguageTexts = std::map<std::string, std::map<std::u16string, std::u16string>>;

// What the checker knows of one screen size.
struct ScreenSizeData {
  std::string resolution;  // "graphics/WxH.dat"
  int width = 0;
  // The entry of a picture (a name as the program loads it) under the size's PATH, as PNG or JPEG.
  std::function<std::optional<std::string>(const std::string& picture)> findPicture;
  std::function<Bytes(const std::string& entry)> read;
  // A text's width in the menu font, the font of the soft keys.
  std::function<int(const std::u16string& text)> menuFontWidth;
};

void checkMoreGamesPictures(const ScreenSizeData& size, const LanguageTexts& texts, const FaultSink& fault);
void checkMoreGamesTexts(const LanguageTexts& texts, const FaultSink& fault);

}  // namespace datakit
