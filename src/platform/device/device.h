// The emulated handheld: one configuration that every part of the stand-in answers from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The processor as its identification register names it.
enum class Processor { Other, StrongArm, XScale };
// Whose LCD controller registers sit at their physical address.
enum class LcdController { None, StrongArm, XScale };

// The emulated video hardware behind the screen.
struct VideoHardware {
  int bitsPerPixel = 16;
  // Quarter turns between the panel's scan order in memory and the screen as held (0: rows match).
  int nativeOrientation = 0;
  bool rawFrameBufferEscape = false;  // GETRAWFRAMEBUFFER
  bool gxInfoEscape = false;          // GETGXINFO
  bool gameApiDram = false;           // "gx.dll" draws into system memory and copies at GXEndDraw
  Processor processor = Processor::Other;
  LcdController lcd = LcdController::None;
  bool lcdEnabled = true;
  // Offset of the frame buffer within its 512 KB block of video memory.
  uint32_t frameBufferPlacement = 0;
  // Nanoseconds each byte written to video memory costs (a slow bus); the probe's timer sees it.
  int slowWriteNs = 0;
  // Probing the LCD controller or the chip library faults.
  bool probeFaults = false;
};

struct Device {
  std::string profile;
  std::u16string platformType;  // "PocketPC" or "SmartPhone"
  std::u16string oemInfo;
  int screenWidth = 240;
  int screenHeight = 320;
  // Touch driver named in HKLM "HARDWARE\DEVICEMAP\TOUCH" "DriverName"; empty when the device has none.
  std::u16string touchDriver;
  // Libraries the device carries; LoadLibraryW finds exactly these.
  std::vector<std::u16string> libraries;
  VideoHardware video;
};

// The device in force: on first use, the profile named by GLIMMERHUT_DEVICE (default "pocketpc")
// with the overrides GLIMMERHUT_PLATFORM, GLIMMERHUT_OEM and GLIMMERHUT_SCREEN (WIDTHxHEIGHT).
const Device& device();
// Replaces the device in force; tests use it to emulate another handheld.
void setDevice(Device device);

// Counts setDevice calls, so emulated hardware can tell that the device changed.
uint64_t deviceGeneration();

// A built-in profile by name; false when there is no such profile.
bool findDeviceProfile(std::string_view name, Device& out);
std::vector<std::string> deviceProfileNames();

// Builds the device from environment values, the way device() does on first use.
// Problems (an unknown profile or platform type, a malformed size) are described in `error`, one after the
// other, and the default is kept.
Device deviceFromEnvironment(const char* profile, const char* platformType, const char* oem, const char* screen,
                             std::string& error);

}  // namespace platform
