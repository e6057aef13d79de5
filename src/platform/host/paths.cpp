// Path mapping between the handheld's file names and the host's, and the program's own location.
#include "platform/host/paths.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <mutex>

#include "platform/host/text.h"

namespace platform {

namespace {

std::mutex programFileLock;
std::string programFileOverride;  // guarded by programFileLock

std::string executablePath() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "/glimmerhut";
  return std::string(buffer, static_cast<size_t>(n));
}

}  // namespace

std::string toHostPath(std::u16string_view devicePath) {
  std::string host = toUtf8(devicePath);
  std::replace(host.begin(), host.end(), '\\', '/');
  if (host.empty() || host.front() != '/') host.insert(host.begin(), '/');
  return host;
}

std::u16string toDevicePath(std::string_view hostPath) {
  std::u16string device = fromUtf8(hostPath);
  std::replace(device.begin(), device.end(), u'/', u'\\');
  if (device.empty() || device.front() != u'\\') device.insert(device.begin(), u'\\');
  return device;
}

std::string programFile() {
  std::lock_guard lock(programFileLock);
  if (!programFileOverride.empty()) return programFileOverride;
  static const std::string real = executablePath();
  return real;
}

std::string programFolder() {
  std::string file = programFile();
  size_t slash = file.find_last_of('/');
  return slash == std::string::npos || slash == 0 ? std::string("/") : file.substr(0, slash);
}

void setProgramFile(std::string hostPath) {
  std::lock_guard lock(programFileLock);
  programFileOverride = std::move(hostPath);
}

}  // namespace platform
