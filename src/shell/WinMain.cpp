// The program's entry and the last-chance handlers around the engine.
#include "shell/WinMain.h"

#include <cstdio>
#include <memory>
#include <string>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "platform/api/module.h"
#include "shell/CGameEngine.h"
#include "shell/CommandLine.h"
#include "shell/ErrorBox.h"
#include "shell/ExitStatus.h"

int32_t runGameEngine(HINSTANCE instance, int32_t width, int32_t height) {
  // Released after any error box, also when its run throws.
  std::unique_ptr<CGameEngine> engine;
  try {
    engine = std::make_unique<CGameEngine>();
    engine->Run(instance, width, height);
    return engine->exitStatus;
  } catch (nuv::lang::DExceptionBase* e) {
    constexpr uint32_t kAnyException = 0;
    std::unique_ptr<nuv::lang::DExceptionBase> owned = nuv::lang::catchException(e, kAnyException);
    shell::showUnhandled(u"Run", *owned, true);
  } catch (...) {
    shell::showError(u"Run - unknown exception!");
  }
  return shell::kUnhandledFailure;
}

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
  HMODULE shellLibrary = LoadLibraryW(u"aygshell.dll");
  if (shellLibrary != nullptr) {
    CGameEngine::setShellEntries(reinterpret_cast<SHFullScreenProc>(GetProcAddressW(shellLibrary, u"SHFullScreen")),
                                 reinterpret_cast<SHSetImeModeProc>(GetProcAddressW(shellLibrary, u"SHSetImeMode")));
  }
  nuv::lang::DSystem::setCommandLine(commandLine);

  shell::CommandLine options = shell::parseCommandLine(commandLine ? commandLine : u"");
  std::string refused;
  const bool givenSize = shell::usesGivenSize(options, refused);
  if (!givenSize && !refused.empty()) std::fprintf(stderr, "GlimmerHut: %s\n", refused.c_str());
  const int32_t status = givenSize
                             ? runGameEngine(instance, options.width, options.height)
                             : runGameEngine(instance, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));

  CGameEngine::setShellEntries(nullptr, nullptr);
  if (shellLibrary != nullptr) FreeLibrary(shellLibrary);
  return status;
}
