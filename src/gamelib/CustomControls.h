// The key set-up screen a game offers from its in-game menu: one row per rebindable action with two key
// cells, stored per game in the record store "keys_" + game key. Its key lists are also the canvas's
// key map 1 of the owning game.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DintArray2d.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"

namespace gamelib {

class CustomControls;
using CustomControlsPtr = nuv::lang::DPtr<CustomControls>;

class CustomControls : public nuv::lang::DObject {
 public:
  // What update reports.
  static constexpr int32_t STILL_OPEN = 0;
  static constexpr int32_t CLOSED_OK = 1;
  static constexpr int32_t CLOSED_CANCEL = 2;

  // Bit a of the mask set: game action a can be rebound.
  explicit CustomControls(int32_t actionMask);
  ~CustomControls() override;
  const char* getClassName() const override { return "CustomControls"; }

  // The game's key set-up of the actions that may be rebound becomes the current one, over the picture
  // shaded as a page; its stored keys are the canvas's play key map from now on.
  static void install(int32_t actionMask, const nuv::lang::DStringPtr& gameKey,
                      const nuv::microedition::lcdui::DImagePtr& background);

  void init(nuv::lang::DStringPtr gameKey);
  // The stored binding, or the defaults; always the same table object. A stored code no key arrives
  // with gives that cell its default key; a record too short, the defaults; either is told once.
  nuv::lang::DintArray2dPtr load();
  // Kept and written later when the settings file cannot take it now.
  void save();
  // Every rebindable action gets its first default keys again (in memory only).
  void setDefaults();
  // One step: STILL_OPEN, CLOSED_OK (saved) or CLOSED_CANCEL (the stored binding reloaded).
  int32_t update();
  void paint(nuv::microedition::lcdui::DGraphicsPtr g);
  // Evaluates the pen once; always 0.
  int32_t handlePointer();
  // A key's name as the grid shows it: the current language's where the texts name the key
  // ("keyname_" and its English name), else the canvas's English name.
  static nuv::lang::DStringPtr keyName(int32_t key);

  int32_t selectedRow = 0;
  int32_t selectedColumn = 0;
  int64_t lastTapTime = 0;
  int32_t lastTapRow = 0;
  int32_t lastTapColumn = 0;
  int32_t actionMask = 0;
  int32_t actionCount = 0;
  int32_t gridX = 0;
  int32_t gridY = 0;
  int32_t gridWidth = 0;
  int32_t listHeight = 0;
  int32_t gridMaxHeight = 0;
  int32_t rowHeight = 0;
  int32_t labelWidth = 0;
  int32_t keyColumnWidth = 0;
  int32_t textColour = 0x000000;
  int32_t highlightColour = 0x999999;
  int32_t gridColour = 0x96A3C8;
  // The "ok" and "cancel" rows are neither drawn nor reachable.
  bool buttonsHidden = false;
  // A captured key stays in the other cells too.
  bool keepDuplicates = false;
  nuv::lang::DStringArrayPtr actionNames;
  nuv::lang::DStringPtr setDefaultText;
  nuv::lang::DStringPtr okText;
  nuv::lang::DStringPtr cancelText;
  nuv::lang::DStringPtr storeName;
  int64_t pointerClock = 0;
  int32_t keysPerAction = 2;
  // Row a: the keys of game action a, -1 for an empty cell; null for actions outside the mask.
  nuv::lang::DintArray2dPtr keyLists;
  bool capturing = false;
  nuv::microedition::lcdui::DImagePtr background;

  // The one screen of the running game; its init makes it and its leave releases it.
  static inline CustomControlsPtr current;

 private:
  // The game action of an action row.
  int32_t actionOfRow(int32_t row) const;
  int32_t lastRow() const { return buttonsHidden ? actionCount : actionCount + 2; }
  void bind(int32_t key);
  int32_t browse(int64_t now);
  int32_t capture(int64_t now);
};

}  // namespace gamelib
