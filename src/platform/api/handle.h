// Kernel handles: every HANDLE the stand-in gives out (files, mappings, and later threads and events)
// is one object that CloseHandle ends, and a stale or foreign handle is refused rather than followed.
#pragma once

#include "platform/types.h"

// The object behind the handle is destroyed; FALSE with ERROR_INVALID_HANDLE for an unknown handle.
BOOL CloseHandle(HANDLE handle);

// The error of the last failed call on this thread.
DWORD GetLastError();
void SetLastError(DWORD error);

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

// The live object behind a handle when it is a T; otherwise null with ERROR_INVALID_HANDLE set.
template <class T>
T* handleObject(HANDLE handle) {
  T* object = dynamic_cast<T*>(kernelObject(handle));
  if (object == nullptr) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

}  // namespace platform
