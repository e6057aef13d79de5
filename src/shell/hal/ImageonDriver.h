// The Imageon driver: a surface in the graphics chip's memory, shown on the panel through an overlay.
#pragma once

#include "platform/api/corelink.h"
#include "platform/api/module.h"
#include "shell/hal/VideoDriver.h"

namespace ScreenHAL {

// "CoreLinkLib.dll" with the entries the driver calls.
struct CoreLink {
  CoreLink() = default;
  CoreLink(const CoreLink&) = delete;
  CoreLink& operator=(const CoreLink&) = delete;
  ~CoreLink();
  bool load();

  HMODULE module = nullptr;
  AtiCoreAttachProc attach = nullptr;
  AtiCoreDetachProc detach = nullptr;
  AtiCoreAllocSurfaceProc allocSurface = nullptr;
  AtiCoreFreeSurfaceProc freeSurface = nullptr;
  AtiCoreSetOverlayProc setOverlay = nullptr;
  AtiCoreEnableOverlayProc enableOverlay = nullptr;
  AtiCoreWaitCompleteProc waitComplete = nullptr;
  AtiCoreGetSurfaceAddressProc surfaceAddress = nullptr;
  AtiCoreEndAccessProc endAccess = nullptr;
};

class ImageonDriver final : public VideoDriver {
 public:
  ImageonDriver() = default;
  ~ImageonDriver() override;

  // On the devices that carry the chip, when its library answers an attach and a detach.
  static bool detect(DetectionRecord& detection);

  bool initialize(HWND window, DisplayParams& params, DetectionRecord& detection) override;
  Surface* lock() override;
  void present(uint32_t flags) override;

 private:
  CoreLink chip_;
  bool attached_ = false;
  bool overlayOn_ = false;
  bool accessing_ = false;
  DWORD chipSurface_ = 0;
};

}  // namespace ScreenHAL
