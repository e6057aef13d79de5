// The rotation driver: wraps the driver found when the program wants an orientation the screen does
// not have natively, draws into a back buffer of its own and copies it turned into the inner frame.
#pragma once

#include <memory>

#include "shell/hal/VideoDriver.h"

namespace ScreenHAL {

class RotationDriver final : public VideoDriver {
 public:
  explicit RotationDriver(std::unique_ptr<VideoDriver> inner);
  ~RotationDriver() override;

  bool initialize(HWND window, DisplayParams& params, DetectionRecord& detection) override;
  Surface* lock() override;
  void present(uint32_t flags) override;
  void adjustRect(Raster::Rect& dirty) override;
  void wait() override { inner_->wait(); }
  void resume() override { inner_->resume(); }
  void suspend() override { inner_->suspend(); }
  void repaint() override { inner_->repaint(); }

  int32_t delta() const { return delta_; }
  // The frame-buffer rectangle present copies, in the inner driver's coordinates.
  const Raster::Rect& copyRect() const { return copyRect_; }
  VideoDriver& inner() const { return *inner_; }

 private:
  std::unique_ptr<VideoDriver> inner_;
  std::unique_ptr<Surface> back_;
  Surface* frame_ = nullptr;  // the inner surface while a frame is open
  int32_t delta_ = 0;
  bool preload_ = false;
  Raster::Rect copyRect_;
};

}  // namespace ScreenHAL
