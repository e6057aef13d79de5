// The slow frame-buffer driver for MediaQ chips: frames are drawn in system memory and only the words
// that changed since the previous frame are written to the slow frame buffer.
#pragma once

#include <memory>

#include "shell/hal/VideoDriver.h"

namespace ScreenHAL {

class SlowFrameBufferDriver final : public VideoDriver {
 public:
  // The MediaQ detection: where the frame buffer lies, its size, and how long clearing it takes.
  static bool detect(DetectionRecord& detection);

  bool initialize(HWND window, DisplayParams& params, DetectionRecord& detection) override;
  Surface* lock() override;
  void present(uint32_t flags) override;
  void adjustRect(Raster::Rect& dirty) override;

 private:
  void copyAll();
  void copyChanged();

  uint8_t* frameBuffer_ = nullptr;
  std::unique_ptr<uint8_t[]> buffers_[2];
  int current_ = 0;
  bool shownOnce_ = false;
  Raster::Rect dirty_;
};

}  // namespace ScreenHAL
