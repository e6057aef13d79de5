// The one node type of the GUI's screens. A widget has a rectangle in its parent, three layers of children
// (0 the scrolled and clipped client area, 1 the frame, 2 an overlay painted over everything), a marked-up
// text, animations chosen by its state, actions bound to event codes, a scrollable content area, a place
// in its parent's focus order and optional hooks. Widgets read the game library's input state themselves;
// they never change screens, focus or scrolling of others directly, only through actions.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "core/lang/DTypedArray.h"
#include "core/util/DHashtable.h"
#include "core/util/DVector.h"
#include "gui/GUIAction.h"
#include "gui/GUIAnimation.h"
#include "gui/GUIRect.h"
#include "gui/GUIText.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"

namespace gamelib {

class GUIWidget;
using GUIWidgetPtr = nuv::lang::DPtr<GUIWidget>;
using GUIWidgetArray = nuv::lang::DTypedArray<GUIWidget>;
using GUIWidgetArrayPtr = nuv::lang::DPtr<GUIWidgetArray>;
using DVectorArray = nuv::lang::DTypedArray<nuv::util::DVector>;
using DVectorArrayPtr = nuv::lang::DPtr<DVectorArray>;

class GUIWidget : public nuv::lang::DObject {
 public:
  // State bits.
  static constexpr uint32_t STATE_VISIBLE = 1;
  static constexpr uint32_t STATE_ENABLED = 2;
  static constexpr uint32_t STATE_FOCUSED = 4;
  // One-shot: cleared again as soon as it has settled.
  static constexpr uint32_t STATE_PRESSED = 8;
  static constexpr uint32_t STATE_DRAGGED = 0x10;
  static constexpr uint32_t STATE_HELD = 0x20;
  // Set when the position changes, cleared at the end of every update pass.
  static constexpr uint32_t STATE_MOVED = 0x40;

  // Event codes.
  static constexpr int32_t EVENT_SELECT = 1;
  static constexpr int32_t EVENT_FIRE = 2;
  static constexpr int32_t EVENT_BACK = 3;
  static constexpr int32_t EVENT_POINTER_PRESSED = 4;
  static constexpr int32_t EVENT_POINTER_HELD = 5;
  static constexpr int32_t EVENT_HIDDEN = 6;
  static constexpr int32_t EVENT_SHOWN = 7;
  static constexpr int32_t EVENT_UP = 8;
  static constexpr int32_t EVENT_DOWN = 9;
  static constexpr int32_t EVENT_LEFT = 10;
  static constexpr int32_t EVENT_RIGHT = 11;
  static constexpr int32_t EVENT_SCROLLED = 12;
  static constexpr int32_t EVENT_PAGE_UP = 13;
  static constexpr int32_t EVENT_PAGE_DOWN = 14;
  static constexpr int32_t EVENT_POINTER_DRAGGED = 17;
  static constexpr int32_t EVENT_KEY = 18;
  static constexpr int32_t EVENT_GEOMETRY = 19;
  // + the bit number.
  static constexpr int32_t EVENT_STATE_SET = 20;
  static constexpr int32_t EVENT_STATE_CLEARED = 52;

  // Animation keys: the frame pieces 0-7 round the client area, the image and the background.
  static constexpr int32_t ANIM_TOP_LEFT = 0;
  static constexpr int32_t ANIM_TOP_RIGHT = 1;
  static constexpr int32_t ANIM_BOTTOM_LEFT = 2;
  static constexpr int32_t ANIM_BOTTOM_RIGHT = 3;
  static constexpr int32_t ANIM_TOP = 4;
  static constexpr int32_t ANIM_BOTTOM = 5;
  static constexpr int32_t ANIM_LEFT = 6;
  static constexpr int32_t ANIM_RIGHT = 7;
  static constexpr int32_t ANIM_IMAGE = 8;
  static constexpr int32_t ANIM_BACKGROUND = 9;

  static constexpr int32_t LAYER_CLIENT = 0;
  static constexpr int32_t LAYER_FRAME = 1;
  static constexpr int32_t LAYER_OVERLAY = 2;
  static constexpr int32_t kLayerCount = 3;

  static constexpr int64_t kKeyRepeatMs = 200;

  using PrePaintHook = int32_t (*)(GUIWidgetPtr widget, nuv::microedition::lcdui::DGraphicsPtr g);
  using PostPaintHook = void (*)(GUIWidgetPtr widget, nuv::microedition::lcdui::DGraphicsPtr g);
  using UpdateHook = int32_t (*)(GUIWidgetPtr widget);
  using UpdateHook2 = void (*)(GUIWidgetPtr widget);

  // Registers the widget with the engine.
  explicit GUIWidget(int32_t id);
  ~GUIWidget() override;
  const char* getClassName() const override { return "GUIWidget"; }

  // Tree and geometry.
  // A null child is made (id -1); a child of another widget is taken from it first. Returns the child.
  GUIWidgetPtr addChild(GUIWidgetPtr child);
  // The first occurrence in layers 0, 1, 2; the child's parent is cleared only when it was found.
  void removeChild(GUIWidgetPtr child);
  void setLayer(int32_t newLayer);
  GUIWidgetPtr findChild(int32_t childId, bool deep);
  // The widget's origin plus the point, in its parent's coordinates.
  GUIPoint getAbsolutePosition(GUIPoint point, bool withScroll);
  GUIPoint getScreenPosition(GUIPoint point);
  GUIRect getScreenRect(GUIRect rect);
  void setRect(int32_t nx, int32_t ny, int32_t nw, int32_t nh);
  void setPosition(int32_t nx, int32_t ny) { setRect(nx, ny, w, h); }
  void setSize(int32_t nw, int32_t nh) { setRect(x, y, nw, nh); }
  void fillScreen();
  void setClientRect(int32_t cx, int32_t cy, int32_t cw, int32_t ch, bool growOuter);
  GUIRect getContentRect();
  GUIRect getRect();
  void setAnchors(int32_t parentBits, int32_t selfBits) {
    parentAnchor = parentBits;
    selfAnchor = selfBits;
  }
  void setPadding(int32_t left, int32_t top, int32_t right, int32_t bottom);

  // State and focus.
  bool hasState(uint32_t bits) const { return (state & bits) == bits; }
  bool hasTargetState(uint32_t bits) const { return (targetState & bits) == bits; }
  bool canFocus() const;
  void setState(uint32_t bits, bool on);
  void setFocused(bool on);
  void setFocusedChild(GUIWidgetPtr child);
  void focusFirst();
  void focusLast();
  void focusNext();
  void focusPrevious();
  void focusVertical();

  // Scrolling; a step of 0 is an eighth of the screen.
  void setScrollTarget(int32_t tx, int32_t ty);
  // Current and target both.
  void setScroll(int32_t sx, int32_t sy);
  void scrollToLeft();
  void scrollToRight();
  void scrollToTop();
  void scrollToBottom();
  void scrollUp(int32_t step);
  void scrollDown(int32_t step);
  void scrollLeft(int32_t step);
  void scrollRight(int32_t step);
  void scrollToChild(GUIWidgetPtr child);
  void scrollStep();
  void computeContentRect();

  // Text.
  void setText(nuv::lang::DStringPtr source);
  void setTextObject(GUITextPtr textObject);
  GUITextPtr getText() const { return text; }

  // Actions: "set" replaces the chain bound to the code, "add" appends to it.
  void setAction(int32_t code, GUIActionPtr action);
  void addAction(int32_t code, GUIActionPtr action);
  GUIActionPtr getAction(int32_t code);
  GUIActionPtr setNewAction(int32_t code, int32_t type, int32_t arg, nuv::lang::DObjectPtr paramObject,
                            GUIAction::Callback callback = nullptr);
  GUIActionPtr setNewTargetAction(GUIWidgetPtr actionTarget, int32_t code, int32_t type, int32_t arg,
                                  nuv::lang::DObjectPtr paramObject, GUIAction::Callback callback = nullptr);
  GUIActionPtr addNewAction(int32_t code, int32_t type, int32_t arg, nuv::lang::DObjectPtr paramObject,
                            GUIAction::Callback callback = nullptr);
  GUIActionPtr addNewTargetAction(GUIWidgetPtr actionTarget, int32_t code, int32_t type, int32_t arg,
                                  nuv::lang::DObjectPtr paramObject, GUIAction::Callback callback = nullptr);

  // Animations: a binding per key and state pattern; the same bits and mask replace a binding, null removes.
  void setAnimation(int32_t key, GUIAnimationPtr animation, uint32_t stateBits, uint32_t mask);
  GUIAnimationPtr setAnimation(int32_t key, nuv::microedition::lcdui::DImagePtr image, uint32_t stateBits,
                               uint32_t mask);
  GUIAnimationPtr setAnimation(int32_t key, int32_t fillColour, int32_t borderColour, uint32_t stateBits,
                               uint32_t mask);
  // The transition animation while a state change runs, else the steady one; null when none.
  GUIAnimationPtr getAnimation(int32_t key);
  // The number of keys that got an animation.
  int32_t selectAnimations(bool transition);

  GUIWidgetPtr getParent() const { return parent; }
  nuv::util::DVector& layerChildren(int32_t index) const;

  // The engine's passes.
  virtual void checkPointer(int32_t px, int32_t py, int32_t pw, int32_t ph);
  virtual void paintImage(const nuv::microedition::lcdui::DGraphicsPtr& g, int32_t px, int32_t py, int32_t pw,
                          int32_t ph);
  virtual void paintBackground(const nuv::microedition::lcdui::DGraphicsPtr& g, int32_t px, int32_t py, int32_t pw,
                               int32_t ph);
  virtual void paintAnimations(const nuv::microedition::lcdui::DGraphicsPtr& g, int32_t px, int32_t py, int32_t pw,
                               int32_t ph);
  virtual void paintText(const nuv::microedition::lcdui::DGraphicsPtr& g, int32_t px, int32_t py, int32_t pw,
                         int32_t ph);
  virtual void autoSize();
  virtual void tickLayer(int32_t index, const GUIRect& clip, const GUIRect& reference);
  virtual void update();
  virtual bool handleEvent(int32_t code, bool recurse, const void* data, int32_t length);
  // The update pass of this widget and its subtree. The reference's origin is the screen position of the
  // parent's origin.
  virtual void tick(const GUIRect& clip, const GUIRect& reference);
  virtual void paintSelf(const nuv::microedition::lcdui::DGraphicsPtr& g, int32_t dx, int32_t dy);
  virtual void paintOverlay(const nuv::microedition::lcdui::DGraphicsPtr& g, int32_t dx, int32_t dy);
  virtual bool processKeys();
  // Releases what the widget holds, empties its layers (the children are not disposed) and leaves the
  // engine.
  virtual void dispose();

  int32_t id;
  GUIWidgetPtr parent;
  nuv::util::DHashtablePtr actions;
  // One DVector of GUIWidget per layer.
  DVectorArrayPtr children;
  GUIWidgetPtr focusedChild;
  int32_t scrollX = 0;
  int32_t scrollY = 0;
  int32_t scrollTargetX = 0;
  int32_t scrollTargetY = 0;
  int32_t contentX = 0;
  int32_t contentY = 0;
  int32_t contentW = 0;
  int32_t contentH = 0;
  bool scrollH = true;
  bool scrollV = true;
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
  int32_t clientX = 0;
  int32_t clientY = 0;
  int32_t clientW = 0;
  int32_t clientH = 0;
  int32_t parentAnchor = 0;
  int32_t selfAnchor = 0;
  int32_t layer = LAYER_CLIENT;
  bool sizeToImage = false;
  uint32_t previousState = STATE_VISIBLE | STATE_ENABLED;
  uint32_t state = STATE_VISIBLE | STATE_ENABLED;
  uint32_t targetState = STATE_VISIBLE | STATE_ENABLED;
  // -1: never takes the focus by navigation.
  int32_t focusOrder = -1;
  // Animation key (DInteger) to a DVector of GUIWidgetAnimation.
  nuv::util::DHashtablePtr animationDefs;
  nuv::util::DHashtablePtr transitionAnimations;
  nuv::util::DHashtablePtr steadyAnimations;
  GUITextPtr text;
  int32_t imageFrame = 0;
  int64_t keyRepeat = kKeyRepeatMs;
  int64_t lastKeyTime = 0;
  bool focusable = false;
  int32_t padLeft = 0;
  int32_t padTop = 0;
  int32_t padRight = 0;
  int32_t padBottom = 0;
  bool ignorePointer = false;
  // Set while the focus moves between children; navigation waits for it.
  bool focusLock = false;
  PrePaintHook prePaintHook = nullptr;
  PostPaintHook postPaintHook = nullptr;
  UpdateHook updateHook = nullptr;
  UpdateHook2 updateHook2 = nullptr;

 protected:
  void commitState();
  void tickTransition();
  void paintLayer(const nuv::microedition::lcdui::DGraphicsPtr& g, int32_t index, int32_t px, int32_t py);

 private:
  enum class Pick { First, Last, Next, Previous };
  void focusBy(Pick pick);
  int32_t clampScrollX(int32_t v);
  int32_t clampScrollY(int32_t v);
  void ensureContentRect();
};

}  // namespace gamelib
