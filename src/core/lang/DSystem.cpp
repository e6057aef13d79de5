// The property tables, the platform probes behind them, and the millisecond clock.
#include "core/lang/DSystem.h"

#include <string>
#include <string_view>

#include "core/lang/DString.h"
#include "platform/api/windows.h"

namespace nuv::lang {

namespace {

constexpr size_t kCommandLineLimit = 1023;
// Windows CE's pseudo handle of the current process.
const HMODULE kCurrentProcess = reinterpret_cast<HMODULE>(uintptr_t{0x42});
constexpr DWORD kPlatformTextCapacity = 256;  // characters, terminator included
constexpr DWORD kDriverNameBytes = 512;
constexpr char16_t kTouchKey[] = u"HARDWARE\\DEVICEMAP\\TOUCH";

// Set by the program entry and the engine on the main thread, read there too.
std::u16string commandLine;
bool eventBasedLoop = false;

std::u16string programFolder() {
  WCHAR path[MAX_PATH + 1] = {};
  GetModuleFileNameW(kCurrentProcess, path, MAX_PATH);
  std::u16string_view text(path);
  size_t slash = text.find_last_of(u'\\');
  if (slash != std::u16string_view::npos) text = text.substr(0, slash);
  return std::u16string(text);
}

// Empty when the system does not report it.
std::u16string platformText() {
  WCHAR text[kPlatformTextCapacity] = {};
  if (!SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof text, text, 0)) return {};
  text[kPlatformTextCapacity - 1] = 0;
  return text;
}

// A Smartphone may still have a touch screen: the registry names its driver, and the driver loads.
bool touchDriverLoads() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kTouchKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  // One spare character keeps the name terminated whatever the registry holds.
  WCHAR driver[kDriverNameBytes / sizeof(WCHAR) + 1] = {};
  DWORD size = kDriverNameBytes;
  DWORD type = 0;
  LONG read = RegQueryValueExW(key, u"DriverName", nullptr, &type, reinterpret_cast<BYTE*>(driver), &size);
  RegCloseKey(key);
  if (read != ERROR_SUCCESS) return false;
  HMODULE library = LoadLibraryW(driver);
  if (library == nullptr) return false;
  FreeLibrary(library);
  return true;
}

}  // namespace

void DSystem::setCommandLine(const char16_t* text) {
  std::u16string_view line = text ? std::u16string_view(text) : std::u16string_view();
  commandLine.assign(line.substr(0, kCommandLineLimit));
}

void DSystem::setEventBasedLoop(bool on) { eventBasedLoop = on; }

DStringPtr DSystem::getProperty(DStringPtr key) {
  std::u16string_view name = key->view();
  if (name == u"app.commandline") return new DString(std::u16string_view(commandLine));
  if (name == u"file.separator") return u"\\";
  if (name == u"app.fullpath") return new DString(std::u16string_view(programFolder()));
  if (name == u"archive.name") return u"game.dat";
  if (name == u"archive.password") return u"";
  if (name == u"platform.string") return new DString(std::u16string_view(platformText()));
  if (name == u"system.eventbasedloop") return eventBasedLoop ? u"true" : u"false";
  return nullptr;
}

int32_t DSystem::getIntProperty(DStringPtr key) {
  struct Fixed {
    std::u16string_view name;
    int32_t value;
  };
  static constexpr Fixed kFixed[] = {
      {u"platform.type", 2},    {u"input.qwerty", -1},       {u"input.mouse", 0},         {u"sound.stereo", 1},
      {u"sound.bps", 16},       {u"sound.frequency", 44100}, {u"sound.sfx_channels", 32}, {u"sound.music_channels", 16},
      {u"platform.browser", 1},
  };
  std::u16string_view name = key->view();
  for (const Fixed& f : kFixed) {
    if (name == f.name) return f.value;
  }
  if (name == u"input.touchscreen") return platformText() == u"PocketPC" || touchDriverLoads() ? 1 : 0;
  if (name == u"input.softkeys") return platformText() == u"SmartPhone" ? 1 : 0;
  if (name == u"system.eventbasedloop") return eventBasedLoop ? 1 : 0;
  return -1;
}

int64_t DSystem::currentTimeMillis() { return static_cast<int64_t>(GetTickCount64()); }

}  // namespace nuv::lang
