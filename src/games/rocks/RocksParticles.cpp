// The space-rocks game's particle bursts: the sequencer of each burst row, the filling of its records
// (ring, debris, sparks with their trails, exhaust puffs) and their motion and ageing.
#include "games/rocks/Rocks.h"

namespace rocks {

namespace {

// Record places within a burst row.
constexpr int32_t kRing = 0;
constexpr int32_t kFirstDebris = 1;
constexpr int32_t kDebrisCount = 4;
constexpr int32_t kFirstSpark = 5;
constexpr int32_t kSparkCount = 5;
constexpr int32_t kFirstTrail = 10;
constexpr int32_t kTrailPerSpark = 4;
// The ring shows 7 frames, 3 state steps each; debris lives 13 steps, a trail dot 5.
constexpr int32_t kRingStep = 3;
constexpr int32_t kRingFrames = 7;
constexpr int32_t kDebrisLife = 13;
constexpr int32_t kTrailLife = 4;
// Phases of a burst row: debris at 0, sparks at 2, a ring (or more debris) at 4; a row may end after 13.
constexpr int32_t kSparksPhase = 2;
constexpr int32_t kRingPhase = 4;
constexpr int32_t kExhaustPhase = 5;
constexpr int32_t kLastPhase = 13;
// Spread of the random offsets and speeds.
constexpr int32_t kDebrisOffset = 5;
constexpr int32_t kDebrisSpeed = 7;
constexpr int32_t kSparkSpeed = 14;
// The exhaust: 13 pixels behind the ship, 5 to a side, drifting back at 5/1024 of the heading.
constexpr int32_t kExhaustBack = 13;
constexpr int32_t kExhaustSide = 5;
constexpr int32_t kExhaustDrift = -5;
constexpr int32_t kParked = -100;

}  // namespace

void Rocks::updateParticles() {
  nuv::lang::DintArray2d& records = *particles;
  for (int32_t i = 0; i < burstCount * kRecordsPerBurst; ++i) {
    int32_t* p = records[i]->data();
    const int32_t s = p[P_STATE];
    if (s == FREE) continue;
    const int32_t k = i % kRecordsPerBurst;
    bool freed = false;
    if (k == kRing) {
      p[P_STATE] = s + kRingStep;
      freed = p[P_STATE] / kRingStep >= kRingFrames;
    } else if (k < kFirstSpark) {
      p[P_X] += p[P_DX];
      p[P_Y] += p[P_DY];
      p[P_DX] = p[P_DX] * 2 / 3;
      p[P_DY] = p[P_DY] * 2 / 3;
      p[P_STATE] = s + 1;
      freed = p[P_STATE] >= kDebrisLife;
    } else if (k < kFirstTrail) {
      // The spark leaves a dot where it was, in one of its four trail records by turn.
      int32_t* dot =
          records[kRecordsPerBurst * (i / kRecordsPerBurst) + kTrailPerSpark * k - kFirstTrail + s % 4]->data();
      dot[P_X] = p[P_X];
      dot[P_Y] = p[P_Y];
      dot[P_DX] = 0;
      dot[P_DY] = 0;
      dot[P_STATE] = 1;
      p[P_X] += p[P_DX];
      p[P_Y] += p[P_DY];
      p[P_DX] = p[P_DX] * 4 / 5;
      p[P_DY] = p[P_DY] * 4 / 5;
      p[P_STATE] = s + 1;
      freed = p[P_DX] == 0 && p[P_DY] == 0;
    } else {
      p[P_X] += p[P_DX];
      p[P_Y] += p[P_DY];
      p[P_STATE] = s + 1;
      freed = p[P_STATE] > kTrailLife;
    }
    if (freed) {
      p[P_STATE] = FREE;
      (*(*particleSlots)[i / kRecordsPerBurst])[BURST_COUNTER] -= 1;
    }
  }
}

void Rocks::updateExplosions() {
  int32_t highest = -1;
  for (int32_t i = 0; i < kBurstRows; ++i) {
    int32_t* slot = (*particleSlots)[i]->data();
    if (slot[BURST_PHASE] == FREE) continue;
    highest = i;
    switch (slot[BURST_PHASE]) {
      case 0:
        spawnParticles(slot[BURST_X], slot[BURST_Y], i, PARTICLE_DEBRIS);
        slot[BURST_COUNTER] += kDebrisCount;
        break;
      case kSparksPhase:
        slot[BURST_COUNTER] = 0;
        spawnParticles(slot[BURST_X], slot[BURST_Y], i, PARTICLE_SPARKS);
        slot[BURST_COUNTER] += kSparkCount;
        break;
      case kRingPhase:
        spawnParticles(slot[BURST_X], slot[BURST_Y], i, static_cast<int32_t>(magnitude(nextRandom() % 3)) + 1);
        slot[BURST_COUNTER] += 1;
        break;
      case kExhaustPhase:
        slot[BURST_COUNTER] += 1;
        break;
      default:
        break;
    }
    slot[BURST_PHASE] += 1;
    if (slot[BURST_COUNTER] < 1 && slot[BURST_PHASE] > kLastPhase) {
      // The row is free once none of its records lives any more.
      int32_t alive = 0;
      for (int32_t r = i * kRecordsPerBurst; r < (i + 1) * kRecordsPerBurst; ++r) {
        if ((*(*particles)[r])[P_STATE] != FREE) alive += 1;
      }
      if (alive > 0) {
        slot[BURST_COUNTER] = alive;
      } else {
        paintParticles(i, 0);
        slot[BURST_PHASE] = FREE;
      }
    }
  }
  burstCount = highest + 1;
}

void Rocks::spawnParticles(int32_t x, int32_t y, int32_t row, int32_t type) {
  nuv::lang::DintArray2d& records = *particles;
  const int32_t b = kRecordsPerBurst * row;
  auto set = [&](int32_t record, int32_t px, int32_t py, int32_t dx, int32_t dy, int32_t state) {
    int32_t* p = records[record]->data();
    p[P_X] = px;
    p[P_Y] = py;
    p[P_DX] = dx;
    p[P_DY] = dy;
    p[P_STATE] = state;
  };
  switch (type) {
    case 0:
    case PARTICLE_RING:
    case PARTICLE_RING + 1:
      set(b + kRing, x, y, 0, 0, type);
      playSound(SOUND_BURST);
      break;
    case PARTICLE_DEBRIS:
      for (int32_t r = b + kFirstDebris; r < b + kFirstDebris + kDebrisCount; ++r) {
        // The draws go in the order of the record's fields.
        const int32_t px = x + nextRandom() % kDebrisOffset;
        const int32_t py = y + nextRandom() % kDebrisOffset;
        const int32_t dx = nextRandom() % kDebrisSpeed;
        const int32_t dy = nextRandom() % kDebrisSpeed;
        set(r, px, py, dx, dy, 0);
      }
      playSound(SOUND_BURST);
      break;
    case PARTICLE_SPARKS:
      for (int32_t r = b + kFirstSpark; r < b + kFirstSpark + kSparkCount; ++r) {
        const int32_t dx = nextRandom() % kSparkSpeed;
        const int32_t dy = nextRandom() % kSparkSpeed;
        set(r, x, y, dx, dy, PARTICLE_SPARKS);
      }
      playSound(SOUND_BURST);
      break;
    case PARTICLE_EXHAUST: {
      for (int32_t r = b; r < b + kRecordsPerBurst; ++r) records[r]->data()[P_STATE] = FREE;
      Ship& s = *ship;
      const int32_t cx = s.directionX(s.frame, s.quadrant), cy = s.directionY(s.frame, s.quadrant);
      set(b + kFirstTrail, x, y, s.vx + ((kExhaustDrift * cx) >> 10), s.vy + ((kExhaustDrift * cy) >> 10), 0);
      break;
    }
    default:
      break;
  }
}

void Rocks::emitExhaust(int32_t side) {
  const int32_t s = side == 0 ? kExhaustSide : -kExhaustSide;
  for (int32_t row = 0; row < kBurstRows; ++row) {
    int32_t* slot = (*particleSlots)[row]->data();
    if (slot[BURST_PHASE] != FREE) continue;
    slot[BURST_X] = kParked;
    slot[BURST_Y] = kParked;
    slot[BURST_PHASE] = kExhaustPhase;
    Ship& sh = *ship;
    const int32_t cx = sh.directionX(sh.frame, sh.quadrant), cy = sh.directionY(sh.frame, sh.quadrant);
    spawnParticles(sh.x + ((-kExhaustBack * cx - cy * s) >> 10), sh.y + ((cx * s - kExhaustBack * cy) >> 10), row,
                   PARTICLE_EXHAUST);
    return;
  }
}

}  // namespace rocks
