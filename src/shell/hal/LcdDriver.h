// What the StrongARM and XScale drivers share: the processor's own LCD controller describes the panel,
// and the frame buffer is the one an earlier detection found, through its cached alias when it can be.
#pragma once

#include "shell/hal/PhysicalMapping.h"
#include "shell/hal/VideoDriver.h"

namespace ScreenHAL {

// The panel as the LCD controller's registers describe it.
struct LcdPanel {
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 0;
  int32_t stride = 0;
};

class LcdDriver : public VideoDriver {
 public:
  bool initialize(HWND window, DisplayParams& params, DetectionRecord& detection) override;
  Surface* lock() override { return &surface_; }
  void present(uint32_t) override {}
  // Waits until the controller sends rows near the bottom, so a copy runs behind the scan.
  void wait() override;

 protected:
  explicit LcdDriver(const char* name) : name_(name) {}
  // Maps the controller's registers into registers_ and reads the panel; false when there is none.
  virtual bool probePanel(LcdPanel& panel) = 0;
  // Whether the controller is sending a row in [firstRow, lastRow] now.
  virtual bool scanBetween(int32_t firstRow, int32_t lastRow) const = 0;

  PhysicalMapping registers_;
  LcdPanel panel_;

 private:
  const char* name_;
};

}  // namespace ScreenHAL
