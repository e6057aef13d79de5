// Effects stack in the mixer: three copies of one started on the same frame must not clip at the highest
// level, whatever the file's format.
#include <gtest/gtest.h>

#include "CheckFiles.h"
#include "Wav.h"

using namespace datakit;

namespace {

// A mono WAVE file of 8-bit PCM at 22050 Hz: the bytes are the samples, 0x80 the silence.
Bytes wav8(const std::vector<std::uint8_t>& samples) {
  Bytes out;
  auto text = [&](const char* t) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(t[i]));
  };
  auto number = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  const auto size = static_cast<std::uint32_t>(samples.size());
  text("RIFF");
  number(36 + size, 4);
  text("WAVE");
  text("fmt ");
  number(16, 4);
  number(1, 2);      // PCM
  number(1, 2);      // mono
  number(22050, 4);  // frames a second
  number(22050, 4);  // bytes a second
  number(1, 2);      // block
  number(8, 2);      // bits
  text("data");
  number(size, 4);
  for (std::uint8_t b : samples) out.push_back(b);
  return out;
}

bool stackFault(const Bytes& file) {
  for (const Fault& f : checkWavFile(file))
    if (f.message.find("copies of this sound started on one frame clip") != std::string::npos) return true;
  return false;
}

}  // namespace

TEST(StackedEffects, ThreeCopiesMustFitTheMixAtTheHighestLevel) {
  // Three copies at full volume add up to one and a half times a sample: 21845 is the most that fits.
  struct Case {
    const char* what;
    Bytes file;
    bool clips;
  } cases[] = {
      {"16-bit peak that just fits", writeWavPcm16({0, 21845, -21845, 0}, 22050), false},
      {"16-bit peak one step over", writeWavPcm16({0, 21846, 0}, 22050), true},
      {"16-bit trough one step under", writeWavPcm16({0, -21846, 0}, 22050), true},
      {"8-bit near full scale", wav8({0x80, 0xF0, 0x80, 0x80}), true},
      {"8-bit at half scale", wav8({0x80, 0xC0, 0x40, 0x80}), false},
      {"ADPCM near full scale", writeWavAdpcm(Samples(2000, 28000), 22050), true},
      {"ADPCM well under", writeWavAdpcm(Samples(2000, 12000), 22050), false},
  };
  for (const Case& c : cases) {
    WavInfo info;
    ASSERT_TRUE(readWav(c.file, info)) << c.what;
    EXPECT_EQ(stackFault(c.file), c.clips) << c.what;
  }
}
