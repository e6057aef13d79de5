// Built-in device profiles and the environment variables that choose among them.
#include "platform/device.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>

#include "platform/text.h"

namespace platform {

namespace {

Device pocketPc() {
  Device d;
  d.profile = "pocketpc";
  d.platformType = u"PocketPC";
  d.oemInfo = u"GlimmerHut Pocket PC";
  d.touchDriver = u"touch.dll";
  d.libraries = {u"touch.dll", u"aygshell.dll"};
  return d;
}

Device smartphone() {
  Device d;
  d.profile = "smartphone";
  d.platformType = u"SmartPhone";
  d.oemInfo = u"GlimmerHut Smartphone";
  d.screenWidth = 176;
  d.screenHeight = 220;
  d.libraries = {u"aygshell.dll"};
  return d;
}

Device smartphoneWithTouch() {
  Device d = smartphone();
  d.profile = "smartphone-touch";
  d.touchDriver = u"touch.dll";
  d.libraries = {u"touch.dll", u"aygshell.dll"};
  return d;
}

struct Profile {
  const char* name;
  Device (*make)();
};

constexpr Profile kProfiles[] = {
    {"pocketpc", pocketPc},
    {"smartphone", smartphone},
    {"smartphone-touch", smartphoneWithTouch},
};

std::mutex deviceLock;
std::optional<Device> current;  // guarded by deviceLock

bool parseSize(std::string_view text, int& width, int& height) {
  int w = 0, h = 0;
  char x = 0, extra = 0;
  std::string s(text);
  if (std::sscanf(s.c_str(), "%d%c%d%c", &w, &x, &h, &extra) != 3 || (x != 'x' && x != 'X') || w <= 0 ||
      h <= 0)
    return false;
  width = w;
  height = h;
  return true;
}

}  // namespace

bool findDeviceProfile(std::string_view name, Device& out) {
  for (const Profile& p : kProfiles) {
    if (name == p.name) {
      out = p.make();
      return true;
    }
  }
  return false;
}

std::vector<std::string> deviceProfileNames() {
  std::vector<std::string> names;
  for (const Profile& p : kProfiles) names.emplace_back(p.name);
  return names;
}

Device deviceFromEnvironment(const char* profile, const char* platformType, const char* oem,
                             const char* screen, std::string& error) {
  Device d = pocketPc();
  if (profile && *profile && !findDeviceProfile(profile, d)) {
    error = std::string("unknown device profile \"") + profile + "\", using \"pocketpc\"";
  }
  if (platformType && *platformType) d.platformType = fromUtf8(platformType);
  if (oem && *oem) d.oemInfo = fromUtf8(oem);
  if (screen && *screen && !parseSize(screen, d.screenWidth, d.screenHeight)) {
    error = std::string("screen size \"") + screen + "\" is not WIDTHxHEIGHT, keeping the profile's";
  }
  return d;
}

const Device& device() {
  std::lock_guard lock(deviceLock);
  if (!current) {
    std::string error;
    current = deviceFromEnvironment(std::getenv("GLIMMERHUT_DEVICE"), std::getenv("GLIMMERHUT_PLATFORM"),
                                    std::getenv("GLIMMERHUT_OEM"), std::getenv("GLIMMERHUT_SCREEN"), error);
    if (!error.empty()) std::fprintf(stderr, "GlimmerHut: %s\n", error.c_str());
  }
  return *current;
}

void setDevice(Device d) {
  std::lock_guard lock(deviceLock);
  current = std::move(d);
}

}  // namespace platform
