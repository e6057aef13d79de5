// The StrongARM driver: the processor's LCD controller at physical 0xB0100000.
#pragma once

#include "shell/hal/LcdDriver.h"

namespace ScreenHAL {

class StrongArmDriver final : public LcdDriver {
 public:
  StrongArmDriver() : LcdDriver("StrongARM") {}
  // An enabled, active 16-bit panel on this controller; faults are caught and count as none.
  static bool detect(DetectionRecord& detection);

 protected:
  bool probePanel(LcdPanel& panel) override;
  bool scanBetween(int32_t firstRow, int32_t lastRow) const override;

 private:
  uint32_t pixelsPhysical_ = 0;
};

}  // namespace ScreenHAL
