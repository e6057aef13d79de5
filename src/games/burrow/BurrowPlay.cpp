// The tunnel-digging game's play step: the monsters' moves, the level's rules, the bolt, the view following
// the hero, the cells to redraw, and the player's pause, fire, keys and stylus.
#include <cstdlib>

#include "gamelib/GameApi.h"
#include "games/burrow/BurrowGame.h"

namespace burrow {

using namespace gamelib::api;

namespace {

// The pause button's box starts this far from the screen's left edge.
constexpr int32_t kPauseLeft = 2;

struct KeyMove {
  int32_t action;
  int32_t direction;
};
// Checked in this order: the first held key moves the hero.
constexpr KeyMove kKeyMoves[] = {{GameAction::Left, DIR_LEFT},
                                 {GameAction::Right, DIR_RIGHT},
                                 {GameAction::Up, DIR_UP},
                                 {GameAction::Down, DIR_DOWN}};

}  // namespace

void BurrowGame::playStep() {
  if (stepDelay > 0) {
    --stepDelay;
    return;
  }
  if (ScreenCanvas::sequenceDone) {
    ScreenCanvas::sequenceDone = false;
    const int32_t chosen = ScreenCanvas::sequenceNumber;
    // Only the levels there are.
    if (chosen >= 1 && chosen <= lastLevel) {
      levelNumber = chosen;
      if (!newLevel()) return;
    }
  }
  for (int32_t i = 0; i < maxMonsters; ++i) {
    Monster& m = *(*monsters)[i];
    m.move(0);
  }
  Level::step();
  // The last crystal started the next level or ended the game: nothing of this level moves any more.
  if (gameState != PLAY) return;
  firebolt->update();
  followHero();
  markHeroCells();

  if (MenuFlow::pauseRequested(pauseSign())) {
    menuFlow->pause();
    return;
  }
  Player& hero = *player;
  if ((ScreenCanvas::held[GameAction::Fire] || ScreenCanvas::doubleTap) && !hero.dying) {
    firebolt->fire(hero.column * cellSize, hero.row * cellSize, hero.direction);
    ScreenCanvas::held[GameAction::Fire] = false;
    ScreenCanvas::doubleTap = false;
  }
  for (const KeyMove& key : kKeyMoves) {
    if (ScreenCanvas::held[key.action]) {
      hero.move(key.direction);
      return;
    }
  }
  if (ScreenCanvas::pointerDown) steer();
}

void BurrowGame::followHero() {
  const Player& hero = *player;
  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  if (hero.x > w - scrollMarginX && hero.direction == DIR_RIGHT) scrollX = w - mapCols * cellSize;
  if (hero.x + scrollX < scrollMarginX && hero.direction == DIR_LEFT) scrollX = homeScrollX;
  if (scrollX != lastScrollX) fieldDirty = true;
  lastHeroX = hero.x;
  lastScrollX = scrollX;
  if (hero.y > h - scrollMarginY && hero.direction == DIR_DOWN) scrollY = mapRows * cellSize - h - 3;
  if (hero.y + scrollY < scrollMarginY && hero.direction == DIR_UP) scrollY = centreScrollY;
  if (scrollY != lastScrollY) fieldDirty = true;
  lastHeroY = hero.y;
  lastScrollY = scrollY;
}

void BurrowGame::markHeroCells() {
  const int32_t c = player->column, r = player->row;
  Level::markDirty(c, r);
  if (c < mapCols - 1) {
    Level::markDirty(c + 1, r);
    if (r < mapRows - 1) Level::markDirty(c + 1, r + 1);
  }
  if (c < mapCols - 2) Level::markDirty(c + 2, r);
  if (r < mapRows - 2) Level::markDirty(c, r + 2);
  if (r < mapRows - 1) Level::markDirty(c, r + 1);
}

PauseSign BurrowGame::pauseSign() {
  if (pauseImage.isNull()) return {};
  // The button rides with the bottom panel, which follows the view.
  const int32_t w = pauseImage->getWidth(), h = pauseImage->getHeight();
  const int32_t top = GameLib::screenHeight - h / 2 - scrollY / 2;
  return {kPauseLeft, top, w + kPauseLeft, top + h};
}

void BurrowGame::steer() {
  Player& hero = *player;
  const int32_t dx = ScreenCanvas::pointerX - scrollX - hero.x;
  const int32_t dy = ScreenCanvas::pointerY - scrollY - hero.y;
  const bool inRow = dy > 0 && dy<cellSize, inColumn = dx> 0 && dx < cellSize;
  if (inRow && inColumn) return;
  const int32_t horizontal = dx < 1 ? DIR_LEFT : DIR_RIGHT, vertical = dy < 1 ? DIR_UP : DIR_DOWN;
  if (inRow) {
    hero.move(horizontal);
  } else if (inColumn) {
    hero.move(vertical);
  } else {
    hero.move(std::abs(dx) <= std::abs(dy) ? vertical : horizontal);
  }
}

}  // namespace burrow
