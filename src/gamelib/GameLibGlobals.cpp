// The application's long-lived globals: their first values at the start and their release, in a fixed
// order, when the application is destroyed.
#include "core/lang/DintArray.h"
#include "core/util/DHashtable.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "gamelib/VirtualKeyboard.h"

namespace gamelib {

using nuv::lang::DintArray;
using nuv::lang::DintArrayPtr;
using nuv::util::DHashtable;

namespace {

constexpr int32_t kTableCapacity = 11;
constexpr int32_t kTableLoadFactor = 75;
// The hidden sequence: star, hash, star, then the two digits of the chosen level.
constexpr int32_t kSequence[ScreenCanvas::kSequenceLength] = {FrameworkKey::Star, FrameworkKey::Hash,
                                                              FrameworkKey::Star, 0, 0};

}  // namespace

void GameLib::initGlobals() {
  TextTable::table = new DHashtable(kTableCapacity, kTableLoadFactor);
  GameImage::imageTable = new DHashtable(kTableCapacity, kTableLoadFactor);
  DintArrayPtr sequence = new DintArray(ScreenCanvas::kSequenceLength);
  for (int32_t i = 0; i < sequence->length; ++i) (*sequence)[i] = kSequence[i];
  ScreenCanvas::sequenceKeys = sequence;
  GameMenu::keyboard = new VirtualKeyboard();
  GameMenu::enteredName = nullptr;
  GameMenu::helpLines = nullptr;
  random = new nuv::util::DRandom();

  for (const MenuListEntry& entry : menuList) {
    if (entry.initGlobals != nullptr) entry.initGlobals();
  }
}

void GameLib::releaseGlobals() {
  pathList = nullptr;
  GameImage::imageTable = nullptr;
  GameImage::atlas = nullptr;
  GameImage::tableName = nullptr;
  GameImage::graphics = nullptr;
  ScreenCanvas::sequenceKeys = nullptr;
  graphics = nullptr;
  fonts = nullptr;
  TextTable::table = nullptr;
  GameMenu::keyboard = nullptr;
  GameMenu::enteredName = nullptr;
  GameMenu::helpLines = nullptr;
  GameMenu::arrowUp = nullptr;
  GameMenu::arrowDown = nullptr;
  GameMenu::pauseImage = nullptr;
  GameMenu::selectedImage = nullptr;
  instance = nullptr;
  currentScreen = nullptr;
  canvas = nullptr;
  SoundManager::players = nullptr;
  SoundManager::current = nullptr;
  random = nullptr;
  // The games' after the library's: the current screen has gone after the fonts and texts it used, and
  // before the globals of its game.
  for (const MenuListEntry& entry : menuList) {
    if (entry.releaseGlobals != nullptr) entry.releaseGlobals();
  }
  languageNames = nullptr;
  languageCodes = nullptr;
}

nuv::lang::DStringPtr GameLib::version() { return u"v" GH_VERSION; }

}  // namespace gamelib
