// The emulated video memory: a memory file holding the frame buffer and the LCD controller's register
// page, mapped twice (cached and uncached alias, bit 29 apart) and into whatever reservation asks for its
// physical pages; and the refresh that scans it out onto the device screen.
#include "platform/device/videohw.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/device/device.h"
#include "platform/device/screen.h"
#include "platform/device/videostate.h"
#include "platform/host/memory.h"
#include "platform/seam/capture.h"

namespace platform {

namespace video {

namespace {

// Physical addresses of the emulated memory. The LCD controllers sit where their processors put them.
constexpr uint64_t kVideoRamPhysical = 0x0A000000;
constexpr uint64_t kXScaleLcdPhysical = 0x44000000;
constexpr uint64_t kStrongArmLcdPhysical = 0xB0100000;
// The StrongARM controller reads a palette of 16 entries ahead of the pixels.
constexpr int kStrongArmPaletteBytes = 0x20;
constexpr uint16_t kStrongArmPalette16Bit = 0x2000;
// The cached and uncached aliases of the same memory differ in this address bit.
constexpr uint64_t kAliasBit = uint64_t{1} << 29;
constexpr size_t kAliasBlock = size_t{1} << 30;
constexpr size_t kChipBlock = 0x80000;

// LCD controller registers (byte offsets) and their bits.
constexpr uint32_t kLcdEnabled = 1u << 0;
constexpr uint32_t kLcdActive = 1u << 7;
constexpr size_t kXScaleWidthRegister = 0x04;
constexpr size_t kXScaleHeightRegister = 0x08;
constexpr size_t kXScaleDepthRegister = 0x0C;
constexpr uint32_t kXScale16Bit = 4u << 24;
constexpr size_t kXScaleCommandRegister = 0x20C;
constexpr size_t kStrongArmBaseRegister = 0x10;
constexpr size_t kStrongArmCurrentRegister = 0x14;
constexpr size_t kStrongArmWidthRegister = 0x20;
constexpr size_t kStrongArmHeightRegister = 0x24;
// The scan the registers report, frozen between rows height - 34 and height - 20 so that drivers
// waiting for it go on at once.
constexpr int kScanRowsFromBottom = 27;

struct Memory {
  int file = -1;
  size_t frameBytes = 0;  // at file offset 0
  size_t registerOffset = 0;
  size_t pageSize = 4096;
  uint64_t lcdPhysical = 0;
  uint8_t* reservation = nullptr;
  size_t reservationBytes = 0;
  uint8_t* registers = nullptr;
  size_t frameOffset = 0;  // of the first pixel in the file
  ~Memory() {
    if (registers != nullptr) memory::release(registers, pageSize);
    if (reservation != nullptr) memory::release(reservation, reservationBytes);
    memory::closeFile(file);
  }
};

// Main thread only.
uint64_t builtFor = ~uint64_t{0};
std::unique_ptr<State> current;
std::unique_ptr<Memory> memory;
std::vector<uint16_t> shown;  // what the last refresh put on the screen
bool shownFromSurface = false;
std::vector<uint8_t> busSnapshot;
uint64_t busStall = 0;

size_t roundUp(size_t value, size_t step) { return (value + step - 1) / step * step; }

void putRegister(size_t offset, uint32_t value) { std::memcpy(memory->registers + offset, &value, sizeof value); }

// Rows of the panel's memory as its LCD controller lays them out.
int pitchFor(const VideoHardware& config, int width) {
  switch (config.lcd) {
    case LcdController::StrongArm:
      return static_cast<int>(roundUp(static_cast<size_t>(width), 16) * 2);
    case LcdController::XScale:
      return static_cast<int>(roundUp(static_cast<size_t>(width), 8) * 2);
    case LcdController::None:
      break;
  }
  return static_cast<int>(roundUp(static_cast<size_t>(width) * 2, 4));
}

bool hasLibrary(const Device& device, std::u16string_view name) {
  for (const std::u16string& library : device.libraries) {
    if (library.size() != name.size()) continue;
    bool same = true;
    for (size_t i = 0; i < name.size(); ++i) {
      char16_t a = library[i], b = name[i];
      if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a + 32);
      if (b >= u'A' && b <= u'Z') b = static_cast<char16_t>(b + 32);
      same = same && a == b;
    }
    if (same) return true;
  }
  return false;
}

// Maps the memory file's frame block at the two aliases: a block aligned to 1 GB from a larger
// reservation, so that the aliases differ in bit 29 only. Without that much address space both
// aliases are one mapping.
bool mapAliases(State& s) {
  Memory& m = *memory;
  const size_t want = 2 * kAliasBlock;
  void* reserved = memory::reserve(want);
  uint8_t* cachedBlock = nullptr;
  uint8_t* uncachedBlock = nullptr;
  if (reserved != nullptr) {
    m.reservation = static_cast<uint8_t*>(reserved);
    m.reservationBytes = want;
    auto base = reinterpret_cast<uintptr_t>(m.reservation);
    cachedBlock = reinterpret_cast<uint8_t*>(roundUp(base, kAliasBlock));
    uncachedBlock = cachedBlock + kAliasBit;
  } else {
    // Still on a 512 KB boundary, where the chips' frame buffers start.
    m.reservationBytes = m.frameBytes + kChipBlock;
    reserved = memory::reserve(m.reservationBytes);
    if (reserved == nullptr) return false;
    m.reservation = static_cast<uint8_t*>(reserved);
    cachedBlock = uncachedBlock =
        reinterpret_cast<uint8_t*>(roundUp(reinterpret_cast<uintptr_t>(m.reservation), kChipBlock));
  }
  for (uint8_t* block : {cachedBlock, uncachedBlock}) {
    if (memory::mapFile(m.file, 0, m.frameBytes, block) == nullptr) return false;
  }
  s.cached = cachedBlock + m.frameOffset;
  s.uncached = uncachedBlock + m.frameOffset;
  return true;
}

void writeRegisters(State& s) {
  const VideoHardware& c = s.config;
  const uint32_t control = (c.lcdEnabled ? kLcdEnabled : 0) | kLcdActive;
  const uint64_t scanRow = static_cast<uint64_t>(std::max(s.height - kScanRowsFromBottom, 0));
  if (c.lcd == LcdController::XScale) {
    putRegister(0, control);
    putRegister(kXScaleWidthRegister, static_cast<uint32_t>(s.width - 1));
    putRegister(kXScaleHeightRegister, static_cast<uint32_t>(s.height - 1));
    putRegister(kXScaleDepthRegister, kXScale16Bit);
    putRegister(kXScaleCommandRegister, static_cast<uint32_t>(kScanRowsFromBottom * s.pitch));
  } else if (c.lcd == LcdController::StrongArm) {
    const uint64_t palette = s.physical - kStrongArmPaletteBytes;
    putRegister(0, control);
    putRegister(kStrongArmBaseRegister, static_cast<uint32_t>(palette));
    putRegister(kStrongArmCurrentRegister,
                static_cast<uint32_t>(s.physical + scanRow * static_cast<uint64_t>(s.pitch)));
    putRegister(kStrongArmWidthRegister, static_cast<uint32_t>(s.width - 16));
    putRegister(kStrongArmHeightRegister, static_cast<uint32_t>(s.height - 1));
    std::memcpy(s.cached - kStrongArmPaletteBytes, &kStrongArmPalette16Bit, sizeof kStrongArmPalette16Bit);
  }
}

// Video memory powers up holding noise, not a picture.
void fillNoise(uint8_t* bytes, size_t count) {
  uint32_t x = 0x2545F491;
  for (size_t i = 0; i < count; ++i) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    bytes[i] = static_cast<uint8_t>(x);
  }
}

void build() {
  const Device& device = platform::device();
  builtFor = deviceGeneration();
  shown.clear();
  busSnapshot.clear();
  busStall = 0;
  current = std::make_unique<State>();
  memory.reset();
  State& s = *current;
  s.config = device.video;
  s.screenWidth = device.screenWidth;
  s.screenHeight = device.screenHeight;
  const VideoHardware& c = device.video;
  const bool reachable = c.rawFrameBufferEscape || c.gxInfoEscape || c.lcd != LcdController::None ||
                         hasLibrary(device, u"gx.dll") || hasLibrary(device, u"CoreLinkLib.dll");
  if (c.bitsPerPixel != 16 || !reachable) return;

  s.orientation = c.nativeOrientation & 3;
  const bool across = s.orientation % 2 == 1;
  s.width = across ? s.screenHeight : s.screenWidth;
  s.height = across ? s.screenWidth : s.screenHeight;
  s.pitch = pitchFor(c, s.width);

  memory = std::make_unique<Memory>();
  Memory& m = *memory;
  m.pageSize = memory::pageSize();
  const size_t palette = c.lcd == LcdController::StrongArm ? kStrongArmPaletteBytes : 0;
  m.frameOffset = c.frameBufferPlacement + palette;
  m.frameBytes = roundUp(m.frameOffset + static_cast<size_t>(s.pitch) * static_cast<size_t>(s.height), m.pageSize);
  m.registerOffset = m.frameBytes;
  m.lcdPhysical = c.lcd == LcdController::XScale      ? kXScaleLcdPhysical
                  : c.lcd == LcdController::StrongArm ? kStrongArmLcdPhysical
                                                      : 0;
  m.file = memory::createFile("glimmerhut-video", m.frameBytes + m.pageSize);
  if (m.file < 0 || !mapAliases(s)) {
    memory.reset();
    return;
  }
  void* registers = memory::mapFile(m.file, m.registerOffset, m.pageSize, nullptr);
  if (registers == nullptr) {
    memory.reset();
    return;
  }
  m.registers = static_cast<uint8_t*>(registers);
  s.physical = kVideoRamPhysical + m.frameOffset;
  const size_t frameBytes = static_cast<size_t>(s.pitch) * static_cast<size_t>(s.height);
  fillNoise(s.cached, frameBytes);
  writeRegisters(s);
  s.dram.assign(frameBytes, 0);
  s.dma = hasLibrary(device, u"gxdma.dll");
  s.exists = true;
  busSnapshot.assign(s.cached, s.cached + frameBytes);
  // The noise is what the panel shows now; the screen keeps its picture until the program draws.
  shown.resize(static_cast<size_t>(s.width) * static_cast<size_t>(s.height));
  for (int y = 0; y < s.height; ++y)
    std::memcpy(&shown[static_cast<size_t>(y) * s.width], s.at(s.cached, 0, y), s.width * 2u);
}

uint32_t from565(uint16_t p) { return ((p & 0xF800u) << 8) | ((p & 0x07E0u) << 5) | ((p & 0x001Fu) << 3); }

}  // namespace

int64_t State::originOffset() const {
  switch (orientation) {
    case 1:
      return (width - 1) * 2;
    case 2:
      return static_cast<int64_t>(height - 1) * pitch + (width - 1) * 2;
    case 3:
      return static_cast<int64_t>(height - 1) * pitch;
    default:
      return 0;
  }
}

int State::xStep() const {
  static constexpr int kSign[4] = {1, 1, -1, -1};
  return orientation % 2 == 0 ? kSign[orientation] * 2 : kSign[orientation] * pitch;
}

int State::yStep() const {
  static constexpr int kSign[4] = {1, -1, -1, 1};
  return orientation % 2 == 0 ? kSign[orientation] * pitch : kSign[orientation] * 2;
}

State& state() {
  if (!current || builtFor != deviceGeneration()) build();
  return *current;
}

bool mapPhysical(void* destination, uint64_t physical, size_t size) {
  State& s = state();
  if (!s.exists || memory == nullptr) return false;
  Memory& m = *memory;
  const uint64_t frameStart = kVideoRamPhysical;
  size_t fileOffset = 0;
  if (physical >= frameStart && physical + size <= frameStart + m.frameBytes) {
    fileOffset = static_cast<size_t>(physical - frameStart);
  } else if (m.lcdPhysical != 0 && physical >= m.lcdPhysical && physical + size <= m.lcdPhysical + m.pageSize) {
    fileOffset = m.registerOffset + static_cast<size_t>(physical - m.lcdPhysical);
  } else {
    return false;
  }
  if (fileOffset % m.pageSize != 0 || reinterpret_cast<uintptr_t>(destination) % m.pageSize != 0) return false;
  return memory::mapFile(m.file, fileOffset, roundUp(size, m.pageSize), destination) != nullptr;
}

bool isLcdPhysical(uint64_t physical) {
  state();
  return memory != nullptr && memory->lcdPhysical != 0 && physical >= memory->lcdPhysical &&
         physical < memory->lcdPhysical + memory->pageSize;
}

uint64_t busStallNanoseconds() {
  State& s = state();
  if (!s.exists || s.config.slowWriteNs <= 0) return busStall;
  // Every byte that changed since the counter was last read went over the slow bus.
  uint64_t written = 0;
  const uint8_t* now = s.cached;
  for (size_t i = 0; i < busSnapshot.size(); ++i) {
    if (now[i] != busSnapshot[i]) {
      ++written;
      busSnapshot[i] = now[i];
    }
  }
  busStall += written * static_cast<uint64_t>(s.config.slowWriteNs);
  return busStall;
}

DWORD mainIdRegister() {
  switch (device().video.processor) {
    case Processor::XScale:
      return 0x69052D06;
    case Processor::StrongArm:
      return 0x6901B119;
    case Processor::Other:
      break;
  }
  return 0x41129200;
}

}  // namespace video

FrameBufferView videoFrameBuffer() {
  video::State& s = video::state();
  if (!s.exists) return {};
  return FrameBufferView{s.uncached, s.width, s.height, s.pitch, s.orientation};
}

bool refreshScreenFromVideo() {
  video::State& s = video::state();
  if (!s.exists) return false;
  // The overlay, once on, covers the panel with the chip's surface.
  const bool fromSurface = s.overlayOn && s.surfaceAllocated;
  const int width = fromSurface ? s.surfaceWidth : s.width;
  const int height = fromSurface ? s.surfaceHeight : s.height;
  const int pitch = fromSurface ? s.surfacePitch : s.pitch;
  const uint8_t* base = fromSurface ? s.surface.data() : s.cached;
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  bool changed = fromSurface != video::shownFromSurface || video::shown.size() != count;
  video::shown.resize(count);
  video::shownFromSurface = fromSurface;
  for (int y = 0; y < height; ++y) {
    uint16_t* row = &video::shown[static_cast<size_t>(y) * width];
    const uint8_t* source = base + static_cast<ptrdiff_t>(y) * pitch;
    if (std::memcmp(row, source, static_cast<size_t>(width) * 2) != 0) {
      std::memcpy(row, source, static_cast<size_t>(width) * 2);
      changed = true;
    }
  }
  if (!changed) return false;

  DeviceScreen& screen = deviceScreen();
  const int orientation = fromSurface ? 0 : s.orientation;
  const int offsetX = fromSurface ? s.overlayX : 0;
  const int offsetY = fromSurface ? s.overlayY : 0;
  uint32_t* glass = screen.pixels();
  // Each memory pixel lands where the panel's scan puts it on the screen as held.
  for (int my = 0; my < height; ++my) {
    for (int mx = 0; mx < width; ++mx) {
      int x = mx, y = my;
      switch (orientation) {
        case 1:
          x = my;
          y = width - 1 - mx;
          break;
        case 2:
          x = width - 1 - mx;
          y = height - 1 - my;
          break;
        case 3:
          x = height - 1 - my;
          y = mx;
          break;
        default:
          break;
      }
      x += offsetX;
      y += offsetY;
      if (x < 0 || y < 0 || x >= screen.width() || y >= screen.height()) continue;
      glass[static_cast<size_t>(y) * static_cast<size_t>(screen.width()) + static_cast<size_t>(x)] =
          video::from565(video::shown[static_cast<size_t>(my) * width + mx]);
    }
  }
  screen.present();
  return true;
}

bool captureScreen(const std::string& path) {
  // The panel's latest frame, when the program draws into video memory.
  refreshScreenFromVideo();
  const DeviceScreen& screen = deviceScreen();
  Picture frame;
  frame.width = screen.width();
  frame.height = screen.height();
  frame.pixels.assign(screen.pixels(),
                      screen.pixels() + static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height));
  if (writePng(path, frame)) return true;
  std::fprintf(stderr, "GlimmerHut: cannot write the captured frame \"%s\"\n", path.c_str());
  return false;
}

}  // namespace platform
