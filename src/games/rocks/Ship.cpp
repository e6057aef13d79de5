// The player's ship: headings, thrust, motion with the parallax it drives, hits and drawing.
#include "games/rocks/Ship.h"

#include "gamelib/GameApi.h"
#include "games/rocks/RocksGlobals.h"

namespace rocks {

using namespace gamelib::api;

namespace {

constexpr int32_t kStartLives = 3;
// The picture whose size is the ship's.
constexpr int32_t kSizeFrame = 4;
constexpr int32_t kHeadings = 16;
constexpr int32_t kStartPushes = 3;
constexpr int32_t kInvulnerableMs = 3000;
constexpr int32_t kBlinkMs = 100;
// A hit spins the ship by up to this many steps either way.
constexpr int32_t kSpinSpread = 20;
// Star layers move 1/8, 1/2 and 2 times the ship's motion: 8192 (1/8 in 16.16) times 4 per layer.
constexpr int32_t kStarPace = 8192;
constexpr int32_t kLayerFactor = 4;
// The background moves a quarter of the ship's motion.
constexpr int32_t kBackgroundPace = 16384;
constexpr int32_t kFixedOne = 65536;
constexpr int32_t kThousand = 1000;
// The gun straight left or right of the ship, where the text table has no value for it.
constexpr int32_t kSideGun = 4;
// The gun by heading of the first quarter turn, when the text table lacks a value.
constexpr int32_t kDefaultGunX[] = {4, 3, 2, 0};
constexpr int32_t kDefaultGunY[] = {-2, -3, -4, -4};
constexpr int32_t kMissingTextDrop = 15;
constexpr int32_t kMissingTextColour = 0xFF0000;

// The quarter turns in turning-left order, and the first image of each in `images`.
constexpr const char16_t* kLeftTurnOrder[] = {Ship::QUADRANT_RIGHT_UP, Ship::QUADRANT_LEFT_UP, Ship::QUADRANT_LEFT_DOWN,
                                              Ship::QUADRANT_RIGHT_DOWN};
constexpr int32_t kImageBase[] = {0, 8, 4, 12};
// Stylus numbering of the same quarter turns.
constexpr int32_t kStylusNumber[] = {2, 0, 1, 3};

int64_t now() { return DSystem::currentTimeMillis(); }

// Index in kLeftTurnOrder; -1 for an unknown text.
int32_t turnIndex(const DStringPtr& quadrant) {
  if (quadrant.isNull()) return -1;
  for (int32_t i = 0; i < 4; ++i) {
    if (quadrant->equals(kLeftTurnOrder[i])) return i;
  }
  return -1;
}

int32_t gunValue(const char16_t* axis, int32_t frame) {
  DStringPtr key = (DStringPtr(axis) + frame) + u"k";
  return TextTable::getInt(key, axis[1] == u'x' ? kDefaultGunX[frame - 1] : kDefaultGunY[frame - 1]);
}

// Wraps a 16.16 coordinate into 0 .. size pixels.
int32_t wrapped(int32_t v, int32_t size) {
  const int32_t limit = size * kFixedOne;
  if (v < 0) return v + limit;
  if (v >= limit) return v - limit;
  return v;
}

}  // namespace

Ship::~Ship() {
  images = nullptr;
  quadrant = nullptr;
}

int32_t Ship::quadrantNumber(const DStringPtr& q) {
  const int32_t i = turnIndex(q);
  return i < 0 ? -1 : kStylusNumber[i];
}

void Ship::reset() {
  lives = TextTable::getInt(data::kLivesKey, kStartLives);
  frame = kFramesPerQuadrant;
  rampIndex = 0;
  x = GameLib::screenWidth / 2;
  y = GameLib::screenHeight / 2;
  quadrant = QUADRANT_RIGHT_UP;
  changed = true;
  rampMax = speedTable->length - 1;
  GameImagePtr sizer = GameImage::create(DStringPtr(data::kShipPrefix) + kSizeFrame);
  width = sizer.isNull() ? 0 : sizer->w;
  height = sizer.isNull() ? 0 : sizer->h;
  spin = 0;
  // One of the eight headings halfway between the 45-degree directions.
  int32_t turns = static_cast<int32_t>(magnitude(nextRandom()) % kHeadings);
  if (turns % 2 == 0) turns += 1;
  for (int32_t i = 0; i < turns; ++i) turnLeft();
  vx = vy = 0;
  for (int32_t i = 0; i < kStartPushes; ++i) thrust();
  invulnerable = false;
  visible = false;
}

void Ship::loadImages() {
  images = new GameImageArray(kHeadings);
  for (int32_t n = 1; n <= kFramesPerQuadrant; ++n) {
    DStringPtr name = DStringPtr(data::kShipPrefix) + n;
    (*images)[n - 1] = GameImage::create(name);
    (*images)[n + 3] = GameImage::create(name + QUADRANT_LEFT_DOWN);
    (*images)[n + 7] = GameImage::create(name + QUADRANT_LEFT_UP);
    (*images)[n + 11] = GameImage::create(name + QUADRANT_RIGHT_DOWN);
  }
}

DintArrayPtr Ship::getGunOffset() {
  DintArrayPtr gun = new DintArray(2);
  DintArray& g = *gun;
  const int32_t f = frame;
  if (quadrant.isNull()) return gun;
  if (quadrant->equals(QUADRANT_RIGHT_UP)) {
    g[0] = gunValue(u"dx", f);
    g[1] = gunValue(u"dy", f);
  } else if (quadrant->equals(QUADRANT_LEFT_UP)) {
    if (f == kFramesPerQuadrant) {
      g[0] = -kSideGun;
    } else {
      g[0] = -gunValue(u"dx", kFramesPerQuadrant - f);
      g[1] = gunValue(u"dy", kFramesPerQuadrant - f);
    }
  } else if (quadrant->equals(QUADRANT_LEFT_DOWN)) {
    g[0] = -gunValue(u"dx", f);
    g[1] = -gunValue(u"dy", f);
  } else if (quadrant->equals(QUADRANT_RIGHT_DOWN)) {
    if (f == kFramesPerQuadrant) {
      g[0] = kSideGun;
    } else {
      g[0] = gunValue(u"dx", kFramesPerQuadrant - f);
      g[1] = -gunValue(u"dy", kFramesPerQuadrant - f);
    }
  }
  return gun;
}

void Ship::hit() {
  if (rocks::invulnerable || invulnerable) return;
  if (lives <= 0) return;
  lives -= 1;
  spin = nextRandom() % kSpinSpread;
  invulnerable = true;
  visible = true;
  hitTime = blinkTime = now();
}

void Ship::turnLeft() {
  frame += 1;
  rampIndex = 0;
  if (frame == kFramesPerQuadrant + 1) {
    const int32_t i = turnIndex(quadrant);
    quadrant = kLeftTurnOrder[(i + 1) % 4];
    frame = 1;
  }
  thrust();
}

void Ship::turnRight() {
  frame -= 1;
  rampIndex = 0;
  if (frame == 0) {
    const int32_t i = turnIndex(quadrant);
    quadrant = kLeftTurnOrder[(i + 3) % 4];
    frame = kFramesPerQuadrant;
  }
  thrust();
}

void Ship::thrust() {
  rampIndex += 1;
  int32_t ax = 0, ay = 0;
  if (rampIndex <= rampMax) {
    const int32_t s = (*speedTable)[rampIndex];
    ax = s * directionX(frame, quadrant) / kThousand;
    ay = s * directionY(frame, quadrant) / kThousand;
  } else {
    rampIndex = rampMax;
  }
  // A push that would reach the top speed is dropped whole.
  const int32_t top = (*speedTable)[rampMax];
  const int32_t nx = vx + ax, ny = vy + ay;
  if (nx * nx + ny * ny < top * top) {
    vx = nx;
    vy = ny;
  }
}

bool Ship::move() {
  if (invulnerable && now() - hitTime > kInvulnerableMs) invulnerable = false;
  if (spin > 0) {
    turnLeft();
    spin -= 1;
  } else if (spin < 0) {
    turnRight();
    spin += 1;
  }

  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  if (!stars.isNull()) {
    int32_t pace = kStarPace;
    for (int32_t layer = 0; layer < starLayers; ++layer, pace *= kLayerFactor) {
      const int32_t shiftX = vx * pace, shiftY = vy * pace;
      for (int32_t i = layer * starsPerLayer; i < (layer + 1) * starsPerLayer; ++i) {
        int32_t* star = (*stars)[i]->data();
        star[0] = wrapped(star[0] - shiftX, w);
        star[1] = wrapped(star[1] - shiftY, h);
      }
    }
  }
  if (!background.isNull()) {
    backgroundX = wrapped(backgroundX + vx * kBackgroundPace, background->getWidth());
    backgroundY = wrapped(backgroundY + vy * kBackgroundPace, background->getHeight());
  }

  x += vx;
  y += vy;
  if (!boundsOn) {
    const int32_t qw = width / 4, qh = height / 4;
    if (x > w + qw + 1) {
      x -= w + 1;
    } else if (x < -1 - qw) {
      x += w + 1;
    }
    if (y >= h + qh + 1) {
      y -= h + 1;
    } else if (y < -1 - qh) {
      y += h + 1;
    }
  } else {
    if (x > w) {
      vx = -vx;
      x = w;
    } else if (x < 0) {
      x = 0;
      vx = -vx;
    }
    if (y >= h) {
      vy = -vy;
      y = h;
    } else if (y < 0) {
      y = 0;
      vy = -vy;
    }
  }
  return vx != 0 || vy != 0;
}

void Ship::paint() {
  if (lives < 1) return;
  const int32_t i = turnIndex(quadrant);
  GameImagePtr image = i < 0 || images.isNull() ? nullptr : GameImagePtr((*images)[kImageBase[i] + frame - 1]);
  if (image.isNull()) {
    DGraphics& g = *GameLib::graphics;
    g.setColor(kMissingTextColour);
    DStringPtr q = quadrant.isNull() ? DStringPtr(u"") : quadrant;
    g.drawString((DStringPtr(data::kShipPrefix) + frame) + q + u" - not found", x, y + kMissingTextDrop,
                 DGraphics::BASELINE_CENTRE);
    changed = false;
    return;
  }
  if (invulnerable && now() - blinkTime > kBlinkMs) {
    visible = !visible;
    blinkTime = now();
  }
  const int32_t left = x - width / 2, top = y - height / 2;
  drawBlinking(image, left, top);

  if (!boundsOn) {
    // Past an edge the ship shows at the other side too; across a corner, at the diagonal place.
    const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
    int32_t x2 = left, y2 = top;
    bool crosses = false;
    if (left < 0) {
      x2 = left + w;
      crosses = true;
    } else if (left + width > w) {
      x2 = left - w;
      crosses = true;
    }
    if (top < 0) {
      y2 = top + h;
      crosses = true;
    } else if (top + height > h) {
      y2 = top - h;
      crosses = true;
    }
    if (crosses) drawBlinking(image, x2, y2);
  }
  changed = false;
}

void Ship::drawBlinking(const GameImagePtr& image, int32_t left, int32_t top) {
  if (!invulnerable || visible) GameImage::draw(left, top, image);
}

int32_t Ship::directionX(int32_t f, DStringPtr q) {
  const DintArray& a = *angleTable;
  switch (turnIndex(q)) {
    case 0:
      return a[f - 1];
    case 1:
      return -a[f + 3];
    case 2:
      return -a[f - 1];
    case 3:
      return a[f + 3];
    default:
      return 0;
  }
}

int32_t Ship::directionY(int32_t f, DStringPtr q) {
  const DintArray& a = *angleTable;
  switch (turnIndex(q)) {
    case 0:
      return -a[f + 3];
    case 1:
      return -a[f - 1];
    case 2:
      return a[f + 3];
    case 3:
      return a[f - 1];
    default:
      return 0;
  }
}

}  // namespace rocks
