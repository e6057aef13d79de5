// A vertical scroll bar bound to a scrolling widget through actions only: the arrows scroll it while held,
// a press on the track pages it, the thumb follows it and can be dragged.
#pragma once

#include "gui/GUIWidget.h"

namespace gamelib {

class GUIVScrollBar : public GUIWidget {
 public:
  // A page step of 0 is half the list's client height now; an arrow step of 0 an eighth of the screen.
  GUIVScrollBar(GUIWidgetPtr list, int32_t pageUpStep, int32_t pageDownStep, int32_t upArrowStep, int32_t downArrowStep,
                int32_t id);
  ~GUIVScrollBar() override;
  const char* getClassName() const override { return "GUIVScrollBar"; }

  GUIWidgetPtr getUpArrow() const { return upArrow; }
  GUIWidgetPtr getDownArrow() const { return downArrow; }
  GUIWidgetPtr getTrack() const { return track; }
  GUIWidgetPtr getThumb() const { return thumb; }

  // Keeps the track between the arrows.
  void update() override;
  void dispose() override;

  GUIWidgetPtr upArrow;
  GUIWidgetPtr downArrow;
  GUIWidgetPtr track;
  GUIWidgetPtr thumb;
};

using GUIVScrollBarPtr = nuv::lang::DPtr<GUIVScrollBar>;

}  // namespace gamelib
