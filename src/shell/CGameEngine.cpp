// The engine's life: construction, Run with its device probes, init, the loop, tick and shutdown.
#include "shell/CGameEngine.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/io/DFileOutputStream.h"
#include "core/io/DPrintStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "core/rms/DRecordStore.h"
#include "net/messaging/DMessageConnection.h"
#include "platform/api/file.h"
#include "platform/api/program.h"
#include "platform/api/settings.h"
#include "platform/api/sync.h"
#include "platform/api/sysinfo.h"
#include "platform/api/tickcount.h"
#include "shell/ErrorBox.h"
#include "shell/ExitStatus.h"
#include "shell/LogFileStream.h"
#include "shell/hal/ScreenHAL.h"
#include "shell/lcdui/DFont.h"
#include "sound/DManager.h"

using nuv::io::DFileOutputStream;
using nuv::io::DPrintStream;
using nuv::lang::DExceptionBase;
using nuv::lang::DStringPtr;
using nuv::lang::DSystem;
using nuv::microedition::lcdui::DDisplay;
using nuv::microedition::lcdui::DDisplayablePtr;
using nuv::microedition::midlet::DMIDlet;
using nuv::microedition::midlet::DMIDletPtr;
using nuv::wireless::messaging::DMessageConnection;

namespace {

CGameEngine* engineInstance = nullptr;
CGameEngine::MIDletFactory midletFactory = nullptr;
SHFullScreenProc fullScreenEntry = nullptr;
SHSetImeModeProc setImeModeEntry = nullptr;

constexpr int32_t kPassesPerRest = 100;
constexpr DWORD kRestMs = 1;
constexpr int32_t kHiResSize = 480;
constexpr WORD kDisplayModeSize = 192;
constexpr std::u16string_view kReferenceBoard = u"Handheld Reference Board";
constexpr std::u16string_view kSmartphonePlatform = u"SmartPhone";
constexpr std::u16string_view kSpecialKeysOem = u"KOVS100";
constexpr int32_t kRotatedBoardOrientation = 3;
constexpr UINT kPlatformTypeChars = 255;
constexpr UINT kOemInfoChars = 256;

std::u16string systemText(UINT action, UINT maxChars) {
  std::u16string text(maxChars + 1, u'\0');
  if (!SystemParametersInfoW(action, static_cast<UINT>(text.size() * sizeof(WCHAR)), text.data(), 0)) return {};
  text.resize(std::u16string_view(text.c_str()).size());
  return text;
}

int32_t currentOrientation() {
  DEVMODEW mode{};
  mode.dmSize = kDisplayModeSize;
  mode.dmFields = DM_DISPLAYORIENTATION;
  if (ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr) != DISP_CHANGE_SUCCESSFUL) return 0;
  switch (mode.dmDisplayOrientation) {
    case DMDO_90:
      return 1;
    case DMDO_180:
      return 2;
    case DMDO_270:
      return 3;
    default:
      return 0;
  }
}

constexpr std::u16string_view kLogSwitch = u"uselog.txt";

// Whether something other than a file lies at the path: it is never opened, a FIFO would hold the start.
bool holdsNoFile(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && attributes != FILE_ATTRIBUTE_NORMAL;
}

// Whether the file at the path switches logging on; something else by that name does not, and is said.
bool isLogSwitch(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == FILE_ATTRIBUTE_NORMAL) return true;
  if (attributes != INVALID_FILE_ATTRIBUTES)
    std::fprintf(stderr, "GlimmerHut: %s; it turns no logs on\n", platform::logFileFailure(path, 0).c_str());
  return false;
}

// Logging is on when a file "uselog.txt" lies beside the program, where the handheld has it, or in the log
// folder; the logs it turns on go to the log folder either way.
bool loggingWanted(const std::u16string& logFolder) {
  const std::u16string inLogFolder = logFolder + std::u16string(kLogSwitch);
  const std::u16string besideProgram =
      std::u16string(DSystem::getProperty(u"app.fullpath")->view()) + u"\\" + std::u16string(kLogSwitch);
  bool wanted = isLogSwitch(inLogFolder);
  if (besideProgram != inLogFolder) wanted |= isLogSwitch(besideProgram);
  return wanted;
}

// A log where something other than a file lies is lost, and said; one that cannot be made throws. A write
// that fails later loses the log too, and never the game that wrote the line.
nuv::io::DOutputStreamPtr openLog(const std::u16string& path) {
  if (holdsNoFile(path)) {
    platform::sayLogLost(path, 0);
    return nullptr;
  }
  return new shell::LogFileStream(DFileOutputStream::openPath(path), path);
}

}  // namespace

CGameEngine::CGameEngine() {
  if (engineInstance != nullptr) {
    shell::showError(u"GameEngine already exists!");
    std::fflush(nullptr);
    std::_Exit(0);
  }
  setInstance();
  // Record stores live under the running application's name.
  nuv::microedition::rms::DRecordStore::setAppNameSource([] { return getAppProperty(u"app.name"); });
}

CGameEngine::~CGameEngine() {
  if (nuv::microedition::media::DManager::isSoundStarted()) nuv::microedition::media::DManager::doneSound();
  DMessageConnection::doneMessaging();
  splashBitmap.reset();
  if (engineInstance == this) engineInstance = nullptr;
  display = nullptr;
  midlet = nullptr;
}

void CGameEngine::setInstance() { engineInstance = this; }

CGameEngine* CGameEngine::instance() { return engineInstance; }

bool CGameEngine::Run(HINSTANCE instance, int32_t width, int32_t height) {
  if (!initWindow(instance)) return false;
  splashStart = GetTickCount();
  splashShowing = true;

  ScreenHAL::DisplayParams params;
  params.W = width;
  params.H = height;
  params.O = currentOrientation();
  params.S = 1;
  if (systemText(SPI_GETOEMINFO, kOemInfoChars) == kReferenceBoard) params.O = kRotatedBoardOrientation;

  displayContext = ScreenHAL::DisplayContext::open(window, params);
  if (!displayContext) {
    exitStatus = shell::kFailed;
    return false;
  }
  hiRes = params.W >= kHiResSize || params.H >= kHiResSize;
  smartphone = systemText(SPI_GETPLATFORMTYPE, kPlatformTypeChars) == kSmartphonePlatform;
  specialKeysDevice = systemText(SPI_GETOEMINFO, kOemInfoChars).find(kSpecialKeysOem) != std::u16string::npos;

  bool started = false;
  try {
    started = init(window);
    if (started) {
      while (running != 0) {
        if (!runLoopPass()) break;
      }
    }
    // The application's own word on how it ended, before shutdown lets it go.
    if (!midlet.isNull() && midlet->exitStatus != shell::kEndedByPlayer) exitStatus = midlet->exitStatus;
  } catch (...) {
    // The error box comes from the caller; the display and the window go now, so the engine can be
    // released and another one start.
    releaseWindow();
    throw;
  }
  // A failed start releases the display and the window too: nothing is left to the process's end.
  shutdown();
  releaseWindow();
  return started;
}

void CGameEngine::releaseWindow() {
  if (displayContext) {
    displayContext->close();
    displayContext.reset();
  }
  DestroyWindow(window);
  window = nullptr;
  UnregisterClassW(windowClass, hInstance);
}

bool CGameEngine::runLoopPass() {
  MSG msg;
  if (inactive || (eventDriven && !frameRequested)) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      running = 0;
    } else if (got != -1) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  } else if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    // A quit taken while polling ends the loop just as one taken while waiting.
    if (msg.message == WM_QUIT) running = 0;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (++passCounter >= kPassesPerRest) {
    Sleep(kRestMs);
    passCounter = 0;
  }
  if (!inactive) {
    frameRequested = false;
    if (!tick()) return false;
    waitWhileIdle();
  }
  return true;
}

void CGameEngine::waitWhileIdle() {
  // Until the MIDlet's next step is due nothing is to be done but take input: wait for it rather than poll.
  if (running == 0 || splashShowing || eventDriven || midlet.isNull()) return;
  int32_t idle = midlet->idleTime();
  if (idle > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(idle), QS_ALLINPUT);
}

bool CGameEngine::tick() {
  if (splashShowing) {
    if (GetTickCount() > splashStart) splashShowing = false;
    return true;
  }
  DMessageConnection::pollListeners();
  if (midlet.isNull()) return false;
  midlet->tick();
  return midlet->running != 0;
}

bool CGameEngine::init(HWND) {
  nuv::microedition::media::DManager::initSound();
  DMessageConnection::initMessaging(window);
  std::u16string opening;  // the log being opened
  try {
    // In the user's log folder, never beside an installed program.
    const std::u16string folder = platform::makeLogFolder();
    const bool logging = loggingWanted(folder);
    opening = folder + u"doutput.txt";
    DSystem::out = new DPrintStream(logging ? openLog(opening) : nullptr);
    opening = folder + u"derror.txt";
    DSystem::err = new DPrintStream(logging ? openLog(opening) : nullptr);
  } catch (DExceptionBase* e) {
    // A log asked for that cannot be made stops the start; anything else is for the last-chance handler.
    const DWORD error = GetLastError();
    std::unique_ptr<DExceptionBase> owned = nuv::lang::catchException(e, nuv::lang::ExceptionCode::IOException);
    std::fprintf(stderr, "GlimmerHut: the start failed: the log %s\n",
                 platform::logFileFailure(opening, error).c_str());
    exitStatus = shell::kFailed;
    return false;
  }
  midlet = createMIDlet();
  if (hiRes && !midlet->getAppProperty(u"screen.scale2x").isNull()) pixelDoubling = true;
  display = new DDisplay(displayContext.get());
  try {
    midlet->startApp();
  } catch (DExceptionBase* e) {
    constexpr uint32_t kAnyException = 0;
    std::unique_ptr<DExceptionBase> owned = nuv::lang::catchException(e, kAnyException);
    shell::showUnhandled(u"StartApp", *owned, false);
    exitStatus = shell::kUnhandledFailure;
    return false;
  }
  return midlet->running != 0;
}

void CGameEngine::shutdown() {
  DSystem::out = nullptr;
  DSystem::err = nullptr;
  if (!midlet.isNull()) midlet->destroyApp(true);
  nuv::microedition::lcdui::DFont::releaseCache();
  DMIDlet::releaseCurrent();
  midlet = nullptr;
  display = nullptr;
}

void CGameEngine::pause() {
  nuv::microedition::media::DManager::pauseOutput();
  if (!midlet.isNull()) midlet->pauseApp();
}

void CGameEngine::resume() {
  nuv::microedition::media::DManager::resumeOutput();
  if (display.isNull()) return;
  DDisplayablePtr current = display->getCurrent();
  if (!current.isNull()) current->showNotify();
}

bool CGameEngine::isInBackground() { return GetForegroundWindow() != window || inactive; }

DStringPtr CGameEngine::getAppProperty(DStringPtr key) {
  if (engineInstance == nullptr || engineInstance->midlet.isNull()) return nullptr;
  return engineInstance->midlet->getAppProperty(key);
}

void CGameEngine::requestFrame() {
  if (engineInstance != nullptr) engineInstance->frameRequested = true;
}

void CGameEngine::setMIDletFactory(MIDletFactory factory) { midletFactory = factory; }

DMIDletPtr CGameEngine::createMIDlet() { return midletFactory ? midletFactory() : nullptr; }

SHFullScreenProc CGameEngine::shellFullScreen() { return fullScreenEntry; }

SHSetImeModeProc CGameEngine::shellSetImeMode() { return setImeModeEntry; }

void CGameEngine::setShellEntries(SHFullScreenProc fullScreen, SHSetImeModeProc setImeMode) {
  fullScreenEntry = fullScreen;
  setImeModeEntry = setImeMode;
}
