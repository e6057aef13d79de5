// WAVE files of sound effects: 16-bit PCM, and Microsoft ADPCM through an encoder of our own.
#include "Wav.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

namespace datakit {

namespace {

constexpr int kAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230};
constexpr int kCoefficients[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};

void put16(Bytes& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
  b.push_back(static_cast<std::uint8_t>(v >> 8 & 0xFF));
}

void put32(Bytes& b, std::uint32_t v) {
  put16(b, static_cast<int>(v & 0xFFFF));
  put16(b, static_cast<int>(v >> 16));
}

void putTag(Bytes& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(tag[i]));
}

int get16(const Bytes& b, size_t at) { return static_cast<std::int16_t>(b[at] | b[at + 1] << 8); }
std::uint32_t get32(const Bytes& b, size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}

void putChunk(Bytes& b, const char* id, const Bytes& body) {
  putTag(b, id);
  put32(b, static_cast<std::uint32_t>(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  if (body.size() & 1) b.push_back(0);
}

int clamp16(int v) { return std::clamp(v, -32768, 32767); }

struct Channel {
  int coef1, coef2, delta, sample1, sample2;

  int predict() const { return (sample1 * coef1 + sample2 * coef2) / 256; }

  int decode(int nibble) {
    int signedNibble = nibble >= 8 ? nibble - 16 : nibble;
    int value = clamp16(predict() + signedNibble * delta);
    delta = std::max(16, kAdaptation[nibble] * delta / 256);
    sample2 = sample1;
    sample1 = value;
    return value;
  }

  int encode(int sample) {
    int error = sample - predict();
    int q = error >= 0 ? (error + delta / 2) / delta : -((-error + delta / 2) / delta);
    int nibble = std::clamp(q, -8, 7) & 15;
    decode(nibble);
    return nibble;
  }
};

// Encodes one block with the given predictor and starting delta; returns the squared error.
long long encodeBlock(const std::int16_t* in, int count, int predictor, int delta, std::vector<int>* nibbles) {
  Channel ch{kCoefficients[predictor][0], kCoefficients[predictor][1], delta, in[1], in[0]};
  long long error = 0;
  for (int i = 2; i < count; ++i) {
    int n = ch.encode(in[i]);
    long long d = ch.sample1 - in[i];
    error += d * d;
    if (nibbles) nibbles->push_back(n);
  }
  return error;
}

}  // namespace

Bytes writeWav(const WavLayout& layout, const Bytes& data) {
  const int blockAlign = layout.blockAlign != 0 ? layout.blockAlign : layout.channels * layout.bits / 8;
  Bytes fmt;
  put16(fmt, layout.format);
  put16(fmt, layout.channels);
  put32(fmt, static_cast<std::uint32_t>(layout.rate));
  put32(fmt, static_cast<std::uint32_t>(layout.bytesPerSecond != 0 ? layout.bytesPerSecond : layout.rate * blockAlign));
  put16(fmt, blockAlign);
  put16(fmt, layout.bits);
  fmt.insert(fmt.end(), layout.formatExtra.begin(), layout.formatExtra.end());
  Bytes chunks;
  putChunk(chunks, "fmt ", fmt);
  for (const WavChunk& c : layout.chunksBeforeData) putChunk(chunks, c.id.c_str(), c.body);
  putChunk(chunks, "data", data);
  Bytes out;
  putTag(out, "RIFF");
  put32(out, static_cast<std::uint32_t>(4 + chunks.size()));
  putTag(out, "WAVE");
  out.insert(out.end(), chunks.begin(), chunks.end());
  return out;
}

Bytes writeWavPcm16(const Samples& samples, int rate) {
  Bytes data;
  for (std::int16_t s : samples) put16(data, s);
  return writeWav({.rate = rate}, data);
}

Bytes writeWavAdpcm(const Samples& samples, int rate, int blockAlign) {
  const int perBlock = (blockAlign - 7) * 2 + 2;
  WavLayout layout{.format = kWavAdpcm,
                   .rate = rate,
                   .bits = 4,
                   .blockAlign = blockAlign,
                   .bytesPerSecond = static_cast<int>(static_cast<long long>(rate) * blockAlign / perBlock)};
  Bytes& extra = layout.formatExtra;
  put16(extra, 32);
  put16(extra, perBlock);
  put16(extra, 7);
  for (const auto& c : kCoefficients) {
    put16(extra, c[0]);
    put16(extra, c[1]);
  }
  Bytes data;
  std::vector<std::int16_t> block(static_cast<size_t>(perBlock));
  for (size_t start = 0; start < samples.size(); start += static_cast<size_t>(perBlock)) {
    for (size_t i = 0; i < block.size(); ++i) block[i] = start + i < samples.size() ? samples[start + i] : 0;
    int bestPredictor = 0, bestDelta = 16;
    long long best = LLONG_MAX;
    for (int p = 0; p < 7; ++p)
      for (int delta = 16; delta <= 4096; delta *= 2)
        if (long long e = encodeBlock(block.data(), perBlock, p, delta, nullptr); e < best) {
          best = e;
          bestPredictor = p;
          bestDelta = delta;
        }
    std::vector<int> nibbles;
    encodeBlock(block.data(), perBlock, bestPredictor, bestDelta, &nibbles);
    data.push_back(static_cast<std::uint8_t>(bestPredictor));
    put16(data, bestDelta);
    put16(data, block[1]);
    put16(data, block[0]);
    for (size_t i = 0; i < nibbles.size(); i += 2)
      data.push_back(static_cast<std::uint8_t>(nibbles[i] << 4 | nibbles[i + 1]));
  }
  return writeWav(layout, data);
}

Samples decodeAdpcmData(const Bytes& data, int blockAlign, int samplesPerBlock) {
  Samples out;
  for (size_t start = 0; start + static_cast<size_t>(blockAlign) <= data.size();
       start += static_cast<size_t>(blockAlign)) {
    int predictor = data[start];
    if (predictor >= 7) return {};
    Channel ch{kCoefficients[predictor][0], kCoefficients[predictor][1], get16(data, start + 1), get16(data, start + 3),
               get16(data, start + 5)};
    out.push_back(static_cast<std::int16_t>(ch.sample2));
    out.push_back(static_cast<std::int16_t>(ch.sample1));
    for (int i = 2; i < samplesPerBlock; ++i) {
      std::uint8_t byte = data[start + 7 + static_cast<size_t>(i - 2) / 2];
      out.push_back(static_cast<std::int16_t>(ch.decode(i % 2 == 0 ? byte >> 4 : byte & 15)));
    }
  }
  return out;
}

bool readWav(const Bytes& file, WavInfo& info) {
  if (file.size() < 36 || std::memcmp(file.data() + 12, "fmt ", 4) != 0) return false;
  std::uint32_t fmtSize = get32(file, 16);
  info.format = get16(file, 20);
  info.channels = get16(file, 22);
  info.rate = static_cast<int>(get32(file, 24));
  info.blockAlign = get16(file, 32);
  info.bits = get16(file, 34);
  if (info.format == kWavAdpcm && fmtSize >= 22) info.samplesPerBlock = get16(file, 38);
  // Every chunk of odd size, the format's too, is followed by its pad byte.
  for (size_t at = 20 + fmtSize + (fmtSize & 1); at + 8 <= file.size();) {
    std::uint32_t size = get32(file, at + 4);
    if (std::memcmp(file.data() + at, "data", 4) == 0) {
      if (at + 8 + size > file.size()) return false;
      info.data.assign(file.begin() + static_cast<long>(at + 8), file.begin() + static_cast<long>(at + 8 + size));
      return true;
    }
    at += 8 + size + (size & 1);
  }
  return false;
}

}  // namespace datakit
