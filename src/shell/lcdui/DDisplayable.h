// Something the display can show: it knows its size and hears when it is shown and hidden.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"

namespace nuv::microedition::lcdui {

class DDisplayable : public nuv::lang::DObject {
 public:
  const char* getClassName() const override { return "DDisplayable"; }

  virtual void sizeChanged() {}
  virtual void showNotify() {}
  virtual void hideNotify() {}

  int32_t getWidth() const { return width; }
  int32_t getHeight() const { return height; }

  // Set while this is the display's current displayable.
  bool shown = false;
  int32_t height = 0;
  int32_t width = 0;
};

using DDisplayablePtr = nuv::lang::DPtr<DDisplayable>;

}  // namespace nuv::microedition::lcdui
