// Loading RIFF WAVE images: PCM as it is, Microsoft ADPCM decoded to 16-bit.
#include "sound/aud/audSound.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr size_t kFormatIdOffset = 12;
constexpr size_t kFormatBodyOffset = 20;
constexpr size_t kChunkHeaderSize = 8;
constexpr size_t kPcmFormatSize = 16;
constexpr size_t kAdpcmSamplesPerBlockOffset = 18;  // within the format chunk's body
constexpr size_t kAdpcmCoefficientCountOffset = 20;
constexpr size_t kAdpcmCoefficientsOffset = 22;
constexpr uint16_t kPcmFormatTag = 1;
constexpr uint16_t kAdpcmFormatTag = 2;
// The format's real tag is then the first two bytes of a sub-format GUID, whose other 14 bytes are these.
constexpr uint16_t kExtensibleFormatTag = 0xFFFE;
constexpr size_t kExtensibleFormatSize = 40;
constexpr size_t kSubFormatOffset = 24;  // within the format chunk's body
constexpr uint8_t kSubFormatRest[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr int kAdpcmCoefficientPairs = 7;
// Per channel: predictor index (1 byte), delta, sample 1, sample 2 (2 bytes each).
constexpr int kAdpcmHeaderBytes = 7;
constexpr int32_t kMinAdpcmDelta = 16;
// Far above any step a real encoder reaches (a few ten thousand); held there, the next adaptation
// (at most 768 / 256 of it) cannot leave 32 bits, however hostile the codes.
constexpr int32_t kMaxAdpcmDelta = INT32_MAX / 768;
// A frame position is frames << 8 in 32 bits.
constexpr uint32_t kMaxFrames = (1u << 24) - 1;

// How the ADPCM step size adapts to each 4-bit code.
constexpr int32_t kAdpcmAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                          768, 614, 512, 409, 307, 230, 230, 230};

uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
int16_t s16(const uint8_t* p) { return static_cast<int16_t>(u16(p)); }
uint32_t u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

struct AdpcmState {
  int32_t coefficient1;
  int32_t coefficient2;
  int32_t delta;
  int32_t sample1;  // the latest sample
  int32_t sample2;
};

// The offset of the chunk after the one at `offset`: RIFF pads a chunk of odd size with one byte.
uint64_t nextChunk(uint64_t offset, uint64_t size) { return offset + kChunkHeaderSize + size + (size & 1); }

// 8- and 16-bit frames the mixer plays as they are: PCM, also when told in the extensible format.
bool isPcm(uint16_t formatTag, const uint8_t* format, uint64_t formatSize) {
  if (formatTag == kPcmFormatTag) return true;
  return formatTag == kExtensibleFormatTag && formatSize >= kExtensibleFormatSize &&
         u16(format + kSubFormatOffset) == kPcmFormatTag &&
         std::memcmp(format + kSubFormatOffset + 2, kSubFormatRest, sizeof kSubFormatRest) == 0;
}

int16_t decodeAdpcmNibble(AdpcmState& s, uint8_t nibble) {
  int32_t signedNibble = nibble >= 8 ? nibble - 16 : nibble;
  // Rounded down (an arithmetic shift), as encoders predict: dividing with truncation drifts away from the
  // encoder on every negative prediction. Two full-scale products already need 32 bits and a sign.
  int64_t predicted = ((int64_t{s.sample1} * s.coefficient1 + int64_t{s.sample2} * s.coefficient2) >> 8) +
                      int64_t{signedNibble} * s.delta;
  predicted = std::clamp<int64_t>(predicted, -32768, 32767);
  s.delta = std::clamp(kAdpcmAdaptation[nibble] * s.delta / 256, kMinAdpcmDelta, kMaxAdpcmDelta);
  s.sample2 = s.sample1;
  s.sample1 = static_cast<int32_t>(predicted);
  return static_cast<int16_t>(predicted);
}

}  // namespace

void audSound::freeData() {
  owned_.clear();
  owned_.shrink_to_fit();
  data = nullptr;
  frames = 0;
  ownsData = false;
}

bool audSound::decodeAdpcm(const uint8_t* in, size_t bytes, int channels, int blockAlign, int samplesPerBlock,
                           const int16_t (*coefficients)[2], std::vector<int16_t>& out) {
  size_t blocks = bytes / static_cast<size_t>(blockAlign);
  out.clear();
  out.reserve(blocks * static_cast<size_t>(samplesPerBlock) * static_cast<size_t>(channels));
  for (size_t b = 0; b < blocks; ++b) {
    const uint8_t* block = in + b * static_cast<size_t>(blockAlign);
    AdpcmState state[2];
    for (int c = 0; c < channels; ++c) {
      uint8_t predictor = block[c];
      if (predictor >= kAdpcmCoefficientPairs) return false;
      state[c].coefficient1 = coefficients[predictor][0];
      state[c].coefficient2 = coefficients[predictor][1];
      state[c].delta = s16(block + channels + 2 * c);
      state[c].sample1 = s16(block + 3 * channels + 2 * c);
      state[c].sample2 = s16(block + 5 * channels + 2 * c);
    }
    for (int c = 0; c < channels; ++c) out.push_back(static_cast<int16_t>(state[c].sample2));
    for (int c = 0; c < channels; ++c) out.push_back(static_cast<int16_t>(state[c].sample1));
    const uint8_t* codes = block + kAdpcmHeaderBytes * channels;
    int remaining = (samplesPerBlock - 2) * channels;
    // Codes go high nibble first; in stereo they alternate left, right.
    for (int i = 0; i < remaining; ++i) {
      uint8_t byte = codes[i / 2];
      uint8_t nibble = (i % 2 == 0) ? static_cast<uint8_t>(byte >> 4) : static_cast<uint8_t>(byte & 0x0F);
      out.push_back(decodeAdpcmNibble(state[channels == 2 ? i % 2 : 0], nibble));
    }
  }
  return true;
}

int32_t audSound::loadWav(const uint8_t* image, size_t size, bool copy) {
  freeData();
  if (image == nullptr) return kNoData;
  if (size < kFormatBodyOffset || std::memcmp(image + kFormatIdOffset, "fmt ", 4) != 0) return kNoFormatChunk;
  uint64_t formatSize = u32(image + 16);
  if (kFormatBodyOffset + formatSize > size) return kTruncated;
  if (formatSize < kPcmFormatSize) return kUnsupported;
  const uint8_t* format = image + kFormatBodyOffset;
  uint16_t formatTag = u16(format);
  int channels = u16(format + 2);
  uint32_t fileRate = u32(format + 4);
  int blockAlign = u16(format + 12);
  int bits = u16(format + 14);
  // The format first: floats, IMA ADPCM or GSM are no layout of one the mixer plays. A-law, mu-law and the
  // like come as 8 or 16 bits too, but would only sound as noise; so would 8 or 16 bits told as ADPCM.
  const bool adpcm = formatTag == kAdpcmFormatTag;
  if (!adpcm && !isPcm(formatTag, format, formatSize)) return kUnplayableFormat;
  if ((bits != 4 && bits != 8 && bits != 16) || (channels != 1 && channels != 2)) return kUnsupported;
  if (fileRate == 0 || fileRate > 0x7FFFFFFF) return kUnsupported;
  if (adpcm && bits != 4) return kUnplayableFormat;

  // Walk the chunks after the format chunk, never past the image.
  uint64_t offset = nextChunk(kFormatIdOffset, formatSize);
  const uint8_t* body = nullptr;
  uint64_t bodySize = 0;
  while (offset + kChunkHeaderSize <= size) {
    uint64_t chunkSize = u32(image + offset + 4);
    if (std::memcmp(image + offset, "data", 4) == 0) {
      if (offset + kChunkHeaderSize + chunkSize > size) return kTruncated;
      body = image + offset + kChunkHeaderSize;
      bodySize = chunkSize;
      break;
    }
    offset = nextChunk(offset, chunkSize);
  }
  if (body == nullptr) return kNoDataChunk;

  uint64_t frameCount;
  if (bits == 4) {
    if (formatTag != kAdpcmFormatTag || formatSize < kAdpcmCoefficientsOffset) return kUnsupported;
    int samplesPerBlock = u16(format + kAdpcmSamplesPerBlockOffset);
    int pairs = u16(format + kAdpcmCoefficientCountOffset);
    if (pairs != kAdpcmCoefficientPairs || formatSize < kAdpcmCoefficientsOffset + 4u * pairs) return kUnsupported;
    // A block holds its headers and the codes of all but the first two samples of each channel.
    if (samplesPerBlock < 2 || blockAlign < kAdpcmHeaderBytes * channels ||
        (static_cast<int64_t>(samplesPerBlock - 2) * channels + 1) / 2 + kAdpcmHeaderBytes * channels > blockAlign) {
      return kUnsupported;
    }
    int16_t coefficients[kAdpcmCoefficientPairs][2];
    for (int i = 0; i < kAdpcmCoefficientPairs; ++i) {
      coefficients[i][0] = s16(format + kAdpcmCoefficientsOffset + 4 * i);
      coefficients[i][1] = s16(format + kAdpcmCoefficientsOffset + 4 * i + 2);
    }
    std::vector<int16_t> decoded;
    if (!decodeAdpcm(body, bodySize, channels, blockAlign, samplesPerBlock, coefficients, decoded)) {
      return kUnsupported;
    }
    if (decoded.size() / channels > kMaxFrames) return kUnsupported;
    owned_.resize(decoded.size() * 2);
    for (size_t i = 0; i < decoded.size(); ++i) {
      owned_[2 * i] = static_cast<uint8_t>(decoded[i] & 0xFF);
      owned_[2 * i + 1] = static_cast<uint8_t>((decoded[i] >> 8) & 0xFF);
    }
    eightBit = false;
    frameCount = decoded.size();
    ownsData = true;
  } else {
    eightBit = bits == 8;
    frameCount = eightBit ? bodySize : bodySize / 2;
    if (frameCount / channels > kMaxFrames) return kUnsupported;
    if (copy) {
      owned_.assign(body, body + bodySize);
      ownsData = true;
    }
  }
  data = ownsData ? owned_.data() : body;
  stereo = channels == 2;
  frames = static_cast<uint32_t>(frameCount / channels);
  rate = static_cast<int32_t>(fileRate);
  playRate = rate;
  return 0;
}

const char16_t* audSound::refusal(int32_t code) {
  switch (code) {
    case 0:
      return nullptr;
    case kNoData:
      return u"no bytes";
    case kNoFormatChunk:
      return u"no \"fmt \" chunk at byte 12: not a WAVE file";
    case kNoDataChunk:
      return u"no \"data\" chunk";
    case kTruncated:
      return u"shorter than its chunks claim";
    case kUnplayableFormat:
      return u"neither PCM nor Microsoft ADPCM";
    default:
      return u"bits, channels, rate or ADPCM layout the mixer cannot play";
  }
}
