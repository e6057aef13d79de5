// The paddle of the brick-and-paddle game: its size, speed and look, its power-up states with their
// transition animations, its guns and bullets, the enemies' bomb, and the falling power-ups it catches.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "games/bounce/Ball.h"
#include "games/bounce/Bonus.h"

namespace bounce {

class Platform;
using PlatformPtr = nuv::lang::DPtr<Platform>;

class Platform : public nuv::lang::DObject {
 public:
  static constexpr int32_t bonusSlots = 3;

  // Paddle states; the game never asks for STATE_DEARMED or STATE_DETURBO.
  static constexpr int32_t STATE_NORMAL = 0;
  static constexpr int32_t STATE_SMALL = 1;
  static constexpr int32_t STATE_DESMALL = 2;
  static constexpr int32_t STATE_BIGGER = 3;
  static constexpr int32_t STATE_DEBIGGER = 4;
  static constexpr int32_t STATE_ARMED = 5;
  static constexpr int32_t STATE_DEARMED = 6;
  static constexpr int32_t STATE_TURBO = 7;
  static constexpr int32_t STATE_DETURBO = 8;

  // Power-up kinds 1 to 12.
  static constexpr int32_t BONUS_GUNS = 1;
  static constexpr int32_t BONUS_GLUE = 2;
  static constexpr int32_t BONUS_SMALLER = 3;
  static constexpr int32_t BONUS_LARGER = 4;
  static constexpr int32_t BONUS_FASTER = 5;
  static constexpr int32_t BONUS_FIRE = 6;
  static constexpr int32_t BONUS_LIFE = 7;
  static constexpr int32_t BONUS_BIG_BALLS = 8;
  static constexpr int32_t BONUS_SMALL_BALLS = 9;
  static constexpr int32_t BONUS_SLOWER = 10;
  static constexpr int32_t BONUS_MORE_BALLS = 11;
  static constexpr int32_t BONUS_TURBO = 12;

  // Makes the bonuses, the two bullets and the bomb; the pictures come with loadImages.
  Platform();
  ~Platform() override;
  const char* getClassName() const override { return "Platform"; }

  // Reads the animations from the animation list, which must be the text table now.
  virtual void loadImages();
  virtual void prepareShot();
  virtual void shoot();
  virtual void launchShot(BallPtr bullet, int32_t offset);
  // True when the bullet hit a brick or an enemy.
  virtual bool shotHit(BallPtr bullet);
  virtual void updateShots();
  // The shot while it still flies, else null.
  virtual BallPtr stepShot(BallPtr shot, BallPtr bullet);
  // Drops nothing when every bonus slot is falling.
  virtual void spawnBonus(int32_t kind, int32_t atX, int32_t atY);
  // The falling power-ups and their effects; returns the lives (one more for the life power-up).
  virtual int32_t update(int32_t lives, int32_t ballSlots);
  // Also moves the bomb, and ends a transition when its animation finished.
  virtual void paint();
  virtual void setState(int32_t newState);
  // 1 right, 0 left.
  virtual void move(int32_t direction);
  virtual void reset();

  int32_t width;
  int32_t height;
  int32_t bottomGap = 12;
  int32_t x;
  int32_t top;
  int32_t speed;
  int32_t state = STATE_NORMAL;
  int32_t size = 1;
  bool turbo = false;
  BallArrayPtr balls;
  int32_t ballsInPlay = 0;
  bool armed = false;
  gamelib::AnimationPtr smallAnimation;     // "small"
  gamelib::AnimationPtr desmallAnimation;   // "desmall"
  gamelib::AnimationPtr biggerAnimation;    // "bigger"
  gamelib::AnimationPtr debiggerAnimation;  // "debigger"
  gamelib::AnimationPtr armedAnimation;     // "armed"
  gamelib::AnimationPtr dearmedAnimation;   // "dearmed"
  gamelib::AnimationPtr turboAnimation;     // "turbo"
  gamelib::AnimationPtr deturboAnimation;   // "deturbo"
  gamelib::AnimationPtr stateAnimation;
  gamelib::AnimationPtr flamesAnimation;         // "flames"
  gamelib::AnimationPtr flames2Animation;        // "flames2"
  gamelib::AnimationPtr gunFlameLeftAnimation;   // "gilzLeft1"
  gamelib::AnimationPtr gunFlameRightAnimation;  // "gilzRight1"
  gamelib::AnimationPtr glueAnimation;           // "Clue"
  gamelib::AnimationPtr exitAnimation;           // "exit"
  bool sticky = false;
  gamelib::GameImagePtr turboImage;
  gamelib::GameImagePtr gunImage;
  gamelib::GameImagePtr lowerTurboImage;
  gamelib::GameImagePtr smallImage;
  gamelib::GameImagePtr normalImage;
  gamelib::GameImagePtr bigImage;
  gamelib::GameImagePtr bodyImage;
  gamelib::GameImagePtr lowerImage;
  BonusArrayPtr bonuses;
  bool inTransition = false;
  bool flameLeft = false;
  bool flameRight = false;
  BallPtr shotLeft;
  BallPtr shotRight;
  BallPtr bulletLeft;
  BallPtr bulletRight;
  BallPtr bomb;
  int32_t gunFlameLeftX = 0;
  int32_t gunFlameLeftY = 0;
  int32_t gunFlameRightX = 0;
  int32_t gunFlameRightY = 0;
  bool gunFlames = false;

 private:
  void applyBonus(int32_t kind, int32_t& lives, int32_t ballSlots);
  void addBalls(int32_t ballSlots);
};

}  // namespace bounce
