// The main menu: the two grids and their layout, icons settling on their places, moving with wrap-around
// and skipped cells, the title slide, taps, choosing exit, and games that are missing or fail to start.
#include <gtest/gtest.h>

#include <array>
#include <iterator>
#include <string>
#include <vector>

#include "app/GameList.h"
#include "core/lang/DExceptionBase.h"
#include "gamelib/GameImage.h"
#include "gamelib/MainMenu.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/ScreenCanvas.h"

namespace {

using gamelib::GameInterface;
using gamelib::GameInterfacePtr;
using gamelib::GameLib;
using gamelib::MainMenu;
using gamelib::MainMenuPtr;
using gamelib::ScreenCanvas;
using gamelib::GameAction::Down;
using gamelib::GameAction::Fire;
using gamelib::GameAction::Left;
using gamelib::GameAction::Right;
using gamelib::GameAction::Special1;
using gamelib::GameAction::Special2;
using gamelib::GameAction::Up;

int gamesMade = 0;
int gamesDestroyed = 0;

// Fails after loading an image table of its own in place of the menu's.
class FailingGame : public GameInterface {
 public:
  FailingGame() { ++gamesMade; }
  ~FailingGame() override { ++gamesDestroyed; }
  void init() override {
    gamelib::GameImage::loadImageTable(u"rck/all");
    nuv::lang::throwException(nuv::lang::ExceptionCode::IOException);
  }
};

class WorkingGame : public GameInterface {};

class MainMenuTest : public gltest::MenuFixture {
 protected:
  void SetUp() override {
    MenuFixture::SetUp();
    // The program's rows, starting no screen unless a test says which.
    for (size_t i = 0; i < rows.size(); ++i) {
      rows[i] = glimmerhut::kMenuList[i];
      rows[i].newScreen = nullptr;
    }
    GameLib::menuList = rows;
    gamesMade = gamesDestroyed = 0;
    start(true);
  }
  void start(bool moreGames) {
    GameLib::showMoreGames = moreGames;
    menu = new MainMenu();
    GameLib::currentScreen = menu;
    menu->init();
  }
  // Steps as the frame step runs them, holding the current screen.
  void steps(int n) {
    for (int i = 0; i < n; ++i) {
      GameInterfacePtr screen = GameLib::currentScreen;
      screen->update();
    }
  }
  int32_t highlighted() { return menu->grid[menu->row][menu->column]; }

  std::array<gamelib::MenuListEntry, std::size(glimmerhut::kMenuList)> rows;
  // Puts the highlight on an entry, the menu idle.
  void highlight(int32_t entry) {
    for (int32_t r = 0; r < menu->rows; ++r) {
      for (int32_t c = 0; c < menu->columns; ++c) {
        if (menu->grid[r][c] == entry) {
          menu->row = r;
          menu->column = c;
        }
      }
    }
    menu->state = MainMenu::STATE_IDLE;
    menu->titleShown = true;
  }
  MainMenuPtr menu;
};

TEST_F(MainMenuTest, GridsAndLayout) {
  EXPECT_EQ(menu->rows, 3);
  EXPECT_EQ(menu->columns, 4);
  int32_t want[3][4] = {{0, 1, 2, 6}, {3, 4, 5, 7}, {-1, 9, 8, -1}};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_EQ(menu->grid[r][c], want[r][c]);
  }
  EXPECT_EQ(menu->columnStep, (*menu->icons)[0]->w);
  EXPECT_EQ(menu->rowStep, (*menu->icons)[0]->h - 2);
  const int32_t f = (*GameLib::fonts)[GameLib::FONT_HUD1]->getHeight();
  const int32_t cy = 320 - ((2 * menu->rowStep) >> 1) - 2 * f;
  // Entry 0 sits in the top-left cell, entry 8 in the third cell of the bottom row.
  EXPECT_EQ(menu->targetPos[0].x >> 16, 120 - ((3 * menu->columnStep) >> 1));
  EXPECT_EQ(menu->targetPos[0].y >> 16, cy - ((3 * menu->rowStep) >> 1));
  EXPECT_EQ(menu->targetPos[8].x >> 16, 120 - ((3 * menu->columnStep) >> 1) + 2 * menu->columnStep);
  EXPECT_EQ(menu->targetPos[8].y >> 16, cy - ((3 * menu->rowStep) >> 1) + 2 * menu->rowStep);
  // Every icon starts beyond its place and settles on it.
  EXPECT_NE(menu->currentPos[0].x, menu->targetPos[0].x);
  steps(300);
  for (int32_t e = 0; e < static_cast<int32_t>(rows.size()); ++e) {
    EXPECT_EQ(menu->currentPos[e].x, menu->targetPos[e].x) << e;
    EXPECT_EQ(menu->currentPos[e].y, menu->targetPos[e].y) << e;
    EXPECT_EQ(menu->velocity[e].x, 0) << e;
  }
  start(false);
  EXPECT_EQ(menu->columns, 3);
  EXPECT_EQ(menu->grid[2][2], 8);
  EXPECT_EQ(menu->exitEntry, 8);
}

TEST_F(MainMenuTest, MovesWrapAroundAndSkipEmptyCells) {
  struct Case {
    bool moreGames;
    int32_t from, action, to;
  } cases[] = {
      {true, 7, gamelib::GameAction::Right, 3},  // the end of row 1 wraps to its start
      {true, 7, gamelib::GameAction::Down, 6},   // past the empty cell below to the top of the column
      {true, 8, gamelib::GameAction::Left, 9},
      {true, 9, gamelib::GameAction::Left, 8},  // past the empty first cell
      {true, 9, gamelib::GameAction::Up, 4},
      {true, 0, gamelib::GameAction::Up, 3},        // up from the top: the bottom of the column
                                                    // is empty
      {true, 7, gamelib::GameAction::Special2, 0},  // reading order skips the bottom row, which begins empty
      {true, 2, gamelib::GameAction::Special2, 6},
      {true, 0, gamelib::GameAction::Special1, 7},  // and backwards, whose last cell is
                                                    // empty
      {false, 0, gamelib::GameAction::Special1, 8},
      {false, 8, gamelib::GameAction::Special2, 0},
      {false, 2, gamelib::GameAction::Right, 0},
  };
  for (const Case& c : cases) {
    start(c.moreGames);
    highlight(c.from);
    ScreenCanvas::held[c.action] = true;
    menu->update();
    EXPECT_EQ(highlighted(), c.to) << c.from << " " << c.action;
    // Arrows act once per press; the spare keys move on every step while held.
    bool repeats = c.action == gamelib::GameAction::Special1 || c.action == gamelib::GameAction::Special2;
    EXPECT_EQ(ScreenCanvas::held[c.action], repeats) << c.action;
    EXPECT_EQ(menu->state, MainMenu::STATE_TITLE_OUT);
    ScreenCanvas::clearKeys();
  }
}

TEST_F(MainMenuTest, TheTitleSlidesInAfterTheStartAndAgainAfterEachMove) {
  steps(1000 / 30);
  EXPECT_EQ(menu->state, MainMenu::STATE_START);
  steps(1);
  EXPECT_EQ(menu->state, MainMenu::STATE_TITLE_OUT);
  EXPECT_FALSE(menu->titleShown);
  steps(1);
  EXPECT_EQ(menu->state, MainMenu::STATE_TITLE_IN);
  steps(200 / 30 + 1);
  EXPECT_EQ(menu->state, MainMenu::STATE_IDLE);
  EXPECT_TRUE(menu->titleShown);
  EXPECT_EQ(menu->shownEntry, 0);
  // A move slides the old title out, then the new one in.
  ScreenCanvas::held[gamelib::GameAction::Right] = true;
  steps(1);
  EXPECT_EQ(menu->state, MainMenu::STATE_TITLE_OUT);
  EXPECT_EQ(menu->shownEntry, 0);
  steps(200 / 30 + 1);
  EXPECT_EQ(menu->state, MainMenu::STATE_TITLE_IN);
  EXPECT_EQ(menu->shownEntry, 1);
  // A move while it slides in turns it round where it stands.
  steps(2);
  int32_t shownFor = MainMenu::titleInTime - menu->timer;
  ScreenCanvas::held[gamelib::GameAction::Right] = true;
  menu->update();
  EXPECT_EQ(menu->state, MainMenu::STATE_TITLE_OUT);
  EXPECT_EQ(menu->timer, shownFor - 30);
}

TEST_F(MainMenuTest, TheTitleShowsAtTheBottomEdge) {
  steps(60);
  ASSERT_EQ(menu->state, MainMenu::STATE_IDLE);
  const int32_t f = (*GameLib::fonts)[GameLib::FONT_HUD1]->getHeight();
  menu->paint();
  int withTitle = gltest::countOtherPixels(0, 320 - f, 240, f, gltest::canvasPixel(0, 319));
  menu->titleShown = false;
  menu->paint();
  int without = gltest::countOtherPixels(0, 320 - f, 240, f, gltest::canvasPixel(0, 319));
  EXPECT_GT(withTitle, without + 20);
}

TEST_F(MainMenuTest, TapsChooseTheIconUnderThePenAndMissesAreConsumed) {
  steps(300);
  tap(2, 2);
  menu->update();
  EXPECT_FALSE(ScreenCanvas::pointerDown);
  EXPECT_EQ(menu->state, MainMenu::STATE_IDLE);
  tap(menu->targetPos[5].x >> 16, menu->targetPos[5].y >> 16);
  menu->update();
  EXPECT_EQ(menu->state, MainMenu::STATE_CHOSEN);
  EXPECT_EQ(highlighted(), 5);
  EXPECT_EQ(menu->shownEntry, 5);
  EXPECT_TRUE(menu->gameChosen);
  // The chosen icon flies to the centre, the others away.
  EXPECT_EQ(menu->targetPos[5].x >> 16, 120);
  EXPECT_EQ(menu->targetPos[5].y >> 16, 160);
}

TEST_F(MainMenuTest, ExitEndsTheProgramAfterTheDelay) {
  steps(60);
  highlight(gamelib::indexOfRow(rows, gamelib::MenuRowKind::Exit));
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  steps(1);
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
  EXPECT_TRUE(menu->exitChosen);
  steps(1700 / 30 - 1);
  EXPECT_EQ(app->running, 1);
  steps(2);
  EXPECT_EQ(app->running, 0);
  EXPECT_EQ(GameLib::currentScreen.get(), menu.get());
}

TEST_F(MainMenuTest, AGameThatIsMissingOrFailsToStartLeavesTheMenuCurrent) {
  // Entry 3 stands for a game not in the program.
  const int32_t menuAtlasWidth = gamelib::GameImage::atlasWidth;
  const int32_t moreGames = gamelib::indexOfRow(rows, gamelib::MenuRowKind::MoreGames);
  rows[1].newScreen = []() -> GameInterface* { return new FailingGame(); };
  rows[2].newScreen = []() -> GameInterface* { return new WorkingGame(); };
  rows[3].newScreen = nullptr;
  rows[static_cast<size_t>(moreGames)].newScreen = nullptr;
  struct Case {
    int32_t entry;
    bool stays;
    int made;
  } cases[] = {{3, true, 0}, {1, true, 1}, {moreGames, true, 0}, {2, false, 0}};
  for (const Case& c : cases) {
    gamesMade = gamesDestroyed = 0;
    start(true);
    steps(60);
    highlight(c.entry);
    ScreenCanvas::select = true;
    steps(1);
    ScreenCanvas::select = false;
    testing::internal::CaptureStderr();
    steps(1700 / 30 + 1);
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(GameLib::currentScreen.get() == menu.get(), c.stays) << c.entry;
    EXPECT_EQ(gamesMade, c.made) << c.entry;
    EXPECT_EQ(gamesDestroyed, c.made) << c.entry;  // the half-built game is gone
    EXPECT_EQ(errors.find("IOException") != std::string::npos, c.made > 0) << errors;
    if (!c.stays) continue;
    // The icons come back, the highlight where it was, and the menu takes input again.
    steps(300);
    EXPECT_EQ(menu->state, MainMenu::STATE_IDLE) << c.entry;
    EXPECT_EQ(highlighted(), c.entry);
    EXPECT_EQ(menu->currentPos[0].x, menu->targetPos[0].x);
    EXPECT_FALSE(menu->gameChosen);
    // Its icons draw from its own picture again.
    menu->paint();
    EXPECT_EQ(gamelib::GameImage::atlasWidth, menuAtlasWidth) << c.entry;
  }
}

// The grids hold the program's rows; a tenth entry of the grid without the more-games screen, or rows past
// the grid, would have no cell.
TEST(MainMenuGridTest, HoldsTheRowsOnlyWhereEveryEntryHasACell) {
  static_assert(MainMenu::holds(glimmerhut::kMenuList));
  constexpr size_t n = std::size(glimmerhut::kMenuList);
  std::array<gamelib::MenuListEntry, n + 1> oneMore{};
  std::array<gamelib::MenuListEntry, n> twoExits{};
  for (size_t i = 0; i < n; ++i) oneMore[i] = twoExits[i] = glimmerhut::kMenuList[i];
  oneMore[n] = glimmerhut::kMenuList[0];
  // The more-games entry as a second end.
  twoExits[static_cast<size_t>(gamelib::indexOfRow(glimmerhut::kMenuList, gamelib::MenuRowKind::MoreGames))]
      .names.kind = gamelib::MenuRowKind::Exit;
  struct Case {
    gamelib::MenuList rows;
    bool holds;
  } cases[] = {
      {glimmerhut::kMenuList, true},
      {oneMore, false},
      {std::span(glimmerhut::kMenuList).first(n - 1), false},
      {twoExits, false},
  };
  for (const Case& c : cases) EXPECT_EQ(MainMenu::holds(c.rows), c.holds) << c.rows.size();
}

// Rows of so many games, then the end of the program and the more-games screen.
std::vector<gamelib::MenuListEntry> rowsOfGames(int32_t games) {
  const auto row = [](gamelib::MenuRowKind kind) {
    return glimmerhut::kMenuList[static_cast<size_t>(gamelib::indexOfRow(glimmerhut::kMenuList, kind))];
  };
  std::vector<gamelib::MenuListEntry> rows(static_cast<size_t>(games), row(gamelib::MenuRowKind::Game));
  rows.push_back(row(gamelib::MenuRowKind::Exit));
  rows.push_back(row(gamelib::MenuRowKind::MoreGames));
  for (size_t i = 0; i < rows.size(); ++i) rows[i].names.menuIndex = static_cast<int32_t>(i);
  return rows;
}

// A grid holds only the cells it draws and walks, and as many rows as it has cells for.
TEST(MainMenuGridTest, EachGridDrawsExactlyItsCellsAndAsManyRowsAsItHas) {
  constexpr int32_t _ = MainMenu::kEmptyCell;
  const std::vector<gamelib::MenuListEntry> eight = rowsOfGames(8), ten = rowsOfGames(10), three = rowsOfGames(3);
  const MainMenu::Grid eightPlain = {3, 3, {{0, 1, 2, _}, {3, 4, 5, _}, {6, 7, 8, _}}};
  const MainMenu::Grid eightMoreGames = {3, 4, {{0, 1, 2, 6}, {3, 4, 5, 7}, {_, 9, 8, _}}};
  const MainMenu::Grid twoByTwo = {2, 2, {{0, 1, _, _}, {2, 3, _, _}, {_, _, _, _}}};
  const MainMenu::Grid twoByThree = {2, 3, {{0, 1, _, _}, {2, 3, 4, _}, {_, _, _, _}}};
  struct Case {
    const char* what;
    gamelib::MenuList rows;
    MainMenu::Grid plain, moreGames;
    bool holds;
  } cases[] = {
      {"eight games", eight, eightPlain, eightMoreGames, true},
      {"an entry in the plain grid's undrawn column",
       eight,
       {3, 3, {{0, 1, 2, _}, {3, 4, 5, _}, {6, 7, _, 8}}},
       eightMoreGames,
       false},
      {"an entry in the undrawn row", three, {2, 2, {{0, 1, _, _}, {2, _, _, _}, {3, _, _, _}}}, twoByThree, false},
      {"twelve rows",
       ten,
       {3, 4, {{0, 1, 2, 3}, {4, 5, 6, 7}, {8, 9, 10, _}}},
       {3, 4, {{0, 1, 2, 3}, {4, 5, 6, 7}, {8, 9, 10, 11}}},
       true},
      {"a drawn column with no cell", eight, {3, 4, {{0, 1, 2, _}, {3, 4, 5, _}, {6, 7, 8, _}}}, eightMoreGames, false},
      {"a drawn row with no cell", three, {3, 2, {{0, 1, _, _}, {2, 3, _, _}, {_, _, _, _}}}, twoByThree, false},
      {"the first cell empty", three, twoByTwo, {2, 3, {{_, 0, 1, _}, {2, 3, 4, _}, {_, _, _, _}}}, false},
      {"a grid drawn larger than its room", three, twoByTwo, {4, 3, {{0, 1, 2, _}, {3, 4, _, _}, {_, _, _, _}}}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(MainMenu::holds(c.rows, c.plain, c.moreGames), c.holds) << c.what;
}

}  // namespace
