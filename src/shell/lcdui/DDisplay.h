// The one display: which displayable is current, and the size of the screen's back buffer.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "shell/lcdui/DDisplayable.h"

namespace ScreenHAL {
class DisplayContext;
}

namespace nuv::microedition::midlet {
class DMIDlet;
}

namespace nuv::microedition::lcdui {

class DDisplay;
using DDisplayPtr = nuv::lang::DPtr<DDisplay>;

class DDisplay : public nuv::lang::DObject {
 public:
  // Becomes the display of the current MIDlet and the global display. Without a context, or when its back
  // buffer cannot be reached, the size is the screen's.
  explicit DDisplay(ScreenHAL::DisplayContext* context);
  ~DDisplay() override;
  const char* getClassName() const override { return "DDisplay"; }

  static DDisplayPtr getDisplay(nuv::microedition::midlet::DMIDlet* midlet);
  // The global display, or null.
  static DDisplay* instance();

  // Hides the current displayable and shows the new one (the same one is hidden and shown again).
  void setCurrent(DDisplayablePtr displayable);
  DDisplayablePtr getCurrent() const { return current; }

  ScreenHAL::DisplayContext* context() const { return displayContext; }

  DDisplayablePtr current;
  ScreenHAL::DisplayContext* displayContext = nullptr;
  int32_t width = 0;
  int32_t height = 0;
};

}  // namespace nuv::microedition::lcdui
