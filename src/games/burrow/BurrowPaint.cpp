// Painting of the tunnel-digging game by state: the field with its movers and frame panels, the heads-up
// row, the level caption and the game-over caption, the menus and the key set-up.
#include "core/lang/DInteger.h"
#include "gamelib/GameApi.h"
#include "games/burrow/BurrowGame.h"

namespace burrow {

using namespace gamelib::api;

namespace {
// Pixels between caption lines and between life icons.
constexpr int32_t kLineGap = 3;
constexpr int32_t kIconGap = 3;
constexpr int32_t kPauseLeft = 2;
constexpr int32_t kScoreRight = 2;

void clearScreen() {
  GameLib::graphics->setColor(0x000000);
  GameLib::graphics->fillRect(0, 0, GameLib::screenWidth, GameLib::screenHeight);
}

// The caption's first line, two lines above the middle of the screen.
int32_t captionTop() {
  const int32_t h = GameLib::font(GameLib::FONT_HUD1)->getHeight();
  return GameLib::screenHeight / 2 - 2 * h - kLineGap;
}

void drawOpaque(const DImagePtr& image, int32_t x, int32_t y, int32_t anchor) {
  if (!image.isNull()) GameLib::graphics->drawImageOpaque(image, x, y, anchor);
}

DStringPtr scoreLine() { return (TextTable::getString(u"score") + u" ") + player->score; }

}  // namespace

void BurrowGame::paint() {
  switch (gameState) {
    case PLAY:
      paintScene();
      break;
    case MENU:
    case LEVEL_SELECT:
    case HIGH_SCORES:
    case PAUSE_MENU:
    case HELP:
    case KEY_SETUP:
      menuFlow->paint();
      break;
    case GAME_OVER:
      paintCaption(TextTable::getString(endCaption));
      break;
    case LEVEL_INTRO:
      paintLevelIntro();
      break;
    default:
      break;
  }
}

void BurrowGame::paintCaption(DStringPtr text) {
  clearScreen();
  ImageFontPtr font = GameLib::font(GameLib::FONT_HUD1);
  const int32_t x = GameLib::screenWidth / 2, y = captionTop();
  font->drawStringOnScreen(text, x, y, DGraphics::TOP_CENTRE);
  font->drawStringOnScreen(scoreLine(), x, y + font->getHeight() + kLineGap, DGraphics::TOP_CENTRE);
}

void BurrowGame::paintLevelIntro() {
  paintCaption((TextTable::getString(u"level") + u" ") + levelNumber);
  // One hero per life left.
  const GameImagePtr icon = (*heroRightAnim->frames)[0];
  const int32_t lives = player->lives;
  if (icon.isNull() || lives <= 0) return;
  const int32_t h = GameLib::font(GameLib::FONT_HUD1)->getHeight(), spacing = icon->w + kIconGap;
  const int32_t top = captionTop() + 2 * h + 2 * kLineGap;
  int32_t x = (GameLib::screenWidth - spacing * lives) / 2;
  for (int32_t i = 0; i < lives; ++i, x += spacing) icon->paint(x, top);
}

void BurrowGame::paintScene() {
  if (stepDelay > 0) return;
  if (fieldDirty) {
    Level::paintAll();
    dirtyCount = 0;
    fieldDirty = false;
  } else {
    Level::paintDirty();
  }
  for (int32_t i = 0; i < maxMonsters; ++i) (*monsters)[i]->update();
  player->paint();
  firebolt->paint();

  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  if (scrollX > 0) {
    drawOpaque(panelLImage, scrollX, h / 2, DGraphics::CENTRE_RIGHT);
    drawOpaque(panelRImage, w - scrollX, h / 2, DGraphics::CENTRE_LEFT);
  }
  drawOpaque(panelTop2Image, w / 2, 0, DGraphics::TOP_CENTRE);
  drawOpaque(panelBottom2Image, w / 2, h, DGraphics::BOTTOM_CENTRE);
  drawOpaque(panelTopImage, w / 2, scrollY, DGraphics::BOTTOM_CENTRE);
  const int32_t bottomLeftWidth = panelBottomLImage.isNull() ? 0 : panelBottomLImage->getWidth();
  drawOpaque(panelBottomCImage, bottomLeftWidth, h - scrollY, DGraphics::TOP_LEFT);
  drawOpaque(panelBottomLImage, 0, h - scrollY, DGraphics::TOP_LEFT);
  drawOpaque(panelBottomRImage, w, h - scrollY, DGraphics::TOP_RIGHT);
  if (!pauseImage.isNull()) {
    GameLib::graphics->drawImage(pauseImage, kPauseLeft, h - scrollY / 2, DGraphics::CENTRE_LEFT);
  }
  paintBottomPanel();
}

void BurrowGame::paintBottomPanel() {
  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  ImageFontPtr digits = GameLib::font(GameLib::FONT_NUM0), letters = GameLib::font(GameLib::FONT_HUD0);
  const int32_t y = h - digits->getHeight() / 2 - scrollY / 2;
  digits->drawStringOnScreen(nuv::lang::DInteger::toString(player->score), w - kScoreRight, y, DGraphics::TOP_RIGHT);
  int32_t x = panelBottomLImage.isNull() ? 0 : panelBottomLImage->getWidth();
  if (!lifeIcon.isNull()) {
    lifeIcon->paint(x, h - scrollY / 2 - lifeIcon->h / 2);
    x += lifeIcon->w + 1;
  }
  letters->drawStringOnScreen(u"x", x, y, DGraphics::TOP_LEFT);
  const int32_t lives = player->lives < 0 ? 0 : player->lives;
  digits->drawStringOnScreen(nuv::lang::DInteger::toString(lives), x + letters->stringWidth(u"x") + 2, y,
                             DGraphics::TOP_LEFT);
}

}  // namespace burrow
