// The maze game's screen fixture.
#include "games/gobbler/GobblerFixture.h"

#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "games/gobbler/GobblerGlobals.h"
#include "platform/api/waveout.h"
#include "sound/DManager.h"

namespace gobblertest {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using nuv::microedition::media::DManager;

void GobblerFixture::SetUp() {
  MenuFixture::SetUp();
  platform::setAudioDriver("null");
  DManager::initSound();
  GameMenu::loadImages();
  nuv::lang::DStringArrayPtr codes = new nuv::lang::DStringArray(1);
  (*codes)[0] = u"en";
  GameLib::languageCodes = codes;
  GameLib::languageIndex = 0;
  gobbler::gameMenu = new GameMenu();
  game = new gobbler::Gobbler();
  GameLib::currentScreen = game;
}

void GobblerFixture::TearDown() {
  if (GameLib::currentScreen.get() == game.get()) game->leave();
  GameLib::currentScreen = nullptr;
  game = nullptr;
  SoundManager::release();
  SoundManager::current = nullptr;
  DManager::doneSound();
  MenuFixture::TearDown();
}

void GobblerFixture::startScreen() {
  game->init();
  step();
}

void GobblerFixture::step() { stepScreen(*game); }

void GobblerFixture::play(int n) {
  for (int i = 0; i < n; ++i) {
    step();
    paintScreen(*game);
  }
}

void GobblerFixture::choose(int32_t index) {
  gobbler::gameMenu->selected = index;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  // The menu takes input at most every 200 ms, counted from its first update.
  if (GameMenu::inputClock <= 0) GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis();
  wait(250);
  game->update();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
}

void GobblerFixture::startPlaying(int mode) {
  choose(gobbler::Gobbler::ITEM_START);
  while (gobbler::gameMode != mode) choose(gobbler::Gobbler::SETUP_MODE);
  choose(gobbler::Gobbler::SETUP_START);
  // The start of the life: 20 game steps of 60 ms.
  play(41);
}

int32_t GobblerFixture::lastSound() {
  if (SoundManager::players.isNull() || SoundManager::current.isNull()) return -1;
  for (int32_t i = 0; i < SoundManager::players->length; ++i) {
    if ((*SoundManager::players)[i].get() == SoundManager::current.get()) return i;
  }
  return -1;
}

std::string item(int32_t index) { return gltest::narrow((*gobbler::gameMenu->items)[index]); }

std::string items() {
  std::string all;
  for (int32_t i = 0; i < gobbler::gameMenu->items->length; ++i) all += (i > 0 ? "|" : "") + item(i);
  return all;
}

}  // namespace gobblertest
