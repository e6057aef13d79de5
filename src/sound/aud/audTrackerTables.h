// Constants of the module format and the tracker: periods, vibrato curve, layout of the module image.
#pragma once

#include <cstdint>

namespace aud {

inline constexpr int kFinetunes = 16;
inline constexpr int kNotes = 84;  // 7 octaves of 12 notes
inline constexpr int kVibratoSteps = 32;

// The effect numbers a row's note looks at: the tone portamentos slide to it instead of starting it, and the
// extended effect's note delay starts it later.
inline constexpr int kEffectTonePortamento = 0x3;
inline constexpr int kEffectTonePortamentoSlide = 0x5;
inline constexpr int kEffectExtended = 0xE;
inline constexpr int kExtendedNoteDelay = 0xD;

extern const uint16_t kPeriodTable[kFinetunes][kNotes];
extern const uint8_t kVibratoSine[kVibratoSteps];

// The largest period of the tables; step and nearest-note tables have one entry per period up to it.
inline constexpr int kMaxPeriod = 1712;
inline constexpr int kPeriodEntries = kMaxPeriod + 1;
// Portamento down stops at the smallest period the slides may reach.
inline constexpr int kMinSlidePeriod = 13;

// The Amiga's clock that turns a period into a frequency: frequency = kPeriodClock / (2 x period).
inline constexpr uint64_t kPeriodClock = 7159090;
// Music positions and steps are bytes of sample in 20.12 fixed point.
inline constexpr int kTrackerFraction = 12;

// Module image layout.
inline constexpr int kSampleCount = 31;
inline constexpr int kSampleHeaderOffset = 20;
inline constexpr int kSampleHeaderSize = 30;
inline constexpr int kSampleNameSize = 22;
inline constexpr int kSongLengthOffset = 950;
inline constexpr int kRestartOffset = 951;
inline constexpr int kOrderTableOffset = 952;
inline constexpr int kOrderEntries = 128;
inline constexpr int kTagOffset = 1080;
inline constexpr int kPatternDataOffset = 1084;
inline constexpr int kRowsPerPattern = 64;
inline constexpr int kCellBytes = 4;
inline constexpr int kMaxTrackerChannels = 32;
// A restart byte of 127 means "no restart order".
inline constexpr int kNoRestart = 127;
inline constexpr int kMaxFinetune = 15;
inline constexpr int kMaxVolume = 64;

}  // namespace aud
