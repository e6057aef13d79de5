// Wave-out devices: a queue of written buffers that the chosen audio output drains.
#include "platform/api/waveout.h"

#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/host/audio_sink.h"

namespace platform {
namespace {

// Tried in this order when the driver is chosen automatically.
constexpr AudioBackend kBackends[] = {
    {"sdl", openSdlAudio},
    {"null", openNullAudio},
};

std::mutex choiceMutex;
std::string chosenDriver;  // guarded by choiceMutex; "" = automatic
bool choiceMade = false;   // guarded by choiceMutex
std::string lastDriver;    // guarded by choiceMutex

std::string driverChoice() {
  std::lock_guard lock(choiceMutex);
  if (!choiceMade) {
    const char* env = std::getenv("GLIMMERHUT_AUDIO");
    chosenDriver = env ? env : "";
    choiceMade = true;
  }
  return chosenDriver;
}

class WaveOut : public AudioSource {
 public:
  WaveOut(const WAVEFORMATEX& format, WAVEOUTPROC proc, DWORD_PTR instance)
      : format_(format), proc_(proc), instance_(instance) {}

  bool openSink(const std::string& choice) {
    for (const AudioBackend& backend : kBackends) {
      if (!choice.empty() && choice != backend.name) continue;
      const AudioFormat format{format_.nSamplesPerSec, format_.nChannels, format_.wBitsPerSample, format_.nBlockAlign};
      sink_ = backend.open(format, *this);
      if (sink_) {
        std::lock_guard lock(choiceMutex);
        lastDriver = backend.name;
        return true;
      }
    }
    return false;
  }

  void pull(uint8_t* out, size_t bytes) override {
    std::vector<WAVEHDR*> finished;
    {
      std::lock_guard lock(mutex_);
      size_t done = 0;
      while (done < bytes && !queue_.empty()) {
        WAVEHDR* head = queue_.front();
        size_t n = std::min<size_t>(bytes - done, head->dwBufferLength - headOffset_);
        std::memcpy(out + done, head->lpData + headOffset_, n);
        done += n;
        headOffset_ += n;
        bytesPlayed_ += n;
        if (headOffset_ == head->dwBufferLength) {
          head->dwFlags = (head->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
          queue_.pop_front();
          headOffset_ = 0;
          finished.push_back(head);
        }
      }
      std::memset(out + done, silence(), bytes - done);
    }
    for (WAVEHDR* header : finished) notify(WOM_DONE, header);
  }

  size_t bytesToBufferEnd() override {
    std::lock_guard lock(mutex_);
    return queue_.empty() ? 0 : queue_.front()->dwBufferLength - headOffset_;
  }

  MMRESULT write(WAVEHDR* header) {
    if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
    if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    {
      std::lock_guard lock(mutex_);
      header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
      queue_.push_back(header);
    }
    sink_->queued();
    return MMSYSERR_NOERROR;
  }

  // Only the main thread pauses, restarts and resets.
  void setPaused(bool paused) {
    paused_ = paused;
    sink_->setPaused(paused);
  }

  void reset() {
    sink_->setPaused(true);
    std::deque<WAVEHDR*> returned;
    {
      std::lock_guard lock(mutex_);
      returned.swap(queue_);
      headOffset_ = 0;
      bytesPlayed_ = 0;
    }
    for (WAVEHDR* header : returned) {
      header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
      notify(WOM_DONE, header);
    }
    if (!paused_) sink_->setPaused(false);
  }

  bool busy() {
    std::lock_guard lock(mutex_);
    return !queue_.empty();
  }

  DWORD bytesPlayed() {
    std::lock_guard lock(mutex_);
    return static_cast<DWORD>(bytesPlayed_);
  }

  DWORD millisecondsPlayed() {
    std::lock_guard lock(mutex_);
    return static_cast<DWORD>(bytesPlayed_ * 1000 / format_.nAvgBytesPerSec);
  }

  // Stops the output before the device goes, so nothing pulls from it any more.
  void closeSink() { sink_.reset(); }

  void notify(UINT message, WAVEHDR* header) {
    if (proc_) proc_(reinterpret_cast<HWAVEOUT>(this), message, instance_, reinterpret_cast<DWORD_PTR>(header), 0);
  }

 private:
  int silence() const { return format_.wBitsPerSample == 8 ? 0x80 : 0; }

  const WAVEFORMATEX format_;
  const WAVEOUTPROC proc_;
  const DWORD_PTR instance_;
  std::unique_ptr<AudioSink> sink_;
  bool paused_ = true;
  std::mutex mutex_;
  std::deque<WAVEHDR*> queue_;  // guarded by mutex_
  size_t headOffset_ = 0;       // guarded by mutex_
  uint64_t bytesPlayed_ = 0;    // guarded by mutex_
};

WaveOut* toWaveOut(HWAVEOUT device) { return reinterpret_cast<WaveOut*>(device); }

bool validFormat(const WAVEFORMATEX* f) {
  return f && f->wFormatTag == WAVE_FORMAT_PCM && (f->nChannels == 1 || f->nChannels == 2) &&
         (f->wBitsPerSample == 8 || f->wBitsPerSample == 16) && f->nSamplesPerSec > 0 &&
         f->nBlockAlign == f->nChannels * f->wBitsPerSample / 8 &&
         f->nAvgBytesPerSec == f->nSamplesPerSec * f->nBlockAlign;
}

}  // namespace

bool isAudioDriver(std::string_view name) {
  if (name.empty() || name == "none") return true;
  for (const AudioBackend& backend : kBackends) {
    if (name == backend.name) return true;
  }
  return false;
}

void setAudioDriver(const std::string& name) {
  std::lock_guard lock(choiceMutex);
  chosenDriver = name;
  choiceMade = true;
}

std::string lastAudioDriver() {
  std::lock_guard lock(choiceMutex);
  return lastDriver;
}

}  // namespace platform

using platform::toWaveOut;

// One device: the best output the machine has, or the null one.
UINT waveOutGetNumDevs() { return platform::driverChoice() == "none" ? 0 : 1; }

MMRESULT waveOutOpen(HWAVEOUT* device, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags) {
  if (device == nullptr) return MMSYSERR_INVALPARAM;
  if (deviceId >= waveOutGetNumDevs()) return MMSYSERR_BADDEVICEID;
  if (!platform::validFormat(format)) return WAVERR_BADFORMAT;
  if ((flags & CALLBACK_FUNCTION) == 0) callback = 0;
  auto* wave = new platform::WaveOut(*format, reinterpret_cast<WAVEOUTPROC>(callback), instance);
  if (!wave->openSink(platform::driverChoice())) {
    delete wave;
    return MMSYSERR_NODRIVER;
  }
  *device = reinterpret_cast<HWAVEOUT>(wave);
  wave->notify(WOM_OPEN, nullptr);
  // Like the handheld's device, output runs as soon as it is open.
  wave->setPaused(false);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size) {
  if (device == nullptr) return MMSYSERR_INVALHANDLE;
  if (header == nullptr || size < sizeof(WAVEHDR) || header->lpData == nullptr) return MMSYSERR_INVALPARAM;
  header->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size) {
  if (device == nullptr) return MMSYSERR_INVALHANDLE;
  if (header == nullptr || size < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT size) {
  if (device == nullptr) return MMSYSERR_INVALHANDLE;
  if (header == nullptr || size < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
  return toWaveOut(device)->write(header);
}

MMRESULT waveOutPause(HWAVEOUT device) {
  if (device == nullptr) return MMSYSERR_INVALHANDLE;
  toWaveOut(device)->setPaused(true);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutRestart(HWAVEOUT device) {
  if (device == nullptr) return MMSYSERR_INVALHANDLE;
  toWaveOut(device)->setPaused(false);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutReset(HWAVEOUT device) {
  if (device == nullptr) return MMSYSERR_INVALHANDLE;
  toWaveOut(device)->reset();
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutGetPosition(HWAVEOUT device, MMTIME* time, UINT size) {
  if (device == nullptr) return MMSYSERR_INVALHANDLE;
  if (time == nullptr || size < sizeof(MMTIME)) return MMSYSERR_INVALPARAM;
  if (time->wType == TIME_MS) {
    time->u.ms = toWaveOut(device)->millisecondsPlayed();
  } else {
    time->wType = TIME_BYTES;
    time->u.cb = toWaveOut(device)->bytesPlayed();
  }
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutClose(HWAVEOUT device) {
  if (device == nullptr) return MMSYSERR_INVALHANDLE;
  platform::WaveOut* wave = toWaveOut(device);
  if (wave->busy()) return WAVERR_STILLPLAYING;
  wave->closeSink();
  wave->notify(WOM_CLOSE, nullptr);
  delete wave;
  return MMSYSERR_NOERROR;
}
