// The tunnel map: its level files and their decoding into cell words, the start of a level and the step to
// the next (Level.cpp); digging, passability, the cells to redraw and their painting (LevelMap.cpp); the
// play-step rules of the cherry, the bonus and every contact of hero, monsters, bags and crystals
// (LevelRules.cpp). All of it works on the game's globals; the object itself only marks that a map exists.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"

namespace burrow {

class Level;
using LevelPtr = nuv::lang::DPtr<Level>;

class Level : public nuv::lang::DObject {
 public:
  // Who asks touchBags: the hero, or the monster numbered 1 to 6.
  static constexpr int32_t HERO = 255;

  Level();
  const char* getClassName() const override { return "Level"; }

  // --- Level files (Level.cpp) ---
  // The map's tiles, its arrays and counters, once per visit of the game screen.
  static void setup();
  // "/data/bur/data/" + file + ".txt" of the file holding the level.
  static nuv::lang::DStringPtr fileName(int32_t level);
  // 0 when the eight grids were read and decoded; -1 when the file is missing. A short file is damage
  // (ResourceDamage); nothing of it is decoded.
  static int32_t load(nuv::lang::DStringPtr path);
  // levelChars into levelCells and crystalsPerLevel.
  static void decode();
  // Level n of the decoded file into the live map: counters, bags, monsters and the earth set's tiles.
  static void startLevel(int32_t n);
  // The level in play is cleared: on to the next, or the game is complete after the last.
  static void nextLevel();
  static void updateMonsterLimit();
  static void releaseImages();

  // --- The live map (LevelMap.cpp) ---
  // The tunnel fifth a mover's leading edge uncovers at that offset of the cell going that way.
  static void carve(int32_t column, int32_t row, int32_t offsetX, int32_t offsetY, int32_t direction);
  // A tunnel leads from the cell into its neighbour on that side.
  static bool canGoDown(int32_t column, int32_t row);
  static bool canGoUp(int32_t column, int32_t row);
  static bool canGoLeft(int32_t column, int32_t row);
  static bool canGoRight(int32_t column, int32_t row);
  // The cell word; 0 (plain earth) outside the field.
  static int32_t cellAt(int32_t column, int32_t row);
  static bool insideMap(int32_t column, int32_t row);
  // An active bag stands in the cell.
  static bool bagAt(int32_t column, int32_t row);
  // Some bag slot of that column is falling.
  static bool bagFallingInColumn(int32_t column);
  // Crystals left in the map, stored in crystalsLeft.
  static int32_t countCrystals();
  // The cell is redrawn at the next paint; past the list's size the whole field is.
  static void markDirty(int32_t column, int32_t row);
  // One cell word's tiles with the top-left corner at screen (x, y).
  static void paintCell(int32_t word, int32_t x, int32_t y);
  static void paintDirty();
  static void paintAll();
  static void paintBags(bool drawIdle);
  static void updateBags();

  // --- Play-step rules (LevelRules.cpp) ---
  // Timers, the hero's contacts, the end of the level, the bags.
  static void step();
  static void heroContacts();
  // The direction (1 to 4) in which a bag blocks an actor of box (x, y) moving in direction d, else 0; may
  // collect gold, crush the actor or start a push.
  static int32_t touchBags(int32_t x, int32_t y, int32_t d, int32_t actor);
  static void resetAfterDeath();

 private:
  static void paintCherry();
  static void eatCrystal(int32_t column, int32_t row, bool byHero);
};

}  // namespace burrow
