// The vertical scroll bar.
#include "gui/GUIVScrollBar.h"

namespace gamelib {

namespace {

constexpr int32_t kTopCentre = ALIGN_HCENTER;
constexpr int32_t kBottomCentre = ALIGN_HCENTER | ALIGN_BOTTOM;

}  // namespace

GUIVScrollBar::GUIVScrollBar(GUIWidgetPtr list, int32_t pageUpStep, int32_t pageDownStep, int32_t upArrowStep,
                             int32_t downArrowStep, int32_t id)
    : GUIWidget(id) {
  thumb = new GUIWidget(-1);
  thumb->setAnchors(kTopCentre, kTopCentre);
  thumb->setLayer(LAYER_FRAME);
  thumb->sizeToImage = true;
  track = new GUIWidget(-1);
  track->setLayer(LAYER_FRAME);
  track->setAnchors(ALIGN_CENTER, ALIGN_CENTER);
  track->addChild(thumb);
  upArrow = new GUIWidget(-1);
  upArrow->setAnchors(kTopCentre, kTopCentre);
  upArrow->setLayer(LAYER_FRAME);
  upArrow->sizeToImage = true;
  addChild(upArrow);
  downArrow = new GUIWidget(-1);
  downArrow->setAnchors(kBottomCentre, kBottomCentre);
  downArrow->setLayer(LAYER_FRAME);
  downArrow->sizeToImage = true;
  addChild(downArrow);
  addChild(track);

  upArrow->setNewTargetAction(list, EVENT_POINTER_HELD, GUIAction::SCROLL_UP, upArrowStep, nullptr);
  downArrow->setNewTargetAction(list, EVENT_POINTER_HELD, GUIAction::SCROLL_DOWN, downArrowStep, nullptr);
  list->setNewAction(EVENT_SCROLLED, GUIAction::THUMB_FOLLOWS, 0, thumb);
  track->setNewTargetAction(list, EVENT_POINTER_HELD, GUIAction::TRACK_PRESSED, 0, thumb);
  thumb->setNewTargetAction(list, EVENT_POINTER_DRAGGED, GUIAction::THUMB_DRAGGED, 0, thumb);

  if (pageUpStep == 0) pageUpStep = list->clientH >> 1;
  if (pageDownStep == 0) pageDownStep = list->clientH >> 1;
  list->setNewAction(EVENT_PAGE_UP, GUIAction::SCROLL_UP, pageUpStep, nullptr);
  list->setNewAction(EVENT_PAGE_DOWN, GUIAction::SCROLL_DOWN, pageDownStep, nullptr);
}

GUIVScrollBar::~GUIVScrollBar() {
  upArrow = nullptr;
  downArrow = nullptr;
  track = nullptr;
  thumb = nullptr;
}

void GUIVScrollBar::update() {
  GUIWidgetPtr self = this;
  if (updateHook != nullptr && updateHook(self) != 0) return;
  int32_t trackW = w, trackH = h - downArrow->h - upArrow->h;
  if (track->w != trackW || track->h != trackH) track->setSize(trackW, trackH);
  if (updateHook2 != nullptr) updateHook2(self);
}

void GUIVScrollBar::dispose() {
  GUIWidgetPtr self = this;
  upArrow = nullptr;
  downArrow = nullptr;
  track = nullptr;
  thumb = nullptr;
  GUIWidget::dispose();
}

}  // namespace gamelib
