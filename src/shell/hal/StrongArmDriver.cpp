// The StrongARM LCD controller: its registers, the palette word that gives the depth, and the
// current-address register that shows the scan.
#include "shell/hal/StrongArmDriver.h"

#include "platform/api/kernel.h"
#include "shell/hal/Log.h"

namespace ScreenHAL {

namespace {

constexpr uint64_t kControllerPhysical = 0xB0100000;
constexpr size_t kControllerBytes = 0x2C;
constexpr size_t kControl = 0x00;         // register 0
constexpr size_t kBase = 0x10;            // register 4: the palette, then the pixels
constexpr size_t kCurrentAddress = 0x14;  // register 5
constexpr size_t kLineControl = 0x20;     // register 8
constexpr size_t kPanelControl = 0x24;    // register 9
constexpr uint32_t kEnabled = 1u << 0;
constexpr uint32_t kActive = 1u << 7;
constexpr uint32_t kSizeMask = 0x3FF;
constexpr int32_t kWidthBias = 16;
constexpr int32_t kRowAlignment = 16;  // pixels
constexpr uint16_t kDepthMask = 0x3000;
constexpr uint32_t kPaletteBytes = 0x20;

int32_t depthOf(uint16_t palette) {
  switch (palette & kDepthMask) {
    case 0x0000:
      return 4;
    case 0x1000:
      return 8;
    case 0x2000:
      return 16;
    default:
      return 0;
  }
}

// Reads the panel through the given mapping of the registers; false when it is not a 16-bit one.
bool readPanel(const PhysicalMapping& registers, LcdPanel& panel, uint32_t& pixelsPhysical) {
  const uint32_t control = registers.read32(kControl);
  if ((control & kEnabled) == 0 || (control & kActive) == 0) return false;
  const uint32_t base = registers.read32(kBase);
  panel.width = static_cast<int32_t>(registers.read32(kLineControl) & kSizeMask) + kWidthBias;
  panel.height = static_cast<int32_t>(registers.read32(kPanelControl) & kSizeMask) + 1;
  PhysicalMapping palette;
  if (!palette.map(base, sizeof(uint16_t))) return false;
  panel.bitsPerPixel = depthOf(palette.read16(0));
  panel.stride = (panel.width + kRowAlignment - 1) / kRowAlignment * kRowAlignment * panel.bitsPerPixel / 8;
  pixelsPhysical = base + kPaletteBytes;
  return panel.bitsPerPixel == 16;
}

}  // namespace

bool StrongArmDriver::detect(DetectionRecord&) {
  try {
    PhysicalMapping registers;
    LcdPanel panel;
    uint32_t pixels = 0;
    if (registers.map(kControllerPhysical, kControllerBytes) && readPanel(registers, panel, pixels)) {
      log("StrongARM: found LCD");
      return true;
    }
  } catch (const platform::StructuredException&) {
    log("StrongARM: *** CAUGHT EXCEPTION ***");
    return false;
  }
  log("StrongARM: no LCD detected");
  return false;
}

bool StrongArmDriver::probePanel(LcdPanel& panel) {
  return registers_.map(kControllerPhysical, kControllerBytes) && readPanel(registers_, panel, pixelsPhysical_);
}

bool StrongArmDriver::scanBetween(int32_t firstRow, int32_t lastRow) const {
  const uint32_t current = registers_.read32(kCurrentAddress);
  const uint32_t stride = static_cast<uint32_t>(panel_.stride);
  return current >= pixelsPhysical_ + static_cast<uint32_t>(firstRow) * stride &&
         current <= pixelsPhysical_ + static_cast<uint32_t>(lastRow) * stride;
}

}  // namespace ScreenHAL
