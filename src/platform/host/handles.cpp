// The table of live kernel objects and the per-thread last error.
#include "platform/host/handles.h"

#include <mutex>
#include <unordered_set>

namespace platform {

namespace {

std::mutex handlesLock;
std::unordered_set<KernelObject*> liveHandles;  // guarded by handlesLock

thread_local DWORD lastErrorOfThread = ERROR_SUCCESS;

}  // namespace

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

bool destroyKernelObject(HANDLE handle) {
  auto* object = static_cast<KernelObject*>(handle);
  {
    // Taken out of the table first, so two threads closing one handle cannot both delete it.
    std::lock_guard lock(handlesLock);
    if (handle == INVALID_HANDLE_VALUE || liveHandles.erase(object) == 0) return false;
  }
  delete object;
  return true;
}

DWORD lastError() { return lastErrorOfThread; }

void setLastError(DWORD error) { lastErrorOfThread = error; }

}  // namespace platform
