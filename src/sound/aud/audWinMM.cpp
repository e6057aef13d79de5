// The wave-out driver and its worker thread.
#include "sound/aud/audWinMM.h"

#include <cstring>
#include <new>

#include "platform/api/thread.h"

namespace {

constexpr uint32_t kBufferMs = 30;
constexpr uint32_t kMinBuffers = 4;
constexpr uint32_t kMaxBuffers = 32;
constexpr DWORD kStartupPauseMs = 100;
// Set on the main thread before any device opens.
DWORD settlePauseMs = kStartupPauseMs;
constexpr uint8_t kSilence8 = 0x80;

}  // namespace

void audWinMM::setSettlePause(DWORD ms) { settlePauseMs = ms; }

audWinMM::~audWinMM() {
  if (open_) close();
}

uint32_t audWinMM::bufferCountFor(uint32_t totalFrames, int32_t rate) {
  uint64_t ms = static_cast<uint64_t>(totalFrames) * 1000 / static_cast<uint64_t>(rate);
  uint64_t count = ms / kBufferMs;
  return static_cast<uint32_t>(count < kMinBuffers ? kMinBuffers : (count > kMaxBuffers ? kMaxBuffers : count));
}

uint32_t audWinMM::bufferBytesFor(int32_t rate, int32_t flags, int32_t channels) {
  uint64_t bytesPerFrame = ((flags & audFormat::kBit16) ? 2u : 1u) * static_cast<uint64_t>(channels);
  // About 30 ms, rounded up to whole 8 bytes.
  return static_cast<uint32_t>((static_cast<uint64_t>(rate) * bytesPerFrame * kBufferMs / 1000 + 7) & ~7ull);
}

int32_t audWinMM::open(const audFormat* format, uint32_t totalFrames, audMixFunction callback, void* user) {
  if (open_) return kAlreadyOpen;
  if (format == nullptr || callback == nullptr) return kBadArguments;
  callback_ = callback;
  user_ = user;
  request_ = *format;
  int32_t flags = format->flags;
  if (flags == 0 || ((flags & audFormat::kBit8) && (flags & audFormat::kBitSigned)) ||
      ((flags & audFormat::kBit16) && (flags & audFormat::kBitUnsigned)) ||
      (format->channels != 1 && format->channels != 2) || format->rate <= 0) {
    return kBadArguments;
  }
  bool sixteen = (flags & audFormat::kBit16) != 0;
  count_ = bufferCountFor(totalFrames, format->rate);
  index_ = 0;
  bytesPerFrame_ = (sixteen ? 2u : 1u) * static_cast<uint32_t>(format->channels);
  bufferBytes_ = bufferBytesFor(format->rate, flags, format->channels);
  totalBytes_ = bufferBytes_ * count_;
  try {
    memory_.assign(totalBytes_, sixteen ? 0 : kSilence8);
    headers_.assign(count_, WAVEHDR{});
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }

  // The worker and its events exist before the device can report a finished buffer.
  InitializeCriticalSection(&guard_);
  freeBuffers_ = CreateSemaphoreW(nullptr, 0, static_cast<LONG>(count_ + 1), nullptr);
  endedEvent_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  stopEvent_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  worker_ = CreateThread(nullptr, 0, &audWinMM::threadProc, this, CREATE_SUSPENDED, &workerId_);
  if (worker_ == nullptr || freeBuffers_ == nullptr || endedEvent_ == nullptr || stopEvent_ == nullptr) {
    if (worker_) {
      // Never started: let it run to its end at once.
      SetEvent(stopEvent_);
      ResumeThread(worker_);
      WaitForSingleObject(endedEvent_, INFINITE);
      CloseHandle(worker_);
    }
    for (HANDLE h : {freeBuffers_, endedEvent_, stopEvent_}) {
      if (h) CloseHandle(h);
    }
    worker_ = freeBuffers_ = endedEvent_ = stopEvent_ = nullptr;
    DeleteCriticalSection(&guard_);
    memory_.clear();
    headers_.clear();
    return kNoThread;
  }
  SetThreadPriority(worker_, THREAD_PRIORITY_HIGHEST);
  Sleep(settlePauseMs);

  WORD bits = sixteen ? 16 : 8;
  WORD align = static_cast<WORD>(bits / 8 * format->channels);
  waveFormat_ = WAVEFORMATEX{WAVE_FORMAT_PCM,
                             static_cast<WORD>(format->channels),
                             static_cast<DWORD>(format->rate),
                             static_cast<DWORD>(format->rate) * align,
                             align,
                             bits,
                             0};
  device_ = nullptr;
  UINT devices = waveOutGetNumDevs();
  for (UINT id = 0; id < devices && device_ == nullptr; ++id) {
    if (waveOutOpen(&device_, id, &waveFormat_, reinterpret_cast<DWORD_PTR>(&audWinMM::waveOutProc),
                    reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
      device_ = nullptr;
    }
  }
  if (device_ == nullptr) {
    SetEvent(stopEvent_);
    ResumeThread(worker_);
    WaitForSingleObject(endedEvent_, INFINITE);
    for (HANDLE h : {worker_, freeBuffers_, endedEvent_, stopEvent_}) CloseHandle(h);
    worker_ = freeBuffers_ = endedEvent_ = stopEvent_ = nullptr;
    DeleteCriticalSection(&guard_);
    memory_.clear();
    headers_.clear();
    return kBadArguments;
  }

  waveOutPause(device_);
  for (uint32_t i = 0; i < count_; ++i) {
    WAVEHDR& h = headers_[i];
    h = WAVEHDR{};
    h.lpData = reinterpret_cast<char*>(memory_.data() + i * bufferBytes_);
    h.dwBufferLength = bufferBytes_;
    waveOutPrepareHeader(device_, &h, sizeof(WAVEHDR));
    waveOutWrite(device_, &h, sizeof(WAVEHDR));
  }
  open_ = true;
  paused_ = true;
  return 0;
}

void audWinMM::waveOutProc(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
  if (message == WOM_DONE && instance != 0) {
    ReleaseSemaphore(reinterpret_cast<audWinMM*>(instance)->freeBuffers_, 1, nullptr);
  }
}

void audWinMM::requeue(WAVEHDR& header) {
  waveOutUnprepareHeader(device_, &header, sizeof(WAVEHDR));
  char* data = header.lpData;
  header = WAVEHDR{};
  header.lpData = data;
  header.dwBufferLength = bufferBytes_;
  waveOutPrepareHeader(device_, &header, sizeof(WAVEHDR));
  waveOutWrite(device_, &header, sizeof(WAVEHDR));
}

DWORD audWinMM::threadProc(LPVOID parameter) {
  auto* driver = static_cast<audWinMM*>(parameter);
  // The stop comes first in the list, so it wins over buffers still waiting to be refilled.
  const HANDLE wakers[] = {driver->stopEvent_, driver->freeBuffers_};
  constexpr DWORD kBufferFree = WAIT_OBJECT_0 + 1;
  while (WaitForMultipleObjects(2, wakers, FALSE, INFINITE) == kBufferFree) {
    EnterCriticalSection(&driver->guard_);
    WAVEHDR& header = driver->headers_[driver->index_];
    driver->callback_(driver->user_, header.lpData, header.dwBufferLength);
    driver->requeue(header);
    driver->index_ = (driver->index_ + 1) % driver->count_;
    LeaveCriticalSection(&driver->guard_);
  }
  SetEvent(driver->endedEvent_);
  return 0;
}

int32_t audWinMM::close() {
  if (!open_) return kNotOpen;
  lock();
  ResumeThread(worker_);
  SetEvent(stopEvent_);
  unlock();
  WaitForSingleObject(endedEvent_, INFINITE);
  Sleep(settlePauseMs);
  CloseHandle(stopEvent_);
  CloseHandle(endedEvent_);
  CloseHandle(worker_);
  stopEvent_ = endedEvent_ = worker_ = nullptr;
  // Always reset: buffers still queued on the device must come back before their memory goes.
  waveOutReset(device_);
  for (WAVEHDR& h : headers_) waveOutUnprepareHeader(device_, &h, sizeof(WAVEHDR));
  waveOutClose(device_);
  device_ = nullptr;
  headers_.clear();
  memory_.clear();
  DeleteCriticalSection(&guard_);
  CloseHandle(freeBuffers_);
  freeBuffers_ = nullptr;
  open_ = false;
  paused_ = true;
  return 0;
}

void audWinMM::lock() {
  if (open_) EnterCriticalSection(&guard_);
}

void audWinMM::unlock() {
  if (open_) LeaveCriticalSection(&guard_);
}

void audWinMM::pause() {
  if (!open_ || paused_) return;
  lock();
  waveOutPause(device_);
  SuspendThread(worker_);
  unlock();
  paused_ = true;
}

void audWinMM::resume() {
  if (!open_ || !paused_) return;
  lock();
  ResumeThread(worker_);
  waveOutRestart(device_);
  unlock();
  paused_ = false;
}
