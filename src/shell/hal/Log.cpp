// Line-at-a-time logging of the display layer.
#include "shell/hal/Log.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "platform/host/paths.h"

namespace ScreenHAL {

namespace {

constexpr const char* kLogFile = "Log_SHAL.txt";
constexpr int kLineCapacity = 1000;
bool firstLine = true;  // main thread only

}  // namespace

void log(const char* format, ...) {
  char line[kLineCapacity];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line - 1, format, args);
  va_end(args);
  // Beside the program, never wherever the host process happened to start.
  const std::string path = platform::programFolder() + "/" + kLogFile;
  std::FILE* file = std::fopen(path.c_str(), firstLine ? "w" : "a");
  firstLine = false;
  if (file == nullptr) return;
  std::fputs(line, file);
  std::fputc('\n', file);
  std::fclose(file);
}

void restartLog() { firstLine = true; }

}  // namespace ScreenHAL
