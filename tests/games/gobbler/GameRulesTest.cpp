// The rules of a game: a new game and the start of each life, the fruit's timing, the order of the maps and
// their styles, each mode's end of a level, the hunt and time modes' clocks, the end of the game, the hidden
// number, searches that give up, the random helper, a map that does not load, and the view on the maze.
#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "core/util/DRandom.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "games/gobbler/Gobbler.h"
#include "games/gobbler/GobblerObjectsFixture.h"
#include "platform/seam/clock.h"

namespace gobblertest {

using namespace gobbler;
using gamelib::GameLib;
using gamelib::ScreenCanvas;

namespace {

// Portals at both ends of row 2, the player below, the chasers' house under a door.
const Map kMaze = {
    "111111111",  //
    "*.......*",  //
    "1.11111.1",  //
    "1...p...1",  //
    "111.1#1#1",  //
    "1111.r.g1",  //
};

// Thirteen maps told apart by the column of the player's start.
std::vector<Map> numberedMaps() {
  std::vector<Map> maps;
  for (int m = 0; m < data::kMapCount; ++m) {
    std::string top(14, '.');
    top[m] = 'p';
    maps.push_back({top, "..............", "r1g11111111111"});
  }
  return maps;
}

class GameRulesTest : public GobblerObjectsFixture {
 protected:
  // Where the player starts, as a column.
  static int startColumn() { return map->playerStart->x / cellWidth; }
  // Ends the level at once and waits out the pause before the next.
  void nextLevelNow() {
    levelDone = true;
    readyTimer = 0;
    steps(1);
  }
  static int countContent(int content) {
    int n = 0;
    for (int i = 0; i < map->cells->length; ++i) n += (*map->cells)[i]->content == content ? 1 : 0;
    return n;
  }
};

}  // namespace

TEST_F(GameRulesTest, ANewGame) {
  startGame({kMaze});
  gameMode = GobblerGame::MODE_DOTS;
  score = 123;
  game->newMap();
  EXPECT_EQ(lives, 5);
  EXPECT_EQ(score, 0);
  EXPECT_EQ(levelNumber(), 1);
  EXPECT_EQ(startDelay, 20);
  EXPECT_FALSE(levelDone);
  EXPECT_EQ(player->position->x, 5 * cellWidth);
  EXPECT_EQ(player->position->y, 4 * cellHeight);
  const int waits[] = {50, 150, 300, 450};
  const int kinds[] = {SpookyBase::KIND_RED, SpookyBase::KIND_GREEN, SpookyBase::KIND_YELLOW, SpookyBase::KIND_ORANGE};
  int i = 0;
  for (SpookyBase* c : {chaser1.get(), chaser2.get(), chaser3.get(), chaser4.get()}) {
    EXPECT_EQ(c->waitCounter, waits[i]);
    EXPECT_EQ(c->kind, kinds[i]);
    ++i;
  }
  EXPECT_EQ(chaser1->position->x, MapBase::rPoint->x);
  EXPECT_EQ(chaser4->position->x, MapBase::gPoint->x);
  // The pause at the start of the life: nothing moves for 20 steps.
  const int x = player->position->x;
  steps(19);
  EXPECT_EQ(player->position->x, x);
  steps(1);
  EXPECT_NE(player->position->x, x);
}

// The first fruit comes 300 steps after the pause (30 in the fruit mode), out of a portal.
TEST_F(GameRulesTest, TheFruitComesOutOfAPortal) {
  for (int mode : {GobblerGame::MODE_DOTS, GobblerGame::MODE_FRUIT}) {
    if (game.isNull()) startGame({kMaze});
    newGame(mode);
    parkChasers();
    invulnerable = true;
    const int wait = mode == GobblerGame::MODE_FRUIT ? 30 : 300;
    steps(wait - 1);
    EXPECT_TRUE(fruit.isNull()) << mode;
    steps(1);
    ASSERT_FALSE(fruit.isNull()) << mode;
    EXPECT_GE(fruit->kind, 1);
    EXPECT_LE(fruit->kind, 7);
    EXPECT_EQ(fruit->position->y, 2 * cellHeight);
    const int x = fruit->position->x;
    EXPECT_TRUE(x <= cellWidth + 1 || x >= 9 * cellWidth - 1) << x;
  }
}

// Without a portal no fruit comes, and the search for one ends.
TEST_F(GameRulesTest, NoPortalNoFruit) {
  startGame({{"1111111", "p.....1", "r1g1111"}});
  newGame();
  parkChasers();
  steps(301);
  EXPECT_TRUE(fruit.isNull());
  EXPECT_GT(fruitTimer, 0);
}

TEST_F(GameRulesTest, MapsInOrderWithTheirStylesThenFromTheFirstAgain) {
  startGame(numberedMaps());
  newGame();
  const int styles[] = {3, 1, 2, 3, 0, 1, 3, 2, 0, 1, 1, 1, 0};
  for (int level = 1; level <= 14; ++level) {
    ASSERT_EQ(levelNumber(), level);
    const int m = (level - 1) % 13;
    EXPECT_EQ(startColumn(), m + 1) << level;
    EXPECT_EQ(tileStyle, styles[m]) << level;
    parkChasers();
    nextLevelNow();
  }
}

TEST_F(GameRulesTest, RandomLevelsTakeThePercentModuloTheMapCount) {
  startGame(numberedMaps());
  newGame();
  randomLevels = true;
  for (int i = 0; i < 10; ++i) {
    // The same seed in a twin generator tells which map comes.
    platform::advanceManualClock(7);
    GameLib::random = new nuv::util::DRandom();
    nuv::util::DRandom twin;
    const int expected = std::abs(twin.nextInt() % 100) % 13;
    levelDone = true;
    readyTimer = 0;
    ASSERT_TRUE(game->nextLevel(-1));
    EXPECT_EQ(startColumn(), expected + 1);
  }
}

TEST_F(GameRulesTest, TheNextLevelWaitsTwentySteps) {
  startGame({kMaze});
  newGame();
  readyTimer = 20;
  const int level = levelNumber();
  for (int call = 1; call < 20; ++call) EXPECT_FALSE(game->nextLevel(-1)) << call;
  EXPECT_TRUE(game->nextLevel(-1));
  EXPECT_EQ(levelNumber(), level + 1);
  EXPECT_EQ(fruitsEaten, 0);
  EXPECT_EQ(elapsedMs, 0);
}

TEST_F(GameRulesTest, EachModeEndsItsLevel) {
  startGame({kMaze});
  struct Case {
    const char* what;
    int mode;
    void (*win)();
  };
  const Case cases[] = {
      {"no dots left", GobblerGame::MODE_DOTS, [] { map->dotCount = 0; }},
      {"no dots left, in the fruit mode too", GobblerGame::MODE_FRUIT, [] { map->dotCount = 0; }},
      {"three fruits on level 1", GobblerGame::MODE_FRUIT, [] { fruitsEaten = 3; }},
      {"four chasers eaten", GobblerGame::MODE_KILL, [] { chasersEaten = 4; }},
      {"the time lasted", GobblerGame::MODE_TIME, [] { elapsedMs = timeLimitMs; }},
  };
  for (const Case& c : cases) {
    newGame(c.mode);
    parkChasers();
    steps(1);
    EXPECT_FALSE(levelDone) << c.what;
    c.win();
    steps(1);
    EXPECT_TRUE(levelDone) << c.what;
    EXPECT_EQ(chasersEaten, 0) << c.what;
    steps(19);
    EXPECT_EQ(levelNumber(), 2) << c.what;
  }
  // Two fruits of three do not end it.
  newGame(GobblerGame::MODE_FRUIT);
  fruitsEaten = 2;
  steps(1);
  EXPECT_FALSE(levelDone);
}

TEST_F(GameRulesTest, TimeModeLastsItsMinuteAndMovesThePowerDot) {
  startGame({kMaze});
  newGame(GobblerGame::MODE_TIME);
  parkChasers();
  invulnerable = true;
  EXPECT_EQ(timeLimitMs, 60000);
  // The file's dots lie out only in the dot mode: the one power dot is the wandering one.
  EXPECT_EQ(countContent(CellBase::POWER_DOT), 1);
  EXPECT_EQ(countContent(CellBase::DOT), 0);
  ASSERT_FALSE(game->movingDotCell.isNull());
  // It jumped on the first step of the level and jumps every 30 s (500 steps) after; the level is won
  // on its thousandth step (60 s), counted with the 20 of its start.
  CellBase* before = game->movingDotCell.get();
  std::vector<int> jumps;
  int step = 20;
  while (!levelDone && step < 2000) {
    steps(1);
    ++step;
    if (game->movingDotCell.get() != before) {
      jumps.push_back(step);
      before = game->movingDotCell.get();
      EXPECT_EQ(before->content, CellBase::POWER_DOT);
      EXPECT_EQ(before->kind, CellBase::OPEN);
    }
  }
  EXPECT_EQ(jumps, std::vector<int>{501});
  EXPECT_EQ(step, 1000);
}

// With no free cell to jump to, the dot stays where it is.
TEST_F(GameRulesTest, TheDotStaysWhenNoCellIsFree) {
  startGame({kMaze});
  newGame(GobblerGame::MODE_TIME);
  parkChasers();
  CellBase* dot = game->movingDotCell.get();
  for (int i = 0; i < map->cells->length; ++i) {
    CellBase& c = *(*map->cells)[i];
    if (&c != dot && c.kind == CellBase::OPEN) c.content = CellBase::DOOR;
  }
  moveTimerMs = 0;
  steps(1);
  EXPECT_EQ(game->movingDotCell.get(), dot);
  EXPECT_EQ(dot->content, CellBase::POWER_DOT);
  EXPECT_EQ(moveTimerMs, 30000 - 60);
}

TEST_F(GameRulesTest, HuntModeClockAndTheChasersThatComeBackBold) {
  startGame({kMaze});
  newGame(GobblerGame::MODE_KILL);
  EXPECT_EQ(timeLimitMs, 60000);
  for (SpookyBase* c : {chaser1.get(), chaser2.get(), chaser3.get(), chaser4.get()}) {
    EXPECT_TRUE(c->frightened);
    EXPECT_EQ(c->waitCounter, 0);
  }
  // The player's first step took one.
  EXPECT_EQ(frightTimer, INT_MAX - 1);
  // Two eaten, then the time runs out: a life goes, and the two eaten come back bold.
  chasersEaten = 2;
  const int livesBefore = lives;
  elapsedMs = timeLimitMs;
  parkChasers();
  steps(1);
  EXPECT_EQ(lives, livesBefore - 1);
  EXPECT_EQ(elapsedMs, 0);
  EXPECT_TRUE(chaser1->frightened);
  EXPECT_FALSE(chaser2->frightened);
  EXPECT_FALSE(chaser3->frightened);
  EXPECT_TRUE(chaser4->frightened);
}

// The hunt starts each chaser on a random open cell of the maze, not in the house.
TEST_F(GameRulesTest, HuntModeChasersStartOnRandomOpenCells) {
  startGame({kMaze});
  bool leftTheHouse = false;
  for (int round = 0; round < 4; ++round) {
    newGame(GobblerGame::MODE_KILL);
    for (SpookyBase* c : {chaser1.get(), chaser2.get(), chaser3.get(), chaser4.get()}) {
      const vector_3d& at = *c->position;
      // At most one step from its start: the cell under its centre is still the start's.
      const int column = (at.x + cellWidth / 2) / cellWidth, row = (at.y + cellHeight / 2) / cellHeight;
      EXPECT_EQ(cell(column, row).kind, CellBase::OPEN) << column << "," << row;
      // The file puts both homes in row 6.
      leftTheHouse |= row != 6;
    }
  }
  EXPECT_TRUE(leftTheHouse);
}

// A minute less a second a level, but never less than ten seconds.
TEST_F(GameRulesTest, HuntModeTimeKeepsAFloor) {
  startGame({kMaze});
  gameMode = GobblerGame::MODE_KILL;
  struct Case {
    int level;
    int64_t ms;
  };
  for (const Case& c :
       {Case{1, 60000}, Case{40, 21000}, Case{51, 10000}, Case{58, 10000}, Case{61, 10000}, Case{99, 10000}}) {
    game->newMap();
    (*levelInfo)[0] = c.level;
    GobblerGame::placeActors();
    EXPECT_EQ(timeLimitMs, c.ms) << c.level;
  }
  gameMode = GobblerGame::MODE_TIME;
  (*levelInfo)[0] = 3;
  GobblerGame::placeActors();
  EXPECT_EQ(timeLimitMs, 120000);
}

// The countdown to the end starts only when no life is left, and ends in the menu 40 steps later.
TEST_F(GameRulesTest, TheGameEndsFortyStepsAfterTheLastLife) {
  startGame({kMaze});
  newGame();
  parkChasers();
  lives = 0;
  gameOverDelay = 0;
  steps(5);
  EXPECT_EQ(screenState, Gobbler::STATE_PLAY);
  EXPECT_FALSE(player.isNull());
  lives = -1;
  gameOverDelay = 40;
  // No high score: the start menu comes (the name entry is the screen's test).
  score = 0;
  steps(39);
  EXPECT_EQ(screenState, Gobbler::STATE_PLAY);
  steps(1);
  EXPECT_EQ(screenState, Gobbler::STATE_MENU);
  EXPECT_TRUE(player.isNull());
}

TEST_F(GameRulesTest, TheHiddenNumber) {
  startGame({kMaze});
  newGame();
  parkChasers();
  ScreenCanvas::sequenceNumber = GobblerGame::kInvulnerableNumber;
  ScreenCanvas::sequenceDone = true;
  steps(1);
  EXPECT_TRUE(invulnerable);
  EXPECT_FALSE(levelDone);
  EXPECT_FALSE(ScreenCanvas::sequenceDone);
  ScreenCanvas::sequenceNumber = 5;
  ScreenCanvas::sequenceDone = true;
  steps(1);
  EXPECT_TRUE(levelDone);
  steps(20);
  EXPECT_EQ(levelNumber(), 5);
}

// The most negative number the generator gives comes out as an index like any other.
TEST_F(GameRulesTest, RandomNumbersAreNeverNegative) {
  startGame({kMaze});
  // The seed whose next number is the most negative int: its state after the step is 2^47.
  constexpr uint64_t kMultiplier = 0x5DEECE66D, kMask = (uint64_t{1} << 48) - 1;
  uint64_t inverse = kMultiplier;
  for (int i = 0; i < 6; ++i) inverse *= 2 - kMultiplier * inverse;
  const uint64_t seed = (((uint64_t{1} << 47) - 0xB) * inverse) & kMask;
  for (int draw = 0; draw < 3; ++draw) {
    platform::setManualClock(seed ^ kMultiplier);
    GameLib::random = new nuv::util::DRandom();
    const int v = draw == 0 ? game->nextRandom() : draw == 1 ? game->randomPercent() : nextNonNegative();
    EXPECT_GE(v, 0) << draw;
    if (draw == 1) {
      EXPECT_EQ(v, 48);
    }
  }
}

// A map that does not load ends the game in the start menu, with the reason on stderr.
TEST_F(GameRulesTest, AMapThatDoesNotLoadEndsTheGame) {
  startGame({kMaze});
  newGame();
  // The archive loses every map but the first.
  openArchive({{"data/gob/maps/map00.txt", mapFile(kMaze)}});
  testing::internal::CaptureStderr();
  nextLevelNow();
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find("map01.txt: the file is missing"), std::string::npos) << errors;
  EXPECT_EQ(screenState, Gobbler::STATE_MENU);
  EXPECT_EQ(menuPage, Gobbler::PAGE_START);
  EXPECT_TRUE(player.isNull());
}

TEST_F(GameRulesTest, ANarrowMazeIsCentredAndShiftedLeft) {
  startGame({kMaze});
  newGame();
  // 9 columns of 16 pixels on a screen 240 x 320; the maze's width leaves out 14 pixels of its border.
  EXPECT_EQ(viewX, (240 - (11 * 16 - 14)) / 2 - 7);
  EXPECT_EQ(viewY, (320 - 8 * 16) / 2);
  player->setPosition(8 * cellWidth, cellHeight);
  game->paint();
  EXPECT_EQ(viewX, (240 - (11 * 16 - 14)) / 2 - 7);
}

TEST_F(GameRulesTest, AWideMazeFollowsThePlayer) {
  // 21 columns: 23 x 16 = 368 pixels with the border.
  startGame({{"p" + std::string(20, '.'), std::string(21, '.'), "r1g" + std::string(18, '1')}});
  newGame();
  // Centred, then moved so the player stands a fifth in from the left.
  EXPECT_EQ(16 + viewX, 240 * 20 / 100);
  player->setPosition(20 * cellWidth, cellHeight);
  game->centreView();
  EXPECT_EQ(20 * cellWidth + viewX, 240 * 80 / 100);
  // Painting keeps the player's centre in the middle, stopping at the maze's edges.
  struct Case {
    int x, viewX;
  };
  for (const Case& c : {Case{16, 0}, Case{112, 0}, Case{160, 120 - 168}, Case{320, 240 - 368}}) {
    player->setPosition(c.x, cellHeight);
    game->paint();
    EXPECT_EQ(viewX, c.viewX) << c.x;
  }
}

}  // namespace gobblertest
