// The desktop's handler for addresses, started as a process of its own.
#include "platform/host/browser.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <vector>

extern char** environ;

namespace platform {

namespace {

std::vector<pid_t> browsers;  // main thread only

void reapBrowsers() {
  std::erase_if(browsers, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

}  // namespace

bool startBrowser(const std::string& address) {
  reapBrowsers();
  const char* configured = std::getenv("GLIMMERHUT_BROWSER");
  std::string command = configured && *configured ? configured : "xdg-open";
  std::string argument = address;
  char* argv[] = {command.data(), argument.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, command.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  browsers.push_back(pid);
  return true;
}

}  // namespace platform
