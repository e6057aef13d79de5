// The tick count calls over the stand-in's clock.
#include "platform/api/tickcount.h"

#include "platform/seam/clock.h"

DWORD GetTickCount() { return static_cast<DWORD>(platform::tickCount64()); }

uint64_t GetTickCount64() { return platform::tickCount64(); }
