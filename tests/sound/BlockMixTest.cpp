// Modules are mixed a block of frames per channel per call. The samples are the ones the mixer gave when
// it mixed one frame per call: checksums of that mixer's output, and the mixer fed one frame per call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SoundFixtures.h"
#include "platform/api/windows.h"
#include "platform/host/archive7z.h"
#include "platform/host/paths.h"
#include "sound/aud/audMusic.h"
#include "sound/aud/audSound.h"

using namespace soundtest;

namespace {

uint64_t fnv1a(const uint8_t* data, size_t size, uint64_t hash = 14695981039346656037ull) {
  for (size_t i = 0; i < size; ++i) {
    hash ^= data[i];
    hash *= 1099511628211ull;
  }
  return hash;
}

struct Output {
  int32_t rate, bits, stereo;
  uint32_t bufferBytes;  // about 30 ms, as the output driver asks
};
constexpr Output kStereo16{44100, 16, 1, 5296};
constexpr Output kMono8{22050, 8, 0, 662};

// A looping effect for the sound channels to mix beside the music.
Bytes effect() {
  std::vector<int16_t> samples;
  for (int i = 0; i < 30000; ++i) samples.push_back(static_cast<int16_t>((i * 97) % 20000 - 10000));
  return makeWav(16, 1, 22050, pcm16(samples));
}

// The module played in a loop for the time given, mixed `bufferBytes` at a time: the checksum of every
// byte, or every byte itself when `bytes` is given.
uint64_t render(const Bytes& module, const Output& out, int seconds, uint32_t bufferBytes, bool effects = false,
                Bytes* bytes = nullptr) {
  Mixer m;
  EXPECT_EQ(m.open(out.rate, out.bits, out.stereo, 2, 8), 0);
  audMusic music;
  EXPECT_EQ(music.load(module.data(), module.size(), true), 0);
  music.loop = true;
  EXPECT_GE(m.speaker.playMusic(&music, audSpeaker::kAnyChannel), 0);
  const Bytes wav = effect();
  audSound sound;
  EXPECT_EQ(sound.loadWav(wav.data(), wav.size(), true), 0);
  sound.loop = true;
  for (int i = 0; effects && i < 3; ++i) {
    sound.pan = i * 100;
    m.speaker.playSound(&sound, audSpeaker::kAnyChannel);
  }
  const uint64_t total = static_cast<uint64_t>(out.rate) * seconds * (out.bits / 8) * (out.stereo ? 2 : 1);
  uint64_t hash = 14695981039346656037ull;
  Bytes buffer(bufferBytes);
  for (uint64_t done = 0; done < total; done += bufferBytes) {
    m.speaker.mix(buffer.data(), bufferBytes);
    hash = fnv1a(buffer.data(), buffer.size(), hash);
    if (bytes) bytes->insert(bytes->end(), buffer.begin(), buffer.end());
  }
  return hash;
}

// Every effect the tracker knows, on four channels over three samples (looped, one-shot with a finetune,
// and a short loop), with a pattern loop, a pattern delay, a break and a jump in the song.
Bytes everyEffect() {
  ModSample saw, noise, buzz;
  for (int i = 0; i < 1000; ++i) saw.data.push_back(static_cast<int8_t>(i % 200 - 100));
  saw.loopStartWords = 100;
  saw.loopWords = 300;
  saw.finetune = 3;
  saw.volume = 50;
  for (int i = 0; i < 3000; ++i) noise.data.push_back(static_cast<int8_t>((i * 7919) % 255 - 127));
  noise.finetune = 15;
  for (int i = 0; i < 64; ++i) buzz.data.push_back(static_cast<int8_t>(i < 32 ? 90 : -90));
  buzz.loopWords = 32;
  buzz.volume = 40;
  ModuleBuilder b("M.K.", 4);
  b.orders({0, 1, 0}).restart(0).sample(1, saw).sample(2, noise).sample(3, buzz);
  const int periods[] = {428, 381, 339, 320, 285, 254, 226, 214, 202, 190, 856, 113};
  const int effects[][2] = {{0x0, 0x37}, {0x1, 0x03}, {0x2, 0x02}, {0x3, 0x08}, {0x4, 0x46}, {0x5, 0x21},
                            {0x6, 0x12}, {0x9, 0x04}, {0xA, 0x20}, {0xA, 0x03}, {0xC, 0x30}, {0xE, 0xA2},
                            {0xE, 0xB1}, {0xE, 0xC3}, {0xE, 0xD2}, {0xF, 0x04}, {0xF, 0x90}, {0x4, 0x00}};
  for (int pattern = 0; pattern < 2; ++pattern) {
    for (int row = 0; row < 64; ++row) {
      for (int channel = 0; channel < 4; ++channel) {
        const int n = pattern * 64 * 4 + row * 4 + channel;
        const int(&e)[2] = effects[n % std::size(effects)];
        const bool note = (row + channel) % 3 != 2;
        b.cell(pattern, row, channel, note ? 1 + (row + channel) % 3 : 0, note ? periods[n % std::size(periods)] : 0,
               e[0], e[1]);
      }
    }
  }
  b.cell(0, 16, 3, 0, 0, 0xE, 0x60).cell(0, 20, 3, 0, 0, 0xE, 0x62);  // rows 16 to 20 twice more
  b.cell(0, 40, 2, 0, 0, 0xE, 0xE2);                                  // row 40 held two rows longer
  b.cell(1, 60, 1, 0, 0, 0xD, 0x10);                                  // on to row 10 of the next order
  b.cell(0, 50, 0, 0, 0, 0xB, 0x02);                                  // in the second pass: to order 2
  return b.build();
}

// What the mixer gave before it mixed blocks: checksums of its output for the module above, and for the
// modules game.dat held then (by their own checksums; a module changed since has none here).
struct Golden {
  uint64_t module;
  uint64_t stereo16, mono8;
};
constexpr uint64_t kEveryEffectStereo16 = 0x83ac8fd22574f4f9, kEveryEffectMono8 = 0xc861ec2553ac8dfd;
constexpr uint64_t kEveryEffectWithSounds = 0x1ded827a10637c0d;
constexpr Golden kGameDatGoldens[] = {
    {0x5de75661b2ed05b7, 0x47c31361d1588bc9, 0x653e3054ddd13a0f},
    {0xa3293427eb7ff450, 0x5dc8c3052fea9a17, 0x41cb502b73da238c},
    {0xe0645d26020f4b70, 0xd8e163d9911439e6, 0xf36a8ecfc17be7f2},
    {0x8d50e2eb4d594f88, 0x8d8c21c1eb87363d, 0x5a5afd0e2d882879},
    {0xce6974542a9a08c4, 0x2df33bafbd2de356, 0x656c84c6c92fad05},
    {0x3d231145583dd46f, 0xcf7c4deaa3100bdd, 0x62618fd6fb613186},
    {0x265d8d2f451da1ff, 0xd4e866bd0823c5a6, 0x88dd99618b1d309e},
    {0x3365ca88e15576c0, 0xdac37e2346ab3532, 0xeadbc9e147b0da60},
    {0x45276d85e0227155, 0xd8a97a5eb66fba60, 0x4b5564e93b81c84c},
};
constexpr int kGoldenSeconds = 70;

struct NamedModule {
  std::string name;
  Bytes bytes;
};

std::vector<NamedModule> gameDatModules() {
  std::vector<NamedModule> modules;
  HANDLE file = CreateFileW(platform::toDevicePath(GH_GAME_DAT).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return modules;
  platform::Archive7z archive;
  std::string error;
  if (archive.open(file, error)) {
    for (size_t i = 0; i < archive.entries().size(); ++i) {
      const std::u16string& name = archive.entries()[i].name;
      if (name.size() < 4 || name.substr(name.size() - 4) != u".mod") continue;
      NamedModule m{std::string(name.begin(), name.end()), {}};
      EXPECT_TRUE(archive.extract(i, m.bytes, error)) << error;
      modules.push_back(std::move(m));
    }
  }
  CloseHandle(file);
  return modules;
}

}  // namespace

TEST(BlockMixTest, EveryEffectGivesTheSamplesOfTheFrameByFrameMixer) {
  const Bytes module = everyEffect();
  EXPECT_EQ(render(module, kStereo16, 40, kStereo16.bufferBytes), kEveryEffectStereo16);
  EXPECT_EQ(render(module, kMono8, 40, kMono8.bufferBytes), kEveryEffectMono8);
  EXPECT_EQ(render(module, kStereo16, 20, kStereo16.bufferBytes, true), kEveryEffectWithSounds);
}

TEST(BlockMixTest, EveryModuleInGameDatGivesTheSamplesOfTheFrameByFrameMixer) {
  const std::vector<NamedModule> modules = gameDatModules();
  ASSERT_FALSE(modules.empty());
  for (const NamedModule& m : modules) {
    SCOPED_TRACE(m.name);
    const uint64_t id = fnv1a(m.bytes.data(), m.bytes.size());
    for (const Golden& g : kGameDatGoldens) {
      if (g.module != id) continue;
      EXPECT_EQ(render(m.bytes, kStereo16, kGoldenSeconds, kStereo16.bufferBytes), g.stereo16);
      EXPECT_EQ(render(m.bytes, kMono8, kGoldenSeconds, kMono8.bufferBytes), g.mono8);
    }
    // One frame per call, as the mixer used to go, against whole buffers and buffers cutting blocks anywhere.
    Bytes frameByFrame, whole, odd;
    render(m.bytes, kStereo16, 8, 4, false, &frameByFrame);
    render(m.bytes, kStereo16, 8, kStereo16.bufferBytes, false, &whole);
    render(m.bytes, kStereo16, 8, 4 * 1031, false, &odd);
    whole.resize(frameByFrame.size());
    odd.resize(frameByFrame.size());
    EXPECT_TRUE(whole == frameByFrame);
    EXPECT_TRUE(odd == frameByFrame);
  }
}
