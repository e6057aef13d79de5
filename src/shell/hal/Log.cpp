// Line-at-a-time logging of the display layer.
#include "shell/hal/Log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/api/file.h"
#include "platform/api/program.h"

namespace ScreenHAL {

namespace {

constexpr char16_t kLogFile[] = u"Log_SHAL.txt";
constexpr int kLineCapacity = 1000;
bool firstLine = true;  // main thread only
bool lossSaid = false;  // main thread only

// Once a run: every later line would be lost for the same reason.
void sayLost(const std::u16string& path) {
  const DWORD error = GetLastError();
  if (lossSaid) return;
  lossSaid = true;
  platform::sayLogLost(path, error);
}

}  // namespace

void log(const char* format, ...) {
  char line[kLineCapacity];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line - 1, format, args);
  va_end(args);
  // In the user's log folder: never wherever the host process happened to start, nor beside an installed
  // program, whose folder is not the user's.
  const std::u16string path = platform::makeLogFolder() + kLogFile;
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, firstLine ? CREATE_ALWAYS : OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  firstLine = false;
  if (out == INVALID_HANDLE_VALUE) {
    sayLost(path);
    return;
  }
  SetFilePointer(out, 0, nullptr, FILE_END);
  std::strcat(line, "\n");
  DWORD written = 0;
  if (!WriteFile(out, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr)) sayLost(path);
  CloseHandle(out);
}

void restartLog() {
  firstLine = true;
  lossSaid = false;
}

}  // namespace ScreenHAL
