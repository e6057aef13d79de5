// Files and read-only mappings of the handheld over POSIX descriptors.
#include "platform/api/file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <string>

#include "platform/host/paths.h"

namespace {

class FileObject : public platform::KernelObject {
 public:
  FileObject(int fd, bool readable, bool writable) : fd(fd), readable(readable), writable(writable) {}
  ~FileObject() override { ::close(fd); }

  const int fd;
  const bool readable;
  const bool writable;
};

class MappingObject : public platform::KernelObject {
 public:
  MappingObject(int fd, uint64_t size) : fd(fd), size(size) {}
  ~MappingObject() override { ::close(fd); }

  const int fd;  // a duplicate of the file's own, so closing the file leaves the mapping usable
  const uint64_t size;
};

struct View {
  void* base;  // page-aligned start handed to munmap
  size_t length;
};

std::mutex viewsLock;
std::map<const void*, View> views;  // guarded by viewsLock; keyed by the address handed out

DWORD errorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
      return ERROR_ACCESS_DENIED;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case ENOSPC:
      return ERROR_DISK_FULL;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    default:
      return ERROR_GEN_FAILURE;
  }
}

bool fail(DWORD error) {
  SetLastError(error);
  return false;
}

// ENOENT for a missing folder on the way is "path not found", as on the handheld.
DWORD missingError(const std::string& hostPath) {
  size_t slash = hostPath.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return ERROR_FILE_NOT_FOUND;
  struct stat st;
  return ::stat(hostPath.substr(0, slash).c_str(), &st) == 0 ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

HANDLE openFile(LPCWSTR fileName, DWORD access, DWORD disposition) {
  if (fileName == nullptr || fileName[0] == 0) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  const bool readable = (access & GENERIC_READ) != 0;
  const bool writable = (access & GENERIC_WRITE) != 0;
  int flags = O_CLOEXEC | (readable && writable ? O_RDWR : writable ? O_WRONLY : O_RDONLY);
  switch (disposition) {
    case CREATE_NEW:
      flags |= O_CREAT | O_EXCL;
      break;
    case CREATE_ALWAYS:
      flags |= O_CREAT | O_TRUNC;
      break;
    case OPEN_EXISTING:
      break;
    case OPEN_ALWAYS:
      flags |= O_CREAT;
      break;
    case TRUNCATE_EXISTING:
      if (!writable) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
      }
      flags |= O_TRUNC;
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return INVALID_HANDLE_VALUE;
  }

  const std::string path = platform::toHostPath(fileName);
  struct stat before;
  const bool existed = ::stat(path.c_str(), &before) == 0;
  if (existed && S_ISDIR(before.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  int fd = ::open(path.c_str(), flags, 0644);
  if (fd < 0) {
    int error = errno;
    SetLastError(error == ENOENT ? missingError(path) : errorFromErrno(error));
    return INVALID_HANDLE_VALUE;
  }
  auto* file = new FileObject(fd, readable, writable);
  const bool reportsExisting = disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
  SetLastError(existed && reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return file->handle();
}

}  // namespace

HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD, LPSECURITY_ATTRIBUTES, DWORD creationDisposition,
                   DWORD, HANDLE) {
  return openFile(fileName, desiredAccess, creationDisposition);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, DWORD* bytesRead, void*) {
  if (bytesRead) *bytesRead = 0;
  auto* f = platform::handleObject<FileObject>(file);
  if (f == nullptr) return FALSE;
  if (!f->readable) return fail(ERROR_ACCESS_DENIED);
  if (buffer == nullptr && bytesToRead > 0) return fail(ERROR_INVALID_PARAMETER);
  DWORD done = 0;
  while (done < bytesToRead) {
    ssize_t n = ::read(f->fd, static_cast<char*>(buffer) + done, bytesToRead - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail(ERROR_READ_FAULT);
    if (n == 0) break;
    done += static_cast<DWORD>(n);
  }
  if (bytesRead) *bytesRead = done;
  return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, DWORD* bytesWritten, void*) {
  if (bytesWritten) *bytesWritten = 0;
  auto* f = platform::handleObject<FileObject>(file);
  if (f == nullptr) return FALSE;
  if (!f->writable) return fail(ERROR_ACCESS_DENIED);
  if (buffer == nullptr && bytesToWrite > 0) return fail(ERROR_INVALID_PARAMETER);
  DWORD done = 0;
  while (done < bytesToWrite) {
    ssize_t n = ::write(f->fd, static_cast<const char*>(buffer) + done, bytesToWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (bytesWritten) *bytesWritten = done;
      return fail(errno == ENOSPC ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
    }
    done += static_cast<DWORD>(n);
  }
  if (bytesWritten) *bytesWritten = done;
  return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD moveMethod) {
  auto* f = platform::handleObject<FileObject>(file);
  if (f == nullptr) return INVALID_SET_FILE_POINTER;
  int whence = moveMethod == FILE_BEGIN     ? SEEK_SET
               : moveMethod == FILE_CURRENT ? SEEK_CUR
               : moveMethod == FILE_END     ? SEEK_END
                                            : -1;
  if (whence < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  int64_t move = distance;
  if (distanceHigh) move = static_cast<int64_t>((uint64_t(uint32_t(*distanceHigh)) << 32) | uint32_t(distance));
  const off_t here = ::lseek(f->fd, 0, SEEK_CUR);
  const off_t end = ::lseek(f->fd, 0, SEEK_END);
  ::lseek(f->fd, here, SEEK_SET);
  const int64_t from = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? here : end;
  if (here < 0 || end < 0) {
    SetLastError(ERROR_GEN_FAILURE);
    return INVALID_SET_FILE_POINTER;
  }
  // Without a high part the handheld keeps positions in 32 bits.
  const int64_t target = from + move;
  if (target < 0 || (distanceHigh == nullptr && target >= int64_t{0xFFFFFFFF})) {
    SetLastError(target < 0 ? ERROR_NEGATIVE_SEEK : ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  if (::lseek(f->fd, static_cast<off_t>(target), SEEK_SET) < 0) {
    SetLastError(ERROR_GEN_FAILURE);
    return INVALID_SET_FILE_POINTER;
  }
  if (distanceHigh) *distanceHigh = static_cast<LONG>(uint64_t(target) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(target);
}

BOOL FlushFileBuffers(HANDLE file) {
  auto* f = platform::handleObject<FileObject>(file);
  if (f == nullptr) return FALSE;
  if (!f->writable) return fail(ERROR_ACCESS_DENIED);
  if (::fsync(f->fd) != 0) return fail(ERROR_WRITE_FAULT);
  return TRUE;
}

DWORD GetFileSize(HANDLE file, DWORD* sizeHigh) {
  int64_t size = platform::fileSize(file);
  if (size < 0) return INVALID_FILE_SIZE;
  if (sizeHigh) *sizeHigh = static_cast<DWORD>(uint64_t(size) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(size);
}

BOOL DeleteFileW(LPCWSTR fileName) {
  if (fileName == nullptr) return fail(ERROR_PATH_NOT_FOUND);
  const std::string path = platform::toHostPath(fileName);
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return fail(ERROR_ACCESS_DENIED);
  if (::unlink(path.c_str()) != 0) return fail(errno == ENOENT ? missingError(path) : errorFromErrno(errno));
  return TRUE;
}

DWORD GetFileAttributesW(LPCWSTR fileName) {
  if (fileName == nullptr) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_FILE_ATTRIBUTES;
  }
  const std::string path = platform::toHostPath(fileName);
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    SetLastError(errno == ENOENT ? missingError(path) : errorFromErrno(errno));
    return INVALID_FILE_ATTRIBUTES;
  }
  return S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

HANDLE CreateFileForMappingW(LPCWSTR fileName, DWORD desiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
                             DWORD creationDisposition, DWORD, HANDLE) {
  if (desiredAccess & GENERIC_WRITE) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  return openFile(fileName, GENERIC_READ, creationDisposition);
}

HANDLE CreateFileMappingW(HANDLE file, LPSECURITY_ATTRIBUTES, DWORD protect, DWORD maximumSizeHigh,
                          DWORD maximumSizeLow, LPCWSTR name) {
  if (protect != PAGE_READONLY || name != nullptr || maximumSizeHigh != 0 || maximumSizeLow != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto* f = platform::handleObject<FileObject>(file);
  if (f == nullptr) return nullptr;
  int64_t size = platform::fileSize(file);
  if (size <= 0) {
    SetLastError(size == 0 ? ERROR_FILE_INVALID : ERROR_GEN_FAILURE);
    return nullptr;
  }
  int fd = ::fcntl(f->fd, F_DUPFD_CLOEXEC, 0);
  if (fd < 0) {
    SetLastError(errorFromErrno(errno));
    return nullptr;
  }
  SetLastError(ERROR_SUCCESS);
  return (new MappingObject(fd, static_cast<uint64_t>(size)))->handle();
}

LPVOID MapViewOfFile(HANDLE mapping, DWORD desiredAccess, DWORD offsetHigh, DWORD offsetLow, DWORD bytesToMap) {
  auto* m = platform::handleObject<MappingObject>(mapping);
  if (m == nullptr) return nullptr;
  const uint64_t offset = (uint64_t(offsetHigh) << 32) | offsetLow;
  if (desiredAccess != FILE_MAP_READ || offset >= m->size || (bytesToMap && bytesToMap > m->size - offset)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const uint64_t length = bytesToMap ? bytesToMap : m->size - offset;
  // The host maps whole pages: map from the page holding the offset and hand out the address inside it.
  const uint64_t page = static_cast<uint64_t>(::sysconf(_SC_PAGESIZE));
  const uint64_t start = offset / page * page;
  const size_t span = static_cast<size_t>(length + (offset - start));
  void* base = ::mmap(nullptr, span, PROT_READ, MAP_PRIVATE, m->fd, static_cast<off_t>(start));
  if (base == MAP_FAILED) {
    SetLastError(errorFromErrno(errno));
    return nullptr;
  }
  void* address = static_cast<char*>(base) + (offset - start);
  std::lock_guard lock(viewsLock);
  views[address] = View{base, span};
  SetLastError(ERROR_SUCCESS);
  return address;
}

BOOL UnmapViewOfFile(LPCVOID baseAddress) {
  View view;
  {
    std::lock_guard lock(viewsLock);
    auto it = views.find(baseAddress);
    if (it == views.end()) return fail(ERROR_INVALID_PARAMETER);
    view = it->second;
    views.erase(it);
  }
  ::munmap(view.base, view.length);
  return TRUE;
}

namespace platform {

int64_t readFileAt(HANDLE file, uint64_t offset, void* buffer, size_t size) {
  auto* f = handleObject<FileObject>(file);
  if (f == nullptr) return -1;
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::pread(f->fd, static_cast<char*>(buffer) + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      SetLastError(ERROR_READ_FAULT);
      return -1;
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<int64_t>(done);
}

int64_t fileSize(HANDLE file) {
  auto* f = handleObject<FileObject>(file);
  if (f == nullptr) return -1;
  struct stat st;
  if (::fstat(f->fd, &st) != 0) {
    SetLastError(ERROR_GEN_FAILURE);
    return -1;
  }
  return st.st_size;
}

}  // namespace platform
