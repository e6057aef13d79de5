// The modal screen and its soft-key buttons.
#include "gui/GUIModalScreen.h"

namespace gamelib {

namespace {

constexpr int32_t kBottomLeft = ALIGN_BOTTOM;
constexpr int32_t kBottomRight = ALIGN_BOTTOM | ALIGN_RIGHT;

}  // namespace

GUIModalScreen::GUIModalScreen(int32_t id) : GUIWidget(id) {
  fillScreen();
  leftButton = createSoftButton();
  leftButton->setAnchors(kBottomLeft, kBottomLeft);
  leftButton->setNewAction(EVENT_POINTER_PRESSED, GUIAction::SEND_SCREEN_EVENT, EVENT_SELECT, nullptr);
  rightButton = createSoftButton();
  rightButton->setAnchors(kBottomRight, kBottomRight);
  rightButton->setNewAction(EVENT_POINTER_PRESSED, GUIAction::SEND_SCREEN_EVENT, EVENT_BACK, nullptr);
  setNewAction(EVENT_DOWN, GUIAction::FOCUS_NEXT, 0, nullptr);
  setNewAction(EVENT_UP, GUIAction::FOCUS_PREVIOUS, 0, nullptr);
  addChild(leftButton);
  addChild(rightButton);
}

GUIModalScreen::~GUIModalScreen() {
  leftButton = nullptr;
  rightButton = nullptr;
}

GUIWidgetPtr GUIModalScreen::createSoftButton() {
  GUIWidgetPtr button = new GUIWidget(-1);
  button->sizeToImage = true;
  GUITextPtr label = new GUIText();
  label->setAlignment(ALIGN_CENTER);
  button->setTextObject(label);
  button->setLayer(LAYER_OVERLAY);
  return button;
}

void GUIModalScreen::dispose() {
  GUIWidgetPtr self = this;
  leftButton = nullptr;
  rightButton = nullptr;
  GUIWidget::dispose();
}

}  // namespace gamelib
