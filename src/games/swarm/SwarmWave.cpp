// The set-up of a wave: its difficulty, the formation's places and looks, the level picture, the stars and
// the planet; after the last level the game ends.
#include "gamelib/GameLib.h"
#include "gamelib/SoundManager.h"
#include "games/swarm/Swarm.h"

namespace swarm {

using gamelib::GameLib;

namespace {

constexpr int32_t kFixedOne = 65536;
// Gaps between the formation's cells, across and down.
constexpr int32_t kGapAcross = 10;
constexpr int32_t kGapDown = 4;
// The bottom row lies this many cell heights (with their gaps) down, and a little more.
constexpr int32_t kBottomRowCells = 5;
constexpr int32_t kBottomRowExtra = 4;
// Difficulty by level.
constexpr int64_t kDiveDelay = 300;
constexpr int64_t kDiveDelayPerLevel = 8;
constexpr int32_t kShotsPerDive = 2;

void placeRow(int32_t r, int32_t y) {
  const int32_t cellW = formationCellWidth, step = kGapAcross + cellW, s = screenWidth;
  AlienShipArray& line = *(*formation)[r];
  const int32_t n = line.length;
  for (int32_t c = 0; c < n; ++c) {
    int32_t x = 0;
    if (r == 0) {
      // The two aliens of the top row stand off the middle, one a little to the left, one further right.
      x = c == 1 ? (s - 2 * cellW) / 2 : s / 2 + step * (*formation)[1]->length / 4;
    } else if (c >= n / 2) {
      x = (s + kGapAcross + cellW) / 2 + (c - n / 2) * step;
    } else {
      x = s / 2 - kGapAcross / 2 - cellW / 2 - (n / 2 - 1 - c) * step;
    }
    AlienShip& alien = *line[c];
    alien.x = alien.homeX = x;
    alien.y = alien.homeY = y;
    // The side follows the column's half of the row, not where the alien stands: the top row's two
    // aliens stand the other way round, so they climb out towards each other.
    alien.side = c >= n / 2 ? AlienShip::SIDE_RIGHT : AlienShip::SIDE_LEFT;
  }
}

}  // namespace

void Swarm::placeFormation() {
  const int32_t rows = formation->length;
  int32_t y = (kGapDown + formationCellHeight) * kBottomRowCells + kBottomRowExtra;
  for (int32_t r = rows - 1; r >= 0; --r) {
    placeRow(r, y);
    y -= formationCellWidth + kGapDown;
  }
  swayLimit = screenWidth;
  for (int32_t i = 0; i < allAliens->length; ++i) {
    const AlienShip& alien = *(*allAliens)[i];
    if (alien.side == AlienShip::SIDE_LEFT && alien.x - alienWidth < swayLimit) swayLimit = alien.x - alienWidth;
  }
}

void Swarm::setupWave() {
  playSound(SOUND_LEVEL_BEGIN);
  if (level == 1) {
    lives = kStartLives;
    score = 0;
  }
  if (level > lastLevel) {
    endGame();
    return;
  }
  diveDelayRange = diveDelayBase = kDiveDelay - kDiveDelayPerLevel * level;
  maxDivers = level / 2 + 1;
  alienShotsPerDive = level / 4 + kShotsPerDive;
  diveTimer = 0;

  shipExploding = false;
  shipExplosionDone = false;
  gameState = STATE_WAVE_INTRO;
  stateTimer = WAVE_INTRO_TIME;
  shipAnimation->restart();

  for (int32_t i = 0; i < enemyShots->length; ++i) (*enemyShots)[i][0] = NONE;
  (*playerShot)[0] = NONE;
  for (int32_t r = 0; r < rowAlive->length; ++r) (*rowAlive)[r] = 0;
  // The rows' kinds move on by one with every level.
  for (int32_t i = 0; i < allAliens->length; ++i) {
    AlienShip& alien = *(*allAliens)[i];
    const int32_t kind = (level - alien.row - 2) & (data::kAlienKinds - 1);
    alien.state = AlienShip::STATE_FORMATION;
    alien.images = (*alienImages)[kind];
    alien.setAnimations((*alienAnimations)[kind], alienExplosion);
    (*rowAlive)[alien.row] += 1;
  }
  aliensLeft = allAliens->length;
  placeFormation();

  const int32_t picture = (level - 1) % data::kLevelPictures + 1;
  backgroundImage = GameLib::loadImage(nuv::lang::DStringPtr(data::kLevelPicturePrefix) + picture);
  backgroundScroll = 0;

  for (int32_t i = stars->length - 1; i >= 0; --i) {
    nuv::lang::DintArray& star = *(*stars)[i];
    star[0] = randomBelow(screenWidth) * kFixedOne;
    star[1] = randomBelow(screenHeight) * kFixedOne;
  }
  planetIndex = 0;
  planetX = randomBelow(screenWidth) * kFixedOne;
  planetDelay = 0;
  planetY = -(*planetImages)[0]->h * kFixedOne;
}

}  // namespace swarm
