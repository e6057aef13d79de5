// WAVE files of sound effects: 16-bit PCM, and Microsoft ADPCM through an encoder of our own.
#pragma once

#include <cstdint>
#include <vector>

#include "Png.h"

namespace datakit {

using Samples = std::vector<std::int16_t>;  // mono

Bytes writeWavPcm16(const Samples& samples, int rate);

// Microsoft ADPCM (format 2), mono, 4 bits a sample. The last block is padded with silence,
// since the program decodes whole blocks only.
Bytes writeWavAdpcm(const Samples& samples, int rate, int blockAlign = 256);

// The decoder the program uses, for the tests and for measuring what the encoder loses.
Samples decodeAdpcmData(const Bytes& data, int blockAlign, int samplesPerBlock);

struct WavInfo {
  int format = 0, channels = 0, rate = 0, bits = 0, blockAlign = 0, samplesPerBlock = 0;
  Bytes data;
};
// Walks the chunks as the program does; false when the file is not a WAVE it would accept.
bool readWav(const Bytes& file, WavInfo& info);

}  // namespace datakit
