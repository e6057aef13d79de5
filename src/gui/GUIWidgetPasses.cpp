// The GUI widget in the engine's passes: the update pass with the pointer, keys with repeat, events, and
// painting.
#include <cstring>

#include "core/lang/DSystem.h"
#include "gamelib/ScreenCanvas.h"
#include "gui/GUIEngine.h"
#include "gui/GUIWidget.h"

namespace gamelib {

using nuv::microedition::lcdui::DGraphicsPtr;
using nuv::util::DVector;

namespace {

GUIWidgetPtr childAt(const DVector& list, int32_t i) { return static_cast<GUIWidget*>(list.elementAt(i)); }

// The held flags of the game library that become key events, in the order they are sent.
struct KeyEvent {
  int32_t code;
  bool (*held)();
};
constexpr KeyEvent kKeyEvents[] = {
    {GUIWidget::EVENT_UP, [] { return ScreenCanvas::held[GameAction::Up]; }},
    {GUIWidget::EVENT_DOWN, [] { return ScreenCanvas::held[GameAction::Down]; }},
    {GUIWidget::EVENT_LEFT, [] { return ScreenCanvas::held[GameAction::Left]; }},
    {GUIWidget::EVENT_RIGHT, [] { return ScreenCanvas::held[GameAction::Right]; }},
    {GUIWidget::EVENT_SELECT, [] { return ScreenCanvas::select; }},
    {GUIWidget::EVENT_BACK, [] { return ScreenCanvas::back; }},
    {GUIWidget::EVENT_FIRE, [] { return ScreenCanvas::held[GameAction::Fire]; }},
    {GUIWidget::EVENT_KEY, [] { return ScreenCanvas::anyKey; }},
};

// Only a focused widget answers these.
bool needsFocus(int32_t code) {
  return code == GUIWidget::EVENT_SELECT || code == GUIWidget::EVENT_FIRE || code == GUIWidget::EVENT_BACK ||
         (code >= GUIWidget::EVENT_UP && code <= GUIWidget::EVENT_RIGHT);
}

}  // namespace

void GUIWidget::checkPointer(int32_t px, int32_t py, int32_t pw, int32_t ph) {
  if ((state & STATE_VISIBLE) == 0 && (targetState & STATE_VISIBLE) == 0) return;
  if (!ScreenCanvas::pointerDown || ignorePointer) return;
  int32_t cx = ScreenCanvas::pointerX, cy = ScreenCanvas::pointerY;
  if (px <= cx && cx <= px + pw && py <= cy && cy <= py + ph) GUIEngine::getInstance()->setPressedWidget(this);
}

void GUIWidget::update() {
  GUIWidgetPtr self = this;
  if (updateHook != nullptr && updateHook(self) != 0) return;
  if (updateHook2 != nullptr) updateHook2(self);
}

// Children of every layer are placed from the screen position of this widget's outer origin: the client
// offset of layer 0 is counted once, by getAbsolutePosition.
void GUIWidget::tick(const GUIRect& clip, const GUIRect& reference) {
  GUIWidgetPtr self = this;
  GUIPoint at = getAbsolutePosition({}, true);
  GUIPoint o = {at.x + reference.x, at.y + reference.y};
  GUIRect client = {o.x + clientX, o.y + clientY, clientW, clientH};
  GUIRect visible = intersectRect(clip, client);
  if (layer == LAYER_CLIENT) {
    checkPointer(visible.x, visible.y, visible.width, visible.height);
  } else {
    checkPointer(o.x, o.y, w, h);
  }
  update();
  scrollStep();
  GUIRect outer = {o.x, o.y, w, h};
  tickLayer(LAYER_CLIENT, visible, outer);
  tickLayer(LAYER_FRAME, clip, outer);
  tickLayer(LAYER_OVERLAY, clip, outer);
  setState(STATE_MOVED, false);
}

void GUIWidget::tickLayer(int32_t index, const GUIRect& clip, const GUIRect& reference) {
  DVector& list = layerChildren(index);
  for (int32_t i = list.size() - 1; i >= 0; --i) {
    if (i >= list.size()) continue;
    childAt(list, i)->tick(clip, reference);
  }
}

bool GUIWidget::processKeys() {
  if (!hasState(STATE_FOCUSED)) return false;
  GUIWidgetPtr self = this;
  bool handled = false;
  for (int32_t layerIndex = 0; layerIndex < kLayerCount; ++layerIndex) {
    DVector& list = layerChildren(layerIndex);
    for (int32_t i = 0; i < list.size(); ++i) handled = childAt(list, i)->processKeys() || handled;
  }
  if (handled) return true;
  int64_t now = nuv::lang::DSystem::currentTimeMillis();
  if (now <= lastKeyTime + keyRepeat) return false;
  for (const KeyEvent& key : kKeyEvents) {
    if (!key.held()) continue;
    if (key.code == EVENT_KEY) {
      int32_t code = ScreenCanvas::lastKeyCode;
      handled = handleEvent(key.code, false, &code, sizeof code) || handled;
    } else {
      handled = handleEvent(key.code, false, nullptr, 0) || handled;
    }
    lastKeyTime = now;
  }
  return handled;
}

bool GUIWidget::handleEvent(int32_t code, bool recurse, const void* data, int32_t length) {
  GUIWidgetPtr self = this;
  if (code == EVENT_SHOWN) {
    computeContentRect();
    selectAnimations(false);
    autoSize();
    DVector& list = layerChildren(LAYER_CLIENT);
    for (int32_t i = list.size() - 1; i >= 0; --i) {
      GUIWidgetPtr child = childAt(list, i);
      if (!child->hasState(STATE_FOCUSED)) continue;
      if (layer == LAYER_CLIENT) setState(STATE_FOCUSED, true);
      setFocusedChild(child);
      break;
    }
    if (scrollH) scrollX = clampScrollX(scrollTargetX);
    if (scrollV) scrollY = clampScrollY(scrollTargetY);
    scrollStep();
  }
  if (code == EVENT_GEOMETRY) computeContentRect();
  if (needsFocus(code) && !hasState(STATE_FOCUSED)) return false;
  bool handled = false;
  GUIActionPtr action = getAction(code);
  if (!action.isNull()) {
    action->run(self, code, data, length);
    handled = true;
  }
  if (recurse) {
    for (int32_t layerIndex = 0; layerIndex < kLayerCount; ++layerIndex) {
      DVector& list = layerChildren(layerIndex);
      for (int32_t i = 0; i < list.size(); ++i)
        handled = childAt(list, i)->handleEvent(code, true, data, length) || handled;
    }
  }
  if (code == EVENT_SHOWN) computeContentRect();
  return handled;
}

void GUIWidget::paintSelf(const DGraphicsPtr& g, int32_t dx, int32_t dy) {
  if ((state & STATE_VISIBLE) == 0 && (targetState & STATE_VISIBLE) == 0) return;
  GUIWidgetPtr self = this;
  if (prePaintHook != nullptr && prePaintHook(self, g) != 0) return;
  GUIRect saved = GUIEngine::getClip(g);
  autoSize();
  GUIPoint at = getAbsolutePosition({}, true);
  GUIPoint p = {at.x + dx, at.y + dy};
  const bool changing = state != targetState;
  if (rectsOverlap({p.x, p.y, w, h}, GUIEngine::getScreenBounds()) || changing) {
    paintBackground(g, p.x, p.y, w, h);
    GUIRect client = {p.x + clientX, p.y + clientY, clientW, clientH};
    GUIEngine::clipRect(g, client);
    GUIRect clip = GUIEngine::getClip(g);
    if ((clip.width > 0 && clip.height > 0) || changing) {
      paintImage(g, client.x, client.y, client.width, client.height);
      paintText(g, client.x, client.y, client.width, client.height);
      paintLayer(g, LAYER_CLIENT, p.x, p.y);
    }
    GUIEngine::setClip(g, saved);
    paintAnimations(g, client.x, client.y, client.width, client.height);
    paintLayer(g, LAYER_FRAME, p.x, p.y);
  }
  tickTransition();
  if (postPaintHook != nullptr) postPaintHook(self, g);
}

void GUIWidget::paintLayer(const DGraphicsPtr& g, int32_t index, int32_t px, int32_t py) {
  DVector& list = layerChildren(index);
  for (int32_t i = 0; i < list.size(); ++i) childAt(list, i)->paintSelf(g, px, py);
}

void GUIWidget::paintOverlay(const DGraphicsPtr& g, int32_t dx, int32_t dy) {
  if (!hasState(STATE_VISIBLE)) return;
  GUIPoint at = getAbsolutePosition({}, true);
  paintLayer(g, LAYER_OVERLAY, at.x + dx, at.y + dy);
}

void GUIWidget::paintImage(const DGraphicsPtr& g, int32_t px, int32_t py, int32_t pw, int32_t ph) {
  GUIAnimationPtr image = getAnimation(ANIM_IMAGE);
  if (!image.isNull()) image->paintArea(g, px, py, pw, ph);
}

void GUIWidget::paintBackground(const DGraphicsPtr& g, int32_t px, int32_t py, int32_t pw, int32_t ph) {
  GUIAnimationPtr background = getAnimation(ANIM_BACKGROUND);
  if (!background.isNull()) background->paintArea(g, px, py, pw, ph);
}

void GUIWidget::paintText(const DGraphicsPtr& g, int32_t px, int32_t py, int32_t pw, int32_t ph) {
  if (text.isNull()) return;
  GUIRect area = {px, py, pw, ph};
  GUIAnimationPtr image = getAnimation(ANIM_IMAGE);
  if (!image.isNull()) {
    GUIRect frame = image->getFrameRect(imageFrame);
    if (frame.width > 0 && frame.height > 0) area = {frame.x + px, frame.y + py, frame.width, frame.height};
  }
  GUIRect saved = GUIEngine::getClip(g);
  GUIEngine::clipRect(g, area);
  text->paint(g, area.x - scrollX, area.y - scrollY, area.width, area.height);
  GUIEngine::setClip(g, saved);
}

// The frame pieces round the client rectangle; an edge is shortened by its corners only when both exist.
void GUIWidget::paintAnimations(const DGraphicsPtr& g, int32_t px, int32_t py, int32_t pw, int32_t ph) {
  GUIAnimationPtr piece[ANIM_RIGHT + 1];
  for (int32_t k = 0; k <= ANIM_RIGHT; ++k) piece[k] = getAnimation(k);
  auto size = [&](int32_t k) { return piece[k].isNull() ? GUISize{} : piece[k]->getSize(); };
  auto edge = [&](int32_t k, int32_t a, int32_t b, bool horizontal, int32_t fixed) {
    if (piece[k].isNull()) return;
    bool both = !piece[a].isNull() && !piece[b].isNull();
    GUISize own = size(k);
    if (horizontal) {
      int32_t from = px + (both ? size(a).width : 0), to = px + pw;
      piece[k]->paintArea(g, from, fixed, to - from, own.height);
    } else {
      int32_t from = py + (both ? size(a).height : 0), to = py + ph;
      piece[k]->paintArea(g, fixed, from, own.width, to - from);
    }
  };
  edge(ANIM_TOP, ANIM_TOP_LEFT, ANIM_TOP_RIGHT, true, py);
  edge(ANIM_BOTTOM, ANIM_BOTTOM_LEFT, ANIM_BOTTOM_RIGHT, true, py + ph);
  edge(ANIM_LEFT, ANIM_TOP_LEFT, ANIM_BOTTOM_LEFT, false, px);
  edge(ANIM_RIGHT, ANIM_TOP_RIGHT, ANIM_BOTTOM_RIGHT, false, px + pw);
  const GUIPoint corners[] = {{px, py}, {px + pw, py}, {px, py + ph}, {px + pw, py + ph}};
  for (int32_t k = ANIM_TOP_LEFT; k <= ANIM_BOTTOM_RIGHT; ++k) {
    if (!piece[k].isNull()) piece[k]->paintAt(g, corners[k].x, corners[k].y);
  }
}

}  // namespace gamelib
