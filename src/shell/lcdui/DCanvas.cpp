// Canvases: their size and back buffer, the default key bindings, custom key maps and key names.
#include "shell/lcdui/DCanvas.h"

#include "core/lang/DInteger.h"
#include "platform/api/shell.h"
#include "platform/api/version.h"
#include "platform/api/window.h"
#include "shell/CGameEngine.h"
#include "shell/lcdui/DDisplay.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/midlet/DMIDlet.h"

namespace nuv::microedition::lcdui {

using nuv::lang::DintArray;
using nuv::lang::DintArray2dPtr;
using nuv::lang::DintArrayPtr;
using nuv::lang::DInteger;
using nuv::lang::DString;
using nuv::lang::DStringPtr;
using nuv::util::DHashtable;

namespace {

// Enter as some keyboards send it.
constexpr int32_t kLineFeed = 10;

struct Binding {
  int32_t key;
  int32_t action;
};

// The default bindings, in the order the key lists of getKeyCodes follow.
constexpr Binding kDefaultBindings[] = {
    {'1', GameAction::UpperLeft},
    {'2', GameAction::Up},
    {'3', GameAction::UpperRight},
    {'4', GameAction::Left},
    {'5', GameAction::Fire},
    {'6', GameAction::Right},
    {'8', GameAction::Down},
    {'7', GameAction::LowerLeft},
    {'9', GameAction::LowerRight},
    {FrameworkKey::Hash, GameAction::Hash},
    {FrameworkKey::Star, GameAction::Star},
    {FrameworkKey::SoftLeft, GameAction::SoftLeft},
    {FrameworkKey::SoftRight, GameAction::SoftRight},
    {FrameworkKey::Action, GameAction::Fire},
    {VK_LEFT, GameAction::Left},
    {VK_RIGHT, GameAction::Right},
    {VK_UP, GameAction::Up},
    {VK_DOWN, GameAction::Down},
    {FrameworkKey::Pause, GameAction::Pause},
    {VK_RETURN, GameAction::Fire},
    {kLineFeed, GameAction::Fire},
    {FrameworkKey::Special1, GameAction::Special1},
    {FrameworkKey::Special2, GameAction::Special2},
};

struct KeyName {
  int32_t key;
  const char16_t* name;
};

constexpr KeyName kKeyNames[] = {
    {8, u"Backspace"},
    {9, u"Tab"},
    {12, u"Clear"},
    {13, u"Enter"},
    {16, u"Shift"},
    {17, u"Ctrl"},
    {18, u"Alt"},
    {19, u"Pause"},
    {20, u"Caps Lock"},
    {27, u"Esc"},
    {32, u"Spacebar"},
    {33, u"Page Up"},
    {34, u"Page Down"},
    {35, u"End"},
    {36, u"Home"},
    {37, u"Left"},
    {38, u"Up"},
    {39, u"Right"},
    {40, u"Down"},
    {45, u"Insert"},
    {46, u"Delete"},
    {91, u"Win L"},
    {92, u"Win R"},
    {93, u"App"},
    {106, u"Num*"},
    {107, u"Num+"},
    {109, u"Num-"},
    {110, u"Num."},
    {111, u"Num/"},
    {144, u"Num Lock"},
    {145, u"Scroll Lock"},
    {FrameworkKey::SoftLeft, u"Soft L"},
    {FrameworkKey::SoftRight, u"Soft R"},
    {FrameworkKey::Action, u"Action"},
    {FrameworkKey::Hash, u"#"},
    {FrameworkKey::Star, u"*"},
};

constexpr int32_t kTableCapacity = 11;
constexpr int32_t kTableLoadFactor = 75;
constexpr DWORD kFirstImeSystemVersion = 6;
constexpr int32_t kSpellingInputMode = 2;

}  // namespace

DCanvas::DCanvas() {
  DDisplayPtr display = DDisplay::getDisplay(midlet::DMIDlet::current());
  width = display->width;
  height = display->height;
  if (CGameEngine* engine = CGameEngine::instance(); engine && engine->pixelDoubling) {
    width >>= 1;
    height >>= 1;
  }
  activeKeyMap = -1;
  selectKeyMap(0);
  backBuffer = Raster::RasterSurface::create(width, height);
}

DCanvas::~DCanvas() {
  backBuffer.reset();
  keyToAction = nullptr;
  keyMaps = nullptr;
}

void DCanvas::pointerPressed(int32_t, int32_t) {}
void DCanvas::pointerReleased(int32_t, int32_t) {}
void DCanvas::keyPressed(int32_t) {}
void DCanvas::keyReleased(int32_t) {}
void DCanvas::keyRepeated(int32_t) {}
void DCanvas::paint(DGraphicsPtr) {}
void DCanvas::pointerDragged(int32_t, int32_t) {}

int32_t DCanvas::getGameAction(int32_t key) const {
  if (keyToAction.isNull()) return -1;
  auto* action = static_cast<DInteger*>(keyToAction->get(key));
  return action ? action->intValue() : -1;
}

void DCanvas::setKeyMap(int32_t id, DintArray2dPtr map) {
  if (keyMaps.isNull()) keyMaps = new DHashtable(kTableCapacity, kTableLoadFactor);
  nuv::lang::DObjectPtr key = new DInteger(id);
  if (map.isNull()) {
    keyMaps->remove(key);
  } else {
    keyMaps->put(key, map);
  }
  if (id == activeKeyMap) selectKeyMap(id);
}

void DCanvas::selectKeyMap(int32_t id) {
  keyToAction = new DHashtable(kTableCapacity, kTableLoadFactor);
  auto* custom =
      keyMaps ? static_cast<nuv::lang::DintArray2d*>(keyMaps->get(nuv::lang::DObjectPtr(new DInteger(id)))) : nullptr;
  for (const Binding& b : kDefaultBindings) {
    // A custom row for an action, even an empty one, replaces all of that action's default keys.
    if (custom == nullptr || b.action >= custom->length || (*custom)[b.action].isNull())
      keyToAction->put(b.key, new DInteger(b.action));
  }
  if (custom != nullptr) {
    for (int32_t a = 0; a < custom->length; ++a) {
      DintArrayPtr row = (*custom)[a];
      if (row.isNull()) continue;
      for (int32_t i = 0; i < row->length; ++i) keyToAction->put((*row)[i], new DInteger(a));
    }
  }
  activeKeyMap = id;
}

DintArrayPtr DCanvas::getKeyCodes(int32_t action, int32_t count) {
  if (action < 0 || action >= GameAction::Count) return nullptr;
  if (count == -1) {
    count = 0;
    for (const Binding& b : kDefaultBindings) count += b.action == action ? 1 : 0;
  }
  if (count <= 0) return nullptr;
  DintArrayPtr keys = new DintArray(count);
  for (int32_t i = 0; i < count; ++i) (*keys)[i] = -1;
  int32_t filled = 0;
  for (const Binding& b : kDefaultBindings) {
    if (filled < count && b.action == action) (*keys)[filled++] = b.key;
  }
  return keys;
}

DStringPtr DCanvas::getKeyName(int32_t key) {
  for (const KeyName& k : kKeyNames) {
    if (k.key == key) return new DString(k.name);
  }
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    const char16_t text[] = {static_cast<char16_t>(key), 0};
    return new DString(text);
  }
  if (key >= 96 && key <= 105) return u"Numpad" + DInteger::toString(key - 96);
  if (key >= 112 && key <= 123) return u"F" + DInteger::toString(key - 111);
  return u"KEY " + DInteger::toString(key);
}

void DCanvas::applyInputMode() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  CGameEngine* engine = CGameEngine::instance();
  SHSetImeModeProc setImeMode = CGameEngine::shellSetImeMode();
  if (GetVersionExW(&version) && version.dwMajorVersion >= kFirstImeSystemVersion && shown && setImeMode && engine) {
    setImeMode(engine->window, inputMode == kSpellingInputMode ? SHIME_MODE_SPELL : SHIME_MODE_NUMBERS);
  }
  showNotify();
}

}  // namespace nuv::microedition::lcdui
