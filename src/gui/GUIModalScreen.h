// A widget that fills the screen, with two soft-key buttons at its bottom corners: a tap on the left one
// selects, a tap on the right one goes back.
#pragma once

#include "gui/GUIWidget.h"

namespace gamelib {

class GUIModalScreen : public GUIWidget {
 public:
  explicit GUIModalScreen(int32_t id);
  ~GUIModalScreen() override;
  const char* getClassName() const override { return "GUIModalScreen"; }

  // A button sized by its image, with a centred text, in the overlay layer.
  static GUIWidgetPtr createSoftButton();
  GUIWidgetPtr getLeftButton() const { return leftButton; }
  GUIWidgetPtr getRightButton() const { return rightButton; }

  void dispose() override;

  GUIWidgetPtr leftButton;
  GUIWidgetPtr rightButton;
};

using GUIModalScreenPtr = nuv::lang::DPtr<GUIModalScreen>;

}  // namespace gamelib
