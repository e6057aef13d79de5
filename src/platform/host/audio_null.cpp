// The null audio output: plays nothing, but consumes the queued bytes in real time like a sound card.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/host/audio_sink.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// Small enough that buffer completions arrive within a few milliseconds of their due time.
constexpr auto kPollInterval = std::chrono::milliseconds(2);

class NullSink : public AudioSink {
 public:
  NullSink(const WAVEFORMATEX& format, AudioSource& source)
      : source_(source), frameBytes_(format.nBlockAlign), rate_(format.nSamplesPerSec) {
    thread_ = std::thread([this] { run(); });
  }
  ~NullSink() override {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  void setPaused(bool paused) override {
    std::lock_guard lock(mutex_);
    if (paused == paused_) return;
    paused_ = paused;
    runStart_ = Clock::now();
    framesThisRun_ = 0;
    wake_.notify_all();
  }

 private:
  void run() {
    std::vector<uint8_t> scratch;
    std::unique_lock lock(mutex_);
    while (!stop_) {
      wake_.wait_for(lock, kPollInterval);
      if (stop_ || paused_) continue;
      auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - runStart_).count();
      uint64_t due = static_cast<uint64_t>(elapsed) * rate_ / 1000000;
      if (due <= framesThisRun_) continue;
      size_t bytes = static_cast<size_t>(due - framesThisRun_) * frameBytes_;
      framesThisRun_ = due;
      scratch.resize(bytes);
      // The device's lock is taken inside pull; holding ours too would order the two against pause.
      lock.unlock();
      source_.pull(scratch.data(), bytes);
      lock.lock();
    }
  }

  AudioSource& source_;
  const uint32_t frameBytes_;
  const uint64_t rate_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;           // guarded by mutex_
  bool paused_ = true;          // guarded by mutex_
  Clock::time_point runStart_;  // guarded by mutex_
  uint64_t framesThisRun_ = 0;  // guarded by mutex_
};

}  // namespace

std::unique_ptr<AudioSink> openNullAudio(const WAVEFORMATEX& format, AudioSource& source) {
  if (format.nBlockAlign == 0 || format.nSamplesPerSec == 0) return nullptr;
  return std::make_unique<NullSink>(format, source);
}

}  // namespace platform
