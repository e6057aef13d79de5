// The XScale LCD controller: its registers, the row alignment they imply, and the DMA command
// register that shows the scan.
#include "shell/hal/XScaleDriver.h"

#include <iterator>

#include "platform/api/kernel.h"
#include "shell/hal/Log.h"

namespace ScreenHAL {

namespace {

constexpr uint64_t kControllerPhysical = 0x44000000;
constexpr size_t kControllerBytes = 0x220;
constexpr size_t kControl = 0x00;  // register 0
constexpr size_t kTiming1 = 0x04;  // register 1: pixels per line - 1
constexpr size_t kTiming2 = 0x08;  // register 2: lines per panel - 1
constexpr size_t kTiming3 = 0x0C;  // register 3: depth in bits 24-26
constexpr size_t kCommand = 0x20C;
constexpr uint32_t kEnabled = 1u << 0;
constexpr uint32_t kMonochrome = 1u << 1;
constexpr uint32_t kActive = 1u << 7;
constexpr uint32_t kDoublePixel = 1u << 9;
constexpr uint32_t kSizeMask = 0x3FF;
constexpr int kDepthShift = 24;
constexpr uint32_t kDepthMask = 0x7;
constexpr int32_t kDepths[] = {1, 2, 4, 8, 16};
constexpr uint32_t kPaletteLoad = 1u << 26;
constexpr uint32_t kLengthMask = 0x1FFFFF;

bool readPanel(const PhysicalMapping& registers, LcdPanel& panel) {
  const uint32_t control = registers.read32(kControl);
  if ((control & kEnabled) == 0) return false;
  panel.width = static_cast<int32_t>(registers.read32(kTiming1) & kSizeMask) + 1;
  panel.height = static_cast<int32_t>(registers.read32(kTiming2) & kSizeMask) + 1;
  const uint32_t depth = (registers.read32(kTiming3) >> kDepthShift) & kDepthMask;
  panel.bitsPerPixel = depth < std::size(kDepths) ? kDepths[depth] : 0;
  const bool doubleMono = (control & kMonochrome) != 0 && (control & kDoublePixel) != 0;
  const bool activeDeep = (control & kActive) != 0 && (panel.bitsPerPixel == 8 || panel.bitsPerPixel == 16);
  const int32_t alignment = doubleMono || activeDeep ? 8 : 4;
  panel.stride = (panel.width + alignment - 1) / alignment * alignment * panel.bitsPerPixel / 8;
  return panel.bitsPerPixel == 16;
}

}  // namespace

bool XScaleDriver::detect(DetectionRecord&) {
  try {
    PhysicalMapping registers;
    LcdPanel panel;
    if (registers.map(kControllerPhysical, kControllerBytes) && readPanel(registers, panel)) {
      log("XScale: found LCD");
      return true;
    }
  } catch (const platform::StructuredException&) {
    log("XScale: *** CAUGHT EXCEPTION ***");
    return false;
  }
  log("XScale: no LCD detected");
  return false;
}

bool XScaleDriver::probePanel(LcdPanel& panel) {
  return registers_.map(kControllerPhysical, kControllerBytes) && readPanel(registers_, panel);
}

bool XScaleDriver::scanBetween(int32_t firstRow, int32_t lastRow) const {
  // The command register counts the bytes still to send of the frame.
  const uint32_t command = registers_.read32(kCommand);
  const uint32_t left = command & kLengthMask;
  const uint32_t stride = static_cast<uint32_t>(panel_.stride);
  const int32_t height = panel_.height;
  return (command & kPaletteLoad) == 0 && left >= static_cast<uint32_t>(height - lastRow) * stride &&
         left <= static_cast<uint32_t>(height - firstRow) * stride;
}

}  // namespace ScreenHAL
