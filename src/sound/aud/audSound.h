// A sound-effect sample: 8-bit or 16-bit PCM frames loaded from a RIFF WAVE image, Microsoft ADPCM
// decoded to 16-bit at load.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class audSound {
 public:
  static constexpr int32_t kNoData = -10;
  static constexpr int32_t kUnsupported = -100;  // bits, channels, ADPCM layout or a decode failure
  static constexpr int32_t kNoFormatChunk = -300;
  static constexpr int32_t kNoDataChunk = -301;
  static constexpr int32_t kTruncated = -302;         // shorter than its chunks claim
  static constexpr int32_t kUnplayableFormat = -303;  // A-law, mu-law, floats: neither PCM nor Microsoft ADPCM
  static constexpr int32_t kNoInstanceLimit = -1;

  audSound() = default;
  audSound(const audSound&) = delete;
  audSound& operator=(const audSound&) = delete;
  virtual ~audSound() = default;

  // Reads a whole WAVE image of the given size. With copy the frames are copied; without, the sound
  // refers into the image, which must outlive it (ADPCM is always decoded into a buffer of its own).
  // Chunks of odd size are followed by a pad byte, as RIFF has it.
  int32_t loadWav(const uint8_t* image, size_t size, bool copy);
  // What a code of loadWav says is wrong with the image, for a person; null for 0.
  static const char16_t* refusal(int32_t code);

  // Decodes whole blocks of Microsoft ADPCM into interleaved 16-bit samples; false on a bad predictor.
  static bool decodeAdpcm(const uint8_t* in, size_t bytes, int channels, int blockAlign, int samplesPerBlock,
                          const int16_t (*coefficients)[2], std::vector<int16_t>& out);

  const uint8_t* data = nullptr;
  bool eightBit = false;
  bool stereo = false;
  int32_t rate = 0;
  uint32_t frames = 0;
  int32_t volume = 64;
  bool loop = false;
  int32_t pan = 128;
  int32_t instanceLimit = kNoInstanceLimit;
  int32_t playRate = 0;
  bool ownsData = false;

 private:
  void freeData();
  std::vector<uint8_t> owned_;
};
