// Files and read-only mappings of the handheld over the host's files.
#include "platform/api/file.h"

#include <cerrno>
#include <string>

#include "platform/host/files.h"
#include "platform/host/paths.h"

namespace {

using platform::HostFile;
using platform::HostMapping;

DWORD errorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case ENXIO:
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
  return platform::missingFileError(hostPath) == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

HANDLE openFile(LPCWSTR fileName, DWORD access, DWORD disposition) {
  if (fileName == nullptr || fileName[0] == 0) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  const bool readable = (access & GENERIC_READ) != 0;
  const bool writable = (access & GENERIC_WRITE) != 0;
  platform::Creation creation;
  switch (disposition) {
    case CREATE_NEW:
      creation = platform::Creation::New;
      break;
    case CREATE_ALWAYS:
      creation = platform::Creation::Always;
      break;
    case OPEN_EXISTING:
      creation = platform::Creation::Existing;
      break;
    case OPEN_ALWAYS:
      creation = platform::Creation::OpenAlways;
      break;
    case TRUNCATE_EXISTING:
      if (!writable) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
      }
      creation = platform::Creation::Truncate;
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return INVALID_HANDLE_VALUE;
  }

  const std::string path = platform::toHostPath(fileName);
  bool existed = false;
  HostFile* file = platform::openHostFile(path, readable, writable, creation, existed);
  if (file == nullptr) {
    int error = errno;
    SetLastError(error == ENOENT ? missingError(path) : errorFromErrno(error));
    return INVALID_HANDLE_VALUE;
  }
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
  auto* f = platform::handleObject<HostFile>(file);
  if (f == nullptr) return FALSE;
  if (!f->readable) return fail(ERROR_ACCESS_DENIED);
  if (buffer == nullptr && bytesToRead > 0) return fail(ERROR_INVALID_PARAMETER);
  const int64_t done = f->read(buffer, bytesToRead);
  if (done < 0) return fail(ERROR_READ_FAULT);
  if (bytesRead) *bytesRead = static_cast<DWORD>(done);
  return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, DWORD* bytesWritten, void*) {
  if (bytesWritten) *bytesWritten = 0;
  auto* f = platform::handleObject<HostFile>(file);
  if (f == nullptr) return FALSE;
  if (!f->writable) return fail(ERROR_ACCESS_DENIED);
  if (buffer == nullptr && bytesToWrite > 0) return fail(ERROR_INVALID_PARAMETER);
  bool failed = false;
  const int64_t done = f->write(buffer, bytesToWrite, failed);
  if (bytesWritten) *bytesWritten = static_cast<DWORD>(done);
  if (failed) return fail(errno == ENOSPC ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
  return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD moveMethod) {
  auto* f = platform::handleObject<HostFile>(file);
  if (f == nullptr) return INVALID_SET_FILE_POINTER;
  if (moveMethod != FILE_BEGIN && moveMethod != FILE_CURRENT && moveMethod != FILE_END) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  int64_t move = distance;
  if (distanceHigh) move = static_cast<int64_t>((uint64_t(uint32_t(*distanceHigh)) << 32) | uint32_t(distance));
  const int64_t here = f->position();
  const int64_t end = f->size();
  const int64_t from = moveMethod == FILE_BEGIN ? 0 : moveMethod == FILE_CURRENT ? here : end;
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
  if (f->seek(target, HostFile::From::Start) < 0) {
    SetLastError(ERROR_GEN_FAILURE);
    return INVALID_SET_FILE_POINTER;
  }
  if (distanceHigh) *distanceHigh = static_cast<LONG>(uint64_t(target) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(target);
}

BOOL FlushFileBuffers(HANDLE file) {
  auto* f = platform::handleObject<HostFile>(file);
  if (f == nullptr) return FALSE;
  if (!f->writable) return fail(ERROR_ACCESS_DENIED);
  if (!f->sync()) return fail(ERROR_WRITE_FAULT);
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
  if (platform::isHostFolder(path)) return fail(ERROR_ACCESS_DENIED);
  if (!platform::removeHostFile(path)) return fail(errno == ENOENT ? missingError(path) : errorFromErrno(errno));
  return TRUE;
}

DWORD GetFileAttributesW(LPCWSTR fileName) {
  if (fileName == nullptr) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_FILE_ATTRIBUTES;
  }
  const std::string path = platform::toHostPath(fileName);
  if (!platform::hostPathExists(path)) {
    SetLastError(errno == ENOENT ? missingError(path) : errorFromErrno(errno));
    return INVALID_FILE_ATTRIBUTES;
  }
  if (platform::isHostFolder(path)) return FILE_ATTRIBUTE_DIRECTORY;
  return platform::isHostRegularFile(path) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_DEVICE;
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
  auto* f = platform::handleObject<HostFile>(file);
  if (f == nullptr) return nullptr;
  int64_t size = f->size();
  if (size <= 0) {
    SetLastError(size == 0 ? ERROR_FILE_INVALID : ERROR_GEN_FAILURE);
    return nullptr;
  }
  HostMapping* mapping = HostMapping::of(*f);
  if (mapping == nullptr) {
    SetLastError(errorFromErrno(errno));
    return nullptr;
  }
  SetLastError(ERROR_SUCCESS);
  return mapping->handle();
}

LPVOID MapViewOfFile(HANDLE mapping, DWORD desiredAccess, DWORD offsetHigh, DWORD offsetLow, DWORD bytesToMap) {
  auto* m = platform::handleObject<HostMapping>(mapping);
  if (m == nullptr) return nullptr;
  const uint64_t offset = (uint64_t(offsetHigh) << 32) | offsetLow;
  if (desiredAccess != FILE_MAP_READ || offset >= m->size() || (bytesToMap && bytesToMap > m->size() - offset)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  void* address = m->view(offset, bytesToMap ? bytesToMap : m->size() - offset);
  SetLastError(address ? ERROR_SUCCESS : errorFromErrno(errno));
  return address;
}

BOOL UnmapViewOfFile(LPCVOID baseAddress) {
  return platform::unmapView(baseAddress) ? TRUE : fail(ERROR_INVALID_PARAMETER);
}
