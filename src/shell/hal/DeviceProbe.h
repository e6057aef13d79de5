// What the video drivers ask of the device: its OEM code, its processor, how a frame buffer's pitches
// turn into an orientation, where a rotated frame buffer starts, and the millisecond timer.
#pragma once

#include <cstdint>

namespace ScreenHAL {

// Handhelds with quirks of their own, by OEM information string.
enum OemCode : int32_t {
  kOemNone = 0,
  kOemIpaqH3800 = 1,
  kOemP6C = 2,
  kOemTyphoon = 3,
  kOemE310 = 4,
  kOemE330 = 5,
  kOemE740 = 6,
  kOemE750 = 7,
  kOemMotoQ = 8,
  kOemI320 = 9,
  kOemI600 = 10,
  kOemI760 = 11,
  kOemM530 = 12,
  kOemTechFaith = 13,
};

// The code of an OEM string: the first table entry the string begins with, ignoring case; 0 when none
// does, and the code-8 prefix only counts for strings of at most 5 characters.
int32_t oemCodeFor(const char16_t* oem);
// The device's code, read (and logged) once.
int32_t oemCode();

enum ProcessorType : int32_t { kOtherProcessor = 0, kStrongArmProcessor = 1, kXScaleProcessor = 2 };
// From the identification register read in kernel mode; a fault counts as another processor. Cached.
int32_t processorType();
int32_t processorTypeFor(uint32_t mainId);

// A frame buffer described by its pitches as the screen is held, turned to its own rows.
struct FrameLayout {
  int32_t orientation = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;
};
FrameLayout layoutFromPitches(int32_t xPitch, int32_t yPitch, int32_t width, int32_t height);
// Bytes from the reported address to the frame buffer's first pixel in memory, sizes as reported.
int64_t frameBufferOffset(int32_t orientation, int32_t width, int32_t height, int32_t xPitch, int32_t yPitch);

// Milliseconds from the high-resolution counter, or the tick count without one.
uint32_t timerMs();

// Forgets the cached OEM code and processor type (tests change the device).
void forgetDeviceProbe();

}  // namespace ScreenHAL
