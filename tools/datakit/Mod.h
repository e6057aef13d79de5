// Four-channel tracker modules: the module in memory, its writer, and a plain renderer for review.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Png.h"
#include "Wav.h"

namespace datakit {

struct ModSample {
  std::string name;
  std::vector<std::int8_t> data;  // even length, at most 131070 bytes
  int volume = 64;                // 0..64
  int loopStart = 0;              // bytes, even
  int loopLength = 0;             // bytes, even; under 4 means no loop
  int finetune = 0;               // -8..7
};

struct ModCell {
  int sample = 0;  // 0 none, 1..31
  int note = -1;   // index into the period table's first row, -1 none
  int effect = 0;  // 0..15
  int param = 0;   // 0..255
};

constexpr int kModChannels = 4;
constexpr int kModRows = 64;
using ModPattern = std::array<std::array<ModCell, kModChannels>, kModRows>;

struct Module {
  std::string title;
  std::vector<ModSample> samples;    // at most 31; sample number i + 1
  std::vector<ModPattern> patterns;  // at most 64
  std::vector<int> order;            // 1..128 entries
};

// The period of a note index 0..83 in the untuned row: index 12 is the tracker's C-1 (856).
int notePeriod(int note);
// Note indices a module may use: the tracker's classic three octaves, 12 (C-1) to 47 (B-3).
constexpr int kFirstNote = 12;
constexpr int kLastNote = 47;

// Throws std::invalid_argument naming the first limit the module breaks.
Bytes writeMod(const Module& module);

// Plays the module once through as the program's tracker does for the effects we write
// (notes, set volume, set speed, pattern break), for listening to and measuring.
Samples renderMod(const Module& module, int rate, int speed, int ticksPerSecond);

}  // namespace datakit
