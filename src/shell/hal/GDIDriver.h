// The driver that draws through a 16-bit DIB section and copies the frame to the window with BitBlt.
#pragma once

#include "platform/api/gdi.h"
#include "shell/hal/VideoDriver.h"

namespace ScreenHAL {

class GDIDriver final : public VideoDriver {
 public:
  GDIDriver() = default;
  GDIDriver(const GDIDriver&) = delete;
  GDIDriver& operator=(const GDIDriver&) = delete;
  ~GDIDriver() override;

  // Always found while the screen's device context exists; fills the detection's mode record.
  static bool detect(DetectionRecord& detection);

  bool initialize(HWND window, DisplayParams& params, DetectionRecord& detection) override;
  Surface* lock() override;
  void present(uint32_t flags) override;
  void adjustRect(Raster::Rect& dirty) override;

 private:
  HWND window_ = nullptr;
  HDC windowDc_ = nullptr;
  HDC memoryDc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previousBitmap_ = nullptr;
  Raster::Rect dirty_;
};

}  // namespace ScreenHAL
