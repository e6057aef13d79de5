// The emulated handheld: one configuration that every part of the stand-in answers from.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

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
};

// The device in force: on first use, the profile named by GLIMMERHUT_DEVICE (default "pocketpc")
// with the overrides GLIMMERHUT_PLATFORM, GLIMMERHUT_OEM and GLIMMERHUT_SCREEN (WIDTHxHEIGHT).
const Device& device();
// Replaces the device in force; tests use it to emulate another handheld.
void setDevice(Device device);

// A built-in profile by name; false when there is no such profile.
bool findDeviceProfile(std::string_view name, Device& out);
std::vector<std::string> deviceProfileNames();

// Builds the device from environment values, the way device() does on first use.
// Problems (an unknown profile, a malformed size) are described in `error` and the default is kept.
Device deviceFromEnvironment(const char* profile, const char* platformType, const char* oem,
                             const char* screen, std::string& error);

}  // namespace platform
