// The alien-formation game's screen fixture.
#include "games/swarm/SwarmFixture.h"

#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "platform/api/waveout.h"
#include "sound/DManager.h"

namespace swarmtest {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using nuv::microedition::media::DManager;

void SwarmFixture::SetUp() {
  MenuFixture::SetUp();
  platform::setAudioDriver("null");
  DManager::initSound();
  GameMenu::loadImages();
  nuv::lang::DStringArrayPtr codes = new nuv::lang::DStringArray(1);
  (*codes)[0] = u"en";
  GameLib::languageCodes = codes;
  GameLib::languageIndex = 0;
  game = new swarm::Swarm();
  GameLib::currentScreen = game;
}

void SwarmFixture::TearDown() {
  if (!swarm::gameMenu.isNull()) game->leave();
  GameLib::currentScreen = nullptr;
  game = nullptr;
  SoundManager::release();
  SoundManager::current = nullptr;
  DManager::doneSound();
  MenuFixture::TearDown();
}

void SwarmFixture::step() { stepScreen(*game); }

void SwarmFixture::paint() { paintScreen(*game); }

void SwarmFixture::play(int n) {
  for (int i = 0; i < n; ++i) {
    step();
    paint();
  }
}

void SwarmFixture::choose(int32_t index) {
  swarm::gameMenu->selected = index;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  // The menu takes input at most every 200 ms, counted from its first update.
  if (GameMenu::inputClock <= 0) GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis();
  wait(250);
  game->update();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
}

void SwarmFixture::startPlaying() {
  choose(swarm::Swarm::ITEM_START);
  swarm::stateTimer = 0;
  step();
  // No dive unless a test asks for one.
  swarm::diveTimer = 1 << 30;
}

int32_t SwarmFixture::lastSound() {
  if (SoundManager::players.isNull() || SoundManager::current.isNull()) return -1;
  for (int32_t i = 0; i < SoundManager::players->length; ++i) {
    if ((*SoundManager::players)[i].get() == SoundManager::current.get()) return i;
  }
  return -1;
}

std::string item(int32_t index) { return gltest::narrow((*swarm::gameMenu->items)[index]); }

}  // namespace swarmtest
