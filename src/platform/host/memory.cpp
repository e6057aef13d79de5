// Reservations, memory files and read checks on POSIX.
#include "platform/host/memory.h"

#include <sys/mman.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <vector>

namespace platform::memory {

size_t pageSize() { return static_cast<size_t>(sysconf(_SC_PAGESIZE)); }

void* reserve(size_t bytes) {
  void* reserved = mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  return reserved == MAP_FAILED ? nullptr : reserved;
}

bool release(void* address, size_t bytes) { return munmap(address, bytes) == 0; }

int createFile(const char* name, size_t bytes) {
  int file = memfd_create(name, MFD_CLOEXEC);
  if (file >= 0 && ftruncate(file, static_cast<off_t>(bytes)) != 0) {
    close(file);
    return -1;
  }
  return file;
}

void closeFile(int file) {
  if (file >= 0) close(file);
}

void* mapFile(int file, size_t offset, size_t bytes, void* at) {
  void* mapped = mmap(at, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | (at != nullptr ? MAP_FIXED : 0), file,
                      static_cast<off_t>(offset));
  return mapped == MAP_FAILED ? nullptr : mapped;
}

bool readable(const void* address, size_t bytes) {
  // Reading through the kernel reports unmapped or unreadable pages instead of faulting on them.
  static thread_local char scratch[0x10000];
  const auto* at = static_cast<const char*>(address);
  while (bytes > 0) {
    const size_t chunk = bytes < sizeof scratch ? bytes : sizeof scratch;
    iovec local{scratch, chunk};
    iovec remote{const_cast<char*>(at), chunk};
    if (process_vm_readv(getpid(), &local, 1, &remote, 1, 0) != static_cast<ssize_t>(chunk)) {
      // Where the host forbids reading through the kernel, at least every page must be mapped.
      if (errno != EPERM && errno != ENOSYS) return false;
      const size_t page = pageSize();
      const uintptr_t first = reinterpret_cast<uintptr_t>(at) / page * page;
      const size_t span = reinterpret_cast<uintptr_t>(at) + chunk - first;
      std::vector<unsigned char> resident((span + page - 1) / page);
      if (mincore(reinterpret_cast<void*>(first), span, resident.data()) != 0) return false;
    }
    at += chunk;
    bytes -= chunk;
  }
  return true;
}

}  // namespace platform::memory
