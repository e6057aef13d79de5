// Layout, drawing and pen handling of the start questions' list box.
#include "gamelib/ChoiceBox.h"

#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"

namespace gamelib {

using nuv::lang::DStringPtr;
using nuv::lang::DSystem;
using nuv::microedition::lcdui::DGraphics;

namespace {

constexpr int32_t kBlack = 0x000000;
constexpr int32_t kTallScreen = 320;
constexpr int32_t kTallScreenLift = 2;
constexpr int32_t kRowPadding = 4;
constexpr int32_t kLabelX = 5;
constexpr int32_t kLabelMargin = 5;
constexpr const char16_t* kBackground = u"menu/back";
constexpr const char16_t* kOkLabel = u"OK";

}  // namespace

void ChoiceBox::layOut(int32_t rowCount) {
  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  rows = rowCount;
  rowHeight = GameLib::font(GameLib::FONT_MENU)->getHeight() + kRowPadding;
  boxWidth = (w / 3) * 2;
  boxX = (w - boxWidth) >> 1;
  boxHeight = rowHeight * rows;
  boxY = (h - boxHeight) >> 1;
  background = GameLib::loadImage(kBackground);
  label = kOkLabel;
  lastTapTime = DSystem::currentTimeMillis();
}

void ChoiceBox::paintFrame(DGraphics& g, int32_t highlightedRow) {
  g.setColor(kBlack);
  g.fillRect(0, 0, GameLib::screenWidth, GameLib::screenHeight);
  if (!background.isNull()) {
    g.drawImageOpaque(background, GameLib::screenWidth >> 1, GameLib::screenHeight >> 1, DGraphics::CENTRE);
  }
  if (highlightedRow < 0) return;
  g.setColor(kHighlightColour);
  g.fillRect(boxX + 1, boxY + rowHeight * highlightedRow + 1, boxWidth - 2, rowHeight - 2);
}

void ChoiceBox::paintRow(int32_t font, DStringPtr text, int32_t row) {
  int32_t lift = GameLib::screenHeight > kTallScreen ? kTallScreenLift : 0;
  GameLib::font(font)->drawStringOnScreen(text, boxX + (boxWidth >> 1),
                                          boxY + rowHeight * row + (rowHeight >> 1) - lift, DGraphics::BASELINE_CENTRE);
}

void ChoiceBox::paintLabel() {
  if (!label.isNull())
    GameLib::font(GameLib::FONT_MENU)->drawStringOnScreen(label, kLabelX, GameLib::screenHeight - rowHeight, 0);
}

int32_t ChoiceBox::tapRow(bool& onLabel) {
  onLabel = false;
  int64_t now = DSystem::currentTimeMillis();
  if (now - lastTapTime <= kTapGapMs) return -1;
  const int32_t x = ScreenCanvas::pointerX, y = ScreenCanvas::pointerY, h = GameLib::screenHeight;
  if (x >= boxX && x <= boxX + boxWidth && y >= boxY && y <= boxY + boxHeight) {
    int32_t row = (y - boxY) / rowHeight;
    if (row < rows) {
      lastTapTime = now;
      return row;
    }
  }
  ImageFontPtr font = GameLib::font(GameLib::FONT_MENU);
  int32_t fh = font->getHeight();
  onLabel =
      x > 4 && x <= font->stringWidth(kOkLabel) + kLabelMargin && y >= h - fh - kLabelMargin && y <= h - kLabelMargin;
  return -1;
}

}  // namespace gamelib
