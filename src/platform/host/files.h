// The host's files behind the handheld's file handles: opened by host path, read, written, moved in,
// synced, removed, and mapped read-only. Failures leave the host's error number in errno; the handheld's
// file calls (api/file.h) turn it into theirs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/host/handles.h"

namespace platform {

// An open file: the object behind its handle, which closes it.
class HostFile : public KernelObject {
 public:
  HostFile(int descriptor, bool readable, bool writable);
  ~HostFile() override;

  const bool readable;
  const bool writable;

  // At the end of the file a read stops short; -1 on failure.
  int64_t read(void* buffer, size_t size);
  // The count written, which is short only on failure.
  int64_t write(const void* buffer, size_t size, bool& failed);
  enum class From { Start, Here, End };
  // The new position, or -1.
  int64_t seek(int64_t offset, From from);
  int64_t position();
  int64_t size();
  bool sync();
  // Reads at an absolute position without moving the file's own; the count read, or -1.
  int64_t readAt(uint64_t offset, void* buffer, size_t size);

 private:
  friend class HostMapping;
  const int descriptor_;
};

enum class Creation { New, Always, Existing, OpenAlways, Truncate };
// Null on failure. Only a file of its own bytes can be opened, and never waited on: a folder fails with
// EISDIR, a FIFO, socket or device with ENXIO.
HostFile* openHostFile(const std::string& path, bool readable, bool writable, Creation creation, bool& existed);
bool isHostFolder(const std::string& path);
// A file of its own bytes (links followed): no folder, FIFO, socket or device.
bool isHostRegularFile(const std::string& path);
bool hostPathExists(const std::string& path);
// The error number for a missing file: ENOTDIR when a folder on the way is missing too.
int missingFileError(const std::string& path);
bool removeHostFile(const std::string& path);

// A read-only mapping of a whole file; it stays usable after the file is closed.
class HostMapping : public KernelObject {
 public:
  // Null on failure.
  static HostMapping* of(HostFile& file);
  ~HostMapping() override;
  uint64_t size() const { return size_; }
  // A view of the given bytes; null on failure. It outlives the mapping.
  void* view(uint64_t offset, uint64_t length);

 private:
  HostMapping(int descriptor, uint64_t size) : descriptor_(descriptor), size_(size) {}
  const int descriptor_;
  const uint64_t size_;
};
// False for an address that no view begins at.
bool unmapView(const void* address);

// For readers that keep their own position over a shared handle (the archive reader): the count read
// at the position, or -1.
int64_t readFileAt(HANDLE file, uint64_t offset, void* buffer, size_t size);
// The file's size in 64 bits, or -1.
int64_t fileSize(HANDLE file);

}  // namespace platform
