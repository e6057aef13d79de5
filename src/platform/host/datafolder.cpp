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

// The folder set for the run, else the program's own below the base folder.
std::string folderOf(const std::string& chosen, const char* variable, const char* fallbackBelowHome) {
  {
    std::lock_guard lock(folderLock);
    if (!chosen.empty()) return chosen;
  }
  return baseFolder(variable, fallbackBelowHome) + "/glimmerhut";
}

}  // namespace

std::string dataFolder() { return folderOf(folderOverride, "XDG_DATA_HOME", "/.local/share"); }

void setDataFolder(std::string hostPath) {
  std::lock_guard lock(folderLock);
  folderOverride = std::move(hostPath);
}

std::string logFolder() { return folderOf(logFolderOverride, "XDG_STATE_HOME", "/.local/state"); }

void setLogFolder(std::string hostPath) {
  std::lock_guard lock(folderLock);
  logFolderOverride = std::move(hostPath);
}

}  // namespace platform
