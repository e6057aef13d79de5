// Drawing the river-flying shooter by state: the menus, the play view (river, entities, plane, shots,
// panels, lives, fuel gauge and score), the get-ready, game-over and game-complete screens, the key set-up.
#include "gamelib/GameApi.h"
#include "games/canyon/CanyonGame.h"

namespace canyon {

using namespace gamelib::api;

namespace {

constexpr int32_t kBlack = 0x000000;
constexpr int32_t kTextGap = 3;
constexpr int32_t kLifeGap = 3;
// The indicator's lowest row sits this far below the barrel's top, past the indicator's own height.
constexpr int32_t kGaugeInset = 3;
// The plane blinks while it cannot be hit: this many steps shown, as many hidden.
constexpr int32_t kBlinkSteps = 7;
constexpr int32_t kScoreMargin = 2;

void fillBlack(DGraphics& g) {
  g.setColor(kBlack);
  g.setClip(0, 0, GameLib::screenWidth, GameLib::screenHeight);
  g.fillRect(0, 0, GameLib::screenWidth, GameLib::screenHeight);
}

}  // namespace

void CanyonGame::paint() {
  DGraphics& g = *GameLib::graphics;
  switch (gameState) {
    case STATE_MENU:
    case STATE_KEY_SETUP:
      menuFlow->paint();
      break;
    case STATE_PLAYING:
    case STATE_LEVEL_END:
      paintPlay(g);
      break;
    case STATE_GAME_OVER:
      if (!gameOverPicture.isNull()) {
        g.drawImage(gameOverPicture, GameLib::screenWidth / 2, 0, DGraphics::HCENTER);
      } else {
        paintText(g, TextTable::getString(u"gameover"));
      }
      break;
    case STATE_GAME_COMPLETE:
      paintText(g, TextTable::getString(u"gamecomplete"));
      break;
    case STATE_GET_READY:
      paintGetReady(g);
      break;
    default:
      break;
  }
}

void CanyonGame::paintPlay(DGraphics& g) {
  fillBlack(g);
  showRiver(g);
  paintEntities();
  paintPlane();
  g.setClip(0, 0, GameLib::screenWidth, GameLib::screenHeight);
  if (!panelLeft.isNull()) g.drawImageOpaque(panelLeft, riverX, 0, DGraphics::TOP_RIGHT);
  if (!panelRight.isNull()) g.drawImageOpaque(panelRight, riverX + riverWidth, 0, DGraphics::TOP_LEFT);
  if (!pausePicture.isNull()) g.drawImage(pausePicture, 0, 0, DGraphics::TOP_LEFT);
  paintHud();
}

void CanyonGame::paintEntities() {
  if (entities.isNull()) return;
  const EntityArray& list = *entities;
  const int32_t below = viewTop - viewHeight;
  // The ground (bridges and depots) first, everything else over it.
  for (int32_t layer = 0; layer <= 1; ++layer) {
    for (int32_t i = firstIndex; i < list.length; ++i) {
      Entity& entity = *list[i];
      if (entity.layer != layer) continue;
      if (entity.y - entity.height >= viewTop) break;
      if (entity.y > below) entity.paint(riverX);
    }
  }
}

void CanyonGame::paintPlane() {
  const int32_t x = planeX + riverX, y = viewTop - planeY;
  if (planeState != PLANE_FLYING) {
    airExplosion->paint(x, y);
    return;
  }
  if (!invulnerable || (invulnerableCounter / kBlinkSteps) % 2 == 0) {
    const bool* held = ScreenCanvas::held;
    AnimationPtr banking = held[GameAction::Left] ? bankLeft : held[GameAction::Right] ? bankRight : nullptr;
    if (banking.isNull()) {
      planeImage->paint(x, y);
    } else {
      banking->paint(x, y);
      if (banking->currentFrame == banking->frames->length - 1) banking->running = false;
    }
  }
  for (int32_t i = 0; i < shots->length; ++i) {
    const Bullet& shot = *(*shots)[i];
    if (shot.state == Bullet::STATE_FLYING) shotImage->paint(shot.x + riverX, viewTop - shot.y);
  }
}

void CanyonGame::paintHud() {
  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  if (!lifeIcon.isNull()) {
    const int32_t iw = lifeIcon->w, ih = lifeIcon->h;
    if (lives >= 3) lifeIcon->paint(w - iw / 2 - iw - 1, h - 2 * ih);
    if (lives > 1) lifeIcon->paint(w - 2 * iw - 2, h - ih);
    if (lives > 0) lifeIcon->paint(w - iw, h - ih);
  }
  if (!barrelImage.isNull()) {
    barrelImage->paint(0, h - barrelImage->h);
    if (fuel > 0 && !indicatorImage.isNull()) {
      const int32_t full = indicatorImage->h;
      const int32_t shown = fuel * full / kFullFuel;
      // Only the indicator's top rows, standing on its lowest row: the gauge empties from the top.
      indicatorImage->h = shown;
      indicatorImage->paint((barrelImage->w - indicatorImage->w) / 2, h - barrelImage->h - shown + full + kGaugeInset);
      indicatorImage->h = full;
    }
  }
  GameLib::font(GameLib::FONT_NUM1)
      ->drawStringOnScreen(DStringPtr(u"") + score, w - kScoreMargin, kScoreMargin, DGraphics::TOP_RIGHT);
}

void CanyonGame::paintText(DGraphics& g, DStringPtr first) {
  fillBlack(g);
  ImageFontPtr font = GameLib::font(GameLib::FONT_HUD1);
  const int32_t w = GameLib::screenWidth, fh = font->getHeight();
  const int32_t y = GameLib::screenHeight / 2 - 2 * fh - kTextGap;
  const int32_t anchor = DGraphics::TOP_CENTRE;
  font->drawStringOnScreen(first, w / 2, y, anchor);
  font->drawStringOnScreen(TextTable::getString(u"score") + u" " + score, w / 2, y + fh + kTextGap, anchor);
}

void CanyonGame::paintGetReady(DGraphics& g) {
  paintText(g, TextTable::getString(u"level") + u" " + (levelIndex + 1));
  if (lifeIcon.isNull()) return;
  ImageFontPtr font = GameLib::font(GameLib::FONT_HUD1);
  const int32_t fh = font->getHeight();
  const int32_t y = GameLib::screenHeight / 2 - 2 * fh - kTextGap + 2 * (fh + kTextGap);
  const int32_t step = lifeIcon->w + kLifeGap;
  for (int32_t i = 0; i < lives; ++i) lifeIcon->paint((GameLib::screenWidth - step * lives) / 2 + step * i, y);
}

}  // namespace canyon
