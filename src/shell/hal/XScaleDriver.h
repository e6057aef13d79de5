// The XScale driver: the processor's LCD controller at physical 0x44000000.
#pragma once

#include "shell/hal/LcdDriver.h"

namespace ScreenHAL {

class XScaleDriver final : public LcdDriver {
 public:
  XScaleDriver() : LcdDriver("XScale") {}
  // An enabled 16-bit panel on this controller; faults are caught and count as none.
  static bool detect(DetectionRecord& detection);

 protected:
  bool probePanel(LcdPanel& panel) override;
  bool scanBetween(int32_t firstRow, int32_t lastRow) const override;
};

}  // namespace ScreenHAL
