// The space-rocks game's collision test with the nearest member it finds, the splitting of rocks, the
// saucers' aimed rockets and the extra life.
#include <cstdlib>

#include "gamelib/GameApi.h"
#include "games/rocks/Rocks.h"

namespace rocks {

using namespace gamelib::api;

namespace {

constexpr int32_t kExtraLifeScore = 5000;
// Members parked this far outside the screen's top or left take no part.
constexpr int32_t kParked = -25;
// The large saucer reaches further; sums of hit sizes from this on never hit.
constexpr int32_t kBigSaucerReach = 50;
constexpr int32_t kNoHitFrom = 700;
// Only large and medium rocks split.
constexpr int32_t kSplitFrom = 230;
constexpr int32_t kMediumRock = 250;
constexpr int32_t kSmallRock = 3;
constexpr int32_t kMediumSize = 2;
constexpr int32_t kSplitPoints = 100;
// The last piece flies against the others at twice their speed factor.
constexpr int32_t kLastPieceSpeed = 2;

// Rockets: straight ones at 4 pixels a step; three slants by |dx| x 10 / |dy| around these centres.
constexpr int32_t kStraightStep = 4;
constexpr int32_t kSlantCentres[] = {4, 10, 24};
constexpr int32_t kSlantSteps[][2] = {{2, 3}, {2, 2}, {3, 2}};
constexpr int32_t kRocketSize = 50;
constexpr int32_t kRocketSpeedFactor = 2;

}  // namespace

void Rocks::checkExtraLife() {
  if (score - extraLifeMark < kExtraLifeScore) return;
  extraLifeMark = score;
  ship->lives += 1;
}

DintArrayPtr Rocks::collide(FlyingOArrayPtr objects, FlyingOPtr object, int32_t objectIndex) {
  if (object.isNull()) return nullptr;
  FlyingO& o = *object;
  int32_t best = kNobodyNear;
  DintArrayPtr record = new DintArray(5);
  (*record)[NEAR_DISTANCE] = kNobodyNear;
  for (int32_t i = 0; i < objects->length; ++i) {
    FlyingOPtr member = (*objects)[i];
    if (member.isNull() || member->x < kParked || member->y < kParked) continue;
    FlyingO& m = *member;
    const int32_t d = scaledDistance(m.x, m.y, o.x, o.y);
    if (d < best) {
      best = d;
      DintArray& r = *record;
      r[NEAR_X] = m.x;
      r[NEAR_Y] = m.y;
      r[NEAR_DISTANCE] = d;
      r[NEAR_DX] = m.dx;
      r[NEAR_DY] = m.dy;
    }
    const int32_t reach = m.hitSize + o.hitSize + (o.kind == FlyingO::KIND_BIG_SAUCER ? kBigSaucerReach : 0);
    if (d > reach || reach >= kNoHitFrom) continue;

    // The object takes the member's size for the rest of the step.
    o.paint(nullptr, m.width, m.height);
    if (o.hitSize >= kSplitFrom && o.kind % 2 == 1) {
      splitRock(o.x, o.y, objectIndex);
    } else {
      o.hitPoints -= 1;
    }
    startBurst(o.x, o.y, o.x, o.y);
    if (m.hitSize >= kSplitFrom && m.kind % 2 == 1) {
      splitRock(m.x, m.y, i);
    } else {
      m.hitPoints -= 1;
    }
    FlyingOPtr now = (*objects)[i];
    if (!now.isNull() && now->hitPoints < 1) (*objects)[i] = nullptr;
    return nullptr;
  }
  return record;
}

void Rocks::splitRock(int32_t, int32_t, int32_t index) {
  playSound(SOUND_BURST);
  FlyingOPtr rock = (*rockArray)[index];
  if (rock.isNull()) return;
  award(kSplitPoints);

  const int32_t px = rock->x, py = rock->y;
  const int32_t t = (nextRandom() & 1) + 1;
  int32_t size = kSmallRock;
  int32_t count = 2;
  if (rock->hitSize != kMediumRock) {
    // A large rock: two medium pieces two times in three, else three small ones.
    size = nextRandom() % 3 == 0 ? kSmallRock : kMediumSize;
    count = 1;
  }
  FlyingOPtr first = new FlyingO(px, py, FlyingO::RANDOM, 0, 1, size, t, nullptr, -1);
  (*rockArray)[index] = first;
  int32_t sumX = first->dx, sumY = first->dy;

  if (size == kSmallRock) {
    for (int32_t i = 0; i < rockArray->length; ++i) {
      if (!(*rockArray)[i].isNull()) continue;
      if (count > 1) break;
      count += 1;
      const int32_t type = static_cast<int32_t>(magnitude(nextRandom() % 2)) + 1;
      FlyingOPtr middle = new FlyingO(px, py, FlyingO::RANDOM, 0, 1, kSmallRock, type, nullptr, -1);
      if (middle->dy == first->dy) middle->dy = -middle->dy;
      (*rockArray)[i] = middle;
      liveRocks += 1;
      sumX += middle->dx;
      sumY += middle->dy;
    }
  }

  for (int32_t i = 0; i < rockArray->length; ++i) {
    if (!(*rockArray)[i].isNull()) continue;
    const int32_t type = static_cast<int32_t>(magnitude(nextRandom() % 2)) + 1;
    (*rockArray)[i] = new FlyingO(px, py, -sumX, -sumY, kLastPieceSpeed, size, type, nullptr, -1);
    liveRocks += 1;
    break;
  }
}

void Rocks::startBurst(int32_t rowX, int32_t rowY, int32_t x, int32_t y) {
  for (int32_t row = 0; row < kBurstRows; ++row) {
    int32_t* slot = (*particleSlots)[row]->data();
    if (slot[BURST_PHASE] != FREE) continue;
    slot[BURST_X] = rowX;
    slot[BURST_Y] = rowY;
    slot[BURST_PHASE] = 0;
    if (burstCount < row + 1) burstCount = row + 1;
    spawnParticles(x, y, row, PARTICLE_DEBRIS);
    return;
  }
}

int32_t Rocks::launchRocket(int32_t saucerIndex, int32_t x, int32_t y, int32_t dx, int32_t dy) {
  DStringPtr name;
  int32_t stepX = 0, stepY = 0;
  const bool straightDown = std::abs(dx) <= 1, straightAcross = std::abs(dy) <= 1;
  if (straightDown) {
    name = dy > 0 ? u"rocket0_lv" : u"rocket0";
    stepY = dy > 0 ? kStraightStep : -kStraightStep;
  }
  if (straightAcross) {
    name = dx < 1 ? u"rocket0_up" : u"rocket0_dn";
    stepX = dx < 1 ? -kStraightStep : kStraightStep;
    stepY = 0;
  }
  if (!straightDown && !straightAcross) {
    const int32_t q = std::abs(dx) * 10 / std::abs(dy);
    int32_t k = -1;
    for (int32_t c = 0; c < 3 && k < 0; ++c) {
      if (kSlantCentres[c] - 1 <= q && q <= kSlantCentres[c] + 1) k = c;
    }
    if (k < 0) return 0;
    const int32_t a = kSlantSteps[k][0], b = kSlantSteps[k][1];
    if ((dx < 0) != (dy < 0)) {
      // Down and left, or up and right.
      name = dx < 0 ? (DStringPtr(data::kRocketPrefix) + (k + 1)) + u"_lv" : DStringPtr(data::kRocketPrefix) + (k + 1);
      stepX = dx < 0 ? -a : a;
      stepY = dx < 0 ? b : -b;
    } else {
      name = (DStringPtr(data::kRocketPrefix) + (3 - k)) + (dx > 0 ? u"_dn" : u"_up");
      stepX = dx > 0 ? a : -a;
      stepY = dx > 0 ? b : -b;
    }
  }
  for (int32_t i = 0; i < rockets->length; ++i) {
    if (!(*rockets)[i].isNull()) continue;
    (*rockets)[i] =
        new FlyingO(x, y, kRocketSpeedFactor * stepX, kRocketSpeedFactor * stepY, 1, kRocketSize, kRocketSize, name, 0);
    (*ufos)[saucerIndex]->fireTimer = 0;
    return 1;
  }
  return 0;
}

}  // namespace rocks
