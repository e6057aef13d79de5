// MediaQ detection and the slow frame-buffer driver's double buffering.
#include "shell/hal/SlowFrameBufferDriver.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "shell/hal/DeviceProbe.h"
#include "shell/hal/Log.h"

namespace ScreenHAL {

namespace {

// The chip's frame buffer lies at this offset within a 512 KB block, and is at most 256 KB.
constexpr uintptr_t kBlock = 0x80000;
constexpr uintptr_t kFirstOffset = 0x42000;
constexpr uintptr_t kLastOffset = 0x7FFFF;
constexpr int64_t kMaxBytes = 0x40000;
// Clearing the frame buffer a byte at a time takes at least this long on the chip's slow bus.
constexpr int32_t kSlowClearMs = 14;
constexpr uint32_t kTimerChangeLimitMs = 1000;
// Compared and copied in runs of this many bytes.
constexpr size_t kRun = 64;

}  // namespace

bool SlowFrameBufferDriver::detect(DetectionRecord& detection) {
  log("MediaQ: Detect()");
  const VideoMode& mode = detection.mode;
  const uintptr_t offset = reinterpret_cast<uintptr_t>(mode.frameBuffer) % kBlock;
  if (mode.frameBuffer == nullptr || offset < kFirstOffset || offset > kLastOffset) {
    log("MediaQ: not a MediaQ [1]");
    return false;
  }
  const int64_t bytes = static_cast<int64_t>(mode.pitch) * mode.height;
  if (bytes > kMaxBytes || bytes <= 0) {
    log("MediaQ: not a MediaQ [2]");
    return false;
  }
  const uint32_t before = timerMs();
  uint32_t changed = before;
  while (changed == before) {
    changed = timerMs();
    if (changed - before > kTimerChangeLimitMs) break;
  }
  // A byte at a time, as the chip's bus sees it.
  volatile uint8_t* pixels = mode.frameBuffer;
  for (int64_t i = 0; i < bytes; ++i) pixels[i] = 0;
  const int32_t elapsed = static_cast<int32_t>(timerMs() - changed) - 1;
  log("MediaQ: benchmarked %d ms", elapsed);
  if (elapsed < kSlowClearMs) {
    log("MediaQ: not a MediaQ [3]");
    return false;
  }
  log("MediaQ: detected MQ1100 or above");
  return true;
}

bool SlowFrameBufferDriver::initialize(HWND, DisplayParams& params, DetectionRecord& detection) {
  log("MediaQ: Initialize()");
  log("SlowFB: Initialize()");
  const VideoMode& found = detection.mode;
  if (found.frameBuffer == nullptr || found.width <= 0 || found.height <= 0 || found.pitch < found.width * 2)
    return false;
  frameBuffer_ = found.frameBuffer;
  mode_.width = found.width;
  mode_.height = found.height;
  mode_.bitsPerPixel = found.bitsPerPixel;
  mode_.pitch = found.pitch;
  mode_.orientation = found.orientation;
  mode_.frameBuffer = frameBuffer_;
  surface_.width = found.width;
  surface_.height = found.height;
  surface_.pitch = found.pitch;
  surface_.ownsPixels = false;
  dirty_ = Raster::Rect{0, 0, found.width, found.height};
  const size_t bytes = static_cast<size_t>(found.pitch) * static_cast<size_t>(found.height);
  if (bytes % kRun != 0) {
    // Without whole runs there is nothing to compare in: draw straight into the frame buffer.
    mode_.swapKind = kSwapNone;
    surface_.pixels = frameBuffer_;
    return true;
  }
  for (auto& buffer : buffers_) {
    buffer.reset(new (std::nothrow) uint8_t[bytes]());
    if (!buffer) return false;
  }
  const bool sameTurn = params.O == kAnyOrientation || params.O == found.orientation;
  mode_.swapKind = params.S == kSwapCopy && sameTurn ? kSwapCopy : kSwapDouble;
  return true;
}

Surface* SlowFrameBufferDriver::lock() {
  if (buffers_[0]) surface_.pixels = buffers_[current_].get();
  return &surface_;
}

void SlowFrameBufferDriver::present(uint32_t flags) {
  if (!buffers_[0]) return;
  if (!shownOnce_ || (flags & kPresentAll) != 0) {
    copyAll();
    shownOnce_ = true;
  } else {
    copyChanged();
  }
  current_ ^= 1;
}

void SlowFrameBufferDriver::adjustRect(Raster::Rect& dirty) { dirty_ = dirty; }

void SlowFrameBufferDriver::copyAll() {
  const size_t bytes = static_cast<size_t>(mode_.pitch) * static_cast<size_t>(mode_.height);
  std::memcpy(frameBuffer_, buffers_[current_].get(), bytes);
  if (mode_.swapKind == kSwapCopy) std::memcpy(buffers_[current_ ^ 1].get(), buffers_[current_].get(), bytes);
}

void SlowFrameBufferDriver::copyChanged() {
  int32_t top = std::clamp(dirty_.top, 0, mode_.height);
  int32_t bottom = std::clamp(dirty_.bottom, top, mode_.height);
  if ((static_cast<size_t>(bottom - top) * static_cast<size_t>(mode_.pitch)) % kRun != 0) {
    top &= ~1;
    bottom = std::min((bottom + 1) & ~1, mode_.height);
  }
  const size_t begin = static_cast<size_t>(top) * static_cast<size_t>(mode_.pitch);
  const size_t end = static_cast<size_t>(bottom) * static_cast<size_t>(mode_.pitch);
  const uint8_t* drawn = buffers_[current_].get();
  uint8_t* previous = buffers_[current_ ^ 1].get();
  const bool keepPrevious = mode_.swapKind == kSwapCopy;
  for (size_t run = begin; run < end; run += kRun) {
    const size_t runEnd = std::min(run + kRun, end);
    if (std::memcmp(drawn + run, previous + run, runEnd - run) == 0) continue;
    for (size_t at = run; at + sizeof(uint32_t) <= runEnd; at += sizeof(uint32_t)) {
      uint32_t now;
      uint32_t before;
      std::memcpy(&now, drawn + at, sizeof now);
      std::memcpy(&before, previous + at, sizeof before);
      if (now == before) continue;
      std::memcpy(frameBuffer_ + at, &now, sizeof now);
      if (keepPrevious) std::memcpy(previous + at, &now, sizeof now);
    }
  }
}

}  // namespace ScreenHAL
