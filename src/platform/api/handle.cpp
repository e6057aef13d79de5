// The table of live kernel objects and the per-thread last error.
#include "platform/api/handle.h"

#include <mutex>
#include <unordered_set>

namespace {

std::mutex handlesLock;
std::unordered_set<platform::KernelObject*> liveHandles;  // guarded by handlesLock

thread_local DWORD lastError = ERROR_SUCCESS;

}  // namespace

namespace platform {

KernelObject::KernelObject() {
  std::lock_guard lock(handlesLock);
  liveHandles.insert(this);
}

KernelObject::~KernelObject() {
  std::lock_guard lock(handlesLock);
  liveHandles.erase(this);
}

KernelObject* kernelObject(HANDLE handle) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return nullptr;
  auto* object = static_cast<KernelObject*>(handle);
  std::lock_guard lock(handlesLock);
  return liveHandles.count(object) ? object : nullptr;
}

}  // namespace platform

BOOL CloseHandle(HANDLE handle) {
  auto* object = static_cast<platform::KernelObject*>(handle);
  {
    // Taken out of the table first, so two threads closing one handle cannot both delete it.
    std::lock_guard lock(handlesLock);
    if (handle == INVALID_HANDLE_VALUE || liveHandles.erase(object) == 0) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
  }
  delete object;
  return TRUE;
}

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD error) { lastError = error; }
