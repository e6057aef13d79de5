// Painting of the brick-and-paddle game by state: the loading screen, the menus, the play screen with its
// heads-up display and particles, the round intro, game-over and game-complete texts, the key set-up.
#include "gamelib/GameApi.h"
#include "games/bounce/Bounce.h"

namespace bounce {

using namespace gamelib::api;

namespace {

constexpr int32_t kLoadingGround = 0x721112;
// The particles fade over this many steps.
constexpr int32_t kFadeSteps = 50;
constexpr int32_t kFullBright = 255;
// The life icon's lower edge sits this far below the heads-up row.
constexpr int32_t kLifeIconDrop = 12;
constexpr int32_t kMessageGap = 3;

struct DebrisColour {
  int32_t red;
  int32_t green;
  int32_t blue;
};

// Debris colour by brick kind; kinds without one (the regenerating and indestructible bricks) leave no
// visible debris.
bool debrisColour(int32_t variant, DebrisColour& out) {
  switch (variant) {
    case 1:
    case 2:
      out = {255, 58, 178};
      return true;
    case 4:
      out = {73, 189, 255};
      return true;
    case 6:
      out = {235, 74, 6};
      return true;
    case 7:
      out = {68, 255, 15};
      return true;
    case 8:
      out = {255, 88, 230};
      return true;
    case 9:
      out = {255, 255, 255};
      return true;
    default:
      return false;
  }
}

}  // namespace

void Bounce::paint() {
  switch (gameState) {
    case STATE_LOADING:
      paintLoading();
      break;
    case STATE_MENU:
    case STATE_HELP:
    case STATE_ROUND_CHOOSER:
    case STATE_HIGH_SCORES:
    case STATE_KEY_SETUP:
      menuFlow->paint();
      break;
    case STATE_PLAYING:
      paintPlay();
      break;
    case STATE_GAME_COMPLETE:
    case STATE_ROUND_INTRO:
      paintMessage();
      break;
    case STATE_ROUND_CLEARED:
      // The last play frame stays, unless bricks still on their way out keep the field moving.
      if (fieldSettling_) paintPlay();
      break;
    default:
      break;
  }
}

void Bounce::paintLoading() {
  DGraphics& g = *GameLib::graphics;
  g.setColor(kLoadingGround);
  g.fillRect(0, 0, GameLib::screenWidth, GameLib::screenHeight);
  if (!splashImage.isNull()) {
    GameImage::graphics->drawImage(splashImage, GameLib::screenWidth >> 1, GameLib::screenHeight >> 1,
                                   DGraphics::CENTRE);
  }
  if (loadingBarShown_) {
    // Drawn again at the percentage it has reached.
    GameMenu::progressPercent -= GameMenu::progressStep;
    GameMenu::advanceProgress();
  }
}

void Bounce::paintPlay() {
  const int32_t w = GameLib::screenWidth;
  DGraphics& g = *GameLib::graphics;
  g.fillRect(0, 0, w, GameLib::screenHeight);
  GameImage::graphics->drawImageOpaque(brickList->picture, 0, 0, 0);
  brickList->forEachBrick();
  platform->paint();

  int32_t carriers = 0;
  int32_t lastCarrier = 0;
  for (int32_t e = 0; e < enemySlots; ++e) {
    Enemy& enemy = *(*enemies)[e];
    enemy.paint();
    if (!enemy.carriedBall.isNull()) {
      ++carriers;
      lastCarrier = e;
    }
  }
  int32_t visible = 0;
  for (int32_t s = 0; s < ballSlots; ++s) {
    Ball& ball = *(*balls)[s];
    ball.paint();
    if (ball.visible) ++visible;
  }
  if (visible == carriers) rescueBall(lastCarrier);

  paintHud();
  paintParticles();
  if (!GameMenu::pauseImage.isNull()) {
    g.drawImageOpaque(GameMenu::pauseImage, w, 0, DGraphics::TOP_RIGHT);
  }
}

void Bounce::rescueBall(int32_t lastCarrier) {
  for (int32_t s = 0; s < ballSlots; ++s) {
    Ball& ball = *(*balls)[s];
    if (!ball.inPlay || !ball.released) continue;
    ball.released = false;
    ball.visible = true;
    ball.inPlay = true;
    ball.radius = (*balls)[lastCarrier]->radius;
    ball.reset(platform->x + ball.radius, platform->top - 1);
    return;
  }
}

void Bounce::paintHud() {
  const int32_t left = fieldLeft;
  const int32_t row = brickList->top;
  int32_t iconWidth = 0;
  if (!lifeIcon.isNull()) {
    iconWidth = lifeIcon->w;
    lifeIcon->paint(left + 1, row - lifeIcon->h + kLifeIconDrop);
  }
  ImageFontPtr times = GameLib::font(GameLib::FONT_NUM1);
  ImageFontPtr numbers = GameLib::font(GameLib::FONT_HUD1);
  times->drawStringOnScreen(u"x", iconWidth + left + 2, row, 0);
  numbers->drawStringOnScreen(DStringPtr(u"") + lives, iconWidth + left + times->stringWidth(u"x") + 2, row, 0);
  // Right-aligned, clear of the pause icon in the corner.
  int32_t margin = left;
  if (!GameMenu::pauseImage.isNull() && margin < GameMenu::pauseImage->getWidth() + 2) {
    margin = GameMenu::pauseImage->getWidth() + 2;
  }
  numbers->drawStringOnScreen(DStringPtr(u"") + brickList->score, GameLib::screenWidth - margin, row,
                              DGraphics::TOP_RIGHT);
}

void Bounce::paintParticles() {
  if (particles.isNull()) return;
  DGraphics& g = *GameLib::graphics;
  DintArray2d& records = *particles;
  for (int32_t i = 0; i < records.length; ++i) {
    const int32_t* p = records[i]->data();
    int32_t type = p[PARTICLE_TYPE];
    if (type == 0) continue;
    // The integer part is the upper half, read as a signed 16-bit value.
    int32_t x = static_cast<int16_t>(static_cast<uint32_t>(p[PARTICLE_X]) >> 16);
    int32_t y = static_cast<int16_t>(static_cast<uint32_t>(p[PARTICLE_Y]) >> 16);
    int32_t fade = kFadeSteps - p[PARTICLE_AGE];
    int32_t k = fade * kFullBright / kFadeSteps;
    DebrisColour c{};
    switch (type) {
      case PARTICLE_SMALL_SPARK:
        g.setColorRGB(k, k, 0);
        g.drawLine(x, y, x, y);
        break;
      case PARTICLE_SPARK:
        g.setColorRGB(k, k, k);
        g.drawLine(x, y, x, y);
        break;
      case PARTICLE_DEBRIS:
        if (!debrisColour(p[PARTICLE_VARIANT], c)) break;
        g.setColorRGB(c.red * fade / kFadeSteps, c.green * fade / kFadeSteps, c.blue * fade / kFadeSteps);
        g.fillRect(x, y, 1, 1);
        break;
      default:
        break;
    }
  }
}

void Bounce::paintMessage() {
  const int32_t w = GameLib::screenWidth;
  if (!brickList->backImage.isNull()) {
    GameLib::graphics->drawImageOpaque(brickList->backImage, w >> 1, 0, DGraphics::TOP_CENTRE);
  }
  ImageFontPtr text = GameLib::font(GameLib::FONT_HUD0);
  int32_t h = text->getHeight();
  int32_t y = (GameLib::screenHeight >> 1) - 2 * h - kMessageGap;
  DStringPtr first;
  if (gameState == STATE_GAME_COMPLETE) {
    first = TextTable::getString(u"gamecomplete");
  } else if (lives < 1) {
    first = TextTable::getString(u"gameover");
  } else {
    first = TextTable::getString(u"level") + u" " + round;
  }
  const int32_t anchor = DGraphics::TOP_CENTRE;
  text->drawStringOnScreen(first, w >> 1, y, anchor);
  text->drawStringOnScreen(TextTable::getString(u"score") + u" " + brickList->score, w >> 1, y + h + kMessageGap,
                           anchor);
}

}  // namespace bounce
