// The user's data and log folders, after the XDG base directory rules.
#include "platform/host/datafolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>

namespace platform {

namespace {

std::mutex folderLock;
std::string folderOverride;     // guarded by folderLock
std::string logFolderOverride;  // guarded by folderLock

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  if (home && home[0]) return home;
  const passwd* user = getpwuid(getuid());
  return user && user->pw_dir ? user->pw_dir : "/tmp";
}

// A relative base folder is invalid and ignored, as the XDG base directory rules say.
std::string baseFolder(const char* variable, const char* fallbackBelowHome) {
  const char* xdg = std::getenv(variable);
  return xdg && xdg[0] == '/' ? std::string(xdg) : homeFolder() + fallbackBelowHome;
}

}  // namespace

std::string dataFolder() {
  {
    std::lock_guard lock(folderLock);
    if (!folderOverride.empty()) return folderOverride;
  }
  return baseFolder("XDG_DATA_HOME", "/.local/share") + "/glimmerhut";
}

void setDataFolder(std::string hostPath) {
  std::lock_guard lock(folderLock);
  folderOverride = std::move(hostPath);
}

std::string logFolder() {
  {
    std::lock_guard lock(folderLock);
    if (!logFolderOverride.empty()) return logFolderOverride;
  }
  return baseFolder("XDG_STATE_HOME", "/.local/state") + "/glimmerhut";
}

void setLogFolder(std::string hostPath) {
  std::lock_guard lock(folderLock);
  logFolderOverride = std::move(hostPath);
}

}  // namespace platform
