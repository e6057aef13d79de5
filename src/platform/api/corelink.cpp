// The Imageon chip's library: attach and detach, one RGB565 surface in the chip's memory, the overlay
// that shows it on the panel, and access to its pixels.
#include "platform/api/corelink.h"

#include <algorithm>

#include "platform/api/kernel.h"
#include "platform/device/videohw.h"
#include "platform/device/videostate.h"

namespace platform::video {

namespace {

constexpr DWORD kSurfaceHandle = 1;
// The chip starts each row of a surface on a 32-byte boundary.
constexpr int kChipRowAlignment = 32;

// A device whose probe faults raises it at the first call into the chip.
void probe(const State& s) {
  if (s.config.probeFaults) throw StructuredException{EXCEPTION_ACCESS_VIOLATION};
}

BOOL attach() {
  State& s = state();
  probe(s);
  s.attached = true;
  return TRUE;
}

BOOL detach() {
  State& s = state();
  s.attached = false;
  return TRUE;
}

BOOL allocSurface(DWORD* surface, LONG width, LONG height) {
  State& s = state();
  if (!s.attached || s.surfaceAllocated || surface == nullptr || width <= 0 || height <= 0 || width > 0x800 ||
      height > 0x800)
    return FALSE;
  s.surfaceWidth = width;
  s.surfaceHeight = height;
  s.surfacePitch = (width * 2 + kChipRowAlignment - 1) / kChipRowAlignment * kChipRowAlignment;
  s.surface.assign(static_cast<size_t>(s.surfacePitch) * static_cast<size_t>(height), 0);
  s.surfaceAllocated = true;
  *surface = kSurfaceHandle;
  return TRUE;
}

BOOL freeSurface(DWORD surface) {
  State& s = state();
  if (surface != kSurfaceHandle || !s.surfaceAllocated) return FALSE;
  s.surfaceAllocated = false;
  s.overlayOn = false;
  s.surface.clear();
  return TRUE;
}

BOOL setOverlay(DWORD surface, LONG x, LONG y) {
  State& s = state();
  if (surface != kSurfaceHandle || !s.surfaceAllocated) return FALSE;
  s.overlayX = x;
  s.overlayY = y;
  return TRUE;
}

BOOL enableOverlay(BOOL on) {
  State& s = state();
  if (on && !s.surfaceAllocated) return FALSE;
  s.overlayOn = on != FALSE;
  return TRUE;
}

BOOL waitComplete(DWORD) { return state().attached ? TRUE : FALSE; }

BOOL surfaceAddress(DWORD surface, void** pixels, LONG* pitch) {
  State& s = state();
  if (surface != kSurfaceHandle || !s.surfaceAllocated || pixels == nullptr || pitch == nullptr) return FALSE;
  *pixels = s.surface.data();
  *pitch = s.surfacePitch;
  return TRUE;
}

BOOL endAccess(DWORD surface) {
  State& s = state();
  if (surface != kSurfaceHandle || !s.surfaceAllocated) return FALSE;
  refreshScreenFromVideo();
  return TRUE;
}

struct Export {
  std::u16string_view name;
  FARPROC entry;
};

template <class F>
FARPROC entry(F f) {
  return reinterpret_cast<FARPROC>(f);
}

const Export kExports[] = {
    {u"AtiCore_ProcessAttach", entry(attach)},      {u"AtiCore_ProcessDetach", entry(detach)},
    {u"AtiCore_AllocSurface", entry(allocSurface)}, {u"AtiCore_FreeSurface", entry(freeSurface)},
    {u"AtiCore_SetOverlay", entry(setOverlay)},     {u"AtiCore_EnableOverlay", entry(enableOverlay)},
    {u"AtiCore_WaitComplete", entry(waitComplete)}, {u"AtiCore_GetSurfaceAddress", entry(surfaceAddress)},
    {u"AtiCore_EndAccess", entry(endAccess)},
};

}  // namespace

FARPROC coreLinkExport(std::u16string_view name) {
  for (const Export& e : kExports) {
    if (e.name == name) return e.entry;
  }
  return nullptr;
}

}  // namespace platform::video
