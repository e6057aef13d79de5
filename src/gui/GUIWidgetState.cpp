// The GUI widget: state changes in two steps, focus and focus navigation, and scrolling.
#include <algorithm>
#include <cstdlib>

#include "gui/GUIEngine.h"
#include "gui/GUIWidget.h"

namespace gamelib {

using nuv::util::DVector;

namespace {

constexpr int32_t kBits = 32;
// A scroll step of 0 is this share of the screen.
constexpr int32_t kDefaultStepShift = 3;

GUIWidget* childAt(const DVector& list, int32_t i) { return static_cast<GUIWidget*>(list.elementAt(i)); }

int32_t defaultStep(int32_t step, bool vertical) {
  if (step != 0) return step;
  GUIRect screen = GUIEngine::getScreenBounds();
  return (vertical ? screen.height : screen.width) >> kDefaultStepShift;
}

}  // namespace

bool GUIWidget::canFocus() const { return (focusable || hasState(STATE_ENABLED)) && hasState(STATE_VISIBLE); }

void GUIWidget::setState(uint32_t bits, bool on) {
  if ((targetState & bits) == (on ? bits : 0)) return;
  GUIWidgetPtr self = this;
  if ((bits & STATE_FOCUSED) != 0 && on) {
    if (!canFocus()) return;
    if (!parent.isNull()) {
      GUIWidgetPtr holder = parent;
      GUIWidgetPtr previous = holder->focusedChild;
      if (!previous.isNull() && previous.get() != this && previous->layer == LAYER_CLIENT)
        previous->setState(STATE_FOCUSED, false);
      holder->focusedChild = nullptr;
      holder->focusLock = true;
      holder->scrollToChild(self);
    }
  }
  targetState = on ? targetState | bits : targetState & ~bits;
  if (selectAnimations(true) == 0) commitState();
}

void GUIWidget::commitState() {
  GUIWidgetPtr self = this;
  if (!transitionAnimations.isNull()) {
    nuv::util::DEnumerationPtr list = transitionAnimations->elements();
    while (list->hasMoreElements()) {
      auto* animation = static_cast<GUIAnimation*>(list->nextElement());
      animation->setFrame(0);
      animation->setFinished(false);
    }
  }
  previousState = state;
  state = targetState;
  selectAnimations(false);
  const uint32_t changed = state ^ previousState;
  for (int32_t b = 0; b < kBits; ++b) {
    uint32_t bit = 1u << b;
    if ((changed & bit) == 0) continue;
    handleEvent(((state & bit) != 0 ? EVENT_STATE_SET : EVENT_STATE_CLEARED) + b, false, nullptr, 0);
  }
  GUIWidgetPtr holder = parent;
  if ((changed & state & STATE_FOCUSED) != 0 && !holder.isNull()) {
    GUIWidgetPtr previous = holder->focusedChild;
    if (!previous.isNull() && previous.get() != this && previous->layer == LAYER_CLIENT)
      previous->setState(STATE_FOCUSED, false);
    // The focus climbs the tree.
    if (!holder->hasState(STATE_FOCUSED) && holder->layer == LAYER_CLIENT) holder->setState(STATE_FOCUSED, true);
    holder->setFocusedChild(self);
  }
  if ((changed & previousState & STATE_FOCUSED) != 0 && !holder.isNull() && holder->focusedChild.get() == this)
    holder->focusedChild = nullptr;
  if ((changed & state & STATE_PRESSED) != 0) setState(STATE_PRESSED, false);
}

void GUIWidget::tickTransition() {
  if (state == targetState) return;
  if (transitionAnimations.isNull()) {
    commitState();
    return;
  }
  nuv::util::DEnumerationPtr list = transitionAnimations->elements();
  while (list->hasMoreElements()) {
    if (!static_cast<GUIAnimation*>(list->nextElement())->isFinished()) return;
  }
  commitState();
}

void GUIWidget::setFocused(bool on) {
  if (layer == LAYER_CLIENT) setState(STATE_FOCUSED, on);
}

void GUIWidget::setFocusedChild(GUIWidgetPtr child) {
  focusedChild = child;
  focusLock = false;
  if (!child.isNull()) scrollToChild(child);
}

void GUIWidget::focusFirst() { focusBy(Pick::First); }
void GUIWidget::focusLast() { focusBy(Pick::Last); }
void GUIWidget::focusNext() { focusBy(Pick::Next); }
void GUIWidget::focusPrevious() { focusBy(Pick::Previous); }

void GUIWidget::focusBy(Pick pick) {
  if (focusLock) return;
  if (focusedChild.isNull() && pick == Pick::Next) pick = Pick::First;
  if (focusedChild.isNull() && pick == Pick::Previous) pick = Pick::Last;
  const int32_t from = focusedChild.isNull() ? 0 : focusedChild->focusOrder;
  DVector& list = layerChildren(LAYER_CLIENT);
  GUIWidgetPtr chosen;
  for (int32_t i = 0; i < list.size(); ++i) {
    GUIWidget* child = childAt(list, i);
    if (!child->canFocus() || child->focusOrder == -1) continue;
    int32_t order = child->focusOrder;
    bool better = false;
    switch (pick) {
      case Pick::First:
        better = chosen.isNull() || order < chosen->focusOrder;
        break;
      case Pick::Last:
        better = chosen.isNull() || order > chosen->focusOrder;
        break;
      case Pick::Next:
        better = order > from && (chosen.isNull() || order < chosen->focusOrder);
        break;
      case Pick::Previous:
        better = order < from && (chosen.isNull() || order > chosen->focusOrder);
        break;
    }
    if (better) chosen = child;
  }
  // Past either end the focus wraps round.
  if (chosen.isNull() && pick == Pick::Next) return focusBy(Pick::First);
  if (chosen.isNull() && pick == Pick::Previous) return focusBy(Pick::Last);
  if (!chosen.isNull() && chosen->layer == LAYER_CLIENT) chosen->setState(STATE_FOCUSED, true);
}

void GUIWidget::focusVertical() {
  if (focusLock) return;
  if (focusedChild.isNull()) return focusLast();
  DVector& list = layerChildren(LAYER_CLIENT);
  const int32_t fromY = focusedChild->y;
  GUIWidgetPtr above, below;
  for (int32_t i = 0; i < list.size(); ++i) {
    GUIWidget* child = childAt(list, i);
    if (!child->canFocus() || child->focusOrder == -1) continue;
    child->autoSize();
    if (child->y < fromY && (above.isNull() || child->y < above->y)) above = child;
    if (child->y > fromY && (below.isNull() || child->y > below->y)) below = child;
  }
  GUIWidgetPtr chosen = above.isNull() ? below : above;
  if (chosen.isNull()) return focusLast();
  chosen->setState(STATE_FOCUSED, true);
}

int32_t GUIWidget::clampScrollX(int32_t v) {
  ensureContentRect();
  return std::max(std::min(v, contentX + contentW - clientW), contentX);
}

int32_t GUIWidget::clampScrollY(int32_t v) {
  ensureContentRect();
  return std::max(std::min(v, contentY + contentH - clientH), contentY);
}

void GUIWidget::setScrollTarget(int32_t tx, int32_t ty) {
  scrollTargetX = tx;
  scrollTargetY = ty;
}

void GUIWidget::setScroll(int32_t sx, int32_t sy) {
  scrollX = scrollTargetX = sx;
  scrollY = scrollTargetY = sy;
}

void GUIWidget::scrollToLeft() { scrollTargetX = getContentRect().x; }
void GUIWidget::scrollToRight() { scrollTargetX = getContentRect().x + contentW - clientW; }
void GUIWidget::scrollToTop() { scrollTargetY = getContentRect().y; }
void GUIWidget::scrollToBottom() { scrollTargetY = getContentRect().y + contentH - clientH; }

void GUIWidget::scrollUp(int32_t step) {
  step = defaultStep(step, true);
  if (scrollY < scrollTargetY) {
    // A scroll down is under way: turn back past where the view stands.
    while (step > 0 && scrollTargetY > scrollY) scrollTargetY -= step;
  } else {
    scrollTargetY = scrollY - step;
  }
  scrollTargetY = clampScrollY(scrollTargetY);
}

void GUIWidget::scrollDown(int32_t step) {
  step = defaultStep(step, true);
  if (scrollY > scrollTargetY) {
    while (step > 0 && scrollTargetY < scrollY) scrollTargetY += step;
  } else {
    scrollTargetY = scrollY + step;
  }
  scrollTargetY = clampScrollY(scrollTargetY);
}

void GUIWidget::scrollLeft(int32_t step) {
  step = defaultStep(step, false);
  scrollTargetX = (scrollX < scrollTargetX ? std::max(scrollX, scrollTargetX) : scrollX) - step;
  scrollTargetX = clampScrollX(scrollTargetX);
}

void GUIWidget::scrollRight(int32_t step) {
  step = defaultStep(step, false);
  scrollTargetX = std::min(scrollX, scrollTargetX) + step;
  scrollTargetX = clampScrollX(scrollTargetX);
}

void GUIWidget::scrollToChild(GUIWidgetPtr child) {
  if (child.isNull() || child->parent.get() != this) return;
  child->autoSize();
  GUIPoint at = child->getAbsolutePosition({}, true);
  GUIRect view = {clientX + padLeft, clientY + padTop, clientW - padLeft - padRight, clientH - padTop - padBottom};
  bool inside = at.x >= view.x && at.y >= view.y && at.x + child->w <= view.x + view.width &&
                at.y + child->h <= view.y + view.height;
  if (inside) return;
  scrollTargetX = (at.x + (child->w >> 1) - (clientW >> 1)) - clientX + scrollX;
  scrollTargetY = (at.y + (child->h >> 1) - (clientH >> 1)) - clientY + scrollY;
}

void GUIWidget::scrollStep() {
  // Eases towards the target: an eighth of the way a frame, the last stretch of three quarters of the
  // client size or more in one jump.
  auto ease = [](int32_t current, int32_t target, int32_t clamped, int32_t size) {
    int32_t d = std::abs(clamped - current);
    if (d < (size >> 2) + (size >> 1)) {
      int32_t move = std::max(d >> 3, 1);
      return target < current ? current - move : current + move;
    }
    return target;
  };
  bool moved = false;
  if (scrollH && scrollX != scrollTargetX) {
    int32_t next = clampScrollX(ease(scrollX, scrollTargetX, clampScrollX(scrollTargetX), clientW));
    moved = moved || next != scrollX;
    scrollX = next;
  }
  if (scrollV && scrollY != scrollTargetY) {
    int32_t next = clampScrollY(ease(scrollY, scrollTargetY, clampScrollY(scrollTargetY), clientH));
    moved = moved || next != scrollY;
    scrollY = next;
  }
  if (!moved) {
    scrollTargetY = clampScrollY(scrollTargetY);
    scrollTargetX = clampScrollX(scrollTargetX);
    return;
  }
  handleEvent(EVENT_SCROLLED, false, nullptr, 0);
  GUIEngine::requestRepaint();
}

}  // namespace gamelib
