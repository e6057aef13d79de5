// The OEM table, the processor probe, frame-buffer layouts and the timer of the video drivers.
#include "shell/hal/DeviceProbe.h"

#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/api/kernel.h"
#include "platform/api/strings.h"
#include "platform/api/sysinfo.h"
#include "platform/api/tickcount.h"
#include "shell/hal/DisplayServices.h"
#include "shell/hal/Log.h"

namespace ScreenHAL {

namespace {

struct OemEntry {
  int32_t code;
  std::u16string_view prefix;
};

constexpr OemEntry kOemTable[] = {
    {kOemIpaqH3800, u"Compaq iPAQ H3800"},
    {kOemP6C, u"Compale P6C"},
    {kOemTyphoon, u"Typhoon"},
    {kOemE310, u"Toshiba e310"},
    {kOemE330, u"Toshiba e330"},
    {kOemE740, u"Toshiba e740"},
    {kOemE750, u"Toshiba e750"},
    {kOemMotoQ, u"MotoQ"},
    {kOemI320, u"SGH-I320"},
    {kOemI600, u"SGH-i601"},
    {kOemI600, u"SGH-i607"},
    {kOemI760, u"SAMSUNG SCH-i760"},
    {kOemM530, u"ASUS M530w"},
    {kOemTechFaith, u"TechFaith"},
};
// The code-8 prefix names that device only when nothing follows it.
constexpr size_t kMotoQLongest = 5;
constexpr UINT kOemChars = 256;

constexpr uint32_t kXScaleId = 0x69052;
constexpr uint32_t kStrongArmId = 0x6901;

// Main thread only.
int32_t cachedOem = -1;
int32_t cachedProcessor = -1;

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (lower(text[i]) != lower(prefix[i])) return false;
  }
  return true;
}

}  // namespace

int32_t oemCodeFor(const char16_t* oem) {
  if (oem == nullptr) return kOemNone;
  const std::u16string_view text(oem);
  for (const OemEntry& entry : kOemTable) {
    if (!startsWithIgnoringCase(text, entry.prefix)) continue;
    if (entry.code == kOemMotoQ && text.size() > kMotoQLongest) return kOemNone;
    return entry.code;
  }
  return kOemNone;
}

int32_t oemCode() {
  if (cachedOem >= 0) return cachedOem;
  char16_t text[kOemChars + 1] = {};
  if (!SystemParametersInfoW(SPI_GETOEMINFO, sizeof text, text, 0)) text[0] = 0;
  char ansi[kOemChars + 1] = {};
  WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
  log("OEM String: \"%s\"", ansi);
  cachedOem = oemCodeFor(text);
  return cachedOem;
}

int32_t processorTypeFor(uint32_t mainId) {
  if ((mainId >> 12) == kXScaleId) return kXScaleProcessor;
  if ((mainId >> 16) == kStrongArmId) return kStrongArmProcessor;
  return kOtherProcessor;
}

int32_t processorType() {
  if (cachedProcessor >= 0) return cachedProcessor;
  const BOOL previous = setKernelMode(TRUE);
  try {
    cachedProcessor = processorTypeFor(ReadMainIdRegister());
  } catch (const platform::StructuredException&) {
    cachedProcessor = kOtherProcessor;
  }
  setKernelMode(previous);
  return cachedProcessor;
}

FrameLayout layoutFromPitches(int32_t xPitch, int32_t yPitch, int32_t width, int32_t height) {
  FrameLayout layout;
  if (xPitch > 0) {
    layout.orientation = yPitch > 0 ? 0 : 1;
  } else {
    layout.orientation = yPitch < 0 ? 2 : 3;
  }
  const bool across = layout.orientation % 2 == 1;
  layout.width = across ? height : width;
  layout.height = across ? width : height;
  layout.pitch = std::abs(across ? xPitch : yPitch);
  return layout;
}

int64_t frameBufferOffset(int32_t orientation, int32_t width, int32_t height, int32_t xPitch, int32_t yPitch) {
  switch (orientation) {
    // Rows run up the screen: memory starts at the bottom-left pixel.
    case 1:
      return static_cast<int64_t>(height - 1) * yPitch;
    case 2:
      return static_cast<int64_t>(height - 1) * yPitch + static_cast<int64_t>(width - 1) * xPitch;
    case 3:
      return static_cast<int64_t>(width - 1) * xPitch;
    default:
      return 0;
  }
}

uint32_t timerMs() {
  LARGE_INTEGER frequency{};
  LARGE_INTEGER count{};
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart / 1000 != 0 && QueryPerformanceCounter(&count))
    return static_cast<uint32_t>(count.QuadPart / (frequency.QuadPart / 1000));
  return GetTickCount();
}

void forgetDeviceProbe() {
  cachedOem = -1;
  cachedProcessor = -1;
}

}  // namespace ScreenHAL
