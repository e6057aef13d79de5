// The wave-out output driver: a ring of about 30 ms buffers kept queued on the device and refilled by
// one worker thread as the device finishes each.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/api/sync.h"
#include "platform/api/waveout.h"
#include "sound/aud/audDriver.h"

class audWinMM : public audDriver {
 public:
  static constexpr int32_t kBadArguments = -1;  // also: no device would open
  static constexpr int32_t kAlreadyOpen = -2;
  static constexpr int32_t kNotOpen = -3;
  static constexpr int32_t kNoThread = -4;
  static constexpr int32_t kNoMemory = -10;

  audWinMM() = default;
  ~audWinMM() override;

  int32_t open(const audFormat* format, uint32_t totalFrames, audMixFunction callback, void* user) override;
  int32_t close() override;
  void lock() override;
  void unlock() override;
  void pause() override;
  void resume() override;

  // The pause after the worker is made and after it has ended, 100 ms. A test program that opens the
  // device in every test may shorten it before the first open; the program keeps it.
  static void setSettlePause(DWORD ms);

  // Buffer layout for a format and a total buffering, as open computes it.
  static uint32_t bufferCountFor(uint32_t totalFrames, int32_t rate);
  static uint32_t bufferBytesFor(int32_t rate, int32_t flags, int32_t channels);

  uint32_t getBufferCount() const { return count_; }
  uint32_t getBufferBytes() const { return bufferBytes_; }
  bool isOpen() const { return open_; }
  bool isPaused() const { return paused_; }

 private:
  static DWORD threadProc(LPVOID driver);
  static void waveOutProc(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR parameter1,
                          DWORD_PTR parameter2);
  void requeue(WAVEHDR& header);

  HWAVEOUT device_ = nullptr;
  WAVEFORMATEX waveFormat_{};
  std::vector<WAVEHDR> headers_;
  uint32_t count_ = 0;
  uint32_t index_ = 0;  // next header to refill; worker thread only
  HANDLE worker_ = nullptr;
  DWORD workerId_ = 0;
  HANDLE endedEvent_ = nullptr;
  HANDLE stopEvent_ = nullptr;
  HANDLE freeBuffers_ = nullptr;  // one count per buffer the device has finished
  CRITICAL_SECTION guard_{};
  audFormat request_{};
  std::vector<uint8_t> memory_;
  uint32_t bytesPerFrame_ = 0;
  uint32_t bufferBytes_ = 0;
  uint32_t totalBytes_ = 0;
  audMixFunction callback_ = nullptr;
  void* user_ = nullptr;
  bool open_ = false;
  bool paused_ = true;  // main thread only
};
