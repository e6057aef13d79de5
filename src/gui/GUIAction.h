// What a widget does on an event: a record of an action type and its arguments, chained to the next action
// bound to the same event code. An event queues a copy of every action of its chain; the host screen
// executes the queue once per step through the interpreter here.
#pragma once

#include <cstdint>
#include <memory>

#include "core/lang/DObject.h"

namespace gamelib {

class GUIWidget;
class GUIEngine;
class GUIAction;
using GUIActionPtr = nuv::lang::DPtr<GUIAction>;

class GUIAction : public nuv::lang::DObject {
 public:
  // Action types.
  static constexpr int32_t SEND_EVENT = 1;
  static constexpr int32_t SEND_SCREEN_EVENT = 2;
  static constexpr int32_t PUSH_SCREEN = 3;
  static constexpr int32_t POP_SCREEN = 4;
  static constexpr int32_t ADD_TO_SCREEN = 5;
  static constexpr int32_t CLOSE_WIDGET = 6;
  static constexpr int32_t FOCUS_ID = 7;
  static constexpr int32_t FOCUS_NEXT = 8;
  static constexpr int32_t FOCUS_PREVIOUS = 9;
  static constexpr int32_t FOCUS_VERTICAL = 10;
  static constexpr int32_t SET_STATE = 14;
  static constexpr int32_t CLEAR_STATE = 15;
  static constexpr int32_t SCROLL_UP = 16;
  static constexpr int32_t SCROLL_DOWN = 17;
  static constexpr int32_t SCROLL_LEFT = 18;
  static constexpr int32_t SCROLL_RIGHT = 19;
  static constexpr int32_t SCROLL_TO_TOP = 20;
  static constexpr int32_t SCROLL_TO_BOTTOM = 21;
  static constexpr int32_t SCROLL_TO_LEFT = 22;
  static constexpr int32_t SCROLL_TO_RIGHT = 23;
  static constexpr int32_t THUMB_FOLLOWS = 24;
  static constexpr int32_t TRACK_PRESSED = 26;
  static constexpr int32_t THUMB_DRAGGED = 28;
  static constexpr int32_t SET_SFX_LEVEL = 30;
  static constexpr int32_t SET_MUSIC_LEVEL = 31;
  static constexpr int32_t SEND_KEY = 32;
  static constexpr int32_t OPEN_ADDRESS = 33;
  static constexpr int32_t QUIT = 34;
  // The event code the level actions answer to.
  static constexpr int32_t kLevelEvent = 256;

  using Callback = void (*)(GUIActionPtr action);

  GUIAction(int32_t type, int32_t arg, nuv::lang::DObjectPtr paramObject, Callback callback);
  // Every field but next, the origin and the event data.
  explicit GUIAction(const GUIAction& other);
  ~GUIAction() override;
  const char* getClassName() const override { return "GUIAction"; }

  // Queues a copy of this action for the event (its target the source when it has none, the event's code
  // and a copy of its data), then does the same for the rest of the chain.
  virtual void run(nuv::lang::DPtr<GUIWidget> source, int32_t eventCode, const void* data, int32_t length);
  void appendAction(GUIActionPtr action);
  // The interpreter: one queued action of any type, then its hook and sound.
  static void execute(nuv::lang::DPtr<GUIEngine> engine, GUIActionPtr action);
  void runHookAndSound();

  // The n-th 32-bit int of the event data; 0 when the data is shorter.
  int32_t dataInt(int32_t n) const;

  int32_t type;
  int32_t arg;
  nuv::lang::DObjectPtr paramObject;
  Callback callback;
  nuv::lang::DPtr<GUIWidget> target;
  int32_t eventCode = 0;
  std::unique_ptr<uint8_t[]> eventData;
  int32_t eventDataLength = 0;
  int32_t soundId = -1;
  // Passed along with the sound; the sound service does not use it.
  int32_t soundArg = 0;
  // The sound's loop count.
  int8_t soundFlag = 0;
  GUIActionPtr next;
  // The bound action a queued copy was made from; null in a bound action itself. Held, so that no other
  // action can take its place while a copy waits.
  GUIActionPtr origin;
  // The bound action this one stands for: its origin, or itself.
  GUIAction* boundAction() { return origin.isNull() ? this : origin.get(); }

 private:
  static void executeScrollBar(GUIActionPtr action);
};

}  // namespace gamelib
