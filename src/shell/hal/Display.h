// The display: a video driver, an optional back buffer of its own, the dirty rectangle, and the window
// subclass that turns stylus and arrow-key input to the frame's orientation.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/api/window.h"
#include "shell/hal/ScreenHAL.h"
#include "shell/hal/VideoDriver.h"

namespace ScreenHAL {

class Display {
 public:
  // Null, after logging why, when no driver could be set up for the window.
  static Display* Create(HWND window, DisplayParams& params);

  explicit Display(HWND window);
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  virtual void resume();
  virtual void suspend();
  virtual void repaint();
  virtual ~Display();
  virtual bool open(DisplayParams& params);
  virtual VideoDriver* createDriver(DisplayParams& params);

  // Begins a frame; false while suspended or when the driver cannot give its pixels.
  bool lock();
  // The surface to draw the frame into, null outside a frame.
  Surface* backBuffer() const;
  // Ends the frame: copies the own back buffer when there is one and lets the driver show it.
  bool present(uint32_t flags);

  const DisplayParams& params() const { return params_; }
  const Raster::Rect& dirtyRect() const { return dirty_; }
  bool isActive() const { return active_; }
  HWND window() const { return window_; }

  // Stylus coordinates and arrow keys of the screen turned to the frame's orientation.
  void rotatePoint(int32_t& x, int32_t& y) const;
  UINT rotateArrowKey(UINT key) const;
  // The same for r quarter turns between the frame and the screen, on a frame of width x height.
  static void rotatePoint(int32_t r, int32_t width, int32_t height, int32_t& x, int32_t& y);
  static UINT rotateArrowKey(int32_t r, UINT key);

 private:
  void setDirtyRect();

  HWND window_ = nullptr;
  DisplayParams params_;
  std::unique_ptr<VideoDriver> driver_;
  std::unique_ptr<Surface> ownBackBuffer_;
  Surface* locked_ = nullptr;
  Raster::Rect dirty_;
  bool dirtySet_ = false;
  bool fullRows_ = false;
  bool active_ = false;
  bool subclassed_ = false;
};

}  // namespace ScreenHAL
