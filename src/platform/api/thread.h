// Threads as the handheld offers them: created suspended or running, with a priority, suspended and
// resumed from outside.
#pragma once

#include "platform/api/sync.h"
#include "platform/types.h"

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID parameter);

inline constexpr DWORD CREATE_SUSPENDED = 0x4;

// The handheld's priority levels: a lower number runs first.
inline constexpr int THREAD_PRIORITY_TIME_CRITICAL = 0;
inline constexpr int THREAD_PRIORITY_HIGHEST = 1;
inline constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 2;
inline constexpr int THREAD_PRIORITY_NORMAL = 3;
inline constexpr int THREAD_PRIORITY_IDLE = 7;
inline constexpr int THREAD_PRIORITY_ERROR_RETURN = 0x7FFFFFFF;

// The handle is signalled once the routine has returned.
HANDLE CreateThread(void* attributes, DWORD stackSize, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD creationFlags, DWORD* threadId);
// Both return the suspend count before the call, or 0xFFFFFFFF for a bad handle. A suspended thread
// stops at its next wait or Sleep: the stand-in cannot stop a thread anywhere else.
DWORD SuspendThread(HANDLE thread);
DWORD ResumeThread(HANDLE thread);
// Recorded and reported; the host's scheduler is left alone.
BOOL SetThreadPriority(HANDLE thread, int priority);
int GetThreadPriority(HANDLE thread);
DWORD GetCurrentThreadId();
