// Single instance through a locked file per user, data folder and window; requests arrive as signals.
#include "platform/host/instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/host/paths.h"
#include "platform/host/text.h"

namespace platform {

namespace {

std::atomic<bool> forwardRequested{false};
std::atomic<bool> closeRequested{false};
int publishedFd = -1;
std::string publishedPath;

void onForwardSignal(int) { forwardRequested = true; }
void onCloseSignal(int) { closeRequested = true; }

// Handlers go in before the lock is taken, so a process found through the lock always has them.
void installHandlers() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  struct sigaction action {};
  action.sa_handler = onForwardSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGUSR1, &action, nullptr);
  action.sa_handler = onCloseSignal;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

uint64_t fnv1a(std::string_view text) {
  uint64_t h = 0xcbf29ce484222325ull;
  for (unsigned char c : text) h = (h ^ c) * 0x100000001b3ull;
  return h;
}

std::string lockPath(std::u16string_view className, std::u16string_view title) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string folder = runtime && *runtime ? runtime : "/tmp";
  std::string key = programFolder() + '\n' + toUtf8(className) + '\n' + toUtf8(title);
  char name[96];
  std::snprintf(name, sizeof name, "/glimmerhut-%u-%016llx.lock", static_cast<unsigned>(getuid()),
                static_cast<unsigned long long>(fnv1a(key)));
  return folder + name;
}

}  // namespace

bool publishWindow(std::u16string_view className, std::u16string_view title) {
  installHandlers();
  unpublishWindow();
  int fd = open(lockPath(className, title).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return true;  // nowhere to publish: run without the single-instance rule
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  std::string pid = std::to_string(getpid());
  if (ftruncate(fd, 0) == 0 && write(fd, pid.data(), pid.size()) < 0) {
    // The lock alone still keeps a second instance out; it just cannot be brought forward.
  }
  publishedFd = fd;
  publishedPath = lockPath(className, title);
  return true;
}

void unpublishWindow() {
  if (publishedFd < 0) return;
  // Removed while still locked: a start that opened the old file meanwhile makes a new one to lock.
  unlink(publishedPath.c_str());
  close(publishedFd);
  publishedFd = -1;
}

int findPublishedWindow(std::u16string_view className, std::u16string_view title) {
  int fd = open(lockPath(className, title).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  int pid = 0;
  if (flock(fd, LOCK_SH | LOCK_NB) != 0) {
    char text[32] = {};
    ssize_t n = pread(fd, text, sizeof text - 1, 0);
    if (n > 0) pid = std::atoi(text);
    // Held but not yet labelled: still another instance, just one we cannot signal.
    if (pid <= 0) pid = -1;
    if (pid == getpid()) pid = 0;
  }
  close(fd);  // also drops a shared lock we may have got
  return pid;
}

bool bringInstanceForward(int processId) { return processId > 0 && kill(processId, SIGUSR1) == 0; }

bool takeForwardRequest() { return forwardRequested.exchange(false); }
bool takeCloseRequest() { return closeRequested.exchange(false); }

}  // namespace platform
