// Bricks: pictures by kind and hits left, what a ball, a bullet or an explosion does to one, and the
// passing states that play out once per painted frame.
#include "games/bounce/Brick.h"

#include "core/lang/DMath.h"
#include "gamelib/GameApi.h"
#include "gamelib/Score.h"
#include "games/bounce/Bounce.h"

namespace bounce {

using namespace gamelib::api;
using nuv::lang::DMath::max;
using nuv::lang::DMath::min;

namespace {

constexpr int32_t kDebris = 10;
constexpr int32_t kBlastSparks = 10;
// Updates an explosive brick burns before it blows up.
constexpr int32_t kFuseLength = 6;
// A gone regenerating brick comes back on a draw of 0 from 0..kRegenerationOdds.
constexpr int32_t kRegenerationOdds = 2000;

// Entry i of an image array, or null when i lies outside it.
GameImagePtr imageAt(const GameImageArrayPtr& images, int32_t i) {
  if (images.isNull() || i < 0 || i >= images->length) return nullptr;
  return (*images)[i];
}

GameImagePtr currentFrame(const AnimationPtr& animation) {
  if (animation.isNull() || animation->frames.isNull()) return nullptr;
  if (animation->currentFrame < 0 || animation->currentFrame >= animation->frames->length) return nullptr;
  return (*animation->frames)[animation->currentFrame];
}

void drawIntoPicture() { GameImage::graphics = brickList->pictureGraphics; }
void drawIntoScreen() { GameImage::graphics = GameLib::graphics; }

}  // namespace

Brick::Brick(int32_t x, int32_t y, int32_t column, int32_t row)
    : x(x), y(y), column(column), row(row), ownAnimations(new AnimationArray(4)) {}

Brick::~Brick() {
  animation = nullptr;
  ownAnimations = nullptr;
  image = nullptr;
}

void Brick::startAnimation(int32_t index) {
  if ((*ownAnimations)[index].isNull()) {
    (*ownAnimations)[index] = Animation::runningOver((*brickList->animations)[index]);
  }
  animation = (*ownAnimations)[index];
  animation->finished = false;
  animation->restart();
}

void Brick::setKind(int32_t newKind, int32_t newValue) {
  kind = newKind;
  value = newValue;
  BrickList& field = *brickList;
  switch (kind) {
    case KIND_EMPTY:
      image = nullptr;
      break;
    // A value outside the picture list keeps the picture it has.
    case KIND_TWO_HITS:
      if (GameImagePtr picture = imageAt(field.twoHitImages, 2 - value); !picture.isNull()) image = picture;
      break;
    case KIND_THREE_HITS:
      if (GameImagePtr picture = imageAt(field.threeHitImages, 3 - value); !picture.isNull()) image = picture;
      break;
    case KIND_FLASH:
      image = imageAt(field.kindImages, 0);
      playSound(SOUND_HIT_BRICK);
      break;
    case KIND_GONE:
      image = nullptr;
      playSound(SOUND_HIT_REGEN_BRICK);
      startAnimation(ANIM_DISAPPEAR);
      break;
    case KIND_RETURNING:
      image = nullptr;
      startAnimation(ANIM_APPEAR);
      break;
    default:
      if (kind >= KIND_REGENERATING && kind <= KIND_FIVE_HITS) image = imageAt(field.kindImages, kind);
      break;
  }
}

void Brick::spawnDebris(int32_t oldKind) {
  if (image.isNull()) return;
  spawnParticles(kDebris, PARTICLE_DEBRIS, x + image->w / 2, y + image->h / 2, oldKind);
}

void Brick::hit(BallPtr ball) {
  BrickList& field = *brickList;
  const int32_t k = kind;
  const int32_t v = value;
  const bool explosion = ball.isNull();
  const int32_t ballKind = explosion ? -1 : ball->kind;
  bool destroyed = explosion;
  if (!explosion && ball->role == Ball::ROLE_BALL) {
    destroyed = ((ballKind == Ball::KIND_NORMAL || ballKind == Ball::KIND_BIG) && v <= 3 && k != KIND_INDESTRUCTIBLE) ||
                (ballKind == Ball::KIND_FIRE_SMALL && v <= 2 && k != KIND_INDESTRUCTIBLE) ||
                ballKind == Ball::KIND_FIRE || ballKind == Ball::KIND_FIRE_BIG;
  }
  if (destroyed) {
    spawnDebris(k);
    if (k > 0 && k != KIND_INDESTRUCTIBLE) {
      if (k != KIND_REGENERATING) field.remaining -= v;
      field.score = gamelib::addPoints(field.score, v);
    }
    if (explosion) {
      if (k == KIND_EXPLOSIVE) {
        kind = KIND_FUSE;
        value = kFuseLength;
      } else {
        kind = KIND_FLASH;
        value = 0;
      }
    } else if (ballKind == Ball::KIND_FIRE_BIG) {
      value = 0;
      kind = KIND_FLASH;
      detonate();
    } else {
      value = 0;
      kind = ballKind < Ball::KIND_FIRE_SMALL && k == KIND_REGENERATING ? KIND_GONE : KIND_FLASH;
    }
  } else if (k == KIND_INDESTRUCTIBLE) {
    playSound(SOUND_HIT_UNDESTROY_BRICK);
  } else {
    int32_t damage = 1;
    if (ballKind == Ball::KIND_NORMAL && v > 3) {
      damage = 2;
    } else if ((ballKind == Ball::KIND_BIG && v > 3) || (ballKind == Ball::KIND_FIRE_SMALL && v > 2)) {
      damage = 3;
    }
    value = max(0, v - damage);
    if (k != KIND_REGENERATING) field.remaining = max(0, field.remaining - damage);
    field.score = gamelib::addPoints(field.score, 1);
    if (k == KIND_REGENERATING) {
      kind = KIND_GONE;
    } else if (value == 0) {
      spawnDebris(k);
      kind = KIND_FLASH;
    } else {
      playSound(SOUND_HIT_UNDESTROY_BRICK);
      if (k == KIND_FIVE_HITS && animation.isNull()) startAnimation(ANIM_SPARK);
    }
  }
  if (k == KIND_DETONATOR) {
    kind = KIND_FLASH;
    // Only the first explosive brick goes; it keeps its kind and can be set off again.
    for (int32_t r = 0; r < fieldRows; ++r) {
      for (int32_t c = 0; c < fieldColumns; ++c) {
        Brick* other = field.brickAt(c, r);
        if (other->kind == KIND_EXPLOSIVE) {
          other->detonate();
          r = fieldRows;
          break;
        }
      }
    }
  }
  redrawInPicture(kind, value);
  if (!explosion && bonus > 0) {
    platform->spawnBonus(bonus, x, y);
    bonus = 0;
  }
}

void Brick::detonate() {
  playSound(SOUND_BOOM);
  spawnParticles(kBlastSparks, PARTICLE_SMALL_SPARK, x, y, 0);
  startAnimation(ANIM_DETONATION);
  BrickList& field = *brickList;
  for (int32_t r = max(0, row - 1); r < min(fieldRows, row + 2); ++r) {
    for (int32_t c = max(0, column - 1); c < min(fieldColumns, column + 2); ++c) {
      Brick* other = field.brickAt(c, r);
      if (other == this || other->kind <= 0) continue;
      other->hit(nullptr);
    }
  }
}

void Brick::redraw(int32_t newKind, int32_t newValue) {
  if (!image.isNull()) {
    DGraphics& target = *GameImage::graphics;
    target.setClip(x, y, image->w, image->h);
    target.drawImageOpaque(brickList->background, 0, 0, DGraphics::TOP_LEFT);
    target.setClip(0, 0, GameLib::screenWidth, GameLib::screenHeight);
  }
  setKind(newKind, newValue);
  draw();
}

void Brick::redrawInPicture(int32_t newKind, int32_t newValue) {
  drawIntoPicture();
  redraw(newKind, newValue);
  drawIntoScreen();
  // The wipe may have cut into neighbours where columns overlap; they are drawn into the picture again,
  // not onto the screen, where the next frame would cover them.
  brickList->redrawNeighbours(column, row);
}

void Brick::draw() {
  if (image.isNull()) return;
  image->paint(x, y);
  if (kind != KIND_FIVE_HITS) return;
  for (int32_t i = 0; i <= value - 2; ++i) {
    GameImagePtr piece = imageAt(brickList->quarterImages, i);
    if (piece.isNull()) continue;
    piece->paint(x + (i % 2) * piece->w, y + (i % 3 == 0 ? 0 : piece->h + 1));
  }
}

void Brick::paintAnimation() {
  if (!animation.isNull() && !animation->finished) {
    GameImagePtr frame = currentFrame(animation);
    if (frame.isNull()) {
      // An animation without pictures would never end and hold the brick in its passing state.
      animation->finished = true;
    } else {
      BrickList& field = *brickList;
      animation->paint(x + (field.cellWidth >> 1) - (frame->w >> 1), y + (field.cellHeight >> 1) - (frame->h >> 1));
    }
  }
  update();
}

void Brick::update() {
  switch (kind) {
    case KIND_FIVE_HITS:
      if (!animation.isNull() && animation->finished) animation = nullptr;
      break;
    case KIND_EXPLODING:
      if (!animation.isNull() && !animation->finished) break;
      animation = nullptr;
      redrawInPicture(KIND_EMPTY, 0);
      break;
    case KIND_FUSE:
      if (value > 0) {
        --value;
      } else {
        detonate();
        kind = KIND_EXPLODING;
      }
      break;
    case KIND_RETURNING:
      if (!animation.isNull() && !animation->finished) break;
      animation = nullptr;
      redrawInPicture(KIND_REGENERATING, 1);
      bonus = 0;
      break;
    case KIND_GONE:
      if (!animation.isNull()) {
        if (animation->finished) animation = nullptr;
      } else if (randomInRange(0, kRegenerationOdds) == 0) {
        setKind(KIND_RETURNING, 1);
      }
      break;
    case KIND_FLASH:
      redrawInPicture(KIND_EMPTY, 0);
      break;
    default:
      break;
  }
}

}  // namespace bounce
