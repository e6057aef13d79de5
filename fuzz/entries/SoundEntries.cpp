// The sound parsers: WAVE samples and tracker modules, loaded as the players load them and mixed.
#include <memory>
#include <mutex>
#include <vector>

#include "Entries.h"
#include "core/io/DByteArrayInputStream.h"
#include "core/lang/DbyteArray.h"
#include "sound/DPlayerSourceMod.h"
#include "sound/DPlayerSourceWav.h"
#include "sound/aud/audDriver.h"
#include "sound/aud/audSpeaker.h"

namespace fuzz {

using nuv::microedition::media::DPlayerSourceMod;
using nuv::microedition::media::DPlayerSourceModPtr;
using nuv::microedition::media::DPlayerSourceWav;
using nuv::microedition::media::DPlayerSourceWavPtr;

namespace {

// The mixer's output rate, kept low: what is mixed matters, not how finely.
constexpr int32_t kRate = 11025;
// Samples are short; modules get time for their effects and order changes.
constexpr uint32_t kSampleFrames = kRate;
constexpr uint32_t kModuleFrames = 4 * kRate;
constexpr uint32_t kBlockFrames = 1024;

// Takes no buffers: the entry mixes them itself.
class SilentDriver : public audDriver {
 public:
  int32_t open(const audFormat*, uint32_t, audMixFunction, void*) override { return 0; }
  int32_t close() override { return 0; }
  void lock() override { mutex_.lock(); }
  void unlock() override { mutex_.unlock(); }
  void pause() override {}
  void resume() override {}

 private:
  std::recursive_mutex mutex_;
};

nuv::io::DInputStreamPtr streamOf(Input input) {
  nuv::lang::DbyteArrayPtr array = new nuv::lang::DbyteArray(static_cast<int32_t>(input.size()));
  for (size_t i = 0; i < input.size(); ++i) (*array)[static_cast<int32_t>(i)] = static_cast<int8_t>(input[i]);
  return new nuv::io::DByteArrayInputStream(array);
}

// Mono and stereo, 8 and 16 bits: each output layout has its own mixing loop.
template <class Play>
void mix(uint32_t frames, Play play) {
  for (int32_t layout = 0; layout < 4; ++layout) {
    const int32_t bits = layout & 1 ? 8 : 16;
    const int32_t stereo = layout >> 1;
    audSpeaker speaker;
    if (speaker.open(std::make_unique<SilentDriver>(), kRate, bits, stereo, 4, 8) != 0) return;
    play(speaker);
    std::vector<uint8_t> buffer(kBlockFrames * 4);
    const uint32_t blockBytes = kBlockFrames * (bits / 8) * (stereo ? 2 : 1);
    for (uint32_t done = 0; done < frames; done += kBlockFrames) speaker.mix(buffer.data(), blockBytes);
  }
}

}  // namespace

void wav(Input input) {
  refusalsAllowed([&] {
    DPlayerSourceWavPtr source = new DPlayerSourceWav();
    if (!source->load(streamOf(input))) return;
    mix(kSampleFrames, [&](audSpeaker& speaker) {
      speaker.playSound(&source->sound, audSpeaker::kAnyChannel);
      // A second voice of the same sample, looping.
      source->sound.loop = true;
      speaker.playSound(&source->sound, audSpeaker::kAnyChannel);
      source->sound.loop = false;
    });
  });
}

void mod(Input input) {
  refusalsAllowed([&] {
    DPlayerSourceModPtr source = new DPlayerSourceMod();
    if (!source->load(streamOf(input))) return;
    source->music.loop = true;
    mix(kModuleFrames, [&](audSpeaker& speaker) { speaker.playMusic(&source->music, audSpeaker::kAnyChannel); });
  });
}

}  // namespace fuzz
