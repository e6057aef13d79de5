// The space-rocks game's screen fixture.
#include "games/rocks/RocksFixture.h"

#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "platform/api/waveout.h"
#include "sound/DManager.h"

namespace rockstest {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using nuv::microedition::media::DManager;

void RocksFixture::SetUp() {
  MenuFixture::SetUp();
  platform::setAudioDriver("null");
  DManager::initSound();
  GameMenu::loadImages();
  nuv::lang::DStringArrayPtr codes = new nuv::lang::DStringArray(1);
  (*codes)[0] = u"en";
  GameLib::languageCodes = codes;
  GameLib::languageIndex = 0;
  rocks::gameState = rocks::Rocks::STATE_MENU;
  rocks::menuMode = rocks::previousMenuMode = 0;
  rocks::level = 1;
  rocks::invulnerable = false;
  rocks::lastStepTime = 0;
  game = new rocks::Rocks();
  GameLib::currentScreen = game;
}

void RocksFixture::TearDown() {
  if (!game->menu.isNull()) game->leave();
  GameLib::currentScreen = nullptr;
  game = nullptr;
  SoundManager::release();
  SoundManager::current = nullptr;
  DManager::doneSound();
  MenuFixture::TearDown();
}

void RocksFixture::startScreen() {
  game->init();
  step();
}

void RocksFixture::step() { stepScreen(*game); }

void RocksFixture::steps(int n) {
  for (int i = 0; i < n; ++i) step();
}

void RocksFixture::playStep() {
  wait(60);
  gamelib::GameImage::graphics = GameLib::graphics;
  ScreenCanvas::pump();
  game->update();
}

void RocksFixture::playSteps(int n) {
  for (int i = 0; i < n; ++i) playStep();
}

void RocksFixture::paint() { paintScreen(*game); }

void RocksFixture::choose(int32_t index) {
  game->menu->selected = index;
  ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  // The menu takes input at most every 200 ms, counted from its first update.
  if (GameMenu::inputClock <= 0) GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis();
  wait(250);
  game->update();
  ScreenCanvas::held[gamelib::GameAction::Fire] = false;
}

void RocksFixture::startPlaying() {
  choose(rocks::Rocks::ITEM_START);
  for (int i = 0; i < 20 && rocks::gameState != rocks::Rocks::STATE_PLAY; ++i) playStep();
}

void RocksFixture::selectLevel(int number) {
  for (int32_t key : {gamelib::FrameworkKey::Star, gamelib::FrameworkKey::Hash, gamelib::FrameworkKey::Star,
                      '0' + number / 10, '0' + number % 10}) {
    ScreenCanvas::processKey(key, true);
    ScreenCanvas::processKey(key, false);
  }
}

std::string RocksFixture::item(int32_t index) const { return gltest::narrow((*game->menu->items)[index]); }

}  // namespace rockstest
