// The null audio output: plays nothing, but consumes the queued bytes in real time like a sound card.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/host/audio_sink.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

class NullSink : public AudioSink {
 public:
  NullSink(const AudioFormat& format, AudioSource& source)
      : source_(source), frameBytes_(format.frameBytes), rate_(format.rate) {
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
    ++run_;
    wake_.notify_all();
  }
  void queued() override {
    std::lock_guard lock(mutex_);
    queued_ = true;
    if (idle_) wake_.notify_all();
  }

 private:
  // Frames the output has played since runStart_ by the given time.
  uint64_t framesBy(Clock::time_point t) const {
    auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(t - runStart_).count();
    return elapsed <= 0 ? 0 : static_cast<uint64_t>(elapsed) * rate_ / 1'000'000'000u;
  }
  // The moment the output will have played the given number of frames since runStart_.
  Clock::time_point timeOfFrame(uint64_t frames) const {
    return runStart_ + std::chrono::nanoseconds((frames * 1'000'000'000u + rate_ - 1) / rate_);
  }

  // Sleeps until the buffer now playing is due to end, takes what has played by then, and so on; with
  // nothing queued it sleeps until something is.
  void run() {
    std::vector<uint8_t> scratch;
    std::unique_lock lock(mutex_);
    while (!stop_) {
      if (paused_) {
        wake_.wait(lock);
        continue;
      }
      uint64_t due = framesBy(Clock::now());
      if (due > framesThisRun_) {
        size_t bytes = static_cast<size_t>(due - framesThisRun_) * frameBytes_;
        framesThisRun_ = due;
        scratch.resize(bytes);
        // The device's lock is taken inside pull; holding ours too would order the two against pause.
        lock.unlock();
        source_.pull(scratch.data(), bytes);
        lock.lock();
        continue;
      }
      queued_ = false;
      lock.unlock();
      size_t left = source_.bytesToBufferEnd();
      lock.lock();
      if (stop_ || paused_) continue;
      if (left == 0) {
        idle_ = true;
        wake_.wait(lock, [this] { return stop_ || paused_ || queued_; });
        idle_ = false;
        // The silence while nothing was queued is over: what comes now plays from now on.
        framesThisRun_ = std::max(framesThisRun_, framesBy(Clock::now()));
        continue;
      }
      uint64_t end = framesThisRun_ + (left + frameBytes_ - 1) / frameBytes_;
      const uint64_t run = run_;
      wake_.wait_until(lock, timeOfFrame(end), [this, run] { return stop_ || paused_ || run_ != run; });
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
  bool queued_ = false;         // guarded by mutex_
  bool idle_ = false;           // guarded by mutex_; waiting for something to be queued
  Clock::time_point runStart_;  // guarded by mutex_
  uint64_t framesThisRun_ = 0;  // guarded by mutex_
  uint64_t run_ = 0;            // guarded by mutex_; counts pauses and restarts
};

}  // namespace

std::unique_ptr<AudioSink> openNullAudio(const AudioFormat& format, AudioSource& source) {
  if (format.frameBytes == 0 || format.rate == 0) return nullptr;
  return std::make_unique<NullSink>(format, source);
}

}  // namespace platform
