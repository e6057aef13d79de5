// What the tanks game's screen draws itself: each state's page, the side panels around the field, the
// stage intro and the stage result with its tally of kills and the play time.
#include "gamelib/GameApi.h"
#include "games/tanks/GameMain.h"

namespace tanks {

using namespace gamelib::api;

namespace {

constexpr int32_t kLineGap = 3;
constexpr int32_t kResultTop = 4;
constexpr int32_t kBottomMargin = 2;
constexpr int32_t kKillTypes = 4;
constexpr int32_t kPointsPerType = 10;

void clearScreen() {
  GameLib::graphics->setColor(0);
  GameLib::graphics->fillRect(0, 0, GameLib::screenWidth, GameLib::screenHeight);
}

DStringPtr spaced(int32_t n) { return DStringPtr(u" ") + n; }

}  // namespace

void GameMain::paint() {
  GameImage::graphics = GameLib::graphics;
  switch (state) {
    case STATE_MENU:
    case STATE_LEVELS:
    case STATE_PAUSED:
    case STATE_HIGH_SCORES:
    case STATE_HELP:
    case STATE_KEYS:
      menuFlow->paint();
      break;
    case STATE_PLAYING:
      playfield->paint();
      break;
    case STATE_RESULT:
      paintResult();
      break;
    case STATE_INTRO:
      paintIntro();
      break;
    default:
      break;
  }
}

void GameMain::paintPanels(int32_t x) {
  if (!panelLeft.isNull()) GameLib::graphics->drawImageOpaque(panelLeft, x, 0, DGraphics::TOP_RIGHT);
  if (!panelRight.isNull()) {
    GameLib::graphics->drawImageOpaque(panelRight, GameLib::screenWidth - x, 0, DGraphics::TOP_LEFT);
  }
}

void GameMain::paintIntro() {
  clearScreen();
  ImageFontPtr font = GameLib::font(GameLib::FONT_HUD1);
  const int32_t h = font->getHeight();
  const int32_t y = (GameLib::screenHeight >> 1) - 2 * h - kLineGap;
  const int32_t x = GameLib::screenWidth >> 1;
  const int32_t anchor = DGraphics::TOP_CENTRE;
  font->drawStringOnScreen((TextTable::getString(u"level") + u" ") + playfield->stage, x, y, anchor);
  font->drawStringOnScreen((TextTable::getString(u"score") + u" ") + playfield->score, x, y + h + kLineGap, anchor);
}

void GameMain::paintResult() {
  clearScreen();
  const int32_t w = GameLib::screenWidth;
  ImageFontPtr text = GameLib::font(GameLib::FONT_HUD1);
  ImageFontPtr numbers = GameLib::font(GameLib::FONT_NUM0);
  text->drawStringOnScreen((TextTable::getString(u"score") + u" ") + playfield->score, w >> 1, kResultTop,
                           DGraphics::TOP_CENTRE);
  const int32_t h = text->getHeight();
  const int32_t c = numbers->stringWidth(u"999") + 2;
  const int32_t wx = text->stringWidth(u"x");
  const GameImageArrayPtr& pictures = splash->images;
  const int32_t iw = (*pictures)[0]->w;
  const int32_t ih = (*pictures)[0]->h;
  int32_t imageY = 2 * h + 4;
  int32_t textY = ih / 3 + 2 * h + 4;
  const int32_t x0 = (w - 2 * wx - 2 * iw - 3 * c - (iw >> 1)) >> 1;
  const int32_t x1 = x0 + (iw >> 1) + iw;
  const int32_t x2 = x1 + iw;
  const int32_t x3 = x2 + c;
  const int32_t x4 = x3 + wx;
  const int32_t x5 = x4 + c;
  const int32_t x6 = x5 + wx;
  for (int32_t i = 0; i < kKillTypes; ++i) {
    const int32_t points = kPointsPerType * (i + 1);
    const int32_t n = (playfield->killCounters >> (8 * i)) & 0xFF;
    (*pictures)[i]->paint(x0, imageY);
    (*pictures)[i + 4]->paint(x1, imageY);
    numbers->drawStringOnScreen(spaced(n), x2, textY, 0);
    text->drawStringOnScreen(u"x", x3, textY, 0);
    numbers->drawStringOnScreen(spaced(points), x4, textY, 0);
    text->drawStringOnScreen(u"=", x5, textY, 0);
    numbers->drawStringOnScreen(spaced(n * points), x6, textY, 0);
    const int32_t rowStep = (*pictures)[i]->h + ((*pictures)[i]->h >> 1);
    imageY += rowStep;
    textY += rowStep;
  }
  text->drawStringOnScreen(timeText(playTime), w >> 1, GameLib::screenHeight - kBottomMargin, DGraphics::BOTTOM_CENTRE);
}

}  // namespace tanks
