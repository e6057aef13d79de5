// The hero's controls in play: the keys on ladders and handrails, fire and the digging keys, the stylus
// held beside him or tapped twice; and what the set-up reads from the stores.
#include <gtest/gtest.h>

#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "games/climber/ClimberObjectsFixture.h"

namespace climbertest {
namespace {

using namespace climber;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
namespace GameAction = gamelib::GameAction;

class ClimberControlsTest : public ClimberObjectsFixture {
 protected:
  void TearDown() override {
    ScreenCanvas::resetInput();
    ClimberObjectsFixture::TearDown();
  }
  // The level in play, its first world update done, then the hero put still into a cell in a state.
  Runner& heroIn(const std::vector<std::string>& level, int column, int row, int state) {
    playLevel(level);
    worldUpdate();
    Runner& h = hero();
    h.column = column;
    h.row = row;
    h.cell = column + mapWidth * row;
    h.offsetX = h.offsetY = 0;
    h.state = state;
    h.timer = 0;
    h.cellChanged = false;
    return h;
  }
};

TEST_F(ClimberControlsTest, KeysOnLaddersAndHandrails) {
  struct Case {
    const char* what;
    std::vector<std::string> level;
    int state;  // the hero's, in cell (1, 2)
    int action;
    int wantState, wantRow, wantOffsetX, wantOffsetY;
  } cases[] = {
      {"up a ladder",
       {"E....$", ".H....", ".H..P.", "######"},
       Runner::STANDING,
       GameAction::Up,
       Runner::CLIMBING,
       2,
       0,
       -3},
      // Into the ladder's cell above, half a cell and a step below its middle, then one step up.
      {"up from a handrail onto the ladder above",
       {"E....$", ".H....", ".-..P.", "......", "######"},
       Runner::HANGING,
       GameAction::Up,
       Runner::CLIMBING,
       1,
       0,
       7},
      {"up from a handrail without a ladder above",
       {"E....$", "......", ".-..P.", "......", "######"},
       Runner::HANGING,
       GameAction::Up,
       Runner::HANGING,
       2,
       0,
       0},
      {"down from a handrail lets go",
       {"E....$", "......", ".-..P.", "......", "######"},
       Runner::HANGING,
       GameAction::Down,
       Runner::FALLING,
       2,
       0,
       0},
      {"down from a handrail onto a ladder",
       {"E....$", "......", ".-..P.", ".H....", "######"},
       Runner::HANGING,
       GameAction::Down,
       Runner::CLIMBING,
       2,
       0,
       3},
      {"down over a brick does nothing",
       {"E....$", "......", "....P.", "######"},
       Runner::STANDING,
       GameAction::Down,
       Runner::STANDING,
       2,
       0,
       0},
      {"down over a ladder top climbs down",
       {"E....$", "......", "....P.", "#H####", ".H....", "######"},
       Runner::STANDING,
       GameAction::Down,
       Runner::CLIMBING,
       2,
       0,
       3},
      {"right runs",
       {"E....$", "......", "....P.", "######"},
       Runner::STANDING,
       GameAction::Right,
       Runner::WALKING,
       2,
       3,
       0},
      {"left along a handrail, hand over hand",
       {"E....$", "......", "---.P.", "......", "######"},
       Runner::HANGING,
       GameAction::Left,
       Runner::HANGING,
       2,
       -3,
       0},
  };
  for (const Case& c : cases) {
    Runner& h = heroIn(c.level, 1, 2, c.state);
    ScreenCanvas::held[c.action] = true;
    worldUpdate();
    ScreenCanvas::held[c.action] = false;
    EXPECT_EQ(h.state, c.wantState) << c.what;
    EXPECT_EQ(h.row, c.wantRow) << c.what;
    EXPECT_EQ(h.offsetX, c.wantOffsetX) << c.what;
    EXPECT_EQ(h.offsetY, c.wantOffsetY) << c.what;
    game->leave();
  }
}

// Fire digs once a press, on the side the hero faces; a digging key held digs again wherever the rule
// allows, on its own side.
TEST_F(ClimberControlsTest, FireDigsOnceAPressADiggingKeyHeldDigsAgain) {
  const std::vector<std::string> level = {"P.....E$", "........", "########", "########"};
  Runner& h = heroIn(level, 2, 1, Runner::STANDING);
  h.directionX = 1;
  ScreenCanvas::held[GameAction::Fire] = true;
  worldUpdate();
  EXPECT_EQ(cellAt(3, 2), 'D');
  EXPECT_EQ(h.state, Runner::DIGGING);
  EXPECT_FALSE(ScreenCanvas::held[GameAction::Fire]);

  // The hash key digs to the right even when the hero faces left, and goes on digging while held.
  game->leave();
  Runner& g = heroIn(level, 2, 1, Runner::STANDING);
  g.directionX = -1;
  ScreenCanvas::held[GameAction::Hash] = true;
  worldUpdate();
  EXPECT_EQ(cellAt(3, 2), 'D');
  EXPECT_EQ(g.directionX, 1);
  for (int i = 0; i < 5; ++i) worldUpdate();
  EXPECT_EQ(g.state, Runner::STANDING);
  g.column = 4;
  g.cell = 4 + mapWidth;
  worldUpdate();
  EXPECT_EQ(cellAt(5, 2), 'D');
  EXPECT_TRUE(ScreenCanvas::held[GameAction::Hash]);
}

TEST_F(ClimberControlsTest, TheStylusHeldBesideTheHeroMovesHimAndADoubleTapDigs) {
  const std::vector<std::string> level = {"E.....P$", "..H.....", "..H.....", "..H.....", "..H.....", "########"};
  Runner& h = heroIn(level, 2, 4, Runner::STANDING);
  const int hx = 2 * tileWidth - cameraX, hy = 4 * tileHeight - cameraY;
  // Held to the right on his row: once the press has lasted 201 ms he runs that way.
  ScreenCanvas::pointerDown = true;
  ScreenCanvas::pointerX = hx + 60;
  ScreenCanvas::pointerY = hy + kHeroH / 2;
  worldUpdate();
  EXPECT_EQ(h.offsetX, 0);
  for (int i = 0; i < 4; ++i) worldUpdate();
  EXPECT_EQ(h.state, Runner::WALKING);
  EXPECT_GT(h.offsetX + tileWidth * (h.column - 2), 0);

  // Held above him on a ladder: he climbs, even a little to the side.
  ScreenCanvas::resetInput();
  game->leave();
  heroIn(level, 2, 4, Runner::STANDING);
  ScreenCanvas::pointerDown = true;
  ScreenCanvas::pointerX = hx + 20;
  ScreenCanvas::pointerY = hy - 40;
  for (int i = 0; i < 5; ++i) worldUpdate();
  EXPECT_EQ(hero().state, Runner::CLIMBING);
  EXPECT_LT(hero().offsetY + tileHeight * (hero().row - 4), 0);

  // A double tap left of him turns him and digs there.
  ScreenCanvas::resetInput();
  game->leave();
  Runner& d = heroIn(level, 2, 4, Runner::STANDING);
  d.directionX = 1;
  ScreenCanvas::pointerDown = true;
  ScreenCanvas::doubleTap = true;
  ScreenCanvas::pointerX = hx - 15;
  ScreenCanvas::pointerY = hy;
  worldUpdate();
  EXPECT_EQ(d.directionX, -1);
  EXPECT_EQ(cellAt(1, 5), 'D');
  EXPECT_EQ(d.state, Runner::DIGGING);
  EXPECT_FALSE(ScreenCanvas::doubleTap);
}

TEST_F(ClimberControlsTest, TheSetUpKeepsTheHighestLevelWithinTheLevelsAndReadsTheSoundLevels) {
  struct Case {
    int stored;  // 0: nothing stored
    int openLevel;
  } cases[] = {{0, 1}, {7, 7}, {80, 75}};
  for (const Case& c : cases) {
    if (c.stored != 0) GameMenu::saveOption(u"climberopenlevel", c.stored);
    startScreen({});
    EXPECT_EQ(openLevel, c.openLevel) << c.stored;
    game->leave();
  }
  // Nothing stored for the sounds: the normal levels, named in the menu.
  EXPECT_EQ(gltest::narrow((*menuItemTexts)[ITEM_SFX_LEVEL]), "soundfxnormal");
  EXPECT_EQ(gltest::narrow((*menuItemTexts)[ITEM_MUSIC_LEVEL]), "musicnormal");
}

}  // namespace
}  // namespace climbertest
