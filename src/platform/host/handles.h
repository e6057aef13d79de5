// The objects behind the handheld's handles: every HANDLE the stand-in gives out (files, mappings,
// threads, events) is one object that registers itself, so a stale or foreign handle is refused rather
// than followed; and the last error of each thread. The handheld's calls on them are in api/handle.h.
#pragma once

#include "platform/types.h"

namespace platform {

// Base of every object behind a HANDLE. Constructing one registers it; the handle is its address.
class KernelObject {
 public:
  KernelObject();
  virtual ~KernelObject();
  KernelObject(const KernelObject&) = delete;
  KernelObject& operator=(const KernelObject&) = delete;

  HANDLE handle() { return this; }
};

// The live object behind a handle, or null (null, INVALID_HANDLE_VALUE, closed or never given out).
KernelObject* kernelObject(HANDLE handle);
// Takes the object out of the table and destroys it; false for an unknown handle.
bool destroyKernelObject(HANDLE handle);

// The error of the last failed call on this thread.
DWORD lastError();
void setLastError(DWORD error);

// The live object behind a handle when it is a T; otherwise null with ERROR_INVALID_HANDLE set.
template <class T>
T* handleObject(HANDLE handle) {
  T* object = dynamic_cast<T*>(kernelObject(handle));
  if (object == nullptr) setLastError(ERROR_INVALID_HANDLE);
  return object;
}

}  // namespace platform
