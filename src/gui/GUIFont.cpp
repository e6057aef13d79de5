// A font of GUI texts over a bitmap font of the game library.
#include "gui/GUIFont.h"

namespace gamelib {

int32_t GUIFont::getHeight() { return imageFont->getHeight(); }

int32_t GUIFont::stringWidth(nuv::lang::DStringPtr text) { return imageFont->stringWidth(std::move(text)); }

void GUIFont::drawString(nuv::microedition::lcdui::DGraphicsPtr g, nuv::lang::DStringPtr text, int32_t x, int32_t y,
                         int32_t anchor) {
  imageFont->drawString(std::move(g), std::move(text), x, y, anchor);
}

}  // namespace gamelib
