// The game's picture: the still frame after a cleared maze, the start of a life with level, score and lives,
// the end of the game, and the play view with the panel, the maze, the actors, the pop-ups and the counters.
#include "core/lang/DInteger.h"
#include "gamelib/GameApi.h"
#include "games/gobbler/GobblerGame.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/gobbler/MazeDrawing.h"

namespace gobbler {

using namespace gamelib::api;

namespace {
// The level-start texts sit around the middle; lines and icons 3 pixels apart.
constexpr int32_t kTextBlock = 30;
constexpr int32_t kLineGap = 3;
constexpr int32_t kIconGap = 4;
constexpr int32_t kLifeIcon = 2;
// The counters of the time, hunt and fruit modes.
constexpr int32_t kCounterX = 2;

// The view's offset along one axis when the maze is larger than the screen: the player's centre in the
// middle, stopping at the maze's edges.
int32_t follow(int32_t screen, int32_t full, int32_t centre) {
  const int32_t half = screen / 2;
  if (centre <= half) return 0;
  if (centre < full - half) return half - centre;
  return screen - full;
}

}  // namespace

void GobblerGame::paint() {
  if (map->dotCount <= 0 && readyTimer != 0) return;
  if (startDelay != 0) {
    paintLevelStart();
  } else if (lives < 0) {
    paintGameOver();
  } else {
    paintPlay();
  }
}

void GobblerGame::paintLevelStart() {
  fillScreen(backColour);
  const ImageFontPtr font = GameLib::font(GameLib::FONT_HUD0);
  const int32_t cx = GameLib::screenWidth / 2, h = font->getHeight();
  const int32_t y1 = (GameLib::screenHeight - kTextBlock) / 2;
  font->drawStringOnScreen(TextTable::getString(u"level") + u" " + levelNumber(), cx, y1, DGraphics::TOP_CENTRE);
  const int32_t y2 = y1 + h + kLineGap;
  font->drawStringOnScreen(TextTable::getString(u"score") + u" " + score, cx, y2, DGraphics::TOP_CENTRE);
  const int32_t stepX = cellWidth + kIconGap, left = (GameLib::screenWidth - stepX * lives) / 2;
  for (int32_t i = 0; i < lives; ++i) paintImageAt((*playerImages)[kLifeIcon], left + stepX * i, y2 + h + kLineGap);
}

void GobblerGame::paintGameOver() {
  fillScreen(backColour);
  const ImageFontPtr font = GameLib::font(GameLib::FONT_HUD0);
  const int32_t cx = GameLib::screenWidth / 2, h = font->getHeight();
  const int32_t y0 = GameLib::screenHeight / 2 - 2 * h - kLineGap;
  font->drawStringOnScreen(TextTable::getString(u"gameover"), cx, y0, DGraphics::TOP_CENTRE);
  font->drawStringOnScreen(TextTable::getString(u"score") + u" " + score, cx, y0 + h + kLineGap, DGraphics::TOP_CENTRE);
}

void GobblerGame::paintPlay() {
  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  if (map->pixelWidth() > w) {
    viewX = follow(w, (map->cols + 2) * map->cellWidth, player->position->x + cellWidth / 2);
  }
  if (map->pixelHeight() > h) {
    viewY = follow(h, (map->rows + 2) * map->cellHeight, player->position->y + cellHeight / 2);
  }
  DGraphics& g = *GameLib::graphics;
  if (!panelImage.isNull() && !panelDrawn) {
    const int32_t pw = panelImage->getWidth(), ph = panelImage->getHeight();
    for (int32_t y = 0; y < h; y += ph) {
      for (int32_t x = 0; x < w; x += pw) g.drawImageOpaque(panelImage, x, y, DGraphics::TOP_LEFT);
    }
    panelDrawn = true;
  }
  map->paint(viewX, viewY, tileStyle, false);
  map->paint(viewX, viewY, tileStyle, true);
  if (!fruit.isNull()) fruit->draw(viewX, viewY);
  for (const SpookyBasePtr& c : {chaser1, chaser2, chaser3, chaser4}) c->draw(viewX, viewY);
  player->draw(viewX, viewY);
  for (int32_t i = 0; i < sprites->length; ++i) {
    if (!(*sprites)[i].isNull()) (*sprites)[i]->draw(viewX, viewY);
  }
  const ImageFontPtr counter = GameLib::font(GameLib::FONT_MENU);
  if (gameMode == MODE_TIME || gameMode == MODE_KILL) {
    const int64_t seconds = (timeLimitMs - elapsedMs) / 1000;
    counter->drawStringOnScreen(DStringPtr(u"") + static_cast<int32_t>(seconds < 0 ? 0 : seconds), kCounterX, viewY,
                                DGraphics::TOP_LEFT);
  } else if (gameMode == MODE_FRUIT) {
    const int32_t left = levelNumber() * kFruitsPerLevel - fruitsEaten;
    counter->drawStringOnScreen(DStringPtr(u"") + (left < 0 ? 0 : left), kCounterX, viewY, DGraphics::TOP_LEFT);
  }
  if (!GameMenu::pauseImage.isNull()) g.drawImageOpaque(GameMenu::pauseImage, w, 0, DGraphics::TOP_RIGHT);
}

}  // namespace gobbler
