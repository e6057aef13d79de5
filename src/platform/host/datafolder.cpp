// The user's data folder, after the XDG base directory rules.
#include "platform/host/datafolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>

namespace platform {

namespace {

std::mutex folderLock;
std::string folderOverride;  // guarded by folderLock

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  if (home && home[0]) return home;
  const passwd* user = getpwuid(getuid());
  return user && user->pw_dir ? user->pw_dir : "/tmp";
}

}  // namespace

std::string dataFolder() {
  {
    std::lock_guard lock(folderLock);
    if (!folderOverride.empty()) return folderOverride;
  }
  // A relative XDG_DATA_HOME is invalid and ignored.
  const char* xdg = std::getenv("XDG_DATA_HOME");
  std::string base = xdg && xdg[0] == '/' ? std::string(xdg) : homeFolder() + "/.local/share";
  return base + "/glimmerhut";
}

void setDataFolder(std::string hostPath) {
  std::lock_guard lock(folderLock);
  folderOverride = std::move(hostPath);
}

}  // namespace platform
