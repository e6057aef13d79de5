// The Imageon graphics chip's library, "CoreLinkLib.dll": a surface in the chip's memory shown on the
// panel through an overlay.
#pragma once

#include <string_view>

#include "platform/types.h"

using AtiCoreAttachProc = BOOL (*)();
using AtiCoreDetachProc = BOOL (*)();
// An RGB565 surface of the given size in the chip's memory.
using AtiCoreAllocSurfaceProc = BOOL (*)(DWORD* surface, LONG width, LONG height);
using AtiCoreFreeSurfaceProc = BOOL (*)(DWORD surface);
// Shows the surface with its top-left corner at the panel's (x, y) once the overlay is switched on.
using AtiCoreSetOverlayProc = BOOL (*)(DWORD surface, LONG x, LONG y);
using AtiCoreEnableOverlayProc = BOOL (*)(BOOL on);
// TRUE once the chip finished its queued work; waits up to the given number of microseconds.
using AtiCoreWaitCompleteProc = BOOL (*)(DWORD microseconds);
// Begins access to the surface's pixels.
using AtiCoreGetSurfaceAddressProc = BOOL (*)(DWORD surface, void** pixels, LONG* pitch);
using AtiCoreEndAccessProc = BOOL (*)(DWORD surface);

namespace platform::video {

// The library's entries by name; null when there is none.
FARPROC coreLinkExport(std::u16string_view name);

}  // namespace platform::video
