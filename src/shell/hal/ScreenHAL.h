// The display layer: one RGB565 back buffer of the screen's size per frame, put on the screen through a
// video driver. The shell opens it once; the canvas begins and ends each frame through the context.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/api/window.h"
#include "shell/hal/Surface.h"
#include "shell/raster/RasterSurface.h"
#include "shell/raster/RasterTarget.h"

namespace ScreenHAL {

// Passed in as requested and returned filled with what is in effect.
struct DisplayParams {
  int32_t W = 0;  // width
  int32_t H = 0;  // height
  int32_t O = 0;  // orientation: 0 native, 1 a quarter turn, 2 half, 3 three quarters, 4 any
  int32_t S = 0;  // swap effect: 0 none requested, 1 discard, 2 copy
};

class Display;

// The program's record of the open display, one per window.
class DisplayContext {
 public:
  // Null (with everything freed) when no display could be created; params get the values in effect.
  static std::unique_ptr<DisplayContext> open(HWND window, DisplayParams& params);
  DisplayContext(const DisplayContext&) = delete;
  DisplayContext& operator=(const DisplayContext&) = delete;
  ~DisplayContext();

  // Destroys the display; the context draws nothing afterwards.
  void close();

  // The back buffer to draw this frame into (the raster target now points at it), or null when the
  // display is suspended or cannot be locked: skip drawing to the screen for that frame then.
  Raster::RasterSurface* beginFrame();
  // Presents the frame. Every frame presents the whole screen; the rectangle is accepted and ignored.
  void endFrame(const Raster::Rect* rect = nullptr);

  Raster::RasterTarget& raster() { return raster_; }
  const DisplayParams& params() const { return params_; }
  Display* display() const { return display_; }

 private:
  DisplayContext();

  Raster::RasterTarget raster_;
  DisplayParams params_;
  Display* display_ = nullptr;
  std::unique_ptr<Raster::RasterSurface> backBuffer_;
};

}  // namespace ScreenHAL
