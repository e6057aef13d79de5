// The bonus fruit: its slow wandering, deciding once a cell is covered, never turning back but in a dead end,
// standing when shut in, and its pictures.
#include <gtest/gtest.h>

#include "games/gobbler/GobblerObjectsFixture.h"

namespace gobblertest {

using namespace gobbler;

namespace {

// A corridor along row 2, a pocket shut in at (8, 4), the chasers' starts apart.
const Map kCorridor = {
    "111111111",  //
    "000000000",  //
    "111111111",  //
    "1111111p1",  //
    "r1g111111",  //
};

class FruitTest : public GobblerObjectsFixture {
 protected:
  void SetUp() override {
    GobblerObjectsFixture::SetUp();
    startGame({kCorridor});
    newGame();
    parkChasers();
  }
  static FruitBase& fruitAt(int column, int row, int kind = 1) {
    fruit = new FruitBase();
    fruit->kind = kind;
    fruit->setPosition(column * cellWidth, row * cellHeight);
    return *fruit;
  }
};

}  // namespace

TEST_F(FruitTest, OnePixelAStepDecidingOnePixelBeforeACellIsCovered) {
  ASSERT_EQ(cellWidth, 16);
  FruitBase& f = fruitAt(3, 2);
  f.chooseRoute();
  ASSERT_TRUE(f.lastCell->sameAs(3, 2));
  const int dx = f.direction->x;
  ASSERT_NE(dx, 0);
  EXPECT_EQ(f.position->x, 3 * cellWidth + dx);
  for (int i = 0; i < 14; ++i) f.chooseRoute();
  EXPECT_EQ(f.position->x, 3 * cellWidth + 15 * dx);
  EXPECT_TRUE(f.lastCell->sameAs(3, 2));
  // 15 pixels from its last decision's corner: the next step decides again, in the next cell.
  f.chooseRoute();
  EXPECT_TRUE(f.lastCell->sameAs(3 + dx, 2));
  // Never back along the corridor.
  EXPECT_EQ(f.direction->x, dx);
}

TEST_F(FruitTest, EitherWayAlongACorridor) {
  bool left = false, right = false;
  for (int i = 0; i < 40; ++i) {
    FruitBase& f = fruitAt(4, 2);
    f.chooseRoute();
    left |= f.direction->sameAs(-1, 0);
    right |= f.direction->sameAs(1, 0);
    EXPECT_EQ(f.direction->y, 0);
  }
  EXPECT_TRUE(left && right);
}

TEST_F(FruitTest, ShutInItStandsAndTriesAgain) {
  FruitBase& f = fruitAt(8, 4);
  for (int i = 0; i < 5; ++i) {
    f.chooseRoute();
    EXPECT_TRUE(f.direction->isZero());
    EXPECT_EQ(f.position->x, 8 * cellWidth);
    EXPECT_EQ(f.position->y, 4 * cellHeight);
  }
}

TEST_F(FruitTest, PicturesChangeEverySecondStep) {
  FruitBase& f = fruitAt(8, 4, 3);
  const gamelib::GameImageArrayPtr& frames = orangeAnimation->frames;
  const int expected[] = {0, 1, 1, 0, 0, 1, 1};
  for (int e : expected) {
    f.chooseRoute();
    EXPECT_EQ(f.frame.get(), (*frames)[e].get()) << f.stepCount;
  }
  // Kinds beyond seven show the last fruit.
  EXPECT_EQ(FruitBase::animationOf(9).get(), strawberriesAnimation.get());
}

}  // namespace gobblertest
