// Read-only file mappings for the image decoder.
#include "shell/raster/MappedFile.h"

#include <string>

#include "platform/api/windows.h"

namespace Raster {

namespace {

// The program's folder as the handheld names it, up to and including its last '\'.
std::u16string programFolder() {
  char16_t name[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, name, MAX_PATH);
  std::u16string folder(name, n);
  const size_t slash = folder.find_last_of(u'\\');
  return slash == std::u16string::npos ? std::u16string() : folder.substr(0, slash + 1);
}

}  // namespace

bool MappedFile::open(const char16_t* path) {
  close();
  if (path == nullptr) return false;
  std::u16string full = path[0] == u'\\' ? std::u16string(path) : programFolder() + path;

  file_ = CreateFileForMappingW(full.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file_ == INVALID_HANDLE_VALUE) return false;
  const DWORD size = GetFileSize(file_, nullptr);
  mapping_ = CreateFileMappingW(file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (mapping_ == nullptr || size == INVALID_FILE_SIZE) {
    close();
    return false;
  }
  viewStart_ = static_cast<const uint8_t*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
  if (viewStart_ == nullptr) {
    close();
    return false;
  }
  viewEnd_ = viewStart_ + size;
  return true;
}

void MappedFile::close() {
  if (viewStart_ != nullptr) UnmapViewOfFile(viewStart_);
  if (mapping_ != nullptr) CloseHandle(mapping_);
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  mapping_ = nullptr;
  viewStart_ = nullptr;
  viewEnd_ = nullptr;
}

}  // namespace Raster
