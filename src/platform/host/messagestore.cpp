// The message store's folders on the host: reading and writing message files, and watching for new ones.
#include "platform/host/messagestore.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>

#include "platform/host/datafolder.h"
#include "platform/host/text.h"

namespace platform::messagestore {

namespace {

// Seconds from 1601-01-01 to 1970-01-01, the offset between the handheld's file times and the host's.
constexpr uint64_t kFileTimeEpochOffset = 11644473600ULL;

const char* folderName(Folder folder) { return folder == Folder::Inbox ? kInboxFolder : kOutboxFolder; }
const char* addressHeader(Folder folder) { return folder == Folder::Inbox ? "from" : "to"; }

// A real folder (not a link to one), made when missing.
bool ensureFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && ::access(path.c_str(), R_OK | W_OK | X_OK) == 0;
}

bool ensureParents(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    std::string part = path.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

std::string folderPath(Folder folder) {
  std::string root = open();
  return root.empty() ? std::string() : root + "/" + folderName(folder);
}

// The folder opened without following a link, or -1.
int openFolder(Folder folder) {
  std::string path = folderPath(folder);
  if (path.empty()) return -1;
  return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Names of the message files in an open folder; takes the descriptor.
std::vector<std::string> names(int folderFd) {
  std::vector<std::string> out;
  DIR* dir = ::fdopendir(folderFd);
  if (dir == nullptr) {
    ::close(folderFd);
    return out;
  }
  while (dirent* entry = ::readdir(dir)) {
    if (isMessageName(entry->d_name)) out.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  return out;
}

std::string lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return out;
}

// Header lines up to an empty line, then the text; false when the file has no address header.
bool parse(std::string_view content, Folder folder, Message& out) {
  bool addressed = false;
  size_t at = 0;
  while (true) {
    size_t end = content.find('\n', at);
    if (end == std::string_view::npos) return false;  // the headers never ended
    std::string_view line = content.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) break;
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) return false;
    if (lowered(line.substr(0, colon)) == addressHeader(folder)) {
      std::string_view value = line.substr(colon + 1);
      while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
      while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
      out.address = fromUtf8(value);
      addressed = true;
    }
  }
  std::string_view text = content.substr(at);
  // One line end closing the file is not part of the text.
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  out.text = fromUtf8(text);
  return addressed;
}

// Which file a name stands for: a name deleted and used again names another.
struct FileIdentity {
  ino_t inode = 0;
  int64_t modified = 0;  // nanoseconds
  bool operator==(const FileIdentity&) const = default;
};

FileIdentity identityOf(const struct stat& info) {
  return {info.st_ino, static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

bool readMessage(int folderFd, const std::string& name, Folder folder, Message& out, FileIdentity* identity = nullptr) {
  // No links, and no waiting on a pipe someone named like a message.
  int fd = ::openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kMaxFileBytes;
  if (ok && identity != nullptr) *identity = identityOf(info);
  std::string content;
  if (ok) {
    content.resize(static_cast<size_t>(info.st_size));
    size_t got = 0;
    while (got < content.size()) {
      ssize_t n = ::read(fd, content.data() + got, content.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    content.resize(got);
  }
  ::close(fd);
  if (!ok) return false;
  out.name = name;
  out.deliveryTime = (static_cast<uint64_t>(info.st_mtim.tv_sec) + kFileTimeEpochOffset) * 10000000ULL +
                     static_cast<uint64_t>(info.st_mtim.tv_nsec) / 100;
  return parse(content, folder, out);
}

bool writeAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

std::atomic<uint32_t> writeSequence{0};

}  // namespace

bool isMessageName(std::string_view name) {
  if (name.empty() || name.front() == '.' || name.size() > 255) return false;
  for (char c : name) {
    if (c == '/' || c == '\\' || c == 0) return false;
  }
  return true;
}

std::string open() {
  std::string root = dataFolder() + "/" + kStoreFolder;
  if (!ensureParents(root) || !ensureFolder(root)) return {};
  if (!ensureFolder(root + "/" + kInboxFolder) || !ensureFolder(root + "/" + kOutboxFolder)) return {};
  return root;
}

std::vector<Message> list(Folder folder) {
  std::vector<Message> out;
  int folderFd = openFolder(folder);
  if (folderFd < 0) return out;
  int readFd = ::dup(folderFd);
  for (const std::string& name : names(folderFd)) {
    Message message;
    if (readFd >= 0 && readMessage(readFd, name, folder, message)) out.push_back(std::move(message));
  }
  if (readFd >= 0) ::close(readFd);
  return out;
}

std::string write(Folder folder, std::u16string_view address, std::u16string_view text) {
  int folderFd = openFolder(folder);
  if (folderFd < 0) return {};
  std::string content =
      std::string(folder == Folder::Inbox ? "From: " : "To: ") + toUtf8(address) + "\n\n" + toUtf8(text) + "\n";
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
                .count();
  std::string stem = std::to_string(ms) + "-" + std::to_string(::getpid()) + "-";
  std::string result;
  // Written under a hidden name, then moved to a name nobody holds, so readers never see half a file.
  for (int attempt = 0; attempt < 100 && result.empty(); ++attempt) {
    std::string name = stem + std::to_string(writeSequence.fetch_add(1)) + ".msg";
    std::string hidden = "." + name + ".part";
    int fd = ::openat(folderFd, hidden.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) continue;
    bool written = writeAll(fd, content);
    written = ::close(fd) == 0 && written;
    if (written && ::renameat2(folderFd, hidden.c_str(), folderFd, name.c_str(), RENAME_NOREPLACE) == 0) {
      result = name;
    } else {
      ::unlinkat(folderFd, hidden.c_str(), 0);
    }
    if (!written) break;
  }
  ::close(folderFd);
  return result;
}

namespace {

class InotifyWatcher : public Watcher {
 public:
  InotifyWatcher(Arrival arrival, int notify, int stop) : arrival_(std::move(arrival)), notify_(notify), stop_(stop) {}

  ~InotifyWatcher() override {
    uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(stop_, &one, sizeof one);
    if (thread_.joinable()) thread_.join();
    ::close(notify_);
    ::close(stop_);
  }

  void begin() {
    {
      std::lock_guard lock(lock_);
      scanFolders(false);
    }
    thread_ = std::thread([this] { run(); });
  }

  void settle() override { scan(); }

 private:
  static std::string key(Folder folder, const std::string& name) {
    return (folder == Folder::Inbox ? "i/" : "o/") + name;
  }

  void run() {
    pollfd fds[2] = {{notify_, POLLIN, 0}, {stop_, POLLIN, 0}};
    while (true) {
      int ready = ::poll(fds, 2, -1);
      if (ready < 0 && errno == EINTR) continue;
      if (ready < 0 || (fds[1].revents & POLLIN) != 0) return;
      if ((fds[0].revents & POLLIN) != 0) {
        alignas(inotify_event) char events[4096];
        while (::read(notify_, events, sizeof events) > 0) {
        }
        scan();
      }
    }
  }

  // Announcements run under the lock, so the destructor (which joins the thread) and settle never
  // overlap one and none runs once the watcher is gone.
  void scan() {
    std::lock_guard lock(lock_);
    scanFolders(true);
  }

  // Only a file that reads as a message is known, and announced when it is new; a file not (yet) read
  // as one is looked at again on every scan. A name that has gone is forgotten, so a message filed
  // later under it is new again.
  void scanFolders(bool announce) {
    std::map<std::string, FileIdentity> present;
    for (Folder folder : {Folder::Inbox, Folder::Outbox}) {
      int fd = openFolder(folder);
      if (fd < 0) continue;
      int readFd = ::dup(fd);
      for (const std::string& name : names(fd)) {
        struct stat info;
        if (readFd < 0 || ::fstatat(readFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        std::string k = key(folder, name);
        auto known = known_.find(k);
        if (known != known_.end() && known->second == identityOf(info)) {
          present[k] = known->second;
          continue;
        }
        Message message;
        FileIdentity identity;
        if (!readMessage(readFd, name, folder, message, &identity)) continue;
        present[k] = identity;
        if (announce) arrival_(folder, name);
      }
      if (readFd >= 0) ::close(readFd);
    }
    known_ = std::move(present);
  }

  const Arrival arrival_;
  const int notify_;
  const int stop_;
  std::mutex lock_;
  std::map<std::string, FileIdentity> known_;  // guarded by lock_
  std::thread thread_;
};

}  // namespace

std::unique_ptr<Watcher> Watcher::start(Arrival arrival) {
  std::string inbox = folderPath(Folder::Inbox);
  std::string outbox = folderPath(Folder::Outbox);
  if (inbox.empty()) return nullptr;
  int notify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (notify < 0) return nullptr;
  // A deletion is looked at too, so that the name is forgotten before it is used again.
  constexpr uint32_t kChanges = IN_CLOSE_WRITE | IN_MOVED_TO | IN_DELETE | IN_MOVED_FROM | IN_ONLYDIR | IN_DONT_FOLLOW;
  int stop = ::eventfd(0, EFD_CLOEXEC);
  if (stop < 0 || ::inotify_add_watch(notify, inbox.c_str(), kChanges) < 0 ||
      ::inotify_add_watch(notify, outbox.c_str(), kChanges) < 0) {
    ::close(notify);
    if (stop >= 0) ::close(stop);
    return nullptr;
  }
  auto watcher = std::make_unique<InotifyWatcher>(std::move(arrival), notify, stop);
  watcher->begin();
  return watcher;
}

}  // namespace platform::messagestore
