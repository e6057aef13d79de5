// The canvas games draw into: its back buffer goes to the screen when the game flushes it.
#pragma once

#include "shell/lcdui/DCanvas.h"

namespace nuv::microedition::lcdui::game {

class DGameCanvas : public DCanvas {
 public:
  const char* getClassName() const override { return "DGameCanvas"; }

  // A new graphics context drawing into the back buffer; it keeps the canvas alive.
  DGraphicsPtr getGraphics();
  // Presents the back buffer when this canvas is the one shown.
  void flushGraphics();
  // Presents the display's current canvas, unless another window is in front.
  static void flushToDisplay();
};

using DGameCanvasPtr = nuv::lang::DPtr<DGameCanvas>;

}  // namespace nuv::microedition::lcdui::game
