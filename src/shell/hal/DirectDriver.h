// The direct driver: the frame buffer that the GETGXINFO escape reports, copied to the panel by DMA
// when "gxdma.dll" is there.
#pragma once

#include "platform/api/gx.h"
#include "platform/api/module.h"
#include "shell/hal/VideoDriver.h"

namespace ScreenHAL {

class DirectDriver final : public VideoDriver {
 public:
  DirectDriver() = default;
  DirectDriver(const DirectDriver&) = delete;
  DirectDriver& operator=(const DirectDriver&) = delete;
  ~DirectDriver() override;

  // Fills the detection's mode when the escape gives a frame buffer.
  static bool detect(DetectionRecord& detection);

  bool initialize(HWND window, DisplayParams& params, DetectionRecord& detection) override;
  Surface* lock() override;
  void present(uint32_t flags) override;
  void adjustRect(Raster::Rect& dirty) override;

 private:
  HMODULE dma_ = nullptr;
  DmaCopyProc toVideo_ = nullptr;
  IsDMAReadyProc ready_ = nullptr;
  Raster::Rect dirty_;
};

}  // namespace ScreenHAL
