// The score pop-ups: where they stand, and for how many game steps they show.
#include <gtest/gtest.h>

#include "games/gobbler/GobblerObjectsFixture.h"
#include "games/gobbler/MazeDrawing.h"

namespace gobblertest {

using namespace gobbler;

namespace {

// A pop-up shows for 50 game steps of 60 ms, three seconds, and goes out on the 51st tick.
constexpr int kShownSteps = 50;

class PopupTest : public GobblerObjectsFixture {
 protected:
  void SetUp() override {
    GobblerObjectsFixture::SetUp();
    startGame({{"p0000", "00000", "r1g11"}});
  }
};

}  // namespace

TEST_F(PopupTest, ShowsForFiftyStepsCountingTheOneItWasMadeIn) {
  SpriteBasePtr popup = new SpriteBase(4, new vector_3d(32, 16));
  EXPECT_EQ(popup->state, 4);
  EXPECT_EQ(popup->picture.get(), (*scoreDigitImages)[4].get());
  for (int i = 1; i <= kShownSteps; ++i) {
    popup->tick();
    EXPECT_EQ(popup->state, 4) << i;
  }
  popup->tick();
  EXPECT_EQ(popup->state, SpriteBase::kGone);
}

TEST_F(PopupTest, ACellSizedBoxThatMovesWithIt) {
  SpriteBasePtr popup = new SpriteBase(0, new vector_3d(32, 16));
  popup->setPosition(48, 64);
  EXPECT_EQ(popup->position->x, 48);
  EXPECT_EQ(popup->bounds->left, 48);
  EXPECT_EQ(popup->bounds->top, 64);
  EXPECT_EQ(popup->bounds->right, 48 + cellWidth);
  EXPECT_EQ(popup->bounds->bottom, 64 + cellHeight);
}

TEST_F(PopupTest, DrawnCentredOnItsCellUntilGone) {
  // The fixture's pop-up pictures are 8 x 4, yellow.
  constexpr uint16_t kYellow = 0xFFE0;
  SpriteBasePtr popup = new SpriteBase(2, new vector_3d(32, 16));
  fillScreen(0);
  popup->draw(10, 20);
  // Centred on (32 + 10 + 8, 16 + 20 + 8).
  EXPECT_EQ(gltest::canvasPixel(46, 42), kYellow);
  EXPECT_EQ(gltest::canvasPixel(53, 45), kYellow);
  EXPECT_EQ(gltest::canvasPixel(45, 42), 0);
  EXPECT_EQ(gltest::canvasPixel(54, 46), 0);
  for (int i = 0; i <= kShownSteps; ++i) popup->tick();
  fillScreen(0);
  popup->draw(10, 20);
  EXPECT_EQ(gltest::canvasPixel(46, 42), 0);
}

}  // namespace gobblertest
