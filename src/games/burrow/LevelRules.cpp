// The play-step rules of the tunnel map: the crystal recount, the cherry and bonus cycle, the hero's
// contacts with gold, bags, the cherry, monsters and crystals, the end of the level, and every actor's
// contact with the bags.
#include "games/burrow/BurrowGame.h"
#include "games/burrow/Level.h"

namespace burrow {

namespace {

// Move steps a digging monster stands to eat a bag.
constexpr int32_t kBagMealWait = 6;

// How far the actor reaches into the bag from one side: 0 up to the cell size as their edges overlap.
int32_t overlap(int32_t p, int32_t q) { return cellSize - p + q; }

// The actor is within half a cell of that side of the bag.
bool near(int32_t p, int32_t q) {
  const int32_t o = overlap(p, q);
  return o >= 0 && o < cellSize / 2;
}

bool touchesInner(int32_t x, int32_t y, int32_t bx, int32_t by) {
  const int32_t cs = cellSize, inner = cellSize - moveStep;
  return intersects(x, y, bx + 1, by + 1, cs, cs, inner, inner);
}

}  // namespace

void Level::step() {
  if (--crystalRecountSteps == 0) {
    countCrystals();
    crystalRecountSteps = crystalRecountDelay;
  }
  if (--bonusSteps == 0) {
    if (bonusActive) {
      bonusActive = false;
      bonusSteps = bonusDelay;
    } else if (cherryShown) {
      cherryShown = false;
      bonusSteps = bonusDelay;
      // The cherry's cell is drawn again without it.
      markDirty(mapCols - 1, 0);
    } else {
      cherryShown = true;
      bonusSteps = cherrySteps;
    }
  }
  heroContacts();
  updateBags();
}

void Level::eatCrystal(int32_t column, int32_t row, bool byHero) {
  if (!insideMap(column, row)) return;
  int16_t& cell = (*mapCells)[row * mapCols + column];
  if ((cell & CELL_CONTENT) != CELL_CRYSTAL) return;
  cell = static_cast<int16_t>((cell & ~CELL_CONTENT) | CELL_EATEN);
  --crystalsLeft;
  if (!byHero) return;
  player->addCrystalScore();
  playSound(SOUND_EAT);
}

void Level::heroContacts() {
  Player& hero = *player;
  if (hero.dying) return;
  const int32_t cs = cellSize, step = moveStep;
  touchBags(hero.x, hero.y, DIR_NONE, HERO);

  if (cherryShown && touchesInner(hero.x, hero.y, (mapCols - 1) * cs, 0)) {
    bonusSteps = bonusDuration;
    cherryShown = false;
    bonusActive = true;
    hero.addCherryScore();
    monstersEaten = 0;
    playSound(SOUND_EAT);
  }

  for (int32_t i = 0; i < maxMonsters; ++i) {
    Monster& m = *(*monsters)[i];
    if (!m.active || !touchesInner(hero.x, hero.y, m.x, m.y)) continue;
    if (!bonusActive) {
      hero.kill();
      continue;
    }
    m.kill();
    hero.addMonsterScore(monstersEaten + 1);
    ++monstersEaten;
    playSound(SOUND_EAT);
  }

  eatCrystal(hero.column, hero.row, true);
  if (hero.column < mapCols - 1 && hero.offsetX >= step) eatCrystal(hero.column + 1, hero.row, true);
  if (hero.row < mapRows - 1 && hero.offsetY >= step) eatCrystal(hero.column, hero.row + 1, true);

  for (int32_t i = 0; i < maxMonsters; ++i) {
    const Monster& m = *(*monsters)[i];
    if (m.column < mapCols - 1 && m.offsetX > step) eatCrystal(m.column + 1, m.row, false);
    if (m.row < mapRows - 1 && m.offsetY > step) eatCrystal(m.column, m.row + 1, false);
  }

  if (crystalsLeft <= 0) {
    for (int32_t i = 0; i < maxMonsters; ++i) (*monsters)[i]->active = false;
    hero.resetPosition();
    nextLevel();
  }
}

int32_t Level::touchBags(int32_t x, int32_t y, int32_t d, int32_t actor) {
  const int32_t cs = cellSize, step = moveStep;
  const bool hero = actor == HERO;
  for (int32_t i = 0; i < maxBags; ++i) {
    Bag& bag = *(*bags)[i];
    if (!bag.active) continue;
    const int32_t bx = bag.x, by = bag.y;

    if (bag.gold && touchesInner(x, y, bx, by)) {
      bag.active = false;
      bag.gold = false;
      markDirty(bag.column, bag.row);
      if (hero) {
        player->addGoldScore();
        playSound(SOUND_EAT);
      }
      continue;
    }

    const int32_t half = step / 2, inner = cs - step;
    if (bag.falling && by < y && intersects(x, y, bx + half, by + half, cs, cs, inner, inner)) {
      if (hero) {
        player->kill();
      } else {
        playSound(SOUND_CRUSH);
        (*monsters)[actor - 1]->kill();
        player->addBagScore();
      }
      return DIR_NONE;
    }

    if (!hero && (*monsters)[actor - 1]->digging && touchesInner(x, y, bx, by)) {
      (*monsters)[actor - 1]->waitSteps += kBagMealWait;
      bag.active = false;
      markDirty(bag.column, bag.row);
      return DIR_NONE;
    }

    const bool resting = !bag.wobbling && !bag.falling && !bag.breaking && !bag.gold;
    const bool heldFromBelow = hero && d == DIR_UP && bag.wobbling && !bag.falling;
    if (!resting && !heldFromBelow) continue;

    if (d == DIR_UP || d == DIR_DOWN) {
      if (!intersects(x, y, bx + 1, by, cs, cs, inner, cs)) continue;
      if (near(by, y)) return DIR_DOWN;
      if (near(y, by)) return DIR_UP;
      if (near(bx, x)) return DIR_RIGHT;
      if (near(x, bx)) return DIR_LEFT;
      continue;
    }
    if (!intersects(x, y, bx, by + 1, cs, cs, cs, inner)) continue;
    if (near(by, y)) return DIR_DOWN;
    if (near(y, by)) return DIR_UP;
    // A monster cannot push a bag the hero is touching.
    const bool heroHolds = !hero && touchesInner(player->x, player->y, bx, by);
    for (int32_t side : {DIR_RIGHT, DIR_LEFT}) {
      if (!(side == DIR_RIGHT ? near(bx, x) : near(x, bx))) continue;
      if (d == side && !heroHolds) {
        bag.pushDirection = side;
        bag.pusher = actor;
      }
      return side;
    }
  }
  return DIR_NONE;
}

void Level::resetAfterDeath() {
  bonusSteps = bonusDelay;
  crystalRecountSteps = crystalRecountDelay;
  cherryShown = false;
  bonusActive = false;
  for (int32_t i = 0; i < maxMonsters; ++i) (*monsters)[i]->reset();
  fieldDirty = true;
}

}  // namespace burrow
