// Windows, the message queue under a scripted run, the single-instance rule, frame capture and resources.
#include <SDL2/SDL_keycode.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <thread>
#include <vector>

#include "platform/api/windows.h"
#include "platform/device/device.h"
#include "platform/device/screen.h"
#include "platform/device/videohw.h"
#include "platform/host/desktop.h"
#include "platform/host/instance.h"
#include "platform/host/paths.h"
#include "platform/host/sdl_library.h"
#include "platform/seam/capture.h"
#include "platform/seam/clock.h"
#include "platform/seam/script.h"
#include "support/TempFolder.h"

namespace {

struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
};

std::vector<Seen> seen;

LRESULT CALLBACK_record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  seen.push_back({message, wParam, lParam, GetTickCount()});
  if (message == WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  return 0;
}

constexpr const char16_t* kClass = u"TestWindowClass";

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setHeadless(true);
    platform::setProgramFile(folder_.file("glimmerhut"));
    seen.clear();
    WNDCLASSW wc{};
    wc.lpfnWndProc = CALLBACK_record;
    wc.lpszClassName = kClass;
    ASSERT_NE(RegisterClassW(&wc), 0);
  }
  void TearDown() override {
    if (window_) DestroyWindow(window_);
    UnregisterClassW(kClass, nullptr);
    platform::stopScript();
    platform::useRealClock();
    platform::setProgramFile("");
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  void create() {
    window_ = CreateWindowExW(0, kClass, u"Test", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    UpdateWindow(window_);
  }
  // Plays the script from now on, with nothing seen yet.
  void play(const std::string& text) {
    platform::Script script;
    std::string error;
    ASSERT_TRUE(platform::parseScript(text, script, error)) << error;
    platform::startScript(std::move(script), folder_.path());
    seen.clear();
  }
  // Runs the loop the way the engine does until a close arrives: polling while active, waiting while not.
  void runUntilClose() {
    bool active = true;
    for (int pass = 0; pass < 100000; ++pass) {
      MSG msg;
      bool got = active ? PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != 0 : GetMessageW(&msg, nullptr, 0, 0) > 0;
      if (!got) continue;
      DispatchMessageW(&msg);
      if (msg.message == WM_ACTIVATE) active = LOWORD(msg.wParam) != WA_INACTIVE;
      if (msg.message == WM_CLOSE) return;
    }
    FAIL() << "no close arrived";
  }

  test::TempFolder folder_;
  HWND window_ = nullptr;
};

TEST_F(WindowTest, ScriptedRunDeliversMessagesOnTheSteppedClock) {
  create();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_CREATE));
  EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_PAINT));  // the first paint, inside creation
  seen.clear();

  platform::Script script;
  std::string error;
  ASSERT_TRUE(
      platform::parseScript("0 key down F1\n4 key repeat F1\n5 key up F1\n"
                            "6 pen down -3 7\n6 pen hover 1 1\n"
                            "10 deactivate\n30 activate\n40 close\n",
                            script, error));
  platform::startScript(std::move(script), folder_.path());
  runUntilClose();

  struct Expected {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
  } expected[] = {
      {WM_KEYDOWN, VK_F1, 1, 1},
      {WM_PAINT, 0, 0, 2},  // the desktop shows the window and asks for a paint
      {WM_KEYDOWN, VK_F1, 0x40000001, 4},
      {WM_KEYUP, VK_F1, static_cast<LPARAM>(0xC0000001u), 5},
      {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-3), 7), 6},
      {WM_MOUSEMOVE, 0, MAKELPARAM(1, 1), 7},
      {WM_ACTIVATE, WA_INACTIVE, 0, 10},
      {WM_ACTIVATE, WA_ACTIVE, 0, 30},  // waited for: the clock jumped to the next event
      {WM_CLOSE, 0, 0, 40},
  };
  ASSERT_EQ(seen.size(), std::size(expected));
  for (size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].message, expected[i].message) << i;
    EXPECT_EQ(seen[i].wParam, expected[i].wParam) << i;
    EXPECT_EQ(seen[i].lParam, expected[i].lParam) << i;
    EXPECT_EQ(seen[i].time, expected[i].time) << i;
  }
  EXPECT_EQ(GET_X_LPARAM(seen[4].lParam), -3);
}

TEST_F(WindowTest, MessageWaitsMoveTheSteppedClockToThePollThatMeetsTheirEnd) {
  create();
  platform::Script script;
  std::string error;
  ASSERT_TRUE(platform::parseScript("step 3\n40 key down A\n100 close\n", script, error));
  platform::startScript(std::move(script), folder_.path());
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);  // the first paint
  ASSERT_EQ(GetTickCount(), 6u);
  seen.clear();

  // A message waiting: the wait ends at once and the clock stays.
  PostMessageW(window_, WM_COMMAND, 1, 0);
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT), WAIT_OBJECT_0);
  EXPECT_EQ(GetTickCount(), 6u);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_COMMAND));
  EXPECT_EQ(GetTickCount(), 9u);

  // 10 ms from 9 end at 19: the next poll comes at 21, the first step at or after it.
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(GetTickCount(), 21u);
  // The script's next event ends a longer wait: the key comes with the poll at 42.
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 500, QS_ALLINPUT), static_cast<DWORD>(WAIT_TIMEOUT));
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(GetTickCount(), 42u);

  // The loop waits on messages alone.
  HANDLE event = CreateEventW(nullptr, FALSE, TRUE, nullptr);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 10, QS_ALLINPUT), WAIT_FAILED);
  CloseHandle(event);
}

// The engine's loop in small: a message a pass, then a step when one is due, noting whether the pen is
// down, then a wait until the next one. The pen's state as each step saw it.
std::vector<bool> stepsSeeingThePen() {
  constexpr DWORD kStep = 30;
  std::vector<bool> steps;
  bool down = false;
  DWORD nextStep = kStep;
  for (int pass = 0; pass < 100000; ++pass) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&msg);
      if (msg.message == WM_CLOSE) return steps;
      if (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONUP) down = msg.message == WM_LBUTTONDOWN;
    }
    if (GetTickCount() >= nextStep) {
      steps.push_back(down);
      nextStep += kStep;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, nextStep - GetTickCount(), QS_ALLINPUT);
  }
  ADD_FAILURE() << "no close arrived";
  return steps;
}

TEST_F(WindowTest, ThePenStaysDownUntilAStepHasSeenIt) {
  create();
  struct Case {
    const char* what;
    const char* script;
    int stepsSeeingItDown;
    std::vector<DWORD> releases;  // the times the window heard of them
  } cases[] = {
      {"a tap within one millisecond", "100 pen down 5 6\n100 pen up 5 6\n", 1, {121}},
      {"a tap within one step", "100 pen down 5 6\n+10 pen up 5 6\n", 1, {121}},
      {"two taps within one step",
       "100 pen down 5 6\n100 pen up 5 6\n101 pen down 7 8\n101 pen up 7 8\n",
       2,
       {121, 151}},
      {"a press longer than a step", "100 pen down 5 6\n+100 pen up 5 6\n", 3, {200}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    play(std::string(c.script) + "300 close\n");
    const std::vector<bool> steps = stepsSeeingThePen();
    EXPECT_EQ(std::count(steps.begin(), steps.end(), true), c.stepsSeeingItDown);
    std::vector<DWORD> releases;
    std::vector<UINT> pen;
    for (const Seen& s : seen) {
      if (s.message == WM_LBUTTONUP) releases.push_back(s.time);
      if (s.message == WM_LBUTTONDOWN || s.message == WM_LBUTTONUP) pen.push_back(s.message);
    }
    EXPECT_EQ(releases, c.releases);
    for (size_t i = 0; i < pen.size(); ++i) EXPECT_EQ(pen[i], i % 2 == 0 ? WM_LBUTTONDOWN : WM_LBUTTONUP) << i;
    platform::stopScript();
  }

  // Waiting for messages alone, as an inactive program does, nothing steps: the release follows at once.
  play("50 deactivate\n100 pen down 5 6\n100 pen up 5 6\n200 close\n");
  runUntilClose();
  std::vector<UINT> messages;
  for (const Seen& s : seen) {
    if (s.message == WM_LBUTTONDOWN || s.message == WM_LBUTTONUP) {
      EXPECT_EQ(s.time, 100u);
    }
    messages.push_back(s.message);
  }
  EXPECT_EQ(messages, (std::vector<UINT>{WM_ACTIVATE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_CLOSE}));
}

TEST_F(WindowTest, HeadlessRunEndsWithItsScript) {
  create();
  platform::Script script;
  std::string error;
  ASSERT_TRUE(platform::parseScript("3 key down A\n", script, error));
  platform::startScript(std::move(script), folder_.path());
  seen.clear();
  runUntilClose();
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[seen.size() - 2].message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(seen.back().message, static_cast<UINT>(WM_CLOSE));
  EXPECT_EQ(seen.back().time, 4u);  // posted with the last event, taken on the next poll
}

// A device without a touch screen has no pen: the program hears of no tap, as on the real device.
TEST_F(WindowTest, OnlyADeviceWithATouchScreenTellsOfThePen) {
  create();
  for (const char* profile : {"smartphone", "smartphone-touch", "pocketpc"}) {
    SCOPED_TRACE(profile);
    platform::Device device;
    ASSERT_TRUE(platform::findDeviceProfile(profile, device));
    const bool touch = !device.touchDriver.empty();
    platform::setDevice(device);
    // A step apart, so that no release is held past the close.
    play("50 pen down 5 6\n100 pen move 7 8\n150 pen up 7 8\n200 pen hover 9 9\n250 key down Enter\n300 close\n");
    stepsSeeingThePen();
    std::vector<UINT> messages;
    for (const Seen& s : seen) {
      if (s.message != WM_PAINT) messages.push_back(s.message);
    }
    const std::vector<UINT> withPen{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_MOUSEMOVE, WM_KEYDOWN, WM_CLOSE};
    const std::vector<UINT> withoutPen{WM_KEYDOWN, WM_CLOSE};
    EXPECT_EQ(messages, touch ? withPen : withoutPen);
    platform::stopScript();
  }
}

TEST_F(WindowTest, QuitEndsTheWaitAndForegroundFollowsActivation) {
  create();
  EXPECT_EQ(GetForegroundWindow(), window_);
  EXPECT_EQ(FindWindowW(kClass, u"Test"), window_);
  EXPECT_EQ(FindWindowW(kClass, u"Other"), nullptr);
  PostQuitMessage(3);
  MSG msg;
  // Posted messages come first, then the quit.
  PostMessageW(window_, WM_COMMAND, 5, 0);
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_COMMAND));
  while (GetMessageW(&msg, nullptr, 0, 0) == TRUE) DispatchMessageW(&msg);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(WindowTest, MessagesOfADestroyedWindowAreDropped) {
  create();
  PostMessageW(window_, WM_CLOSE, 0, 0);
  DestroyWindow(window_);
  window_ = nullptr;
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowTest, SecondInstanceOnTheSameDataFolderIsFoundAndBroughtForward) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    HWND mine =
        CreateWindowExW(0, kClass, u"GlimmerHut", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    if (write(ready[1], mine ? "y" : "n", 1) != 1) _exit(2);
    for (int i = 0; i < 500; ++i) {
      if (platform::takeForwardRequest()) _exit(7);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    _exit(1);
  }
  char answer = 0;
  ASSERT_EQ(read(ready[0], &answer, 1), 1);
  EXPECT_EQ(answer, 'y');

  // Another data folder is another instance's business.
  test::TempFolder elsewhere;
  platform::setProgramFile(elsewhere.file("glimmerhut"));
  EXPECT_EQ(FindWindowW(kClass, u"GlimmerHut"), nullptr);

  platform::setProgramFile(folder_.file("glimmerhut"));
  HWND running = FindWindowW(kClass, u"GlimmerHut");
  ASSERT_NE(running, nullptr);
  EXPECT_TRUE(IsWindow(running));
  EXPECT_TRUE(SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(running) | 1)));
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 7);
  close(ready[0]);
  close(ready[1]);
  // The first instance is gone: its lock went with it.
  EXPECT_EQ(platform::findPublishedWindow(kClass, u"GlimmerHut"), 0);
}

// Without a display only a script can play a run: a run without one gets no window, is not left published
// as the running instance, and says what would run it unseen; a scripted run goes on headless.
TEST_F(WindowTest, WithoutADisplayOnlyAScriptedRunGoesOnHeadless) {
  setenv("SDL_VIDEODRIVER", "nosuchdriver", 1);
  const std::string noDisplay = "GlimmerHut: no display to open the window on (";
  struct Case {
    const char* what;
    const char* script;  // null: none
    bool opens;
    std::string said;
  };
  const Case cases[] = {
      {"no script", nullptr, false, "; GLIMMERHUT_HEADLESS=1 with a GLIMMERHUT_SCRIPT runs unseen\n"},
      {"a script", "1000 close\n", true, "), running headless\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform::setHeadless(false);
    if (c.script != nullptr) play(c.script);
    testing::internal::CaptureStderr();
    window_ = CreateWindowExW(0, kClass, u"Test", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(window_ != nullptr, c.opens);
    EXPECT_EQ(said.rfind(noDisplay, 0), 0u) << said;
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
    EXPECT_EQ(platform::isHeadless(), c.opens);
    // Another process finds the window published only while it exists.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(platform::findPublishedWindow(kClass, u"Test") > 0 ? 1 : 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(WIFEXITED(status) && WEXITSTATUS(status) == 1, c.opens);
    if (window_ != nullptr) DestroyWindow(window_);
    window_ = nullptr;
    platform::stopScript();
  }
  unsetenv("SDL_VIDEODRIVER");
  platform::setHeadless(true);
}

TEST_F(WindowTest, CapturedFrameReadsBackAsTheScreen) {
  platform::DeviceScreen& screen = platform::deviceScreen();
  uint32_t* pixels = screen.pixels();
  for (int i = 0; i < screen.width() * screen.height(); ++i)
    pixels[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
  ASSERT_TRUE(platform::captureScreen(folder_.file("frame.png")));
  platform::Picture frame;
  ASSERT_TRUE(platform::readPng(folder_.file("frame.png"), frame));
  EXPECT_EQ(frame.width, screen.width());
  EXPECT_EQ(frame.height, screen.height());
  EXPECT_TRUE(std::equal(frame.pixels.begin(), frame.pixels.end(), pixels));

  std::ofstream(folder_.file("broken.png")) << "\x89PNG\r\n\x1a\n not really";
  EXPECT_FALSE(platform::readPng(folder_.file("broken.png"), frame));
  EXPECT_FALSE(platform::readPng(folder_.file("missing.png"), frame));
  EXPECT_FALSE(platform::captureScreen(folder_.file("no/such/folder.png")));
}

TEST_F(WindowTest, ResourcesAndShellEntries) {
  WCHAR text[16];
  EXPECT_EQ(LoadStringW(nullptr, IDS_TITLE, text, 16), 10);
  EXPECT_EQ(std::u16string(text), u"GlimmerHut");
  EXPECT_EQ(LoadStringW(nullptr, IDS_WINDOW_CLASS, text, 5), 4);
  EXPECT_EQ(std::u16string(text), u"Game");
  EXPECT_EQ(LoadStringW(nullptr, 999, text, 16), 0);
  EXPECT_NE(LoadIconW(nullptr, MAKEINTRESOURCEW(IDI_PROGRAM)), nullptr);
  EXPECT_EQ(LoadIconW(nullptr, MAKEINTRESOURCEW(999)), nullptr);

  HMODULE shell = LoadLibraryW(u"aygshell.dll");
  ASSERT_NE(shell, nullptr);
  auto fullScreen = reinterpret_cast<SHFullScreenProc>(GetProcAddressW(shell, u"SHFullScreen"));
  ASSERT_NE(fullScreen, nullptr);
  EXPECT_TRUE(fullScreen(nullptr, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON));
  EXPECT_EQ(platform::fullScreenState(), 0x2Au);
  EXPECT_EQ(GetProcAddressW(shell, u"NoSuchEntry"), nullptr);
  FreeLibrary(shell);

  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_DISPLAYORIENTATION;
  mode.dmDisplayOrientation = DMDO_90;
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(mode.dmDisplayOrientation, DMDO_0);
  mode.dmSize = 100;
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr), DISP_CHANGE_BADPARAM);
}

TEST(DesktopKeysTest, DesktopKeysBecomeTheDevicesKeys) {
  struct Case {
    int desktop;
    unsigned device;
  } cases[] = {
      {SDLK_LEFT, VK_LEFT},
      {SDLK_UP, VK_UP},
      {SDLK_RETURN, VK_RETURN},
      {SDLK_KP_ENTER, VK_RETURN},
      {SDLK_ESCAPE, VK_ESCAPE},
      {SDLK_F1, VK_F1},
      {SDLK_F2, VK_F2},
      {SDLK_F5, VK_APP1},
      {SDLK_F10, VK_APP4},
      {SDLK_0, '0'},
      {SDLK_9, '9'},
      {SDLK_a, 'A'},
      {SDLK_z, 'Z'},
      {SDLK_KP_0, 0x60},
      {SDLK_KP_9, 0x69},
      {SDLK_KP_MULTIPLY, 0x6A},
      {SDLK_F12, 0},
      {SDLK_CAPSLOCK, 0},
      {SDLK_LGUI, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::deviceKeyForDesktopKey(c.desktop), c.device) << c.desktop;
}

// The picture is as large as the window allows with the screen's aspect kept, centred; the pen's points
// follow it, beyond its edges outside the screen.
TEST(DesktopPictureTest, FillsTheWindowsHeightOrWidthAndThePenFollows) {
  struct Fit {
    int windowWidth, windowHeight;
    platform::PictureArea area;
  } fits[] = {
      {720, 960, {0, 0, 720, 960}},       // three times the screen
      {1920, 1080, {555, 0, 810, 1080}},  // full screen on a wide display: its whole height
      {1000, 500, {312, 0, 375, 500}},   {800, 2000, {0, 467, 800, 1066}},  // a tall window: its whole width
      {241, 320, {0, 0, 240, 320}},      {0, 0, {0, 0, 0, 0}},
  };
  for (const Fit& f : fits) {
    const platform::PictureArea a = platform::fitPicture(f.windowWidth, f.windowHeight, 240, 320);
    EXPECT_EQ(a.x, f.area.x) << f.windowWidth << "x" << f.windowHeight;
    EXPECT_EQ(a.y, f.area.y) << f.windowWidth << "x" << f.windowHeight;
    EXPECT_EQ(a.width, f.area.width) << f.windowWidth << "x" << f.windowHeight;
    EXPECT_EQ(a.height, f.area.height) << f.windowWidth << "x" << f.windowHeight;
  }

  const platform::PictureArea full = platform::fitPicture(1920, 1080, 240, 320);
  struct Point {
    int windowX, windowY, deviceX, deviceY;
  } points[] = {
      {555, 0, 0, 0},         {558, 3, 0, 0},         {559, 4, 1, 1},    {892, 500, 99, 148},
      {1364, 1079, 239, 319}, {1365, 1080, 240, 320}, {554, -1, -1, -1}, {0, 540, -165, 160},
  };
  for (const Point& p : points) {
    int x = p.windowX, y = p.windowY;
    platform::toDevicePoint(full, 240, 320, x, y);
    EXPECT_EQ(x, p.deviceX) << p.windowX << ", " << p.windowY;
    EXPECT_EQ(y, p.deviceY) << p.windowX << ", " << p.windowY;
  }
}

}  // namespace

// SDL's offscreen driver never has a graphics card behind it: the window takes its frames into its own
// frame buffer, and no OpenGL library is loaded for a renderer that would be thrown away.
TEST(DesktopWindowTest, AWindowWithoutAGraphicsCardLoadsNoOpenGL) {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  platform::setHeadless(false);
  platform::Picture icon{2, 2, std::vector<uint32_t>(4, 0x123456)};
  std::string failure;
  ASSERT_TRUE(platform::openDesktopWindow(
      u"GlimmerHut", 4, 2, icon, [](const platform::DesktopEvent&) {}, failure));
  const std::vector<uint32_t> frame(8, 0xFF8800);
  platform::showDesktopFrame(frame.data(), 4, 2, 1, false);
  platform::showDesktopFrame(frame.data(), 4, 2, 1, true);
  platform::pumpDesktopUntil(std::chrono::steady_clock::now());
  std::ifstream maps("/proc/self/maps");
  std::string line, loaded;
  while (std::getline(maps, line)) {
    for (const char* library : {"libGL", "libEGL", "_dri.so", "libgallium"}) {
      if (line.find(library) != std::string::npos) loaded += line + "\n";
    }
  }
  EXPECT_EQ(loaded, "");
  platform::closeDesktopWindow();
  platform::setHeadless(true);
  unsetenv("SDL_VIDEODRIVER");
}

namespace {

// SDL's own calls that the desktop window does not make, from the library it loaded.
template <class Call>
Call sdlCall(const char* name) {
  void* library = dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD);
  return library != nullptr ? reinterpret_cast<Call>(dlsym(library, name)) : nullptr;
}

// The window's own frame buffer, as 0x00RRGGBB rows.
std::vector<uint32_t> windowPixels(SDL_Window* window, int& width, int& height) {
  SDL_Surface* surface = platform::sdl()->GetWindowSurface(window);
  width = surface->w;
  height = surface->h;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    std::memcpy(&pixels[static_cast<size_t>(y) * width], static_cast<uint8_t*>(surface->pixels) + y * surface->pitch,
                static_cast<size_t>(width) * 4);
  return pixels;
}

}  // namespace

// On SDL's offscreen driver: the window resizes, its picture with it, nearest-neighbour and centred on
// black; a press on the black is no press; F11 puts the window full screen and back, and is no device key.
TEST(DesktopWindowTest, ThePictureAndThePenFollowTheWindowsSize) {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  setenv("GLIMMERHUT_SCALE", "2", 1);
  platform::setHeadless(false);
  std::vector<platform::DesktopEvent> events;
  platform::Picture icon{2, 2, std::vector<uint32_t>(4, 0x123456)};
  std::string failure;
  ASSERT_TRUE(platform::openDesktopWindow(
      u"GlimmerHut", 4, 2, icon, [&](const platform::DesktopEvent& e) { events.push_back(e); }, failure));
  platform::showDesktopWindow(true);
  using GetWindowFromId = SDL_Window* (*)(Uint32);
  SDL_Window* window = nullptr;
  for (Uint32 id = 1; id < 64 && window == nullptr; ++id) window = sdlCall<GetWindowFromId>("SDL_GetWindowFromID")(id);
  ASSERT_NE(window, nullptr);
  const std::vector<uint32_t> frame = {0x000001, 0x000002, 0x000003, 0x000004, 0x000005, 0x000006, 0x000007, 0x000008};
  auto resizeTo = [&](int width, int height) {
    sdlCall<void (*)(SDL_Window*, int, int)>("SDL_SetWindowSize")(window, width, height);
    events.clear();
    platform::pumpDesktopUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(5));
    EXPECT_TRUE(std::any_of(events.begin(), events.end(), [](const platform::DesktopEvent& e) {
      return e.kind == platform::DesktopEvent::Kind::Exposed;
    }));
    platform::showDesktopFrame(frame.data(), 4, 2, 1, true);
  };
  // Each window pixel shows the screen's pixel under it, 0 for black.
  auto shows = [&](std::initializer_list<const char*> rows) {
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = windowPixels(window, width, height);
    std::string seen, wanted;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x)
        seen += static_cast<char>('0' + (pixels[static_cast<size_t>(y) * width + x] & 0xF));
      seen += "\n";
    }
    for (const char* row : rows) wanted += std::string(row) + "\n";
    EXPECT_EQ(seen, wanted);
  };

  platform::showDesktopFrame(frame.data(), 4, 2, 1, false);
  shows({"11223344", "11223344", "55667788", "55667788"});
  resizeTo(16, 6);
  shows({"0011122233344400", "0011122233344400", "0011122233344400", "0055566677788800", "0055566677788800",
         "0055566677788800"});
  resizeTo(10, 7);
  shows({"0000000000", "1112233344", "1112233344", "1112233344", "5556677788", "5556677788", "0000000000"});

  using PushEvent = int (*)(SDL_Event*);
  auto push = [&](SDL_Event event) {
    sdlCall<PushEvent>("SDL_PushEvent")(&event);
    // What the event leads to is told on the next look.
    for (int look = 0; look < 2; ++look)
      platform::pumpDesktopUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(5));
  };
  auto button = [](Uint32 type, int x, int y) {
    SDL_Event e{};
    e.button.type = type;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    return e;
  };
  events.clear();
  push(button(SDL_MOUSEBUTTONDOWN, 5, 0));  // on the black above the picture
  push(button(SDL_MOUSEBUTTONUP, 5, 0));
  EXPECT_TRUE(events.empty());
  push(button(SDL_MOUSEBUTTONDOWN, 5, 4));
  push(button(SDL_MOUSEBUTTONUP, 9, 6));  // released past the picture's corner
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].kind, platform::DesktopEvent::Kind::PenDown);
  EXPECT_EQ(events[0].x, 2);
  EXPECT_EQ(events[0].y, 1);
  EXPECT_EQ(events[1].kind, platform::DesktopEvent::Kind::PenUp);
  EXPECT_EQ(events[1].x, 3);
  EXPECT_EQ(events[1].y, 2);

  // F11 fills the display with the picture, and a second press brings the window back.
  SDL_Rect display;
  ASSERT_EQ(platform::sdl()->GetDisplayBounds(0, &display), 0);
  SDL_Event f11{};
  f11.key.type = SDL_KEYDOWN;
  f11.key.keysym.sym = SDLK_F11;
  events.clear();
  push(f11);
  EXPECT_NE(platform::sdl()->GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN, 0u);
  const platform::PictureArea full = platform::desktopPictureArea();
  const platform::PictureArea fitted = platform::fitPicture(display.w, display.h, 4, 2);
  EXPECT_EQ(full.width, fitted.width);
  EXPECT_EQ(full.height, fitted.height);
  EXPECT_TRUE(full.width == display.w || full.height == display.h);
  push(f11);
  // This driver keeps the display's size once out of full screen; on a desktop the window gets its own back.
  EXPECT_EQ(platform::sdl()->GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN, 0u);
  for (const platform::DesktopEvent& e : events) EXPECT_EQ(e.kind, platform::DesktopEvent::Kind::Exposed);

  platform::closeDesktopWindow();
  platform::setHeadless(true);
  unsetenv("GLIMMERHUT_SCALE");
  unsetenv("SDL_VIDEODRIVER");
}
