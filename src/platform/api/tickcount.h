// The tick count, on the stand-in's clock (which a test or a scripted run may own).
#pragma once

#include "platform/types.h"

// Milliseconds since the program started; wraps after 49.7 days like the handheld's.
DWORD GetTickCount();
// The same in 64 bits, as the desktop system's call of that name: never wraps.
uint64_t GetTickCount64();
