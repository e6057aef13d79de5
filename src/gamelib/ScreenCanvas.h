// The application's one full-screen canvas: key events wait in a queue of 1024 that the frame step drains
// one per step into the game-action flags; pen events take effect at once.
#pragma once

#include <cstdint>

#include "core/lang/DintArray.h"
#include "shell/lcdui/game/DGameCanvas.h"

namespace gamelib {

// The 16 game actions screens poll, and the key codes the shell makes of the device's special keys.
namespace GameAction = nuv::microedition::lcdui::GameAction;
namespace FrameworkKey = nuv::microedition::lcdui::FrameworkKey;

class ScreenCanvas : public nuv::microedition::lcdui::game::DGameCanvas {
 public:
  static constexpr int32_t kQueueLength = 1024;
  // Key maps: the defaults while a menu shows, the game's own set-up in play.
  static constexpr int32_t kMenuKeyMap = 0;
  static constexpr int32_t kPlayKeyMap = 1;
  static constexpr int32_t kSequenceLength = 5;

  struct KeyEvent {
    int32_t code;
    int32_t pressed;
  };

  // Sized from the display; publishes its graphics and size in GameLib and empties the queue.
  ScreenCanvas();
  const char* getClassName() const override { return "ScreenCanvas"; }

  void sizeChanged() override;
  void showNotify() override;
  void pointerPressed(int32_t x, int32_t y) override;
  void pointerReleased(int32_t x, int32_t y) override;
  void keyPressed(int32_t code) override;
  void keyReleased(int32_t code) override;
  void keyRepeated(int32_t code) override;
  void pointerDragged(int32_t x, int32_t y) override;
  // Presents the back buffer.
  virtual void flush();

  // The current screen's paint, then flush.
  void paintScreen();

  // Takes the oldest queued event into the action flags; nothing when the queue is empty.
  static void pump();
  // One event: the hidden sequence, the action's held flag, select and back, any-key and the last code.
  static void processKey(int32_t code, bool pressed);
  // Appends an event; a full queue overwrites its last entry.
  static void enqueue(int32_t code, bool pressed);
  static void emptyQueue();
  // All held flags, select, back, the spare flag, any-key and the pen flags off; the queue emptied.
  static void clearKeys();
  // The hidden sequence's progress and a number typed but not yet taken, both dropped.
  static void forgetSequence();
  // clearKeys, and the pen positions and times, the last key code and the sequence counter back to 0.
  static void resetInput();

  static inline KeyEvent queue[kQueueLength] = {};
  // -1 when the queue is empty.
  static inline int32_t readIndex = -1;
  static inline int32_t writeIndex = -1;

  // Indexed by action; the entries of actions 9 and 10 stay unused: those are select and back.
  static inline bool held[GameAction::Count] = {};
  static inline bool select = false;
  static inline bool back = false;
  // Set and read by some games themselves; the game library only clears it.
  static inline bool spare = false;
  static inline bool anyKey = false;
  static inline int32_t lastKeyCode = 0;

  // Three key codes to match, then two slots that receive the digits.
  static inline nuv::lang::DintArrayPtr sequenceKeys;
  static inline int32_t sequenceCounter = 0;
  static inline int32_t sequenceNumber = 0;
  static inline bool sequenceDone = false;

  static inline bool pointerDown = false;
  static inline bool doubleTap = false;
  static inline bool dragging = false;
  static inline int32_t pointerX = 0;
  static inline int32_t pointerY = 0;
  static inline int32_t previousX = 0;
  static inline int32_t previousY = 0;
  static inline int64_t lastPressTime = 0;

 private:
  void publishGraphics();
};

using ScreenCanvasPtr = nuv::lang::DPtr<ScreenCanvas>;

}  // namespace gamelib
