// The mixer's output driver: queued PCM buffers refilled by a callback on a worker thread, and the lock
// under which all mixing and every channel change happens.
#pragma once

#include <cstdint>

// The PCM format the mixer asks for.
struct audFormat {
  int32_t rate;      // frames per second
  int32_t flags;     // audFormat::kUnsigned8 or kSigned16
  int32_t channels;  // 1 or 2

  static constexpr int32_t kUnsigned8 = 0x21;
  static constexpr int32_t kSigned16 = 0x12;
  static constexpr int32_t kBit8 = 0x01;
  static constexpr int32_t kBit16 = 0x02;
  static constexpr int32_t kBitSigned = 0x10;
  static constexpr int32_t kBitUnsigned = 0x20;
};

// Fills the whole buffer; called on the driver's worker thread with the driver's lock held.
using audMixFunction = void (*)(void* user, void* buffer, uint32_t bytes);

class audDriver {
 public:
  virtual ~audDriver() = default;
  // Opens paused: output starts with resume. 0 or a negative code.
  virtual int32_t open(const audFormat* format, uint32_t totalFrames, audMixFunction callback, void* user) = 0;
  virtual int32_t close() = 0;
  virtual void lock() = 0;
  virtual void unlock() = 0;
  virtual void pause() = 0;
  virtual void resume() = 0;
};
