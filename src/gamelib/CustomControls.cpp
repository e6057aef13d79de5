// The key set-up screen: browsing the grid and the button rows, capturing a key into a cell, the pen,
// painting, and the key lists kept as one record of big-endian key codes per rebindable action.
#include "gamelib/CustomControls.h"

#include <algorithm>
#include <bit>
#include <string>
#include <utility>

#include "core/io/DByteArrayInputStream.h"
#include "core/io/DByteArrayOutputStream.h"
#include "core/io/DDataInputStream.h"
#include "core/io/DDataOutputStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/PageLayout.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/StoreSaves.h"
#include "gamelib/TextTable.h"
#include "shell/lcdui/DCanvas.h"

namespace gamelib {

using nuv::io::DByteArrayInputStream;
using nuv::io::DByteArrayOutputStream;
using nuv::io::DByteArrayOutputStreamPtr;
using nuv::io::DDataInputStream;
using nuv::io::DDataInputStreamPtr;
using nuv::io::DDataOutputStream;
using nuv::io::DDataOutputStreamPtr;
using nuv::lang::catchException;
using nuv::lang::DbyteArrayPtr;
using nuv::lang::DExceptionBase;
using nuv::lang::DintArray;
using nuv::lang::DintArray2d;
using nuv::lang::DintArray2dPtr;
using nuv::lang::DintArrayPtr;
using nuv::lang::DString;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;
using nuv::lang::DSystem;
using nuv::microedition::lcdui::DCanvas;
using nuv::microedition::lcdui::DGraphics;
using nuv::microedition::lcdui::DGraphicsPtr;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

constexpr int32_t kActions = 16;
constexpr int32_t kDefaultKeysPerAction = 2;
constexpr int32_t kMargin = 10;
constexpr int32_t kEmpty = -1;
constexpr int32_t kKeyCodeBytes = 4;
// The codes a key arrives with: a device key (a one-byte virtual-key code) or a framework key.
constexpr int32_t kHighestDeviceKey = 0xFF;
constexpr int64_t kPenGapMs = 200;
// Below the action rows: a gap row, then "set_default", "ok" and "cancel".
constexpr int32_t kRowsBelowList = 4;
constexpr const char16_t* kStorePrefix = u"keys_";
constexpr const char16_t* kActionNamesPrefix = u"ctrl_actions_";
constexpr const char16_t* kCapturingMark = u"?";
// The texts name a key in the player's language under this prefix and the key's English name.
constexpr const char16_t* kKeyNamePrefix = u"keyname_";

int64_t now() { return DSystem::currentTimeMillis(); }

// What a key cell may hold: a key that can arrive, or nothing.
bool isKeyCell(int32_t key) {
  using namespace nuv::microedition::lcdui::FrameworkKey;
  return key == kEmpty || (key > 0 && key <= kHighestDeviceKey) || (key >= SoftLeft && key <= Star) ||
         (key >= Pause && key <= Special1);
}

}  // namespace

DStringPtr CustomControls::keyName(int32_t key) {
  DStringPtr name = DCanvas::getKeyName(key);
  DStringPtr textKey = kKeyNamePrefix + name;
  DStringPtr text = TextTable::getString(textKey);
  return text->equals(textKey) ? name : text;
}

CustomControls::CustomControls(int32_t mask)
    : actionMask(mask), actionCount(std::popcount(static_cast<uint32_t>(mask) & 0xFFFFu)) {}

CustomControls::~CustomControls() {
  keyLists = nullptr;
  background = nullptr;
  actionNames = nullptr;
  setDefaultText = nullptr;
  okText = nullptr;
  cancelText = nullptr;
  storeName = nullptr;
}

void CustomControls::install(int32_t mask, const DStringPtr& gameKey,
                             const nuv::microedition::lcdui::DImagePtr& picture) {
  CustomControlsPtr controls = new CustomControls(mask);
  current = controls;
  controls->init(gameKey);
  if (!picture.isNull()) controls->background = GameMenu::shadeImage(picture, kPageShade, 0, picture->getWidth());
  GameLib::canvas->setKeyMap(ScreenCanvas::kPlayKeyMap, controls->load());
}

void CustomControls::init(DStringPtr gameKey) {
  storeName = kStorePrefix + gameKey;
  keysPerAction = kDefaultKeysPerAction;
  buttonsHidden = keepDuplicates = capturing = false;
  keyLists = new DintArray2d(kActions);
  actionCount = 0;
  for (int32_t a = 0; a < kActions; ++a) {
    if ((actionMask & (1 << a)) == 0) continue;
    (*keyLists)[a] = new DintArray(keysPerAction);
    ++actionCount;
  }
  selectedRow = selectedColumn = 0;
  gridX = gridY = kMargin;
  gridWidth = GameLib::screenWidth - 2 * kMargin;
  gridMaxHeight = GameLib::screenHeight - 2 * kMargin;
  textColour = 0x000000;
  highlightColour = 0x999999;
  gridColour = 0x96A3C8;
  background = nullptr;
  setDefaultText = TextTable::getString(u"set_default");
  okText = TextTable::getString(u"ok");
  cancelText = TextTable::getString(u"cancel");

  // One name per action row: names the texts lack stay empty.
  DStringPtr namesKey = kActionNamesPrefix + gameKey;
  DStringPtr names = TextTable::getString(namesKey);
  DStringArrayPtr parts = names->equals(namesKey) ? new DStringArray(0) : TextTable::split(names, u';');
  actionNames = new DStringArray(actionCount);
  for (int32_t i = 0; i < actionCount; ++i) (*actionNames)[i] = i < parts->length ? DStringPtr((*parts)[i]) : u"";

  labelWidth = gridWidth / 2;
  rowHeight = GameLib::font(GameLib::FONT_HUD0)->getHeight() + 3;
  keyColumnWidth = (gridWidth - labelWidth) / keysPerAction;
  lastTapRow = lastTapColumn = -1;
  listHeight = actionNames->length * rowHeight;
}

int32_t CustomControls::actionOfRow(int32_t row) const {
  for (int32_t a = 0; a < kActions; ++a) {
    if ((*keyLists)[a].isNull()) continue;
    if (row-- == 0) return a;
  }
  return -1;
}

void CustomControls::setDefaults() {
  for (int32_t a = 0; a < kActions; ++a) {
    if (!(*keyLists)[a].isNull()) (*keyLists)[a] = DCanvas::getKeyCodes(a, keysPerAction);
  }
}

DintArray2dPtr CustomControls::load() {
  try {
    StoreSaves::Records records = StoreSaves::load(storeName, actionCount);
    if (records.size() < static_cast<size_t>(actionCount)) {
      setDefaults();
      return keyLists;
    }
    size_t k = 0;
    for (int32_t a = 0; a < kActions; ++a) {
      DintArrayPtr row = (*keyLists)[a];
      if (row.isNull()) continue;
      const DbyteArrayPtr& record = records[k++];
      if (record->length < keysPerAction * kKeyCodeBytes) {
        StoreSaves::damaged(storeName, "record " + std::to_string(k) + " is " + std::to_string(record->length) +
                                           " bytes long, not " + std::to_string(keysPerAction * kKeyCodeBytes) +
                                           "; the default keys are used");
        setDefaults();
        return keyLists;
      }
      DDataInputStreamPtr data = new DDataInputStream(new DByteArrayInputStream(record));
      DintArrayPtr defaults = DCanvas::getKeyCodes(a, keysPerAction);
      for (int32_t j = 0; j < keysPerAction; ++j) {
        const int32_t key = data->readInt();
        if (isKeyCell(key)) {
          (*row)[j] = key;
          continue;
        }
        (*row)[j] = (*defaults)[j];
        StoreSaves::damaged(storeName, "record " + std::to_string(k) + " holds " + std::to_string(key) +
                                           ", which is no key; its default key is used");
      }
    }
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
    setDefaults();
  }
  return keyLists;
}

void CustomControls::save() {
  try {
    StoreSaves::Records records;
    for (int32_t a = 0; a < kActions; ++a) {
      DintArrayPtr row = (*keyLists)[a];
      if (row.isNull()) continue;
      DByteArrayOutputStreamPtr bytes = new DByteArrayOutputStream();
      DDataOutputStreamPtr data = new DDataOutputStream(bytes);
      for (int32_t j = 0; j < keysPerAction; ++j) data->writeInt((*row)[j]);
      records.push_back(bytes->toByteArray());
    }
    StoreSaves::save(storeName, std::move(records));
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
  }
}

void CustomControls::bind(int32_t key) {
  if (!keepDuplicates) {
    for (int32_t a = 0; a < kActions; ++a) {
      DintArrayPtr row = (*keyLists)[a];
      if (row.isNull()) continue;
      for (int32_t j = 0; j < row->length; ++j) {
        if ((*row)[j] == key) (*row)[j] = kEmpty;
      }
    }
  }
  (*(*keyLists)[actionOfRow(selectedRow)])[selectedColumn] = key;
}

int32_t CustomControls::update() {
  int64_t t = now();
  if (pointerClock <= 0) pointerClock = t;
  if (!ScreenCanvas::anyKey && !ScreenCanvas::pointerDown) return STILL_OPEN;
  return capturing ? capture(t) : browse(t);
}

int32_t CustomControls::browse(int64_t t) {
  const bool* held = ScreenCanvas::held;
  if (held[GameAction::Up] || held[GameAction::Special1]) {
    if (--selectedRow < 0) selectedRow = lastRow();
  }
  if (held[GameAction::Down] || held[GameAction::Special2]) {
    if (++selectedRow > lastRow()) selectedRow = 0;
  }
  if (selectedRow < actionCount) {
    if (held[GameAction::Right] && ++selectedColumn >= keysPerAction) selectedColumn = 0;
    if (held[GameAction::Left] && --selectedColumn < 0) selectedColumn = keysPerAction - 1;
  }
  if (ScreenCanvas::pointerDown && t - pointerClock > kPenGapMs) {
    pointerClock = t;
    handlePointer();
    ScreenCanvas::pointerDown = false;
  }
  if (held[GameAction::Fire]) {
    if (selectedRow < actionCount) {
      capturing = true;
    } else if (selectedRow == actionCount) {
      setDefaults();
    } else if (selectedRow == actionCount + 1) {
      ScreenCanvas::select = true;
    } else {
      ScreenCanvas::back = true;
    }
  }
  if (ScreenCanvas::select) {
    save();
    ScreenCanvas::clearKeys();
    pointerClock = 0;
    return CLOSED_OK;
  }
  if (ScreenCanvas::back) {
    load();
    ScreenCanvas::clearKeys();
    pointerClock = 0;
    return CLOSED_CANCEL;
  }
  ScreenCanvas::clearKeys();
  return STILL_OPEN;
}

int32_t CustomControls::capture(int64_t t) {
  if (ScreenCanvas::pointerDown) {
    // The pen waits until it may be evaluated again.
    if (t - pointerClock <= kPenGapMs) return STILL_OPEN;
    pointerClock = t;
    handlePointer();
    ScreenCanvas::pointerDown = false;
    if (ScreenCanvas::back) {
      capturing = false;
      ScreenCanvas::clearKeys();
    }
    return STILL_OPEN;
  }
  if (!ScreenCanvas::anyKey) return STILL_OPEN;
  if (ScreenCanvas::select) {
    // The left soft key cannot be bound: it would leave no way to confirm.
  } else if (ScreenCanvas::back) {
    capturing = false;
  } else {
    bind(ScreenCanvas::lastKeyCode);
    capturing = false;
  }
  ScreenCanvas::clearKeys();
  return STILL_OPEN;
}

int32_t CustomControls::handlePointer() {
  int64_t t = now();
  if (t - lastTapTime <= kPenGapMs) return 0;
  const int32_t x = ScreenCanvas::pointerX, y = ScreenCanvas::pointerY;
  const int32_t n = actionNames->length;
  // The right and bottom border lines belong to no cell.
  if (x >= gridX && x < gridX + gridWidth && y >= gridY && y < gridY + listHeight + kRowsBelowList * rowHeight) {
    int32_t r = (y - gridY) / rowHeight;
    int32_t c = std::max(0, ((x - gridX) - labelWidth) / keyColumnWidth);
    int32_t row = r > n ? r - 1 : r;
    bool onCell = row >= n || c < keysPerAction;
    if (!capturing && r != n && (!buttonsHidden || r < n + 2) && onCell) {
      c = std::min(c, keysPerAction - 1);
      selectedRow = row;
      selectedColumn = c;
      // A button acts at once; a second tap on the same key cell starts capturing.
      if (row >= n || (row == lastTapRow && c == lastTapColumn)) ScreenCanvas::held[GameAction::Fire] = true;
      lastTapRow = row;
      lastTapColumn = c;
    }
    if (capturing && !buttonsHidden && row == actionCount + 2) ScreenCanvas::back = true;
    lastTapTime = t;
  }
  ImageFontPtr labels = GameLib::font(GameLib::FONT_HUD0);
  const int32_t sw = GameLib::screenWidth, sh = GameLib::screenHeight, h = labels->getHeight();
  // The labels' zones reach from the screen's corners over the labels as drawn, kSoftKeyInset in.
  if (y > sh - h && y < sh) {
    if (!capturing && x > 0 && x < kSoftKeyInset + labels->stringWidth(okText)) ScreenCanvas::select = true;
    if (x >= sw - kSoftKeyInset - labels->stringWidth(cancelText) && x < sw) ScreenCanvas::back = true;
  }
  return 0;
}

void CustomControls::paint(DGraphicsPtr g) {
  if (!background.isNull()) g->drawImage(background, 0, 0, DGraphics::TOP_LEFT);
  if (selectedRow < actionCount) {
    g->setColor(highlightColour);
    g->fillRect(gridX + labelWidth + keyColumnWidth * selectedColumn + 1, gridY + selectedRow * rowHeight + 1,
                keyColumnWidth - 1, rowHeight - 2);
  }
  g->setColor(gridColour);
  int32_t h = std::min(listHeight, gridMaxHeight);
  g->drawRect(gridX, gridY, gridWidth, h);
  g->drawLine(gridX + labelWidth, gridY, gridX + labelWidth, gridY + h);
  for (int32_t i = 1; i < keysPerAction; ++i) {
    int32_t lineX = gridX + labelWidth + keyColumnWidth * i;
    g->drawLine(lineX, gridY, lineX, gridY + h);
  }
  for (int32_t i = 1; i < actionNames->length; ++i) {
    g->drawLine(gridX, gridY + rowHeight * i, gridX + gridWidth, gridY + rowHeight * i);
  }

  g->setColor(textColour);
  ImageFontPtr names = GameLib::font(GameLib::FONT_HUD0);
  ImageFontPtr keys = GameLib::font(GameLib::FONT_SMALL);
  for (int32_t i = 0; i < actionCount; ++i) {
    int32_t rowY = gridY + rowHeight * i + rowHeight / 2;
    names->drawString(g, (*actionNames)[i], gridX + labelWidth / 2, rowY, DGraphics::CENTRE);
    DintArrayPtr row = (*keyLists)[actionOfRow(i)];
    for (int32_t j = 0; j < keysPerAction; ++j) {
      int32_t cellX = gridX + labelWidth + keyColumnWidth * j + keyColumnWidth / 2;
      if (capturing && i == selectedRow && j == selectedColumn) {
        keys->drawString(g, kCapturingMark, cellX, rowY, DGraphics::CENTRE);
      } else if ((*row)[j] != kEmpty) {
        keys->drawString(g, keyName((*row)[j]), cellX, rowY, DGraphics::CENTRE);
      }
    }
  }

  g->setColor(gridColour);
  auto button = [&](DStringPtr text, int32_t row) {
    int32_t font = selectedRow == row ? GameLib::FONT_MENUSEL : GameLib::FONT_MENU;
    GameLib::font(font)->drawString(g, text, gridX + gridWidth / 2, gridY + (row + 1) * rowHeight + rowHeight / 2,
                                    DGraphics::CENTRE);
  };
  button(setDefaultText, actionCount);
  if (!buttonsHidden) {
    button(okText, actionCount + 1);
    button(cancelText, actionCount + 2);
  }

  ImageFontPtr labels = GameLib::font(GameLib::FONT_HUD0);
  if (!capturing) labels->drawStringOnScreen(okText, kSoftKeyInset, GameLib::screenHeight, DGraphics::BOTTOM_LEFT);
  labels->drawStringOnScreen(cancelText, GameLib::screenWidth - kSoftKeyInset, GameLib::screenHeight,
                             DGraphics::BOTTOM_RIGHT);
}

}  // namespace gamelib
