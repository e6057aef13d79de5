// Events, semaphores, mutexes, critical sections and Sleep, as the handheld offers them.
#pragma once

#include <chrono>

#include "platform/api/handle.h"
#include "platform/host/handles.h"
#include "platform/types.h"

inline constexpr DWORD INFINITE = 0xFFFFFFFF;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
inline constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

// WAIT_OBJECT_0 once the object is signalled within the time-out (taking the signal of an auto-reset
// event or one count of a semaphore), else WAIT_TIMEOUT; WAIT_FAILED for a handle that cannot be waited on.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
// WAIT_OBJECT_0 + the index of the first signalled object (taking its signal as above), else WAIT_TIMEOUT.
// As on the handheld only waitAll FALSE is offered; TRUE, no handles or a handle that cannot be waited on
// give WAIT_FAILED.
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds);

// An auto-reset event lets one waiter through per SetEvent; a manual-reset one stays set until reset.
HANDLE CreateEventW(void* attributes, BOOL manualReset, BOOL initialState, LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

HANDLE CreateSemaphoreW(void* attributes, LONG initialCount, LONG maximumCount, LPCWSTR name);
// Fails, changing nothing, when the count would pass the maximum.
BOOL ReleaseSemaphore(HANDLE semaphore, LONG releaseCount, LONG* previousCount);

// A mutex is owned by the thread whose wait took it, and may be taken again by that thread. Mutexes of
// one name are one mutex for the whole process (each CreateMutexW gives its own handle to it, with
// ERROR_ALREADY_EXISTS when the name was in use; the initial ownership is then not granted).
HANDLE CreateMutexW(void* attributes, BOOL initialOwner, LPCWSTR name);
// FALSE when the calling thread does not own the mutex.
BOOL ReleaseMutex(HANDLE mutex);

// A recursive lock; the structure only carries the stand-in's lock object.
struct CRITICAL_SECTION {
  void* lock = nullptr;
};
void InitializeCriticalSection(CRITICAL_SECTION* section);
void DeleteCriticalSection(CRITICAL_SECTION* section);
void EnterCriticalSection(CRITICAL_SECTION* section);
void LeaveCriticalSection(CRITICAL_SECTION* section);

// Also a wait: a suspended stand-in thread stops here.
void Sleep(DWORD milliseconds);

namespace platform {

// Every object WaitForSingleObject accepts.
class Waitable : public KernelObject {
 public:
  using Clock = std::chrono::steady_clock;
  // Takes the signal by the deadline (or waits for ever); false when the time ran out.
  virtual bool waitUntil(Clock::time_point deadline, bool forever) = 0;
  // Takes the signal when there is one, without waiting.
  virtual bool take() = 0;
};

// Every object that becomes signalled calls this after its change, so waits on several objects see it.
void wakeMultipleWaits();

// Called by every wait of a stand-in thread: a suspended thread stops here until it is resumed.
void passSuspendGate();

}  // namespace platform
