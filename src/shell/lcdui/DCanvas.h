// A displayable that receives keys and the pen, owns a back buffer, and maps key codes to game actions.
#pragma once

#include <cstdint>
#include <memory>

#include "core/lang/DintArray.h"
#include "core/lang/DintArray2d.h"
#include "core/util/DHashtable.h"
#include "shell/lcdui/DDisplayable.h"
#include "shell/raster/RasterSurface.h"

namespace nuv::microedition::lcdui {

class DGraphics;
using DGraphicsPtr = nuv::lang::DPtr<DGraphics>;

// Game actions: what a key means to a game.
namespace GameAction {
inline constexpr int32_t Up = 0;
inline constexpr int32_t Down = 1;
inline constexpr int32_t Left = 2;
inline constexpr int32_t Right = 3;
inline constexpr int32_t Fire = 4;
inline constexpr int32_t UpperLeft = 5;
inline constexpr int32_t UpperRight = 6;
inline constexpr int32_t LowerLeft = 7;
inline constexpr int32_t LowerRight = 8;
inline constexpr int32_t SoftLeft = 9;
inline constexpr int32_t SoftRight = 10;
inline constexpr int32_t Star = 11;
inline constexpr int32_t Hash = 12;
inline constexpr int32_t Pause = 13;
inline constexpr int32_t Special1 = 14;
inline constexpr int32_t Special2 = 15;
inline constexpr int32_t Count = 16;
}  // namespace GameAction

// The key codes the shell makes of the device's special keys.
namespace FrameworkKey {
inline constexpr int32_t SoftLeft = 10000;
inline constexpr int32_t SoftRight = 10001;
inline constexpr int32_t Action = 10002;
inline constexpr int32_t Hash = 10003;
inline constexpr int32_t Star = 10004;
// The pause key (also what the application queues when it loses the foreground) and two further specials.
inline constexpr int32_t Pause = -4;
inline constexpr int32_t Special1 = -2;
inline constexpr int32_t Special2 = -3;
}  // namespace FrameworkKey

class DCanvas : public DDisplayable {
 public:
  // Sized from the current MIDlet's display (halved under pixel doubling), with key map 0 selected.
  DCanvas();
  ~DCanvas() override;
  const char* getClassName() const override { return "DCanvas"; }

  virtual void pointerPressed(int32_t x, int32_t y);
  virtual void pointerReleased(int32_t x, int32_t y);
  virtual void keyPressed(int32_t key);
  virtual void keyReleased(int32_t key);
  virtual void keyRepeated(int32_t key);
  virtual void paint(DGraphicsPtr graphics);
  virtual void pointerDragged(int32_t x, int32_t y);

  // A new string naming the key.
  static nuv::lang::DStringPtr getKeyName(int32_t key);
  // -1 when the key means nothing.
  int32_t getGameAction(int32_t key) const;
  // Row a of the map lists the keys of action a; a null row keeps that action's default keys, an empty row
  // unbinds it. A null map removes the id's map.
  void setKeyMap(int32_t id, nuv::lang::DintArray2dPtr map);
  void selectKeyMap(int32_t id);
  // The first count default keys of the action (-1: all of them), padded with -1; null for an action
  // outside 0..15 or a count of 0.
  static nuv::lang::DintArrayPtr getKeyCodes(int32_t action, int32_t count);
  // Sets the input method for this canvas's mode, then tells the canvas it is shown.
  void applyInputMode();

  std::unique_ptr<Raster::RasterSurface> backBuffer;
  nuv::lang::DPtr<nuv::util::DHashtable> keyMaps;
  nuv::lang::DPtr<nuv::util::DHashtable> keyToAction;
  int32_t activeKeyMap = -1;
  int32_t inputMode = 0;
};

using DCanvasPtr = nuv::lang::DPtr<DCanvas>;

}  // namespace nuv::microedition::lcdui
