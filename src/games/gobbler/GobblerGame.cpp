// The rules of a game: a new game, the start of a life, the game step with each mode's end of a level, the
// hidden number, the fruit, the animation clock and the actors, the end of the game, the view and the random
// numbers.
#include "games/gobbler/GobblerGame.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gamelib/GameApi.h"
#include "games/gobbler/Gobbler.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/gobbler/MazeDrawing.h"

namespace gobbler {

using namespace gamelib::api;

namespace {

// Step counts are multiples of ten steps, and the game-over wait of twenty.
constexpr int32_t kTen = 1000 / 100;
constexpr int32_t kTwenty = 2000 / 100;
constexpr int32_t kStartSteps = kTen * 2;
constexpr int32_t kGameOverSteps = kTwenty * 2;
constexpr int32_t kFruitSteps = kTen * 30;
constexpr int32_t kFruitModeSteps = kTen * 3;
// Steps each chaser waits at its start: red, green, yellow, orange.
constexpr int32_t kWait1 = kTen * 5;
constexpr int32_t kWait2 = kTen * 15;
constexpr int32_t kWait3 = kTen * 15 * 2;
constexpr int32_t kWait4 = kTen * 15 * 3;
// The hunt mode's time shrinks by a second a level from a minute, but never below this.
constexpr int64_t kKillSeconds = 61;
constexpr int64_t kKillFloorMs = 10000;
constexpr int64_t kTimeModeMsPerLevel = 30000;
constexpr int64_t kDotMoveMs = 30000;
constexpr int32_t kChasersToEat = 4;
constexpr int64_t kBlinkMs = 200;
// The view follows the player on a maze wider than the screen, keeping it off the outer fifths.
constexpr int32_t kMarginPercent = 20;
// Draws of a random cell before the search gives up, per cell of the grid.
constexpr int32_t kDrawsPerCell = 16;

bool isPortal(const CellBase& c) { return c.content == CellBase::PORTAL; }
bool isOpenAndEmpty(const CellBase& c) { return c.kind == CellBase::OPEN && c.content == CellBase::EMPTY; }

SpookyBasePtr makeChaser(int32_t kind, int32_t wait, const vector_3dPtr& start) {
  SpookyBasePtr c = new SpookyBase();
  c->kind = kind;
  c->waitCounter = wait;
  c->setPosition(start->x, start->y);
  return c;
}

}  // namespace

GobblerGame::GobblerGame() : levelCount(data::kMapCount) {}

GobblerGame::~GobblerGame() { movingDotCell = nullptr; }

void GobblerGame::releaseAll() {
  map = nullptr;
  player = nullptr;
  chaser1 = nullptr;
  chaser2 = nullptr;
  chaser3 = nullptr;
  chaser4 = nullptr;
  if (!sprites.isNull()) {
    for (int32_t i = 0; i < sprites->length; ++i) (*sprites)[i] = nullptr;
  }
  playerImages = nullptr;
  playerPowerImages = nullptr;
  chaserImages = nullptr;
}

int32_t GobblerGame::nextRandom() { return nextNonNegative(); }

int32_t GobblerGame::randomPercent() { return std::abs(GameLib::random->nextInt() % 100); }

int32_t GobblerGame::fruitDelay() { return gameMode == MODE_FRUIT ? kFruitModeSteps : kFruitSteps; }

bool GobblerGame::findRandomCell(bool (*fits)(const CellBase&), int32_t& x, int32_t& y) {
  const int32_t columns = map->cols + 2, rowCount = map->rows + 2;
  for (int32_t draw = 0; draw < kDrawsPerCell * columns * rowCount; ++draw) {
    x = nextRandom() % columns;
    y = nextRandom() % rowCount;
    if (fits(*map->cellAt(x, y))) return true;
  }
  return false;
}

void GobblerGame::newMap() {
  movingDotCell = nullptr;
  map = nullptr;
  map = new MapBase(mapColumns, mapRows, cellWidth, cellHeight);
  (*levelInfo)[1] = 0;
  (*levelInfo)[0] = 0;
  fruitsEaten = 0;
  chasersEaten = 0;
  score = 0;
  readyTimer = 0;
  lives = kStartLives;
  if (nextLevel(-1)) centreView();
}

void GobblerGame::placeActors() {
  panelDrawn = false;
  playSound(SND_NEW_LEVEL);
  levelDone = false;
  for (int32_t i = 0; i < sprites->length; ++i) (*sprites)[i] = nullptr;
  frightTimer = 0;
  player = nullptr;
  player = new GobblerBase();
  player->setPosition(map->playerStart->x, map->playerStart->y);
  chaser1 = nullptr;
  chaser1 = makeChaser(SpookyBase::KIND_RED, kWait1, MapBase::rPoint);
  chaser2 = nullptr;
  chaser2 = makeChaser(SpookyBase::KIND_GREEN, kWait2, MapBase::gPoint);
  chaser3 = nullptr;
  chaser3 = makeChaser(SpookyBase::KIND_YELLOW, kWait3, MapBase::rPoint2);
  chaser4 = nullptr;
  chaser4 = makeChaser(SpookyBase::KIND_ORANGE, kWait4, MapBase::gPoint2);
  fruit = nullptr;
  fruitTimer = fruitDelay();
  startDelay = readyTimer = kStartSteps;
  gameOverDelay = kGameOverSteps;
  if (gameMode == MODE_KILL) {
    // Every chaser runs frightened from the start, but those already eaten in this level come back bold.
    frightTimer = INT_MAX;
    for (SpookyBase* c : {chaser1.get(), chaser2.get(), chaser3.get(), chaser4.get()}) {
      c->waitCounter = 0;
      c->frightened = true;
    }
    if (chasersEaten >= 1) chaser2->frightened = false;
    if (chasersEaten >= 2) chaser3->frightened = false;
    if (chasersEaten >= 3) chaser4->frightened = false;
    timeLimitMs = std::max((kKillSeconds - levelNumber()) * 1000, kKillFloorMs);
  }
  if (gameMode == MODE_TIME) timeLimitMs = (levelNumber() + 1) * kTimeModeMsPerLevel;
}

void GobblerGame::centreView() {
  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  viewX = (w - map->pixelWidth()) >> 1;
  viewY = (h - map->pixelHeight()) >> 1;
  if (map->pixelWidth() <= w) {
    viewX -= MapBase::kUncountedWidth / 2;
    return;
  }
  const int32_t px = player->position->x + viewX, py = player->position->y + viewY;
  const int32_t right = (100 - kMarginPercent) * w / 100, left = kMarginPercent * w / 100;
  if (px > right) {
    viewX -= px - right;
  } else if (px < left) {
    viewX += left - px;
  }
  const int32_t bottom = (100 - kMarginPercent) * h / 100, top = kMarginPercent * h / 100;
  if (py > bottom) {
    viewY -= py - bottom;
  } else if (py < top) {
    viewY += top - py;
  }
}

void GobblerGame::roundStep() {
  if (MenuFlow::pauseRequested(PauseSign::topRight(GameMenu::pauseImage))) {
    menuFlow->pause();
    return;
  }
  // The countdown to the end runs only once no life is left.
  if (!player.isNull() && lives < 0) {
    if (gameOverDelay > 0) --gameOverDelay;
    if (gameOverDelay == 0) {
      endGame();
      return;
    }
  }
  checkLevelEnd();
  if (ScreenCanvas::sequenceDone) {
    ScreenCanvas::sequenceDone = false;
    const int32_t chosen = ScreenCanvas::sequenceNumber;
    if (chosen == kInvulnerableNumber) {
      invulnerable = !invulnerable;
    } else if (chosen >= 1 && chosen <= levelCount) {
      // Only a level of one of the maps; any other number leaves the game as it is.
      levelDone = true;
      (*levelInfo)[0] = chosen - 1;
    }
  }
  if (levelDone && !nextLevel(-1)) return;
  if (startDelay != 0 && --startDelay != 0) return;

  if (fruit.isNull() && fruitTimer < 1) {
    placeFruit();
  } else {
    --fruitTimer;
  }
  if (!fruit.isNull()) fruit->chooseRoute();

  const int64_t now = DSystem::currentTimeMillis();
  if (now - lastBlinkTime > kBlinkMs) {
    ++blinkCounter;
    lastBlinkTime = now;
    mapDirty = true;
  }

  // Held here: a player that dies may be replaced during its own update.
  if (lives >= 0) {
    GobblerBasePtr p = player;
    if (p.isNull()) {
      logLine(u"Error player is null!");
    } else {
      p->update();
    }
  }
  for (SpookyBasePtr* c : {&chaser1, &chaser2, &chaser3, &chaser4}) {
    SpookyBasePtr chaser = *c;
    chaser->update();
  }
  for (int32_t i = 0; i < sprites->length; ++i) {
    if (!(*sprites)[i].isNull()) (*sprites)[i]->tick();
  }
}

void GobblerGame::checkLevelEnd() {
  if (map->dotCount <= 0) levelDone = true;
  if (gameMode == MODE_FRUIT && levelNumber() * kFruitsPerLevel <= fruitsEaten) levelDone = true;
  if ((gameMode == MODE_TIME || gameMode == MODE_KILL) && screenState == Gobbler::STATE_PLAY) elapsedMs += kRoundStepMs;
  if (gameMode == MODE_KILL) {
    if (chasersEaten >= kChasersToEat) {
      levelDone = true;
      chasersEaten = 0;
    }
    if (elapsedMs >= timeLimitMs) {
      elapsedMs = 0;
      --lives;
      if (lives >= 0) placeActors();
    }
  }
  if (gameMode == MODE_TIME) {
    // The level is won by lasting its time, whether or not a power dot found a place.
    if (elapsedMs >= timeLimitMs) {
      levelDone = true;
    } else if (!movingDotCell.isNull()) {
      if (moveTimerMs <= 0) moveTheDot();
      moveTimerMs -= kRoundStepMs;
    }
  }
}

void GobblerGame::moveTheDot() {
  moveTimerMs = kDotMoveMs;
  int32_t x = 0, y = 0;
  // With no free cell the dot stays where it is.
  if (!findRandomCell(isOpenAndEmpty, x, y)) return;
  movingDotCell->content = CellBase::EMPTY;
  DGraphicsPtr target = GameImage::graphics;
  GameImage::graphics = MapBase::mazeImage->getGraphics();
  paintImageAt((*MapBase::tileImages)[0][tileStyle], movingDotCell->rect->left, movingDotCell->rect->top);
  GameImage::graphics = target;
  movingDotCell = map->cellAt(x, y);
  movingDotCell->content = CellBase::POWER_DOT;
}

void GobblerGame::placeFruit() {
  const int32_t kind = 1 + nextRandom() % data::kFruitKinds;
  int32_t x = 0, y = 0;
  if (!findRandomCell(isPortal, x, y)) {
    // No portal to come out of: try again after the usual wait.
    fruitTimer = fruitDelay();
    return;
  }
  fruit = new FruitBase();
  fruit->kind = kind;
  fruit->setPosition(x * cellWidth, y * cellHeight);
}

void GobblerGame::placeMovingDot() {
  movingDotCell = nullptr;
  int32_t x = 0, y = 0;
  if (!findRandomCell(isOpenAndEmpty, x, y)) return;
  movingDotCell = map->cellAt(x, y);
  movingDotCell->content = CellBase::POWER_DOT;
}

void GobblerGame::placeChasersAtRandom() {
  auto isOpen = [](const CellBase& c) { return c.kind == CellBase::OPEN; };
  for (const vector_3dPtr& start : {MapBase::rPoint, MapBase::gPoint, MapBase::rPoint2, MapBase::gPoint2}) {
    int32_t x = 0, y = 0;
    // Without an open cell the chaser keeps the map's start.
    if (findRandomCell(isOpen, x, y)) start->set(cellWidth * x, cellHeight * y);
  }
}

void GobblerGame::endGame() {
  player = nullptr;
  // Each mode keeps its own table.
  shownTable = gameMode;
  menuFlow->table = gameMode;
  menuFlow->endGame(score);
}

void GobblerGame::abandonGame(DStringPtr file, const char* reason) {
  std::string name;
  for (int32_t i = 0; i < file->length(); ++i) name.push_back(static_cast<char>(file->charAt(i)));
  std::fprintf(stderr, "GlimmerHut: the maze game cannot play %s: %s\n", name.c_str(), reason);
  SoundManager::stopAll();
  player = nullptr;
  fruit = nullptr;
  GameLib::canvas->selectKeyMap(ScreenCanvas::kMenuKeyMap);
  screenState = Gobbler::STATE_MENU;
  Gobbler::buildMenu(Gobbler::PAGE_START);
}

}  // namespace gobbler
