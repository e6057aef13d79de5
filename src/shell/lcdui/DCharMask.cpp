// Glyph masks of the system fonts.
#include "shell/lcdui/DCharMask.h"

#include <algorithm>

namespace nuv::microedition::lcdui {

DCharMask::DCharMask(char16_t c, int32_t w, int32_t h)
    : character(c),
      width(std::max(w, 0)),
      height(std::max(h, 0)),
      rows_(new uint8_t[static_cast<size_t>(width) * static_cast<size_t>(height) + 1]()) {}

}  // namespace nuv::microedition::lcdui
