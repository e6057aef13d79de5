// WAVE files of sound effects: 16-bit PCM, and Microsoft ADPCM through an encoder of our own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Png.h"

namespace datakit {

using Samples = std::vector<std::int16_t>;  // mono

// Format tags.
inline constexpr int kWavPcm = 1;
inline constexpr int kWavAdpcm = 2;
inline constexpr int kWavALaw = 6;
inline constexpr int kWavMuLaw = 7;

struct WavChunk {
  std::string id;  // four characters
  Bytes body;
};

// Any layout of a WAVE file: the format chunk's record, the chunks between it and "data", and the data.
struct WavLayout {
  int format = kWavPcm, channels = 1, rate = 22050, bits = 16;
  int blockAlign = 0;      // 0: channels * bits / 8
  int bytesPerSecond = 0;  // 0: rate * blockAlign
  Bytes formatExtra;       // after the record's 16 bytes
  std::vector<WavChunk> chunksBeforeData;
};

// Every chunk of odd size is followed by its pad byte, as RIFF has it.
Bytes writeWav(const WavLayout& layout, const Bytes& data);

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
