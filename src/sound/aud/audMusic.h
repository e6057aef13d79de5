// A tracker module (4 to 32 channels) read from a whole file image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class audMusic {
 public:
  static constexpr int32_t kNoData = -10;
  static constexpr int32_t kNotAModule = -100;  // no channel count in the tag, or no song
  static constexpr int32_t kBadSample = -101;   // a sample header with a finetune above 15
  static constexpr int32_t kTruncated = -102;   // shorter than its patterns and samples need

  audMusic() = default;
  audMusic(const audMusic&) = delete;
  audMusic& operator=(const audMusic&) = delete;
  virtual ~audMusic() = default;

  // With copy the module is copied; without, it refers into the image, which must outlive it.
  int32_t load(const uint8_t* image, size_t size, bool copy);
  // What a code of load says is wrong with the image, for a person; null for 0.
  static const char16_t* refusal(int32_t code);

  // Channels the tag at byte 1080 announces, 0 when it is no module tag.
  static int checkTag(const uint8_t* image);
  // The largest pattern number among the first songLength orders, plus 1.
  static int countPatterns(const uint8_t* image, int songLength);
  // Song length from the image, at most the 128 entries of the order table.
  static int songLength(const uint8_t* image);

  const uint8_t* data = nullptr;
  int32_t volume = 64;
  bool loop = false;
  int32_t pan = 255;
  int32_t sourceRate = 44100;
  int32_t playRate = 44100;  // the tempo base: 44100 plays at the module's own speed
  bool ownsData = false;

 private:
  std::vector<uint8_t> owned_;
};
