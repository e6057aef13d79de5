// Host files over POSIX descriptors, and read-only mappings of them.
#include "platform/host/files.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>

#include "platform/host/memory.h"

namespace platform {

namespace {

struct View {
  void* base;  // page-aligned start handed to munmap
  size_t length;
};

std::mutex viewsLock;
std::map<const void*, View> views;  // guarded by viewsLock; keyed by the address handed out

}  // namespace

HostFile::HostFile(int descriptor, bool readable, bool writable)
    : readable(readable), writable(writable), descriptor_(descriptor) {}

HostFile::~HostFile() { ::close(descriptor_); }

int64_t HostFile::read(void* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::read(descriptor_, static_cast<char*>(buffer) + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<int64_t>(done);
}

int64_t HostFile::write(const void* buffer, size_t size, bool& failed) {
  size_t done = 0;
  failed = false;
  while (done < size) {
    ssize_t n = ::write(descriptor_, static_cast<const char*>(buffer) + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      failed = true;
      break;
    }
    done += static_cast<size_t>(n);
  }
  return static_cast<int64_t>(done);
}

int64_t HostFile::seek(int64_t offset, From from) {
  const int whence = from == From::Start ? SEEK_SET : from == From::Here ? SEEK_CUR : SEEK_END;
  return ::lseek(descriptor_, static_cast<off_t>(offset), whence);
}

int64_t HostFile::position() { return ::lseek(descriptor_, 0, SEEK_CUR); }

int64_t HostFile::size() {
  struct stat st;
  return ::fstat(descriptor_, &st) == 0 ? st.st_size : -1;
}

bool HostFile::sync() { return ::fsync(descriptor_) == 0; }

int64_t HostFile::readAt(uint64_t offset, void* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::pread(descriptor_, static_cast<char*>(buffer) + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<int64_t>(done);
}

HostFile* openHostFile(const std::string& path, bool readable, bool writable, Creation creation, bool& existed) {
  int flags = O_CLOEXEC | (readable && writable ? O_RDWR : writable ? O_WRONLY : O_RDONLY);
  switch (creation) {
    case Creation::New:
      flags |= O_CREAT | O_EXCL;
      break;
    case Creation::Always:
      flags |= O_CREAT | O_TRUNC;
      break;
    case Creation::Existing:
      break;
    case Creation::OpenAlways:
      flags |= O_CREAT;
      break;
    case Creation::Truncate:
      flags |= O_TRUNC;
      break;
  }
  struct stat before;
  existed = ::stat(path.c_str(), &before) == 0;
  if (existed && !S_ISREG(before.st_mode)) {
    errno = S_ISDIR(before.st_mode) ? EISDIR : ENXIO;
    return nullptr;
  }
  // Not blocking, so that a FIFO put there after the look above is refused rather than waited on.
  int fd = ::open(path.c_str(), flags | O_NONBLOCK, 0644);
  if (fd < 0) return nullptr;
  struct stat opened;
  if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
    ::close(fd);
    errno = ENXIO;
    return nullptr;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return new HostFile(fd, readable, writable);
}

bool isHostFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isHostRegularFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool hostPathExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

int missingFileError(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return ENOENT;
  return hostPathExists(path.substr(0, slash)) ? ENOENT : ENOTDIR;
}

bool removeHostFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

HostMapping* HostMapping::of(HostFile& file) {
  const int64_t size = file.size();
  if (size <= 0) {
    errno = size == 0 ? EINVAL : errno;
    return nullptr;
  }
  // A duplicate of the file's own descriptor, so closing the file leaves the mapping usable.
  int fd = ::fcntl(file.descriptor_, F_DUPFD_CLOEXEC, 0);
  if (fd < 0) return nullptr;
  return new HostMapping(fd, static_cast<uint64_t>(size));
}

HostMapping::~HostMapping() { ::close(descriptor_); }

void* HostMapping::view(uint64_t offset, uint64_t length) {
  // The host maps whole pages: map from the page holding the offset and hand out the address inside it.
  const uint64_t page = memory::pageSize();
  const uint64_t start = offset / page * page;
  const size_t span = static_cast<size_t>(length + (offset - start));
  void* base = ::mmap(nullptr, span, PROT_READ, MAP_PRIVATE, descriptor_, static_cast<off_t>(start));
  if (base == MAP_FAILED) return nullptr;
  void* address = static_cast<char*>(base) + (offset - start);
  std::lock_guard lock(viewsLock);
  views[address] = View{base, span};
  return address;
}

bool unmapView(const void* address) {
  View view;
  {
    std::lock_guard lock(viewsLock);
    auto it = views.find(address);
    if (it == views.end()) return false;
    view = it->second;
    views.erase(it);
  }
  ::munmap(view.base, view.length);
  return true;
}

int64_t readFileAt(HANDLE file, uint64_t offset, void* buffer, size_t size) {
  auto* f = handleObject<HostFile>(file);
  if (f == nullptr) return -1;
  const int64_t n = f->readAt(offset, buffer, size);
  if (n < 0) setLastError(ERROR_READ_FAULT);
  return n;
}

int64_t fileSize(HANDLE file) {
  auto* f = handleObject<HostFile>(file);
  if (f == nullptr) return -1;
  const int64_t size = f->size();
  if (size < 0) setLastError(ERROR_GEN_FAILURE);
  return size;
}

}  // namespace platform
