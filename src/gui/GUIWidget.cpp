// The GUI widget: construction and release, the tree, geometry, text, actions and animations.
#include "gui/GUIWidget.h"

#include <bit>

#include "core/lang/DInteger.h"
#include "core/lang/DSystem.h"
#include "gui/GUIEngine.h"

namespace gamelib {

using nuv::lang::DInteger;
using nuv::lang::DObjectPtr;
using nuv::lang::DStringPtr;
using nuv::microedition::lcdui::DImagePtr;
using nuv::util::DHashtable;
using nuv::util::DHashtablePtr;
using nuv::util::DVector;
using nuv::util::DVectorPtr;

namespace {

DHashtablePtr newTable() { return new DHashtable(DHashtable::kDefaultBuckets, DHashtable::kDefaultLoadFactor); }

DObjectPtr key(int32_t value) { return new DInteger(value); }

}  // namespace

GUIWidget::GUIWidget(int32_t id) : id(id) {
  children = new DVectorArray(kLayerCount);
  for (int32_t i = 0; i < kLayerCount; ++i) (*children)[i] = new DVector();
  animationDefs = newTable();
  lastKeyTime = nuv::lang::DSystem::currentTimeMillis();
  GUIEngine::getInstance()->registerWidget(this);
}

GUIWidget::~GUIWidget() {
  parent = nullptr;
  actions = nullptr;
  children = nullptr;
  focusedChild = nullptr;
  animationDefs = nullptr;
  transitionAnimations = nullptr;
  steadyAnimations = nullptr;
  text = nullptr;
}

void GUIWidget::dispose() {
  // Leaving the engine may drop the last reference.
  GUIWidgetPtr self = this;
  parent = nullptr;
  actions = nullptr;
  focusedChild = nullptr;
  animationDefs = nullptr;
  transitionAnimations = nullptr;
  steadyAnimations = nullptr;
  text = nullptr;
  for (int32_t i = 0; i < kLayerCount; ++i) layerChildren(i).removeAllElements();
  if (GUIEngine::hasInstance()) GUIEngine::getInstance()->unregisterWidget(self);
}

DVector& GUIWidget::layerChildren(int32_t index) const { return *(*children)[index]; }

GUIWidgetPtr GUIWidget::addChild(GUIWidgetPtr child) {
  if (child.isNull()) child = new GUIWidget(-1);
  if (!child->parent.isNull()) child->parent->removeChild(child);
  child->parent = this;
  layerChildren(child->layer).addElement(child);
  return child;
}

void GUIWidget::removeChild(GUIWidgetPtr child) {
  for (int32_t i = 0; i < kLayerCount; ++i) {
    DVector& list = layerChildren(i);
    int32_t at = list.indexOf(child);
    if (at < 0) continue;
    list.removeElementAt(at);
    child->parent = nullptr;
    return;
  }
}

void GUIWidget::setLayer(int32_t newLayer) {
  if (!parent.isNull()) {
    GUIWidgetPtr self = this;
    for (int32_t i = 0; i < kLayerCount; ++i) parent->layerChildren(i).removeElement(self);
    parent->layerChildren(newLayer).addElement(self);
  }
  layer = newLayer;
}

GUIWidgetPtr GUIWidget::findChild(int32_t childId, bool deep) {
  for (int32_t i = 0; i < kLayerCount; ++i) {
    DVector& list = layerChildren(i);
    for (int32_t j = 0; j < list.size(); ++j) {
      GUIWidgetPtr child = static_cast<GUIWidget*>(list.elementAt(j));
      if (child->id == childId) return child;
      if (deep) {
        GUIWidgetPtr found = child->findChild(childId, true);
        if (!found.isNull()) return found;
      }
    }
  }
  return nullptr;
}

GUIPoint GUIWidget::getAbsolutePosition(GUIPoint point, bool withScroll) {
  GUISize reference;
  if (parent.isNull()) {
    GUIRect screen = GUIEngine::getScreenBounds();
    reference = {screen.width, screen.height};
  } else if (layer == LAYER_CLIENT) {
    reference = {parent->clientW, parent->clientH};
  } else {
    parent->autoSize();
    reference = {parent->w, parent->h};
  }
  GUIPoint q = {point.x + x, point.y + y};
  q = alignPoint(q, reference, parentAnchor);
  q = unalignPoint(q, {w, h}, selfAnchor);
  if (!parent.isNull() && layer == LAYER_CLIENT) {
    q.x += parent->clientX - (withScroll ? parent->scrollX : 0);
    q.y += parent->clientY - (withScroll ? parent->scrollY : 0);
  }
  return q;
}

GUIPoint GUIWidget::getScreenPosition(GUIPoint point) {
  GUIPoint p = point;
  for (GUIWidgetPtr widget = this; !widget.isNull(); widget = widget->parent) p = widget->getAbsolutePosition(p, true);
  return p;
}

GUIRect GUIWidget::getScreenRect(GUIRect rect) {
  GUIPoint corner = getScreenPosition({rect.x, rect.y});
  return {corner.x, corner.y, rect.width, rect.height};
}

void GUIWidget::setRect(int32_t nx, int32_t ny, int32_t nw, int32_t nh) {
  if (nx == x && ny == y && nw == w && nh == h) return;
  if (nx != x || ny != y) setState(STATE_MOVED, true);
  int32_t oldW = w, oldH = h;
  x = nx;
  y = ny;
  w = nw;
  h = nh;
  handleEvent(EVENT_GEOMETRY, false, nullptr, 0);
  setClientRect(clientX, clientY, clientW + (nw - oldW), clientH + (nh - oldH), false);
}

void GUIWidget::fillScreen() {
  GUIRect screen = GUIEngine::getScreenBounds();
  setRect(screen.x, screen.y, screen.width, screen.height);
}

void GUIWidget::setClientRect(int32_t cx, int32_t cy, int32_t cw, int32_t ch, bool growOuter) {
  if (growOuter) {
    int32_t nw = cx + cw + (w - clientX - clientW), nh = cy + ch + (h - clientY - clientH);
    clientX = cx;
    clientY = cy;
    clientW = cw;
    clientH = ch;
    if (nw != w || nh != h) {
      w = nw;
      h = nh;
      handleEvent(EVENT_GEOMETRY, false, nullptr, 0);
    }
    return;
  }
  if (cx + cw >= w) cw = w - cx;
  if (cy + ch >= h) ch = h - cy;
  clientX = cx;
  clientY = cy;
  clientW = cw;
  clientH = ch;
}

GUIRect GUIWidget::getContentRect() {
  ensureContentRect();
  return {contentX, contentY, contentW, contentH};
}

GUIRect GUIWidget::getRect() {
  autoSize();
  return {x, y, w, h};
}

void GUIWidget::setPadding(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  padLeft = left;
  padTop = top;
  padRight = right;
  padBottom = bottom;
}

void GUIWidget::autoSize() {
  if (!sizeToImage) return;
  GUIAnimationPtr image = getAnimation(ANIM_IMAGE);
  if (image.isNull()) return;
  GUISize size = image->getSize();
  if (size.width != clientW || size.height != clientH) setClientRect(clientX, clientY, size.width, size.height, true);
}

void GUIWidget::computeContentRect() {
  GUIRect content{};
  DVector& list = layerChildren(LAYER_CLIENT);
  for (int32_t i = list.size() - 1; i >= 0; --i) {
    GUIWidgetPtr child = static_cast<GUIWidget*>(list.elementAt(i));
    if (!child->hasState(STATE_VISIBLE)) continue;
    child->autoSize();
    GUIPoint at = child->getAbsolutePosition({}, false);
    content = unionRect(content, {at.x, at.y, child->w, child->h});
  }
  if (!text.isNull()) content.height = std::max(content.height, text->getHeight(clientW));
  contentX = content.x - padLeft;
  contentY = content.y - padTop;
  contentW = content.width + padLeft + padRight;
  contentH = content.height + padTop + padBottom;
}

void GUIWidget::ensureContentRect() {
  if (contentW <= 0 || contentH <= 0) computeContentRect();
}

void GUIWidget::setText(DStringPtr source) {
  if (source.isNull()) {
    text = nullptr;
    return;
  }
  if (text.isNull()) text = new GUIText();
  text->setText(source);
}

void GUIWidget::setTextObject(GUITextPtr textObject) { text = std::move(textObject); }

void GUIWidget::setAction(int32_t code, GUIActionPtr action) {
  if (action.isNull()) {
    if (!actions.isNull()) actions->remove(key(code));
    return;
  }
  if (actions.isNull()) actions = newTable();
  actions->put(key(code), action);
}

void GUIWidget::addAction(int32_t code, GUIActionPtr action) {
  GUIActionPtr first = getAction(code);
  if (first.isNull()) {
    setAction(code, action);
  } else {
    first->appendAction(action);
  }
}

GUIActionPtr GUIWidget::getAction(int32_t code) {
  if (actions.isNull()) return nullptr;
  return static_cast<GUIAction*>(actions->get(key(code)));
}

GUIActionPtr GUIWidget::setNewAction(int32_t code, int32_t type, int32_t arg, DObjectPtr paramObject,
                                     GUIAction::Callback callback) {
  return setNewTargetAction(nullptr, code, type, arg, std::move(paramObject), callback);
}

GUIActionPtr GUIWidget::setNewTargetAction(GUIWidgetPtr actionTarget, int32_t code, int32_t type, int32_t arg,
                                           DObjectPtr paramObject, GUIAction::Callback callback) {
  GUIActionPtr action = new GUIAction(type, arg, std::move(paramObject), callback);
  action->target = std::move(actionTarget);
  setAction(code, action);
  return action;
}

GUIActionPtr GUIWidget::addNewAction(int32_t code, int32_t type, int32_t arg, DObjectPtr paramObject,
                                     GUIAction::Callback callback) {
  return addNewTargetAction(nullptr, code, type, arg, std::move(paramObject), callback);
}

GUIActionPtr GUIWidget::addNewTargetAction(GUIWidgetPtr actionTarget, int32_t code, int32_t type, int32_t arg,
                                           DObjectPtr paramObject, GUIAction::Callback callback) {
  GUIActionPtr action = new GUIAction(type, arg, std::move(paramObject), callback);
  action->target = std::move(actionTarget);
  addAction(code, action);
  return action;
}

void GUIWidget::setAnimation(int32_t animationKey, GUIAnimationPtr animation, uint32_t stateBits, uint32_t mask) {
  DObjectPtr k = key(animationKey);
  DVectorPtr list = static_cast<DVector*>(animationDefs->get(k));
  if (list.isNull()) {
    list = new DVector();
    animationDefs->put(k, list);
  }
  for (int32_t i = list->size() - 1; i >= 0; --i) {
    auto* binding = static_cast<GUIWidgetAnimation*>(list->elementAt(i));
    if (binding->stateBits == stateBits && binding->mask == mask) list->removeElementAt(i);
  }
  if (!animation.isNull()) list->addElement(new GUIWidgetAnimation(stateBits, mask, animation));
}

GUIAnimationPtr GUIWidget::setAnimation(int32_t animationKey, DImagePtr image, uint32_t stateBits, uint32_t mask) {
  GUIAnimationPtr animation = new GUIAnimation(std::move(image));
  setAnimation(animationKey, animation, stateBits, mask);
  return animation;
}

GUIAnimationPtr GUIWidget::setAnimation(int32_t animationKey, int32_t fillColour, int32_t borderColour,
                                        uint32_t stateBits, uint32_t mask) {
  GUIAnimationPtr animation = new GUIAnimation(fillColour, borderColour);
  setAnimation(animationKey, animation, stateBits, mask);
  return animation;
}

GUIAnimationPtr GUIWidget::getAnimation(int32_t animationKey) {
  const DHashtablePtr& table = state != targetState ? transitionAnimations : steadyAnimations;
  if (table.isNull()) return nullptr;
  return static_cast<GUIAnimation*>(table->get(key(animationKey)));
}

int32_t GUIWidget::selectAnimations(bool transition) {
  DHashtablePtr& table = transition ? transitionAnimations : steadyAnimations;
  if (!table.isNull()) table->clear();
  if (animationDefs.isNull()) return 0;
  const uint32_t reference = transition ? targetState : state;
  int32_t chosen = 0;
  nuv::util::DEnumerationPtr keys = animationDefs->keys();
  while (keys->hasMoreElements()) {
    DObjectPtr k = keys->nextElement();
    auto* list = static_cast<DVector*>(animationDefs->get(k));
    GUIWidgetAnimation* winner = nullptr;
    int32_t best = -1;
    for (int32_t i = 0; i < list->size(); ++i) {
      auto* binding = static_cast<GUIWidgetAnimation*>(list->elementAt(i));
      bool forTransition = (binding->mask & GUIWidgetAnimation::kTransition) != 0;
      if (forTransition != transition) continue;
      uint32_t match = (binding->mask & ~GUIWidgetAnimation::kTransition) & ~(binding->stateBits ^ reference);
      if (transition) match &= targetState ^ state;
      int32_t score = std::popcount(match);
      if (score > best) {
        best = score;
        winner = binding;
      }
    }
    // A steady binding always applies; a transition binding only when it speaks of a changing bit.
    if (winner == nullptr || (transition && best == 0)) continue;
    if (table.isNull()) table = newTable();
    table->put(k, winner->animation);
    ++chosen;
  }
  return chosen;
}

}  // namespace gamelib
