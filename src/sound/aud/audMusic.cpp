// Loading tracker modules: the tag, the pattern count and the size the image must have.
#include "sound/aud/audMusic.h"

#include "sound/aud/audTrackerTables.h"

using namespace aud;

namespace {

constexpr int kFinetuneField = 24;  // within a sample header
constexpr int kLengthField = 22;
constexpr int kFourChannelTagChannels = 4;

bool isDigit(uint8_t c) { return c >= '0' && c <= '9'; }
int digit(uint8_t c) { return isDigit(c) ? c - '0' : 0; }

}  // namespace

int audMusic::checkTag(const uint8_t* image) {
  const uint8_t* tag = image + kTagOffset;
  if (tag[0] == 'M' && tag[2] == 'K') return kFourChannelTagChannels;
  if (tag[1] == 'C' || tag[2] == 'C') {
    int count = digit(tag[0]);
    if (isDigit(tag[1])) count = 10 * count + digit(tag[1]);
    return count;
  }
  return 0;
}

int audMusic::songLength(const uint8_t* image) {
  int length = image[kSongLengthOffset];
  return length > kOrderEntries ? kOrderEntries : length;
}

int audMusic::countPatterns(const uint8_t* image, int songLength) {
  int largest = 0;
  for (int i = 0; i < songLength && i < kOrderEntries; ++i) {
    if (image[kOrderTableOffset + i] > largest) largest = image[kOrderTableOffset + i];
  }
  return largest + 1;
}

int32_t audMusic::load(const uint8_t* image, size_t size, bool copy) {
  owned_.clear();
  owned_.shrink_to_fit();
  data = nullptr;
  ownsData = false;
  if (image == nullptr) return kNoData;
  if (size < static_cast<size_t>(kPatternDataOffset)) return kTruncated;
  int channels = checkTag(image);
  if (channels == 0) return kNotAModule;
  int length = songLength(image);
  if (length == 0) return kNotAModule;
  uint64_t needed = kPatternDataOffset +
                    static_cast<uint64_t>(countPatterns(image, length)) * channels * kRowsPerPattern * kCellBytes;
  for (int i = 0; i < kSampleCount; ++i) {
    const uint8_t* header = image + kSampleHeaderOffset + i * kSampleHeaderSize;
    if (header[kFinetuneField] > kMaxFinetune) return kBadSample;
    needed += 2u * ((header[kLengthField] << 8) | header[kLengthField + 1]);
  }
  if (needed > size) return kTruncated;
  if (copy) {
    owned_.assign(image, image + needed);
    ownsData = true;
  }
  data = ownsData ? owned_.data() : image;
  sourceRate = playRate = 44100;
  return 0;
}

const char16_t* audMusic::refusal(int32_t code) {
  switch (code) {
    case 0:
      return nullptr;
    case kNoData:
      return u"no bytes";
    case kNotAModule:
      return u"no channel count in its tag, or no song: not a module";
    case kBadSample:
      return u"a sample with a finetune above 15";
    default:
      return u"shorter than its patterns and samples need";
  }
}
