// Rocks, saucers, rockets and shots: their making, motion, edges, animation, drawing and evasion.
#include "games/rocks/FlyingO.h"

#include "core/lang/DInteger.h"
#include "gamelib/GameApi.h"
#include "games/rocks/RocksGlobals.h"

namespace rocks {

using namespace gamelib::api;

namespace {

// Hit sizes by the size argument, in the game's squared-distance unit.
constexpr int32_t kLargeHitSize = 350;
constexpr int32_t kMediumHitSize = 250;
constexpr int32_t kSmallHitSize = 200;
constexpr int32_t kBigSaucerHitSize = 430;
constexpr int32_t kBigSaucerHitPoints = 4;
constexpr int32_t kFirstAge = 5;
// The name "ufo" + type: the type follows the prefix.
constexpr int32_t kSaucerTypeAt = 3;
// Random placement keeps off the middle of the screen, where the ship starts, by this much from the edge.
constexpr int32_t kEdgeInset = 10;
// Random speeds: (level + (r rem 8) x 10) / 20.
constexpr int32_t kSpeedSpread = 8;
constexpr int32_t kSpeedStep = 10;
constexpr int32_t kSpeedDivisor = 20;
constexpr int32_t kLeastDx = 2;
constexpr int32_t kLeastDy = 3;
constexpr int32_t kFrameChoices = 4;
constexpr int32_t kDelayChoices = 5;
// Last frames before the animation starts again.
constexpr int32_t kLastFrame = 15;
constexpr int32_t kBigSaucerLastFrame = 10;
constexpr int32_t kStillLastFrame = 7;
// A still animation writes its frame after the first five characters of its name.
constexpr int32_t kStillNameLength = 5;
// A turning rock changes its quarter turn every four frames.
constexpr int32_t kFramesPerTurn = 4;
constexpr int32_t kSuffixLength = 3;
constexpr const char16_t* kTurnSuffixes[] = {nullptr, u"_up", u"_lv", u"_dn"};
constexpr int32_t kTurns = 4;

int32_t hitSizeOf(int32_t size) {
  switch (size) {
    case 1:
      return kLargeHitSize;
    case 2:
      return kMediumHitSize;
    default:
      return kSmallHitSize;
  }
}

int32_t randomSpeed() { return (level + nextRandom() % kSpeedSpread * kSpeedStep) / kSpeedDivisor; }

}  // namespace

FlyingO::FlyingO(int32_t x0, int32_t y0, int32_t dx0, int32_t dy0, int32_t speed, int32_t size, int32_t type,
                 DStringPtr name, int32_t delay)
    : hitSize(hitSizeOf(size)), imageName(std::move(name)) {
  const int32_t sum = size + type;
  if (sum == kStraightSum) {
    kind = KIND_STRAIGHT;
  } else if (sum == kStillSum) {
    kind = KIND_STILL;
  } else if (sum == kSaucerSum) {
    kind = nuv::lang::DInteger::parseInt(imageName->substring(kSaucerTypeAt));
    if (kind == 3) {
      kind = KIND_BIG_SAUCER;
      hitSize = kBigSaucerHitSize;
      fireTimer = 0;
      hitPoints = kBigSaucerHitPoints;
    } else {
      hitSize = kind == 2 ? kMediumHitSize : kSmallHitSize;
    }
  } else {
    imageName = ((DStringPtr(data::kRockPrefix) + size) + type) + u"0";
    kind = sum % 3 == 0 ? KIND_ROCK : KIND_TURNING_ROCK;
  }

  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  if (x0 == RANDOM) {
    x = static_cast<int32_t>(magnitude(nextRandom()) % w);
    y = static_cast<int32_t>(magnitude(nextRandom()) % h);
    // The middle of the screen, where the ship starts, stays free.
    if (h / 3 < y && y < h / 2) {
      y = kEdgeInset;
    } else if (h / 2 < y && y < 2 * h / 3) {
      y = h - kEdgeInset;
    } else if (w / 3 < x && x < w / 2) {
      x = kEdgeInset;
    } else if (w / 2 < x && x < 2 * w / 3) {
      x = w - kEdgeInset;
    }
  } else {
    x = x0;
    y = y0;
  }

  if (dx0 == RANDOM) {
    dx = randomSpeed();
    dy = randomSpeed();
    if (dx == 0) dx = kLeastDx;
    if (dy == 0) dy = kLeastDy;
    speedFactor = 1;
  } else {
    dx = kind == KIND_BIG_SAUCER ? dx0 >> 1 : dx0;
    dy = kind == KIND_BIG_SAUCER ? dy0 >> 1 : dy0;
    speedFactor = speed;
  }

  frame = static_cast<int32_t>(magnitude(nextRandom() % kFrameChoices));
  frameDelay = delay < 0 ? static_cast<int32_t>(magnitude(nextRandom() % kDelayChoices)) : delay;
  age = kFirstAge;
}

FlyingO::~FlyingO() { imageName = nullptr; }

void FlyingO::move() {
  if (kind != KIND_STILL) {
    x += speedFactor * dx;
    y += speedFactor * dy;
  }
  if (kind == KIND_STRAIGHT) return;

  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  if (!boundsOn) {
    // The large saucer goes its whole size past the edge before it comes back, the others a quarter.
    const int32_t jumpW = kind == KIND_BIG_SAUCER ? width : 0;
    const int32_t jumpH = kind == KIND_BIG_SAUCER ? height : 0;
    if (x > (width >> 2) + w + 1) {
      x -= jumpW + w + 1;
    } else if (x < -1 - (width >> 2)) {
      x += jumpW + w + 1;
    }
    if (y >= (height >> 2) + h + 1) {
      y -= jumpH + h + 1;
    } else if (y < -1 - (height >> 2)) {
      y += jumpH + h + 1;
    }
  } else {
    if (x > w) {
      x = w;
      dx = -dx;
    } else if (x < 0) {
      x = 0;
      dx = -dx;
    }
    if (y >= h) {
      y = h - 1;
      dy = -dy;
    } else if (y < 0) {
      y = 1;
      dy = -dy;
    }
  }

  frameTick = static_cast<int8_t>(frameTick + 1);
  if (frameTick > frameDelay) {
    frameTick = 0;
    frame += 1;
    if (kind == KIND_STILL && frame < kStillLastFrame) {
      imageName = imageName->substring(0, kStillNameLength) + frame;
    }
  }
  age += 1;

  switch (kind) {
    case KIND_SAUCER1:
    case KIND_SAUCER2:
    case KIND_ROCK:
      if (frame > kLastFrame) frame = 0;
      break;
    case KIND_BIG_SAUCER:
      if (frame > kBigSaucerLastFrame) frame = 0;
      break;
    case KIND_STILL:
      if (frame > kStillLastFrame) frame = kStillLastFrame;
      break;
    case KIND_TURNING_ROCK: {
      const int32_t turn = frame / kFramesPerTurn;
      const int32_t length = imageName->length();
      if (turn == kTurns) {
        frame = 0;
        imageName = imageName->substring(0, length - kSuffixLength);
      } else if (turn > 0 && turn < kTurns && !imageName->endsWith(kTurnSuffixes[turn])) {
        // The first quarter turn adds its suffix; the later ones replace the one before.
        DStringPtr base = turn == 1 ? imageName : imageName->substring(0, length - kSuffixLength);
        imageName = base + kTurnSuffixes[turn];
      }
      break;
    }
    default:
      break;
  }
}

bool FlyingO::paint(GameImagePtr image, int32_t w, int32_t h) {
  width = w;
  height = h;
  if (image.isNull()) return true;
  const int32_t sw = GameLib::screenWidth, sh = GameLib::screenHeight;
  const int32_t left = x - (w >> 1), top = y - (h >> 1);
  if (left >= sw || left + w < 1 || top >= sh || top + h < 1) return false;
  GameImage::draw(left, top, image);

  const bool wraps = kind == KIND_SAUCER1 || kind == KIND_SAUCER2 || kind == KIND_ROCK || kind == KIND_TURNING_ROCK;
  if (!wraps || boundsOn) return true;
  // The part that has crossed an edge shows at the other side; across a corner, at the diagonal place.
  int32_t x2 = left, y2 = top;
  bool crosses = false;
  if (left < 0) {
    x2 = sw + left;
    crosses = true;
  } else if (left + w > sw) {
    x2 = left - sw;
    crosses = true;
  }
  if (top < 0) {
    y2 = sh + top;
    crosses = true;
  } else if (top + h > sh) {
    y2 = top - sh;
    crosses = true;
  }
  if (crosses) GameImage::draw(x2, y2, image);
  return true;
}

void FlyingO::steer(DintArrayPtr nearest) {
  const DintArray& n = *nearest;
  const int32_t px = n[0], py = n[1], pdx = n[3], pdy = n[4];
  if (static_cast<int64_t>(px) * py < 0) {
    dx = nextRandom() % 2 - pdx;
    dy = nextRandom() % 2 - pdy;
  } else {
    dx = nextRandom() % 2 + pdx;
    dy = nextRandom() % 2 + pdy;
  }
  if (kind > KIND_SAUCER1 && nextRandom() % 2 + 1 > 0) {
    // Away from the ship.
    if (dx < 0 && ship->x - x < 0) dx = -dx;
    if (dy > 0 && ship->y - y < 0) dy = -dy;
  }
  if (kind == KIND_BIG_SAUCER) {
    dx >>= 1;
    dy >>= 1;
  }
}

}  // namespace rocks
