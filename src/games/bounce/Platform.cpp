// The paddle: moving and shooting, the power-up states and their transitions, the falling power-ups and
// what each does, the bomb, and painting all of it.
#include "games/bounce/Platform.h"

#include "core/lang/DMath.h"
#include "gamelib/GameApi.h"
#include "gamelib/Score.h"
#include "games/bounce/Bounce.h"

namespace bounce {

using namespace gamelib::api;

namespace {

// Lengths in 14ths of a brick width.
int32_t scaled(int32_t n) { return brickWidth * n / baseBrickWidth; }

constexpr int32_t kWidth = 30;
constexpr int32_t kHeight = 5;
constexpr int32_t kSpeed = 3;
constexpr int32_t kTurboSpeed = 5;
constexpr int32_t kGunInset = 6;
constexpr int32_t kFlameLeftX = 24;
constexpr int32_t kFlameRightX = 14;
constexpr int32_t kFlameDrop = 1;
// Turbo sparks stand this far beside the paddle's centre.
constexpr int32_t kTrailX = 20;
constexpr int32_t kBottomGap = 12;
constexpr int32_t kBulletSpeedLevel = 5;
constexpr int32_t kBombSpeedLevel = 3;
constexpr int32_t kBombFall = 16;
constexpr int32_t kGunOffset = 4;
constexpr int32_t kEnemyHitSparks = 10;

GameImagePtr frameAt(const AnimationPtr& animation, int32_t index) {
  if (animation.isNull() || animation->frames.isNull()) return nullptr;
  if (index < 0 || index >= animation->frames->length) return nullptr;
  return (*animation->frames)[index];
}

GameImagePtr firstFrame(const AnimationPtr& animation) { return frameAt(animation, 0); }
GameImagePtr shownFrame(const AnimationPtr& animation) {
  return animation.isNull() ? nullptr : frameAt(animation, animation->currentFrame);
}

int32_t widthOf(const GameImagePtr& image) { return image.isNull() ? 0 : image->w; }
int32_t heightOf(const GameImagePtr& image) { return image.isNull() ? 0 : image->h; }

// Paints when there is a frame to paint; an animation without pictures counts as finished.
void paintIfShown(const AnimationPtr& animation, int32_t x, int32_t y) {
  if (animation.isNull()) return;
  if (shownFrame(animation).isNull()) {
    animation->finished = true;
    return;
  }
  animation->paint(x, y);
}

bool isFinished(const AnimationPtr& animation) { return animation.isNull() || animation->finished; }

void paintImage(const GameImagePtr& image, int32_t x, int32_t y) {
  if (!image.isNull()) image->paint(x, y);
}

}  // namespace

Platform::Platform()
    : width(scaled(kWidth)),
      height(scaled(kHeight)),
      x((GameLib::screenWidth - scaled(kWidth)) / 2),
      top(GameLib::screenHeight - scaled(kHeight) - kBottomGap),
      speed(scaled(kSpeed)),
      bonuses(new BonusArray(bonusSlots)) {
  for (int32_t i = 0; i < bonusSlots; ++i) (*bonuses)[i] = new Bonus();
  bulletLeft = new Ball(Ball::ROLE_BULLET);
  bulletRight = new Ball(Ball::ROLE_BULLET);
  bulletLeft->speedLevel = kBulletSpeedLevel;
  bulletRight->speedLevel = kBulletSpeedLevel;
  bomb = new Ball(Ball::ROLE_BOMB);
  bomb->speedLevel = kBombSpeedLevel;
  bomb->dx = 0;
  bomb->dy = kBombFall;
}

Platform::~Platform() {
  balls = nullptr;
  bonuses = nullptr;
  shotLeft = shotRight = nullptr;
  bulletLeft = bulletRight = bomb = nullptr;
  smallAnimation = desmallAnimation = biggerAnimation = debiggerAnimation = nullptr;
  armedAnimation = dearmedAnimation = turboAnimation = deturboAnimation = stateAnimation = nullptr;
  flamesAnimation = flames2Animation = gunFlameLeftAnimation = gunFlameRightAnimation = nullptr;
  glueAnimation = exitAnimation = nullptr;
  turboImage = gunImage = lowerTurboImage = smallImage = normalImage = bigImage = bodyImage = lowerImage = nullptr;
}

void Platform::loadImages() {
  smallAnimation = loadAnimation(data::kPaddleSmall);
  desmallAnimation = loadAnimation(data::kPaddleUnsmall);
  biggerAnimation = loadAnimation(data::kPaddleBigger);
  debiggerAnimation = loadAnimation(data::kPaddleUnbigger);
  armedAnimation = loadAnimation(data::kPaddleArmed);
  dearmedAnimation = loadAnimation(data::kPaddleDisarmed);
  turboAnimation = loadAnimation(data::kPaddleTurbo);
  deturboAnimation = loadAnimation(data::kPaddleUnturbo);
  flamesAnimation = loadAnimation(data::kFlames);
  flames2Animation = loadAnimation(data::kFlames2);
  gunFlameLeftAnimation = loadAnimation(data::kGunFlameLeft);
  gunFlameRightAnimation = loadAnimation(data::kGunFlameRight);
  glueAnimation = loadAnimation(data::kGlue);
  exitAnimation = loadAnimation(data::kExit);
  if (!exitAnimation.isNull()) exitAnimation->finished = true;
  stateAnimation = biggerAnimation;

  turboImage = firstFrame(turboAnimation);
  gunImage = firstFrame(dearmedAnimation);
  lowerTurboImage = firstFrame(deturboAnimation);
  smallImage = firstFrame(desmallAnimation);
  normalImage = firstFrame(biggerAnimation);
  bigImage = firstFrame(debiggerAnimation);
  bodyImage = normalImage;
  lowerImage = turboImage;
  if (!brickList.isNull()) bulletLeft->topEdge = bulletRight->topEdge = brickList->top;
}

void Platform::prepareShot() {
  if (!shotLeft.isNull() || !shotRight.isNull() || gunFlames) return;
  gunFlames = true;
  int32_t gunWidth = widthOf(gunImage);
  gunFlameLeftX = x - scaled(kGunInset) - gunWidth / 2;
  gunFlameLeftY = top;
  gunFlameRightX = x + gunWidth / 2 - scaled(kGunInset);
  gunFlameRightY = top;
  // Cleared too: the flag left from the last volley would end this one before its first frame.
  for (const AnimationPtr& flame : {gunFlameLeftAnimation, gunFlameRightAnimation}) {
    if (flame.isNull()) continue;
    flame->finished = false;
    flame->restart();
  }
}

void Platform::shoot() {
  if (!shotLeft.isNull() || !shotRight.isNull() || !armed || !isFinished(armedAnimation)) return;
  playSound(SOUND_SHOOT);
  int32_t gunWidth = widthOf(gunImage);
  shotLeft = bulletLeft;
  launchShot(shotLeft, kGunOffset - gunWidth / 2);
  shotRight = bulletRight;
  launchShot(shotRight, gunWidth / 2 - kGunOffset);
}

void Platform::launchShot(BallPtr bullet, int32_t offset) {
  bullet->dx = 0;
  bullet->setPosition(x + offset, GameLib::screenHeight - 2 * bullet->radius - bottomGap);
  bullet->setActive(true);
}

bool Platform::shotHit(BallPtr bullet) {
  BrickList& field = *brickList;
  Brick* brick = field.brickAt(field.columnAt(bullet->x), field.rowAt(bullet->y));
  if (brick != nullptr && brick->kind > 0) {
    brick->hit(bullet);
    return true;
  }
  Bounce& game = *instance;
  for (int32_t i = 0; i < game.enemySlots; ++i) {
    EnemyPtr enemy = (*game.enemies)[i];
    if (enemy.isNull() || !enemy->active) continue;
    int32_t ex = bullet->x - enemy->x;
    int32_t ey = bullet->y - enemy->y;
    if (ex * ex + ey * ey > (enemy->height + bullet->radius) * (enemy->width + bullet->radius)) continue;
    spawnParticles(kEnemyHitSparks, PARTICLE_SPARK, bullet->x, bullet->y);
    enemy->deactivate();
    field.score = gamelib::addPoints(field.score, 1);
    playSound(SOUND_HIT_BRICK);
    return true;
  }
  return false;
}

void Platform::updateShots() {
  shotLeft = stepShot(shotLeft, bulletLeft);
  shotRight = stepShot(shotRight, bulletRight);
}

BallPtr Platform::stepShot(BallPtr shot, BallPtr bullet) {
  if (shot.isNull()) return nullptr;
  shot->rise();
  if (shot->lost) {
    bullet->lost = false;
    return nullptr;
  }
  if (shotHit(shot)) {
    bullet->visible = false;
    bullet->released = false;
    return nullptr;
  }
  return shot;
}

void Platform::spawnBonus(int32_t kind, int32_t atX, int32_t atY) {
  for (int32_t i = 0; i < bonusSlots; ++i) {
    BonusPtr bonus = (*bonuses)[i];
    if (bonus->kind == 0) {
      bonus->start(kind, atX, atY);
      return;
    }
  }
}

int32_t Platform::update(int32_t lives, int32_t ballSlots) {
  int32_t bodyWidth = widthOf(bodyImage);
  for (int32_t i = 0; i < bonusSlots; ++i) {
    int32_t caught = (*bonuses)[i]->update(x - bodyWidth / 2, top, bodyWidth, heightOf(bodyImage));
    // A power-up caught while the paddle changes is lost.
    if (caught != 0 && !inTransition) applyBonus(caught, lives, ballSlots);
  }
  return lives;
}

void Platform::applyBonus(int32_t kind, int32_t& lives, int32_t ballSlots) {
  auto eachBall = [&](auto action) {
    for (int32_t i = 0; i < ballSlots; ++i) {
      BallPtr ball = (*balls)[i];
      if (!ball.isNull()) action(*ball);
    }
  };
  switch (kind) {
    case BONUS_GUNS:
      setState(STATE_ARMED);
      armed = true;
      break;
    case BONUS_GLUE:
      if (!isFinished(glueAnimation)) {
        glueAnimation->restart();
        sticky = true;
      }
      break;
    case BONUS_SMALLER:
      if (size == 1)
        setState(STATE_SMALL);
      else if (size == 2)
        setState(STATE_DEBIGGER);
      break;
    case BONUS_LARGER:
      if (size == 0)
        setState(STATE_DESMALL);
      else if (size == 1)
        setState(STATE_BIGGER);
      break;
    case BONUS_FASTER:
      for (int32_t i = 0; i < ballSlots; ++i) {
        BallPtr ball = (*balls)[i];
        if (ball.isNull() || !ball->inPlay) break;
        ++ball->speedLevel;
      }
      break;
    case BONUS_FIRE:
      eachBall([](Ball& ball) { ball.ignite(); });
      break;
    case BONUS_LIFE:
      ++lives;
      break;
    case BONUS_BIG_BALLS:
      eachBall([](Ball& ball) { ball.grow(); });
      break;
    case BONUS_SMALL_BALLS:
      eachBall([](Ball& ball) { ball.shrink(); });
      break;
    case BONUS_SLOWER:
      for (int32_t i = 0; i < ballSlots; ++i) {
        BallPtr ball = (*balls)[i];
        if (ball.isNull() || !ball->inPlay || ball->speedLevel < 3) break;
        --ball->speedLevel;
      }
      break;
    case BONUS_MORE_BALLS:
      addBalls(ballSlots);
      break;
    case BONUS_TURBO:
      setState(STATE_TURBO);
      break;
    default:
      break;
  }
}

void Platform::addBalls(int32_t ballSlots) {
  int32_t count = nuv::lang::DMath::abs(GameLib::random->nextInt()) % 2 + 1;
  for (int32_t n = 0; n < count; ++n) {
    instance->packBalls();
    BallPtr source;
    for (int32_t i = 0; i < ballsInPlay && i < ballSlots; ++i) {
      BallPtr ball = (*balls)[i];
      if (!ball.isNull() && ball->inPlay) {
        source = ball;
        break;
      }
    }
    if (source.isNull()) return;
    BallPtr copy;
    for (int32_t j = ballsInPlay; j < ballSlots; ++j) {
      BallPtr ball = (*balls)[j];
      if (!ball.isNull() && !ball->visible) {
        copy = ball;
        break;
      }
    }
    // Only a ball actually made counts as one more in play.
    if (copy.isNull()) return;
    copy->setPosition(source->x + 1, source->y);
    copy->released = source->released;
    copy->radius = source->radius;
    int32_t a = GameLib::random->nextInt() % 6;
    if (a == 0) a = 1;
    int32_t b = GameLib::random->nextInt() % 6;
    if (b == 0) b = -1;
    copy->dx = source->dx + a;
    copy->dy = source->dy + b;
    // Walls only turn dx: a ball with no vertical motion would cross the field for ever.
    if (copy->dy == 0) copy->dy = b;
    copy->speedLevel = source->speedLevel;
    copy->inPlay = true;
    copy->visible = true;
    ++ballsInPlay;
  }
}

void Platform::paint() {
  const int32_t lowerWidth = widthOf(lowerImage);
  if (sticky && !glueAnimation.isNull()) {
    int32_t glueY = top - heightOf(firstFrame(glueAnimation)) / 2;
    if (!glueAnimation->finished) {
      paintIfShown(glueAnimation, x - lowerWidth / 2, glueY);
    } else if (!glueAnimation->frames.isNull()) {
      paintImage(frameAt(glueAnimation, glueAnimation->frames->length - 1), x - lowerWidth / 2 - 1, glueY);
    }
  }

  const int32_t bodyHeight = heightOf(bodyImage);
  if (!inTransition) {
    paintImage(bodyImage, x - widthOf(bodyImage) / 2, top);
    width = widthOf(bodyImage);
  } else {
    GameImagePtr frame = shownFrame(stateAnimation);
    if (state < STATE_ARMED) {
      width = widthOf(frame);
      paintIfShown(stateAnimation, x - widthOf(frame) / 2, top);
    } else {
      paintImage(bodyImage, x - widthOf(bodyImage) / 2, top);
      width = widthOf(bodyImage);
      paintIfShown(stateAnimation, x - widthOf(frame) / 2, top + bodyHeight);
    }
    inTransition = !isFinished(stateAnimation);
  }

  paintImage(lowerImage, x - lowerWidth / 2, top + bodyHeight);
  if (armed && !inTransition) paintImage(gunImage, x - widthOf(gunImage) / 2, top);

  if (turbo) {
    int32_t flameY = top + bodyHeight + scaled(kFlameDrop);
    if (flameLeft) {
      paintIfShown(flamesAnimation, x - scaled(kFlameLeftX), flameY);
      flameLeft = false;
    }
    if (flameRight) {
      paintIfShown(flames2Animation, x + scaled(kFlameRightX), flameY);
      flameRight = false;
    }
  }

  if (!shotLeft.isNull()) shotLeft->paint();
  if (!shotRight.isNull()) shotRight->paint();

  if (gunFlames) {
    if (!isFinished(gunFlameLeftAnimation)) {
      paintIfShown(gunFlameLeftAnimation, gunFlameLeftX, gunFlameLeftY);
      paintIfShown(gunFlameRightAnimation, gunFlameRightX, gunFlameRightY);
    } else {
      gunFlames = false;
    }
  }

  if (bomb->released) {
    bomb->paint();
    if (bomb->fall(top, x - lowerWidth / 2, x + lowerWidth / 2)) {
      // The bomb costs a life however many balls are in play.
      ballsInPlay = 1;
      instance->ballLost();
    }
  }

  if (!isFinished(exitAnimation)) {
    paintIfShown(exitAnimation, (GameLib::screenWidth - widthOf(shownFrame(exitAnimation))) / 2, 0);
  }

  for (int32_t i = 0; i < bonusSlots; ++i) (*bonuses)[i]->paint();
}

void Platform::setState(int32_t newState) {
  inTransition = true;
  state = newState;
  switch (newState) {
    case STATE_NORMAL:
      bodyImage = normalImage;
      lowerImage = turboImage;
      if (!stateAnimation.isNull()) stateAnimation->finished = true;
      inTransition = false;
      speed = scaled(kSpeed);
      size = 1;
      break;
    case STATE_SMALL:
      bodyImage = smallImage;
      stateAnimation = smallAnimation;
      if (size >= 1) --size;
      break;
    case STATE_DESMALL:
      bodyImage = normalImage;
      stateAnimation = desmallAnimation;
      if (size < 1) ++size;
      break;
    case STATE_BIGGER:
      bodyImage = bigImage;
      stateAnimation = biggerAnimation;
      if (size < 2) ++size;
      break;
    case STATE_DEBIGGER:
      bodyImage = normalImage;
      stateAnimation = debiggerAnimation;
      if (size >= 2) --size;
      break;
    case STATE_ARMED:
      stateAnimation = armedAnimation;
      break;
    case STATE_DEARMED:
      stateAnimation = dearmedAnimation;
      break;
    case STATE_TURBO:
      lowerImage = lowerTurboImage;
      stateAnimation = turboAnimation;
      turbo = true;
      if (!flamesAnimation.isNull()) flamesAnimation->restart();
      if (!flames2Animation.isNull()) flames2Animation->restart();
      speed = scaled(kTurboSpeed);
      break;
    case STATE_DETURBO:
      lowerImage = turboImage;
      stateAnimation = deturboAnimation;
      break;
    default:
      break;
  }
  if (!stateAnimation.isNull()) stateAnimation->restart();
}

void Platform::move(int32_t direction) {
  const int32_t bodyHeight = heightOf(bodyImage);
  BrickList& field = *brickList;
  if (direction == 1) {
    if (x + width / 2 < fieldLeft + field.fieldWidth) x += speed;
    flameLeft = true;
    if (turbo) spawnParticles(1, PARTICLE_SMALL_SPARK, x - kTrailX, top + bodyHeight + 3);
  } else if (direction == 0) {
    if (x - width / 2 > fieldLeft) x -= speed;
    flameRight = true;
    if (turbo) spawnParticles(1, PARTICLE_SMALL_SPARK, x + kTrailX, top + bodyHeight + 1);
  }
}

void Platform::reset() {
  armed = false;
  sticky = false;
  if (!glueAnimation.isNull()) glueAnimation->finished = false;
  turbo = false;
  if (!shotLeft.isNull()) shotLeft->setActive(false);
  if (!shotRight.isNull()) shotRight->setActive(false);
  shotLeft = shotRight = nullptr;
  bomb->setActive(false);
  for (int32_t i = 0; i < bonusSlots; ++i) (*bonuses)[i]->start(0, 0, 0);
  x = GameLib::screenWidth / 2;
  // bottomGap is 12 unless the field needed the room on a short screen.
  top = GameLib::screenHeight - bottomGap - height;
  setState(STATE_NORMAL);
  width = widthOf(bodyImage);
  BallPtr first = (*balls)[0];
  first->setState(Ball::KIND_SMALL);
  first->reset(x + first->radius, top - 1);
  ballsInPlay = 1;
}

}  // namespace bounce
