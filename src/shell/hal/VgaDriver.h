// The VGA driver: draws straight into the raw frame buffer that the display driver's GETRAWFRAMEBUFFER
// escape reports.
#pragma once

#include "shell/hal/VideoDriver.h"

namespace ScreenHAL {

class VgaDriver final : public VideoDriver {
 public:
  // Fills the detection's mode when the raw frame buffer serves this screen.
  static bool detect(DetectionRecord& detection);

  bool initialize(HWND window, DisplayParams& params, DetectionRecord& detection) override;
  Surface* lock() override;
  void present(uint32_t) override {}
};

}  // namespace ScreenHAL
