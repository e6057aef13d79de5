// The platform shell that hosts the application: the window, the device probes, the display, and the one
// message-and-frame loop of the program.
#pragma once

#include <cstdint>
#include <memory>

#include "core/lang/DString.h"
#include "platform/api/shell.h"
#include "platform/api/window.h"
#include "platform/types.h"
#include "shell/lcdui/DDisplay.h"
#include "shell/midlet/DMIDlet.h"

namespace ScreenHAL {
class DisplayContext;
}

class CGameEngine {
 public:
  // The application's MIDlet maker; the program registers it before the engine runs.
  using MIDletFactory = nuv::microedition::midlet::DMIDletPtr (*)();

  static constexpr int kTextCapacity = 256;

  // A second engine in one process shows "GameEngine already exists!" and ends the process.
  CGameEngine();
  virtual ~CGameEngine();
  CGameEngine(const CGameEngine&) = delete;
  CGameEngine& operator=(const CGameEngine&) = delete;

  virtual bool init(HWND window);
  virtual void shutdown();
  // False ends the loop.
  virtual bool tick();
  virtual void pointerPressed(int32_t x, int32_t y);
  virtual void pointerReleased(int32_t x, int32_t y);
  virtual void pointerDragged(int32_t x, int32_t y);
  virtual void keyPressed(int32_t key);
  virtual void keyRepeated(int32_t key);
  virtual void keyReleased(int32_t key);
  virtual void pause();
  virtual void resume();
  virtual bool isInBackground();
  virtual void setInstance();

  // Window, probes, display, init, the loop and the orderly end. False when it could not start; exitStatus
  // then tells a failure from a second start.
  bool Run(HINSTANCE instance, int32_t width, int32_t height);
  // False when another instance runs (it is brought to the front) or no window could be made.
  bool initWindow(HINSTANCE instance);
  // Closes the display, destroys the window and unregisters its class.
  void releaseWindow();
  static LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // One pass of the loop; false when the loop ends.
  bool runLoopPass();
  // While the MIDlet has nothing to do, waits for input up to the time it will.
  void waitWhileIdle();

  static CGameEngine* instance();
  // The current engine's MIDlet's answer, or null.
  static nuv::lang::DStringPtr getAppProperty(nuv::lang::DStringPtr key);
  static void requestFrame();

  static void setMIDletFactory(MIDletFactory factory);
  static nuv::microedition::midlet::DMIDletPtr createMIDlet();

  // The shell library's optional entry points, looked up by the program entry; null when missing.
  static SHFullScreenProc shellFullScreen();
  static SHSetImeModeProc shellSetImeMode();
  static void setShellEntries(SHFullScreenProc fullScreen, SHSetImeModeProc setImeMode);

  nuv::microedition::midlet::DMIDletPtr midlet;
  nuv::microedition::lcdui::DDisplayPtr display;
  WCHAR title[kTextCapacity] = {};
  int32_t running = 1;
  // What the process is to exit with (shell/ExitStatus.h), once Run has returned.
  int32_t exitStatus = 0;
  bool inactive = false;
  bool splashShowing = false;
  DWORD splashStart = 0;
  bool smartphone = false;
  bool specialKeysDevice = false;
  bool hiRes = false;
  bool pixelDoubling = false;
  std::unique_ptr<ScreenHAL::DisplayContext> displayContext;
  HINSTANCE hInstance = nullptr;
  HWND window = nullptr;
  std::unique_ptr<platform::Picture> splashBitmap;
  WCHAR windowClass[kTextCapacity] = {};
  bool eventDriven = false;
  bool frameRequested = false;
  // Loop passes since the last 1 ms rest.
  int32_t passCounter = 0;

 private:
  void paintSplash(HWND window);
};
