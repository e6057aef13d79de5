// Built-in device profiles and the environment variables that choose among them.
#include "platform/device/device.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>

#include "platform/host/text.h"
#include "platform/types.h"

namespace platform {

namespace {

Device pocketPc() {
  Device d;
  d.profile = "pocketpc";
  d.platformType = u"PocketPC";
  d.oemInfo = u"GlimmerHut Pocket PC";
  d.touchDriver = u"touch.dll";
  d.libraries = {u"touch.dll", u"aygshell.dll", u"sms.dll"};
  return d;
}

Device smartphone() {
  Device d;
  d.profile = "smartphone";
  d.platformType = u"SmartPhone";
  d.oemInfo = u"GlimmerHut Smartphone";
  d.screenWidth = 176;
  d.screenHeight = 220;
  d.libraries = {u"aygshell.dll", u"sms.dll"};
  return d;
}

Device smartphoneWithTouch() {
  Device d = smartphone();
  d.profile = "smartphone-touch";
  d.touchDriver = u"touch.dll";
  d.libraries = {u"touch.dll", u"aygshell.dll", u"sms.dll"};
  return d;
}

// Handhelds with ways to the screen past the drawing calls. Each carries coredll's kernel entries.
Device withVideo(const char* name, const char16_t* oem, std::vector<std::u16string> extraLibraries) {
  Device d = pocketPc();
  d.profile = name;
  d.oemInfo = oem;
  d.libraries.push_back(u"coredll.dll");
  for (auto& library : extraLibraries) d.libraries.push_back(std::move(library));
  return d;
}

Device gameApi() {
  Device d = withVideo("gapi", u"GlimmerHut Game API", {u"gx.dll"});
  d.video.gameApiDram = true;
  return d;
}

Device vga() {
  Device d = withVideo("vga", u"GlimmerHut VGA", {u"gx.dll"});
  d.screenWidth = 480;
  d.screenHeight = 640;
  d.video.rawFrameBufferEscape = true;
  return d;
}

Device xscale() {
  Device d = withVideo("xscale", u"GlimmerHut XScale", {u"gx.dll"});
  d.video.processor = Processor::XScale;
  d.video.lcd = LcdController::XScale;
  return d;
}

Device strongArm() {
  Device d = withVideo("strongarm", u"GlimmerHut StrongARM", {});
  d.video.gxInfoEscape = true;
  d.video.processor = Processor::StrongArm;
  d.video.lcd = LcdController::StrongArm;
  return d;
}

// The graphics chip drives the panel; the processor's own LCD controller is switched off.
Device imageon() {
  Device d = withVideo("imageon", u"Toshiba e740", {u"gx.dll", u"CoreLinkLib.dll"});
  d.video.processor = Processor::XScale;
  d.video.lcd = LcdController::XScale;
  d.video.lcdEnabled = false;
  return d;
}

Device mediaQ() {
  Device d = withVideo("mediaq", u"GlimmerHut MediaQ", {u"gx.dll"});
  d.video.frameBufferPlacement = 0x42000;
  d.video.slowWriteNs = 200;
  return d;
}

Device directDma() {
  Device d = withVideo("dma", u"GlimmerHut DMA", {u"gxdma.dll"});
  d.video.gxInfoEscape = true;
  return d;
}

// A panel that scans across while the screen is held upright.
Device landscapeNative() {
  Device d = withVideo("landscape", u"GlimmerHut Landscape", {});
  d.video.rawFrameBufferEscape = true;
  d.video.nativeOrientation = 1;
  return d;
}

// A 24-bit screen: its escapes and Game API are there but cannot serve 16-bit frames.
Device rgb24() {
  Device d = withVideo("rgb24", u"GlimmerHut 24-bit", {u"gx.dll"});
  d.video.bitsPerPixel = 24;
  d.video.rawFrameBufferEscape = true;
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
    {"gapi", gameApi},
    {"vga", vga},
    {"xscale", xscale},
    {"strongarm", strongArm},
    {"imageon", imageon},
    {"mediaq", mediaQ},
    {"dma", directDma},
    {"landscape", landscapeNative},
    {"rgb24", rgb24},
};

// The platform types a device reports, as the program compares them.
constexpr std::u16string_view kPlatformTypes[] = {u"PocketPC", u"SmartPhone"};

std::mutex deviceLock;
std::optional<Device> current;  // guarded by deviceLock
uint64_t generation = 0;        // guarded by deviceLock

// The reason when the text is no size of a screen, else empty.
std::string parseSize(std::string_view text, int& width, int& height) {
  int w = 0, h = 0;
  char x = 0, extra = 0;
  std::string s(text);
  if (std::sscanf(s.c_str(), "%d%c%d%c", &w, &x, &h, &extra) != 3 || (x != 'x' && x != 'X') || w <= 0 || h <= 0)
    return "is not WIDTHxHEIGHT";
  if (w > kMaxScreenSide || h > kMaxScreenSide) {
    return "is larger than " + std::to_string(kMaxScreenSide) + "x" + std::to_string(kMaxScreenSide);
  }
  width = w;
  height = h;
  return "";
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

Device deviceFromEnvironment(const char* profile, const char* platformType, const char* oem, const char* screen,
                             std::string& error) {
  // Each problem is told; the ones after the first follow it on the same line.
  error.clear();
  auto refuse = [&error](const std::string& problem) { error += (error.empty() ? "" : "; ") + problem; };
  Device d = pocketPc();
  if (profile && *profile && !findDeviceProfile(profile, d)) {
    refuse(std::string("unknown device profile \"") + profile + "\", using \"pocketpc\"");
  }
  if (platformType && *platformType) {
    const std::u16string type = fromUtf8(platformType);
    if (std::find(std::begin(kPlatformTypes), std::end(kPlatformTypes), type) != std::end(kPlatformTypes)) {
      d.platformType = type;
    } else {
      refuse(std::string("unknown platform type \"") + platformType + "\", using \"" + toUtf8(d.platformType) + "\"");
    }
  }
  if (oem && *oem) d.oemInfo = fromUtf8(oem);
  if (screen && *screen) {
    const std::string refused = parseSize(screen, d.screenWidth, d.screenHeight);
    if (!refused.empty()) refuse(std::string("screen size \"") + screen + "\" " + refused + ", keeping the profile's");
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
  ++generation;
}

uint64_t deviceGeneration() {
  std::lock_guard lock(deviceLock);
  return generation;
}

}  // namespace platform
