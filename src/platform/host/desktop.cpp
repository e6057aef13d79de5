// The desktop window on SDL2: shows the device screen as large as the window allows, nearest-neighbour
// on black, and turns desktop input into the device's keys, pen and activation.
#include "platform/host/desktop.h"

#include <poll.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/host/sdl_library.h"
#include "platform/host/text.h"

namespace platform {

namespace {

// Main thread only.
struct Desktop {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  int screenWidth = 0;  // the device's screen
  int screenHeight = 0;
  int windowWidth = 0;
  int windowHeight = 0;
  PictureArea picture;             // where the screen is shown in the window
  std::vector<int> sourceColumns;  // for each column of the picture, the screen's column it shows
  bool aroundCleared = false;      // the black around the picture is in the window's frame buffer
  DesktopListener listener;
  bool penDown = false;
  bool waitSleeps = false;             // SDL's event wait sleeps in the system on this video driver
  int connection = -1;                 // the X server's socket: a wait watches it alone
  bool drained = false;                // nothing was asked of the server since every event was taken
  Uint64 lastLook = 0;                 // when desktop events were last taken
  bool drawsToSurface = false;         // frames go into the window's frame buffer, not through a renderer
  uint64_t shownPicture = UINT64_MAX;  // the device screen's picture count when the window was drawn
};

Desktop desktop;

// SDL's calls. The window is opened only once they are found, so everything past its opening has them.
const SdlCalls& calls() { return *sdl(); }
// A look for desktop input that may not wait is made at most this often: each one asks the display
// server, and the loop polls many times per step. A wait always looks, and input ends it at once.
constexpr Uint64 kPollIntervalMs = 4;
// The video drivers whose event wait sleeps until input comes; on the others (offscreen, dummy, ...) SDL
// waits by polling every millisecond, so a plain sleep serves better, and input is taken when it ends.
constexpr std::string_view kSleepingWaitDrivers[] = {"x11", "wayland"};
// The video drivers that never have a graphics card behind them; they show nobody the window either.
constexpr std::string_view kCardlessDrivers[] = {"offscreen", "dummy"};
int headlessState = -1;  // -1: not decided yet

struct KeyMapping {
  SDL_Keycode desktop;
  unsigned device;
};

// Arrows, Enter, Escape, digits and letters are the device's own keys; F1 and F2 are the soft keys on every
// device; F5, F6, F7 and F10 stand for the hardware buttons App1 to App4.
constexpr KeyMapping kKeys[] = {
    {SDLK_LEFT, VK_LEFT},     {SDLK_RIGHT, VK_RIGHT},     {SDLK_UP, VK_UP},         {SDLK_DOWN, VK_DOWN},
    {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_BACKSPACE, VK_BACK},
    {SDLK_TAB, VK_TAB},       {SDLK_SPACE, VK_SPACE},     {SDLK_LSHIFT, VK_SHIFT},  {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL}, {SDLK_RCTRL, VK_CONTROL},   {SDLK_PAGEUP, 0x21},      {SDLK_PAGEDOWN, 0x22},
    {SDLK_END, 0x23},         {SDLK_HOME, 0x24},          {SDLK_INSERT, 0x2D},      {SDLK_DELETE, 0x2E},
    {SDLK_F1, VK_F1},         {SDLK_F2, VK_F2},           {SDLK_F3, VK_F3},         {SDLK_F4, VK_F4},
    {SDLK_F5, VK_APP1},       {SDLK_F6, VK_APP2},         {SDLK_F7, VK_APP3},       {SDLK_F10, VK_APP4},
    {SDLK_F8, VK_F8},         {SDLK_F9, VK_F9},           {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D},    {SDLK_KP_PERIOD, 0x6E},     {SDLK_KP_DIVIDE, 0x6F},
};

int64_t floorDiv(int64_t value, int64_t divisor) {
  return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

void layOut(int windowWidth, int windowHeight) {
  desktop.windowWidth = windowWidth;
  desktop.windowHeight = windowHeight;
  desktop.picture = fitPicture(windowWidth, windowHeight, desktop.screenWidth, desktop.screenHeight);
  desktop.aroundCleared = false;
  desktop.sourceColumns.resize(static_cast<size_t>(desktop.picture.width));
  for (int x = 0; x < desktop.picture.width; ++x)
    desktop.sourceColumns[x] = static_cast<int>(int64_t{x} * desktop.screenWidth / desktop.picture.width);
}

// The factor the picture is the screen's when it is a whole one, else 0.
int wholeScale() {
  const PictureArea& p = desktop.picture;
  if (desktop.screenWidth <= 0 || p.width % desktop.screenWidth != 0) return 0;
  const int scale = p.width / desktop.screenWidth;
  return scale > 0 && p.height == desktop.screenHeight * scale ? scale : 0;
}

template <int Scale>
void widenRowBy(uint32_t* out, const uint32_t* in, int width) {
  for (int x = 0; x < width; ++x, out += Scale) {
    for (int k = 0; k < Scale; ++k) out[k] = in[x];
  }
}

// Each pixel of the row repeated scale times; the usual scales with loops of fixed length.
void widenRow(uint32_t* out, const uint32_t* in, int width, int scale) {
  switch (scale) {
    case 1:
      std::memcpy(out, in, static_cast<size_t>(width) * 4);
      return;
    case 2: {
      int x = 0;
#if defined(__SSE2__)
      // Four pixels a step, each stored twice side by side.
      for (; x + 4 <= width; x += 4, out += 8) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi32(four, four));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4), _mm_unpackhi_epi32(four, four));
      }
#endif
      widenRowBy<2>(out, in + x, width - x);
      return;
    }
    case 3:
      widenRowBy<3>(out, in, width);
      return;
    case 4:
      widenRowBy<4>(out, in, width);
      return;
    default:
      for (int x = 0; x < width; ++x) {
        for (int k = 0; k < scale; ++k) *out++ = in[x];
      }
  }
}

// The window around the picture, black.
void clearAroundPicture(SDL_Surface* target) {
  const PictureArea& p = desktop.picture;
  const SDL_Rect around[] = {{0, 0, target->w, p.y},
                             {0, p.y + p.height, target->w, target->h - p.y - p.height},
                             {0, p.y, p.x, p.height},
                             {p.x + p.width, p.y, target->w - p.x - p.width, p.height}};
  calls().FillRects(target, around, 4, 0);
}

// Each row of the picture shows the screen's row under it, each of its pixels the screen's pixel under it;
// rows that show the same screen row are copies of the first. Written straight into the window's own
// frame buffer.
void presentToWindowSurface(const uint32_t* pixels, int frameWidth, int frameHeight) {
  SDL_Surface* target = calls().GetWindowSurface(desktop.window);
  if (target == nullptr) return;
  // The frame buffer may have the window's new size before the desktop has told of it.
  if (frameWidth != desktop.screenWidth || frameHeight != desktop.screenHeight || target->w != desktop.windowWidth ||
      target->h != desktop.windowHeight) {
    desktop.screenWidth = frameWidth;
    desktop.screenHeight = frameHeight;
    layOut(target->w, target->h);
  }
  const PictureArea& p = desktop.picture;
  SDL_Rect area{p.x, p.y, p.width, p.height};
  // Once the black is there, only the picture goes to the display.
  const bool wholeWindow = !desktop.aroundCleared;
  if (wholeWindow) clearAroundPicture(target);
  desktop.aroundCleared = true;
  if (target->format->format != SDL_PIXELFORMAT_RGB888) {
    SDL_Surface* source = calls().CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels), frameWidth, frameHeight,
                                                                 32, frameWidth * 4, SDL_PIXELFORMAT_RGB888);
    if (source != nullptr) calls().UpperBlitScaled(source, nullptr, target, &area);
    calls().FreeSurface(source);
  } else if (calls().LockSurface(target) == 0) {
    const int width = std::min(p.width, target->w - p.x);
    const int height = std::min(p.height, target->h - p.y);
    const int scale = wholeScale();
    auto* origin = static_cast<uint8_t*>(target->pixels) + static_cast<ptrdiff_t>(p.y) * target->pitch + p.x * 4;
    int shownRow = -1;
    for (int y = 0; y < height; ++y) {
      uint8_t* rowStart = origin + static_cast<ptrdiff_t>(y) * target->pitch;
      auto* out = reinterpret_cast<uint32_t*>(rowStart);
      const int sourceRow = static_cast<int>(int64_t{y} * frameHeight / p.height);
      if (sourceRow == shownRow) {
        std::memcpy(rowStart, rowStart - target->pitch, static_cast<size_t>(width) * 4);
        continue;
      }
      shownRow = sourceRow;
      const uint32_t* in = pixels + static_cast<ptrdiff_t>(sourceRow) * frameWidth;
      if (scale > 0) {
        widenRow(out, in, width / scale, scale);
      } else {
        for (int x = 0; x < width; ++x) out[x] = in[desktop.sourceColumns[x]];
      }
    }
    calls().UnlockSurface(target);
  }
  if (wholeWindow) {
    calls().UpdateWindowSurface(desktop.window);
  } else {
    calls().UpdateWindowSurfaceRects(desktop.window, &area, 1);
  }
}

// The desktop's own full-screen request may not reach SDL's flags: a window as large as its display is
// taken as full screen too.
bool isFullScreen() {
  if ((calls().GetWindowFlags(desktop.window) & SDL_WINDOW_FULLSCREEN) != 0) return true;
  SDL_Rect display;
  const int index = calls().GetWindowDisplayIndex(desktop.window);
  return index >= 0 && calls().GetDisplayBounds(index, &display) == 0 && desktop.windowWidth == display.w &&
         desktop.windowHeight == display.h;
}

void toggleFullScreen() {
  if (!isFullScreen()) {
    calls().SetWindowFullscreen(desktop.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return;
  }
  // SDL leaves a state it does not know it is in only after it has asked for it itself.
  if ((calls().GetWindowFlags(desktop.window) & SDL_WINDOW_FULLSCREEN) == 0)
    calls().SetWindowFullscreen(desktop.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  calls().SetWindowFullscreen(desktop.window, 0);
}

int chooseScale(int width, int height) {
  if (const char* forced = std::getenv("GLIMMERHUT_SCALE"); forced && std::atoi(forced) > 0) return std::atoi(forced);
  SDL_Rect usable;
  if (calls().GetDisplayUsableBounds(0, &usable) != 0 || width <= 0 || height <= 0) return 1;
  return std::max(1, std::min(usable.w / width, usable.h / height));
}

void setIcon(const Picture& icon) {
  SDL_Surface* surface = calls().CreateRGBSurfaceWithFormatFrom(
      const_cast<uint32_t*>(icon.pixels.data()), icon.width, icon.height, 32, icon.width * 4, SDL_PIXELFORMAT_RGB888);
  if (surface == nullptr) return;
  calls().SetWindowIcon(desktop.window, surface);
  calls().FreeSurface(surface);
}

void tell(DesktopEvent event) {
  if (desktop.listener) desktop.listener(event);
}

void handle(const SDL_Event& event) {
  using Kind = DesktopEvent::Kind;
  switch (event.type) {
    case SDL_QUIT:
      tell({Kind::Close});
      break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        layOut(event.window.data1, event.window.data2);
        tell({Kind::Exposed});
      }
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) tell({Kind::Activate});
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) tell({Kind::Deactivate});
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) tell({Kind::Close});
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
        // The display lost what it showed: all of the window goes to it again.
        desktop.aroundCleared = false;
        tell({Kind::Exposed});
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      // F11 is the desktop's: no device has it.
      if (event.key.keysym.sym == SDLK_F11) {
        if (event.type == SDL_KEYDOWN && event.key.repeat == 0) toggleFullScreen();
        break;
      }
      if (unsigned key = deviceKeyForDesktopKey(event.key.keysym.sym); key != 0) {
        const Kind kind = event.type == SDL_KEYUP ? Kind::KeyUp
                          : event.key.repeat != 0 ? Kind::KeyRepeat
                                                  : Kind::KeyDown;
        tell({kind, key});
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (event.button.button != SDL_BUTTON_LEFT) break;
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      int x = event.button.x, y = event.button.y;
      toDevicePoint(desktop.picture, desktop.screenWidth, desktop.screenHeight, x, y);
      // The glass ends at the picture: a press on the black around it is none, and nor is its release.
      const bool onScreen = x >= 0 && y >= 0 && x < desktop.screenWidth && y < desktop.screenHeight;
      if (down ? !onScreen : !desktop.penDown) break;
      desktop.penDown = down;
      // Captured while down, so a drag past the window's edge keeps reporting where the pen is.
      calls().CaptureMouse(down ? SDL_TRUE : SDL_FALSE);
      tell({down ? Kind::PenDown : Kind::PenUp, 0, x, y, down});
      break;
    }
    case SDL_MOUSEMOTION: {
      int x = event.motion.x, y = event.motion.y;
      toDevicePoint(desktop.picture, desktop.screenWidth, desktop.screenHeight, x, y);
      tell({Kind::PenMove, 0, x, y, desktop.penDown});
      break;
    }
    default:
      break;
  }
}

// Whether a graphics card may draw for this process, told without loading OpenGL: the kernel offers a
// device for it. Without one OpenGL could only rasterise in software.
bool mayHaveGraphicsCard(const char* driver) {
  for (std::string_view cardless : kCardlessDrivers) {
    if (driver != nullptr && driver == cardless) return false;
  }
  std::error_code error;
  for (const std::filesystem::directory_entry& node : std::filesystem::directory_iterator("/dev/dri", error)) {
    if (node.path().filename().string().rfind("renderD", 0) == 0) return true;
  }
  return std::filesystem::exists("/dev/nvidiactl", error);
}

// The driver's name when SDL took a driver that shows nothing because no display answered: a window there
// could be neither seen nor played. Named alone in SDL_VIDEODRIVER, such a driver is wanted (tests, captures).
const char* fallbackWithoutDisplay(const char* driver) {
  if (driver == nullptr) return nullptr;
  const char* named = std::getenv("SDL_VIDEODRIVER");
  if (named != nullptr && std::strcmp(named, driver) == 0) return nullptr;
  for (std::string_view cardless : kCardlessDrivers) {
    if (driver == cardless) return driver;
  }
  return nullptr;
}

// Whether the renderer's OpenGL is a software rasteriser after all (a virtual machine's device, say):
// for the one scaled copy of each frame it costs several times a plain copy.
bool drawsInSoftware(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (calls().GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
  using GetString = const unsigned char* (*)(unsigned);
  constexpr unsigned kGlRenderer = 0x1F01;
  auto getString = reinterpret_cast<GetString>(calls().GL_GetProcAddress("glGetString"));
  const char* name = getString ? reinterpret_cast<const char*>(getString(kGlRenderer)) : nullptr;
  if (name == nullptr) return false;
  for (const char* rasteriser : {"llvmpipe", "softpipe", "Software Rasterizer"}) {
    if (std::strstr(name, rasteriser) != nullptr) return true;
  }
  return false;
}

}  // namespace

bool isHeadless() {
  if (headlessState < 0) {
    const char* value = std::getenv("GLIMMERHUT_HEADLESS");
    headlessState = value && *value && std::strcmp(value, "0") != 0 ? 1 : 0;
  }
  return headlessState == 1;
}

void setHeadless(bool headless) { headlessState = headless ? 1 : 0; }

unsigned deviceKeyForDesktopKey(int sdlKeycode) {
  if (sdlKeycode >= SDLK_0 && sdlKeycode <= SDLK_9) return static_cast<unsigned>('0' + (sdlKeycode - SDLK_0));
  if (sdlKeycode >= SDLK_a && sdlKeycode <= SDLK_z) return static_cast<unsigned>('A' + (sdlKeycode - SDLK_a));
  if (sdlKeycode >= SDLK_KP_1 && sdlKeycode <= SDLK_KP_9) return static_cast<unsigned>(0x61 + (sdlKeycode - SDLK_KP_1));
  if (sdlKeycode == SDLK_KP_0) return 0x60;
  for (const KeyMapping& k : kKeys) {
    if (k.desktop == sdlKeycode) return k.device;
  }
  return 0;
}

bool openDesktopWindow(const std::u16string& title, int screenWidth, int screenHeight, const Picture& icon,
                       DesktopListener listener, std::string& failure) {
  if (isHeadless() || desktop.window != nullptr) return desktop.window != nullptr;
  if (sdl() == nullptr) {
    failure = std::string("no display to open the window on (") + sdlLoadError() + ")";
    return false;
  }
  calls().SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (calls().InitSubSystem(SDL_INIT_VIDEO) != 0) {
    failure = std::string("no display to open the window on (") + calls().GetError() + ")";
    return false;
  }
  if (const char* showsNothing = fallbackWithoutDisplay(calls().GetCurrentVideoDriver())) {
    failure = std::string("no display to open the window on (SDL fell back on its \"") + showsNothing +
              "\" driver, which shows nothing)";
    calls().QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  const int scale = chooseScale(screenWidth, screenHeight);
  desktop.screenWidth = screenWidth;
  desktop.screenHeight = screenHeight;
  layOut(screenWidth * scale, screenHeight * scale);
  desktop.window =
      calls().CreateWindow(toUtf8(title).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, desktop.windowWidth,
                           desktop.windowHeight, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  // A renderer is made only where a graphics card may scale the frames; the probe loads OpenGL once.
  if (desktop.window != nullptr && mayHaveGraphicsCard(calls().GetCurrentVideoDriver())) {
    desktop.renderer = calls().CreateRenderer(desktop.window, -1, SDL_RENDERER_ACCELERATED);
    if (desktop.renderer != nullptr && !drawsInSoftware(desktop.renderer)) {
      calls().SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
      desktop.texture = calls().CreateTexture(desktop.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                              screenWidth, screenHeight);
      calls().SetRenderDrawColor(desktop.renderer, 0, 0, 0, 255);
    }
  }
  if (desktop.window != nullptr && desktop.texture == nullptr) {
    // Without a graphics card the frames go straight into the window's own frame buffer, which SDL must
    // then not put behind OpenGL either.
    if (desktop.renderer != nullptr) calls().DestroyRenderer(desktop.renderer);
    desktop.renderer = nullptr;
    calls().SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    desktop.drawsToSurface = calls().GetWindowSurface(desktop.window) != nullptr;
  }
  if (desktop.texture == nullptr && !desktop.drawsToSurface) {
    failure = std::string("cannot open the desktop window (") + calls().GetError() + ")";
    closeDesktopWindow();
    return false;
  }
  setIcon(icon);
  desktop.listener = std::move(listener);
  const char* driver = calls().GetCurrentVideoDriver();
  for (std::string_view sleeping : kSleepingWaitDrivers) desktop.waitSleeps |= driver != nullptr && driver == sleeping;
  SDL_SysWMinfo system;
  SDL_VERSION(&system.version);
  if (calls().GetWindowWMInfo(desktop.window, &system) && system.subsystem == SDL_SYSWM_X11)
    desktop.connection = ConnectionNumber(system.info.x11.display);
  return true;
}

void showDesktopWindow(bool visible) {
  if (desktop.window == nullptr) return;
  desktop.drained = false;
  if (visible) {
    calls().ShowWindow(desktop.window);
  } else {
    calls().HideWindow(desktop.window);
  }
}

void raiseDesktopWindow() {
  if (desktop.window == nullptr) return;
  desktop.drained = false;
  calls().RaiseWindow(desktop.window);
}

void closeDesktopWindow() {
  if (desktop.texture != nullptr) calls().DestroyTexture(desktop.texture);
  if (desktop.renderer != nullptr) calls().DestroyRenderer(desktop.renderer);
  bool hadWindow = desktop.window != nullptr;
  if (hadWindow) calls().DestroyWindow(desktop.window);
  desktop = Desktop{};
  if (hadWindow) calls().QuitSubSystem(SDL_INIT_VIDEO);
}

bool hasDesktopWindow() { return desktop.window != nullptr; }

PictureArea fitPicture(int windowWidth, int windowHeight, int screenWidth, int screenHeight) {
  if (windowWidth <= 0 || windowHeight <= 0 || screenWidth <= 0 || screenHeight <= 0) return {};
  PictureArea area;
  if (int64_t{windowWidth} * screenHeight <= int64_t{windowHeight} * screenWidth) {
    area.width = windowWidth;
    area.height = static_cast<int>(int64_t{screenHeight} * windowWidth / screenWidth);
  } else {
    area.height = windowHeight;
    area.width = static_cast<int>(int64_t{screenWidth} * windowHeight / screenHeight);
  }
  area.x = (windowWidth - area.width) / 2;
  area.y = (windowHeight - area.height) / 2;
  return area;
}

void toDevicePoint(const PictureArea& area, int screenWidth, int screenHeight, int& x, int& y) {
  if (area.width <= 0 || area.height <= 0) {
    x = y = -1;
    return;
  }
  x = static_cast<int>(floorDiv(int64_t{x - area.x} * screenWidth, area.width));
  y = static_cast<int>(floorDiv(int64_t{y - area.y} * screenHeight, area.height));
}

PictureArea desktopPictureArea() { return desktop.picture; }

void showDesktopFrame(const uint32_t* pixels, int width, int height, uint64_t picture, bool again) {
  if (desktop.window == nullptr || (picture == desktop.shownPicture && !again)) return;
  desktop.shownPicture = picture;
  desktop.drained = false;
  if (desktop.texture != nullptr) {
    calls().UpdateTexture(desktop.texture, nullptr, pixels, width * 4);
    const PictureArea& p = desktop.picture;
    const SDL_Rect area{p.x, p.y, p.width, p.height};
    if (p.width != desktop.windowWidth || p.height != desktop.windowHeight) calls().RenderClear(desktop.renderer);
    calls().RenderCopy(desktop.renderer, desktop.texture, nullptr, &area);
    calls().RenderPresent(desktop.renderer);
  } else if (desktop.drawsToSurface) {
    presentToWindowSurface(pixels, width, height);
  }
}

void pumpDesktopUntil(std::chrono::steady_clock::time_point until) {
  if (desktop.window == nullptr) return;
  SDL_Event event;
  const auto left = until - std::chrono::steady_clock::now();
  if (left <= std::chrono::steady_clock::duration::zero() && calls().GetTicks64() - desktop.lastLook < kPollIntervalMs)
    return;
  if (left > std::chrono::steady_clock::duration::zero()) {
    if (desktop.connection >= 0) {
      // SDL's own wait asks the server several times around its sleep. Here events are taken before
      // it only when the server was asked something since they were last taken: otherwise none can be
      // waiting unread, and the socket tells of any that come.
      if (!desktop.drained) {
        while (calls().PollEvent(&event)) handle(event);
      }
      pollfd server{desktop.connection, POLLIN, 0};
      const auto ms = std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count();
      if (ms > 0) poll(&server, 1, static_cast<int>(ms));
    } else if (desktop.waitSleeps) {
      const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
      const bool woken = calls().WaitEventTimeout(&event, static_cast<int>(ms)) != 0;
      desktop.lastLook = calls().GetTicks64();
      if (!woken) return;
      handle(event);
    } else {
      std::this_thread::sleep_until(until);
    }
  }
  desktop.lastLook = calls().GetTicks64();
  while (calls().PollEvent(&event)) handle(event);
  desktop.drained = true;
}

bool showDesktopError(const std::string& caption, const std::string& text) {
  if (desktop.window == nullptr) return false;
  desktop.drained = false;
  return calls().ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), desktop.window) == 0;
}

}  // namespace platform
