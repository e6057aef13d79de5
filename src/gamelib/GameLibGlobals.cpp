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
#include "games/bounce/BounceGlobals.h"
#include "games/burrow/BurrowGlobals.h"
#include "games/canyon/CanyonGlobals.h"
#include "games/climber/ClimberGlobals.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/rocks/RocksGlobals.h"
#include "games/swarm/SwarmGlobals.h"
#include "games/tanks/TanksGlobals.h"

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

  bounce::initGlobals();
  rocks::initGlobals();
  gobbler::initGlobals();
  burrow::initGlobals();
  tanks::initGlobals();
  climber::initGlobals();
  swarm::initGlobals();
  canyon::initGlobals();
}

void GameLib::releaseGlobals() {
  pathList = nullptr;
  bounce::releaseGlobals();
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
  rocks::releaseGlobals();
  gobbler::releaseGlobals();
  burrow::releaseGlobals();
  tanks::releaseGlobals();
  climber::releaseGlobals();
  swarm::releaseGlobals();
  canyon::releaseGlobals();
  languageNames = nullptr;
  languageCodes = nullptr;
}

nuv::lang::DStringPtr GameLib::version() { return u"v1.5"; }

}  // namespace gamelib
