// The GUI engine: the widget registry, the screen stack, the action queue, and the per-step input and
// paint passes over the screens.
#include "gui/GUIEngine.h"

#include <algorithm>

#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "gui/GUIAction.h"
#include "gui/GUIText.h"
#include "gui/GUIWidget.h"
#include "shell/CGameEngine.h"

namespace gamelib {

using nuv::lang::DObjectPtr;
using nuv::lang::DStringPtr;
using nuv::microedition::lcdui::DGraphicsPtr;
using nuv::util::DHashtable;
using nuv::util::DVector;

namespace {

constexpr const char16_t* kEllipsis = u"...";

GUIWidgetPtr widgetAt(const DVector& list, int32_t i) { return static_cast<GUIWidget*>(list.elementAt(i)); }

void sendPointerEvent(const GUIWidgetPtr& widget, int32_t code, const int32_t* data, int32_t count) {
  widget->handleEvent(code, false, data, count * static_cast<int32_t>(sizeof(int32_t)));
}

}  // namespace

GUIEngine::GUIEngine()
    : allWidgets(new DVector()),
      screenStack(new DVector()),
      actionQueue(new DVector()),
      lastPointerDown(ScreenCanvas::pointerDown) {
  ellipsisText = new GUIText();
  ellipsisText->setResolvedText(kEllipsis);
}

GUIEngine::~GUIEngine() {
  ranThisStep_.clear();
  allWidgets = nullptr;
  screenStack = nullptr;
  actionQueue = nullptr;
  resources = nullptr;
  stringManager = nullptr;
  defaultFont = nullptr;
  pressedWidget = nullptr;
  ellipsisText = nullptr;
}

GUIEnginePtr GUIEngine::getInstance() {
  if (instance.isNull()) instance = new GUIEngine();
  return instance;
}

void GUIEngine::requestRepaint() {
  if (!instance.isNull()) instance->repaintRequest = true;
}

void GUIEngine::registerWidget(GUIWidgetPtr widget) {
  if (allWidgets->indexOf(widget) < 0) allWidgets->addElement(widget);
}

void GUIEngine::unregisterWidget(GUIWidgetPtr widget) { allWidgets->removeElement(widget); }

void GUIEngine::pushScreen(GUIWidgetPtr screen) {
  if (screen.isNull()) return;
  ScreenCanvas::resetInput();
  screenStack->addElement(screen);
  screen->handleEvent(GUIWidget::EVENT_SHOWN, true, nullptr, 0);
  screen->setFocused(true);
}

void GUIEngine::popScreen() {
  GUIWidgetPtr screen = getCurrentScreen();
  if (screen.isNull()) return;
  ScreenCanvas::resetInput();
  screen->handleEvent(GUIWidget::EVENT_HIDDEN, true, nullptr, 0);
  screenStack->removeElement(screen);
}

void GUIEngine::popAllScreens() {
  for (GUIWidgetPtr screen = getCurrentScreen(); !screen.isNull(); screen = getCurrentScreen()) {
    screen->handleEvent(GUIWidget::EVENT_HIDDEN, true, nullptr, 0);
    screenStack->removeElement(screen);
  }
  ScreenCanvas::resetInput();
}

void GUIEngine::closeWidget(GUIWidgetPtr widget) {
  if (widget.isNull()) return;
  if (widget == getCurrentScreen()) {
    popScreen();
    return;
  }
  GUIWidgetPtr parent = widget->getParent();
  if (parent.isNull()) return;
  widget->handleEvent(GUIWidget::EVENT_HIDDEN, true, nullptr, 0);
  parent->removeChild(widget);
}

GUIWidgetPtr GUIEngine::getCurrentScreen() {
  int32_t n = screenStack->size();
  return n == 0 ? nullptr : widgetAt(*screenStack, n - 1);
}

void GUIEngine::queueAction(nuv::lang::DPtr<GUIAction> action) { actionQueue->addElement(action); }

nuv::lang::DPtr<GUIAction> GUIEngine::pollAction() {
  if (actionQueue->size() == 0) {
    // A drain that emptied the queue ends here; the next one starts afresh.
    ranThisStep_.clear();
    return nullptr;
  }
  nuv::lang::DPtr<GUIAction> action = static_cast<GUIAction*>(actionQueue->elementAt(0));
  GUIAction* bound = action->boundAction();
  for (const nuv::lang::DPtr<GUIAction>& ran : ranThisStep_) {
    if (ran.get() == bound) return nullptr;
  }
  ranThisStep_.push_back(bound);
  actionQueue->removeElementAt(0);
  return action;
}

void GUIEngine::setPressedWidget(GUIWidgetPtr widget) {
  if (!pressLocked) pressedWidget = std::move(widget);
}

void GUIEngine::update() {
  ranThisStep_.clear();
  GUIWidgetPtr screen = getCurrentScreen();
  if (screen.isNull()) return;
  GUIEnginePtr self = this;
  const bool pressedNow = !lastPointerDown && ScreenCanvas::pointerDown;
  pressLocked = !pressedNow;
  GUIRect bounds = getScreenBounds();
  screen->tick(bounds, bounds);
  pressLocked = true;
  screen->processKeys();
  ScreenCanvas::anyKey = false;

  if (!ScreenCanvas::pointerDown) {
    if (!pressedWidget.isNull()) pressedWidget->setState(GUIWidget::STATE_DRAGGED | GUIWidget::STATE_HELD, false);
    pressedWidget = nullptr;
  }
  GUIWidgetPtr pressed = pressedWidget;
  if (!pressed.isNull()) {
    if (ScreenCanvas::dragging) {
      GUIRect client = pressed->getScreenRect({pressed->clientX, pressed->clientY, pressed->clientW, pressed->clientH});
      const int32_t moved[] = {ScreenCanvas::previousX - client.x, ScreenCanvas::previousY - client.y,
                               ScreenCanvas::pointerX - client.x, ScreenCanvas::pointerY - client.y};
      sendPointerEvent(pressed, GUIWidget::EVENT_POINTER_DRAGGED, moved, 4);
      if (!pressed->hasState(GUIWidget::STATE_DRAGGED)) pressed->setState(GUIWidget::STATE_DRAGGED, true);
    }
    GUIPoint origin = pressed->getScreenPosition({});
    const int32_t pos[] = {ScreenCanvas::pointerX - origin.x, ScreenCanvas::pointerY - origin.y};
    if (pressedNow) sendPointerEvent(pressed, GUIWidget::EVENT_POINTER_PRESSED, pos, 2);
    sendPointerEvent(pressed, GUIWidget::EVENT_POINTER_HELD, pos, 2);
    if (!pressed->hasState(GUIWidget::STATE_HELD) && !pressed->hasTargetState(GUIWidget::STATE_HELD))
      pressed->setState(GUIWidget::STATE_HELD, true);
  }
  lastPointerDown = ScreenCanvas::pointerDown;
}

void GUIEngine::paintWidgets(bool topOnly) {
  const int32_t n = screenStack->size();
  if (n == 0) return;
  GUIEnginePtr self = this;
  GUIRect bounds = getScreenBounds();
  int32_t start = n - 1;
  if (!topOnly) {
    // Screens below one that covers the display are hidden by it.
    start = 0;
    for (int32_t i = n - 1; i >= 0; --i) {
      GUIWidgetPtr screen = widgetAt(*screenStack, i);
      if (screen->x == 0 && screen->y == 0 && screen->w == bounds.width && screen->h == bounds.height) {
        start = i;
        break;
      }
    }
  }
  DGraphicsPtr g = GameLib::graphics;
  for (int32_t i = start; i < screenStack->size(); ++i) {
    GUIWidgetPtr screen = widgetAt(*screenStack, i);
    screen->paintSelf(g, 0, 0);
    screen->paintOverlay(g, 0, 0);
  }
  if (repaintRequest) {
    repaintRequest = false;
    CGameEngine::requestFrame();
  }
}

DObjectPtr GUIEngine::getResource(DStringPtr name) {
  if (resources.isNull() || name.isNull()) return nullptr;
  return resources->get(name->toLowerCase());
}

void GUIEngine::putResource(DStringPtr name, DObjectPtr resource) {
  if (name.isNull()) return;
  if (resources.isNull()) resources = new DHashtable(DHashtable::kDefaultBuckets, DHashtable::kDefaultLoadFactor);
  if (resource.isNull()) {
    resources->remove(name->toLowerCase());
  } else {
    resources->put(name->toLowerCase(), resource);
  }
}

GUIRect GUIEngine::getScreenBounds() { return {0, 0, GameLib::screenWidth, GameLib::screenHeight}; }

nuv::lang::DPtr<GUIText> GUIEngine::getEllipsisText() { return ellipsisText; }

void GUIEngine::disposeAll() {
  if (instance.isNull()) return;
  GUIEnginePtr engine = instance;
  engine->actionQueue->removeAllElements();
  GUIWidgetArrayPtr widgets = new GUIWidgetArray(engine->allWidgets->size());
  engine->allWidgets->copyInto(widgets);
  for (int32_t i = 0; i < widgets->length; ++i) {
    GUIWidgetPtr widget = (*widgets)[i];
    widget->dispose();
  }
  engine->screenStack->removeAllElements();
  engine->pressedWidget = nullptr;
  instance = nullptr;
}

GUIRect GUIEngine::getClip(const DGraphicsPtr& g) {
  return {g->getClipX(), g->getClipY(), g->getClipWidth(), g->getClipHeight()};
}

void GUIEngine::setClip(const DGraphicsPtr& g, const GUIRect& rect) {
  g->setClip(rect.x, rect.y, rect.width, rect.height);
}

void GUIEngine::clipRect(const DGraphicsPtr& g, const GUIRect& rect) {
  g->clipRect(rect.x, rect.y, rect.width, rect.height);
}

}  // namespace gamelib
