// Painting of the alien-formation game by state: the menu, the play field (scrolling picture, stars, planet,
// ship, shots, aliens and the heads-up row), the wave intro, the lost game and the key set-up.
#include "gamelib/GameApi.h"
#include "games/swarm/Swarm.h"

namespace swarm {

using namespace gamelib::api;

namespace {

constexpr int32_t kBlack = 0x000000;
// Pixels between the lines of the wave intro and the lost game, and between the ships of the intro.
constexpr int32_t kLineGap = 3;
constexpr int32_t kShipGap = 3;
// The score stands this far right of the pause picture.
constexpr int32_t kScoreGap = 2;

int32_t integerPart(int32_t fixed) { return fixed >> 16; }

void fillScreen(int32_t colour) {
  DGraphics& g = *GameLib::graphics;
  g.setColor(colour);
  g.fillRect(0, 0, GameLib::screenWidth, GameLib::screenHeight);
}

DStringPtr labelled(const char16_t* key, int32_t value) { return (TextTable::getString(key) + u" ") + value; }

// The top line of the two or three text lines shown in the middle of the screen.
int32_t messageTop(int32_t fontHeight) { return GameLib::screenHeight / 2 - 2 * fontHeight - kLineGap; }

}  // namespace

void Swarm::paint() {
  switch (gameState) {
    case STATE_MENU:
    case STATE_KEY_SETUP:
      menuFlow->paint();
      break;
    case STATE_PLAY:
    case STATE_LAST_SHIP_LOST:
    case STATE_WAVE_CLEARED:
      paintPlay();
      break;
    case STATE_WAVE_INTRO:
      paintWaveIntro();
      break;
    case STATE_GAME_OVER:
      paintGameOver();
      break;
    default:
      break;
  }
}

void Swarm::paintPlay() {
  DGraphics& g = *GameLib::graphics;
  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  if (backgroundImage.isNull()) {
    fillScreen(kBlack);
  } else {
    const int32_t pw = backgroundImage->getWidth(), ph = backgroundImage->getHeight();
    for (int32_t y = -(integerPart(backgroundScroll) % ph); y < h; y += ph) {
      for (int32_t x = 0; x < w; x += pw) g.drawImageOpaque(backgroundImage, x, y, DGraphics::TOP_LEFT);
    }
  }

  for (int32_t i = 0; i < stars->length; ++i) {
    if (i % starsPerLayer == 0) g.setColor((*starColours)[i / starsPerLayer]);
    const DintArray& star = *(*stars)[i];
    const int32_t x = integerPart(star[0]), y = integerPart(star[1]);
    g.drawLine(x, y, x, y);
  }
  if (planetDelay < 1) (*planetImages)[planetIndex]->paint(integerPart(planetX), integerPart(planetY));

  if (!shipExploding) {
    shipImage->paint(shipX - shipHalfWidth, shipY);
    shipAnimation->paint(shipX - (*shipAnimation->frames)[0]->w / 2, shipY + shipHeight);
  } else if (!shipExplosionDone) {
    const GameImage& frame = *(*shipExplosion->frames)[shipExplosion->currentFrame];
    shipExplosion->paint(shipX - frame.w / 2, shipY - frame.h / 2);
    shipExplosionDone = shipExplosion->finished;
  }

  const DintArray& shot = *playerShot;
  if (shot[0] == NONE && reloadTimer < 1 && !shipExploding) {
    bulletImage->paint(shipX - bulletImage->w / 2, shipY - bulletImage->h);
  }
  for (int32_t i = 0; i < enemyShots->length; ++i) {
    const DintArray& bullet = *(*enemyShots)[i];
    if (bullet[0] != NONE) bulletImage->paint(bullet[0] - bulletImage->w / 2, bullet[1]);
  }
  if (shot[0] != NONE) {
    const GameImage& frame = *(*shotAnimation->frames)[shotAnimation->currentFrame];
    shotAnimation->paint(shot[0] - frame.w / 2, shot[1]);
  }
  for (int32_t i = 0; i < allAliens->length; ++i) (*allAliens)[i]->paint();
  paintHud();
}

void Swarm::paintHud() {
  const int32_t w = GameLib::screenWidth;
  const auto& pause = GameMenu::pauseImage;
  const int32_t scoreX = pause.isNull() ? 0 : pause->getWidth() + kScoreGap;
  GameLib::font(GameLib::FONT_NUM0)->drawStringOnScreen(DStringPtr(u"") + score, scoreX, 0, DGraphics::TOP_LEFT);
  for (int32_t i = 1; i <= level; ++i) levelImage->paint(w - i * levelImage->w, 0);
  for (int32_t i = 1; i <= lives; ++i) lifeImage->paint(w - i * lifeImage->w, levelImage->h);
  if (!pause.isNull()) GameLib::graphics->drawImageOpaque(pause, 0, 0, DGraphics::TOP_LEFT);
}

void Swarm::paintWaveIntro() {
  fillScreen(kBlack);
  ImageFontPtr font = GameLib::font(GameLib::FONT_HUD1);
  const int32_t fh = font->getHeight(), w = GameLib::screenWidth, y = messageTop(fh);
  font->drawStringOnScreen(labelled(u"level", level), w / 2, y, DGraphics::TOP_CENTRE);
  font->drawStringOnScreen(labelled(u"score", score), w / 2, y + fh + kLineGap, DGraphics::TOP_CENTRE);
  const int32_t step = shipWidth + kShipGap;
  for (int32_t i = 0; i < lives; ++i) shipImage->paint(step * i + (w - step * lives) / 2, y + 2 * fh + 2 * kLineGap);
}

void Swarm::paintGameOver() {
  fillScreen(kBlack);
  // The picture of the lost game, under its texts.
  if (!backgroundImage.isNull()) {
    GameLib::graphics->drawImageOpaque(backgroundImage, GameLib::screenWidth / 2, GameLib::screenHeight / 2,
                                       DGraphics::CENTRE);
  }
  ImageFontPtr font = GameLib::font(GameLib::FONT_HUD1);
  const int32_t fh = font->getHeight(), w = GameLib::screenWidth, y = messageTop(fh);
  font->drawStringOnScreen(TextTable::getString(u"gameover"), w / 2, y, DGraphics::TOP_CENTRE);
  font->drawStringOnScreen(labelled(u"score", score), w / 2, y + fh + kLineGap, DGraphics::TOP_CENTRE);
}

}  // namespace swarm
