// The tracker's effects: one small case per effect number, row work and tick work kept apart.
#include "sound/aud/audMusicChannel.h"

using namespace aud;

namespace {

constexpr int kArpeggioSteps = 3;
constexpr int kVibratoPositions = 2 * kVibratoSteps;
constexpr int kSpeedLimit = 32;  // F parameters up to this set ticks per row, above it the tempo
constexpr int kRowsPerBreakDigit = 10;

}  // namespace

const audMusicChannel::RowEffect audMusicChannel::kRowEffects[16] = {
    rowCase<&audMusicChannel::rowArpeggio>,        // 0
    rowCase<&audMusicChannel::rowPortamento>,      // 1 up
    rowCase<&audMusicChannel::rowPortamento>,      // 2 down
    rowCase<&audMusicChannel::rowTonePortamento>,  // 3
    rowCase<&audMusicChannel::rowVibrato>,         // 4
    rowCase<&audMusicChannel::rowVolumeSlide>,     // 5 tone portamento + volume slide
    rowCase<&audMusicChannel::rowVolumeSlide>,     // 6 vibrato + volume slide
    rowCase<&audMusicChannel::rowNothing>,         // 7 tremolo
    rowCase<&audMusicChannel::rowNothing>,         // 8 pan
    rowCase<&audMusicChannel::rowSampleOffset>,    // 9
    rowCase<&audMusicChannel::rowVolumeSlide>,     // A
    rowCase<&audMusicChannel::rowPositionJump>,    // B
    rowCase<&audMusicChannel::rowSetVolume>,       // C
    rowCase<&audMusicChannel::rowPatternBreak>,    // D
    rowCase<&audMusicChannel::rowExtended>,        // E
    rowCase<&audMusicChannel::rowSpeed>,           // F
};

const audMusicChannel::RowEffect audMusicChannel::kExtendedRowEffects[16] = {
    rowCase<&audMusicChannel::rowNothing>,      rowCase<&audMusicChannel::rowNothing>,         // E0, E1
    rowCase<&audMusicChannel::rowNothing>,      rowCase<&audMusicChannel::rowNothing>,         // E2, E3
    rowCase<&audMusicChannel::rowNothing>,      rowCase<&audMusicChannel::rowNothing>,         // E4, E5
    rowCase<&audMusicChannel::rowPatternLoop>,  rowCase<&audMusicChannel::rowNothing>,         // E6, E7
    rowCase<&audMusicChannel::rowNothing>,      rowCase<&audMusicChannel::rowNothing>,         // E8, E9
    rowCase<&audMusicChannel::rowFineVolumeUp>, rowCase<&audMusicChannel::rowFineVolumeDown>,  // EA, EB
    rowCase<&audMusicChannel::rowNoteCut>,      rowCase<&audMusicChannel::rowNoteDelay>,       // EC, ED
    rowCase<&audMusicChannel::rowPatternDelay>, rowCase<&audMusicChannel::rowNothing>,         // EE, EF
};

const audMusicChannel::TickEffect audMusicChannel::kTickEffects[16] = {
    tickCase<&audMusicChannel::tickArpeggio>,             // 0
    tickCase<&audMusicChannel::tickPortamentoUp>,         // 1
    tickCase<&audMusicChannel::tickPortamentoDown>,       // 2
    tickCase<&audMusicChannel::tickTonePortamento>,       // 3
    tickCase<&audMusicChannel::tickVibrato>,              // 4
    tickCase<&audMusicChannel::tickTonePortamentoSlide>,  // 5
    tickCase<&audMusicChannel::tickVibratoSlide>,         // 6
    tickCase<&audMusicChannel::tickNothing>,              // 7
    tickCase<&audMusicChannel::tickNothing>,              // 8
    tickCase<&audMusicChannel::tickNothing>,              // 9
    tickCase<&audMusicChannel::tickVolumeSlide>,          // A
    tickCase<&audMusicChannel::tickNothing>,              // B
    tickCase<&audMusicChannel::tickNothing>,              // C
    tickCase<&audMusicChannel::tickNothing>,              // D
    tickCase<&audMusicChannel::tickExtended>,             // E
    tickCase<&audMusicChannel::tickNothing>,              // F
};

const audMusicChannel::TickEffect audMusicChannel::kExtendedTickEffects[16] = {
    tickCase<&audMusicChannel::tickNothing>,   tickCase<&audMusicChannel::tickNothing>,
    tickCase<&audMusicChannel::tickNothing>,   tickCase<&audMusicChannel::tickNothing>,
    tickCase<&audMusicChannel::tickNothing>,   tickCase<&audMusicChannel::tickNothing>,
    tickCase<&audMusicChannel::tickNothing>,   tickCase<&audMusicChannel::tickNothing>,
    tickCase<&audMusicChannel::tickNothing>,   tickCase<&audMusicChannel::tickNothing>,
    tickCase<&audMusicChannel::tickNothing>,   tickCase<&audMusicChannel::tickNothing>,
    tickCase<&audMusicChannel::tickNoteCut>,    // EC
    tickCase<&audMusicChannel::tickNoteDelay>,  // ED
    tickCase<&audMusicChannel::tickNothing>,   tickCase<&audMusicChannel::tickNothing>,
};

// Row effects.

void audMusicChannel::rowArpeggio(Voice& v, const Cell& c) {
  if (c.parameter == 0) return;
  v.arpeggioCounter = 0;
  v.arpeggioStep[0] = v.step;
  v.arpeggioStep[1] = stepAt(periodOf(v.noteIndex, c.x));
  v.arpeggioStep[2] = stepAt(periodOf(v.noteIndex, c.y));
}

void audMusicChannel::rowPortamento(Voice& v, const Cell&) { v.portamentoPeriod = v.period; }

void audMusicChannel::rowTonePortamento(Voice& v, const Cell& c) {
  if (c.period != 0) {
    v.tonePortamentoTarget = periodOf(finetuneOf(v) * kNotes + nearestNoteOf(c.period));
  } else if (v.tonePortamentoTarget == 0) {
    v.tonePortamentoTarget = periodOf(v.noteIndex);
  }
  if (c.parameter != 0) v.tonePortamentoSpeed = c.parameter;
}

void audMusicChannel::rowVibrato(Voice& v, const Cell& c) {
  if (c.parameter == 0) return;
  v.vibratoPosition = 0;
  v.vibratoSpeed = c.x;
  v.vibratoDepth = c.y;
}

void audMusicChannel::rowVolumeSlide(Voice& v, const Cell& c) {
  v.volumeSlide = c.parameter == 0 ? 0 : (c.x != 0 ? c.x : -c.y);
}

void audMusicChannel::rowSampleOffset(Voice& v, const Cell& c) {
  if (c.parameter != 0) v.sampleOffsetMemory = static_cast<uint32_t>(c.parameter * 256) << kTrackerFraction;
  v.position = v.sampleOffsetMemory;
}

void audMusicChannel::rowPositionJump(Voice&, const Cell& c) {
  if (!loop && c.parameter <= order) {
    nextOrder = static_cast<uint32_t>(songLength);  // a jump back ends a song that does not loop
  } else {
    nextOrder = static_cast<uint32_t>(jumpTarget(c.parameter));
    nextRow = 0;
  }
}

void audMusicChannel::rowSetVolume(Voice& v, const Cell& c) {
  applyVolume(v, c.parameter > kMaxVolume ? kMaxVolume : c.parameter);
}

void audMusicChannel::rowPatternBreak(Voice&, const Cell& c) {
  int next = order + 1;
  nextOrder = static_cast<uint32_t>(next < songLength ? next : (loop ? restartOrder : songLength));
  int target = kRowsPerBreakDigit * c.x + c.y;
  nextRow = static_cast<uint32_t>(target < kRowsPerPattern ? target : 0);
}

void audMusicChannel::rowExtended(Voice& v, const Cell& c) { kExtendedRowEffects[c.x](*this, v, c); }

void audMusicChannel::rowSpeed(Voice&, const Cell& c) {
  if (c.parameter == 0) return;
  if (c.parameter <= kSpeedLimit) {
    speed = c.parameter;
  } else {
    ticksPerSecond = c.parameter * 2 / 5;
    computeFramesPerTick();
  }
}

void audMusicChannel::rowPatternLoop(Voice& v, const Cell& c) {
  if (!v.loopActive) {
    if (c.y == 0) {
      v.loopStartRow = row;
      return;
    }
    v.loopActive = true;
    v.loopRemaining = c.y;
  } else {
    if (c.y == 0) return;
    if (--v.loopRemaining <= 0) {
      v.loopActive = false;
      return;
    }
  }
  nextOrder = static_cast<uint32_t>(order);
  nextRow = static_cast<uint32_t>(v.loopStartRow);
}

void audMusicChannel::rowFineVolumeUp(Voice& v, const Cell& c) {
  applyVolume(v, v.volume + c.y > kMaxVolume ? kMaxVolume : v.volume + c.y);
}

void audMusicChannel::rowFineVolumeDown(Voice& v, const Cell& c) {
  applyVolume(v, v.volume - c.y < 0 ? 0 : v.volume - c.y);
}

void audMusicChannel::rowNoteCut(Voice& v, const Cell& c) { v.noteCutCounter = c.y; }

void audMusicChannel::rowNoteDelay(Voice& v, const Cell& c) {
  v.noteDelayCounter = c.y - 1;
  v.delayedPeriod = c.period;
}

void audMusicChannel::rowPatternDelay(Voice&, const Cell& c) { patternDelay = c.y; }

// Tick effects.

void audMusicChannel::tickArpeggio(Voice& v) {
  if (v.parameter == 0) return;
  v.arpeggioCounter = (v.arpeggioCounter + 1) % kArpeggioSteps;
  v.step = v.arpeggioStep[v.arpeggioCounter];
}

void audMusicChannel::tickPortamentoUp(Voice& v) {
  v.portamentoPeriod -= v.parameter;
  if (v.portamentoPeriod < kMinSlidePeriod) v.portamentoPeriod = kMinSlidePeriod;
  v.period = v.portamentoPeriod;
  v.step = stepAt(v.period);
}

void audMusicChannel::tickPortamentoDown(Voice& v) {
  v.portamentoPeriod += v.parameter;
  if (v.portamentoPeriod > kMaxPeriod) v.portamentoPeriod = kMaxPeriod;
  v.period = v.portamentoPeriod;
  v.step = stepAt(v.period);
}

void audMusicChannel::tickTonePortamento(Voice& v) {
  int target = v.tonePortamentoTarget;
  if (target == 0) return;
  if (v.period < target) {
    v.period = v.period + v.tonePortamentoSpeed > target ? target : v.period + v.tonePortamentoSpeed;
  } else if (v.period > target) {
    v.period = v.period - v.tonePortamentoSpeed < target ? target : v.period - v.tonePortamentoSpeed;
  }
  v.step = stepAt(v.period);
}

void audMusicChannel::tickTonePortamentoSlide(Voice& v) {
  tickTonePortamento(v);
  tickVolumeSlide(v);
}

void audMusicChannel::tickVibrato(Voice& v) {
  int p = v.vibratoPosition % kVibratoPositions;
  int delta = p < kVibratoSteps ? (kVibratoSine[p] * v.vibratoDepth >> 7)
                                : -(kVibratoSine[p - kVibratoSteps] * v.vibratoDepth >> 7);
  v.step = stepAt(v.period + delta);  // the period itself stays
  v.vibratoPosition = (p + v.vibratoSpeed) % kVibratoPositions;
}

void audMusicChannel::tickVibratoSlide(Voice& v) {
  tickVibrato(v);
  tickVolumeSlide(v);
}

void audMusicChannel::tickVolumeSlide(Voice& v) {
  int volume = v.volume + v.volumeSlide;
  applyVolume(v, volume < 0 ? 0 : (volume > kMaxVolume ? kMaxVolume : volume));
}

void audMusicChannel::tickExtended(Voice& v) { kExtendedTickEffects[v.x](*this, v); }

void audMusicChannel::tickNoteCut(Voice& v) {
  if (v.noteCutCounter != 0) --v.noteCutCounter;
  if (v.noteCutCounter == 0) v.effectiveVolume = 0;
}

void audMusicChannel::tickNoteDelay(Voice& v) {
  if (v.noteDelayCounter == -1) {
    // A delay without a note has nothing to start.
    if (v.delayedPeriod != 0) {
      v.period = v.delayedPeriod > kMaxPeriod ? kMaxPeriod : v.delayedPeriod;
      v.step = stepAt(v.period);
    }
    v.noteDelayCounter = static_cast<int>(kNone);
  } else if (v.noteDelayCounter != static_cast<int>(kNone)) {
    --v.noteDelayCounter;
  }
}
