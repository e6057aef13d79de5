// The program's entry and the last-chance handlers around the engine.
#include "shell/WinMain.h"

#include <string>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "platform/module.h"
#include "platform/msgbox.h"
#include "shell/CGameEngine.h"
#include "shell/CommandLine.h"

namespace {

constexpr const char16_t* kErrorTitle = u"Error!";

std::u16string hex(uint32_t value) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  std::u16string text;
  do {
    text.insert(text.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return text;
}

}  // namespace

void runGameEngine(HINSTANCE instance, int32_t width, int32_t height) {
  CGameEngine* engine = nullptr;
  try {
    engine = new CGameEngine();
    engine->Run(instance, width, height);
    delete engine;
  } catch (nuv::lang::DExceptionBase* e) {
    constexpr uint32_t kAnyException = 0;
    std::unique_ptr<nuv::lang::DExceptionBase> owned = nuv::lang::catchException(e, kAnyException);
    std::u16string text = u"Run - unhadled exception 0x" + hex(owned->code()) + u"!\n" +
                          nuv::lang::getExceptionName(owned->code()) + u"\r\n" + owned->message();
    MessageBoxW(nullptr, text.c_str(), kErrorTitle, MB_OK | MB_ICONERROR);
  } catch (...) {
    MessageBoxW(nullptr, u"Run - unknown exception!", kErrorTitle, MB_OK | MB_ICONERROR);
  }
}

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
  HMODULE shellLibrary = LoadLibraryW(u"aygshell.dll");
  if (shellLibrary != nullptr) {
    CGameEngine::setShellEntries(
        reinterpret_cast<SHFullScreenProc>(GetProcAddressW(shellLibrary, u"SHFullScreen")),
        reinterpret_cast<SHSetImeModeProc>(GetProcAddressW(shellLibrary, u"SHSetImeMode")));
  }
  nuv::lang::DSystem::setCommandLine(commandLine);

  shell::CommandLine options = shell::parseCommandLine(commandLine ? commandLine : u"");
  if (!options.fullScreen && options.width >= 1 && options.height >= 1) {
    runGameEngine(instance, options.width, options.height);
  } else {
    runGameEngine(instance, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  }

  CGameEngine::setShellEntries(nullptr, nullptr);
  if (shellLibrary != nullptr) FreeLibrary(shellLibrary);
  return 0;
}
