// The game's loading: its sounds, the animation list, every picture of the player, the chasers, the fruits
// and the pop-ups, the maze graphics, and the cell size with the speeds that follow from it.

#include "core/lang/DExceptionBase.h"
#include "core/lang/DStringArray.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "games/gobbler/GobblerGame.h"
#include "games/gobbler/GobblerGlobals.h"

namespace gobbler {

using gamelib::GameImage;
using gamelib::GameImageArray;
using gamelib::GameImageArrayPtr;
using gamelib::TextTable;
using namespace gamelib::api;

namespace {

// The colour around the play: the deep night of the maze.
constexpr int32_t kBackColour = 0x0B0E28;
// Speeds are designed for cells of nine pixels and scale with wider ones.
constexpr int32_t kBaseCell = 9;

GameImageArrayPtr pictures(const char16_t* const* names, int32_t count, int32_t length) {
  GameImageArrayPtr array = new GameImageArray(length);
  for (int32_t i = 0; i < count; ++i) (*array)[i] = GameImage::create(names[i]);
  return array;
}

// A missing name gives one frame looked up under the name itself.
AnimationPtr animation(const char16_t* name) {
  return new Animation(TextTable::split(TextTable::getString(name), u';'));
}

int32_t scaled(int32_t speed, int32_t w) { return w <= kBaseCell ? speed : speed * w / kBaseCell; }

}  // namespace

void GobblerGame::loadPictures() {
  DStringArrayPtr sounds = new DStringArray(data::kSoundCount);
  for (int32_t i = 0; i < data::kSoundCount; ++i) (*sounds)[i] = data::kSounds[i];
  SoundManager::loadSounds(sounds);
  // The text table holds the animation list until the screen loads its texts again.
  Animation::loadList(data::kAnimationList);
  playerImages = pictures(data::kPlayerFrames, data::kPlayerFrameCount, data::kPlayerFrameCount);
  playerPowerImages = pictures(data::kPlayerPowerFrames, data::kPlayerFrameCount, data::kPlayerFrameCount);
  deathAnimation = animation(data::kDeathAnimation);
  changeAnimation = animation(data::kChangeAnimation);
  chaserImages = pictures(data::kChaserFrames, data::kChaserFrameCount, data::kChaserTableLength);
  AnimationPtr* fruits[data::kFruitKinds] = {&cherryAnimation, &vineAnimation, &orangeAnimation,      &plumAnimation,
                                             &appleAnimation,  &pearAnimation, &strawberriesAnimation};
  for (int32_t k = 0; k < data::kFruitKinds; ++k) *fruits[k] = animation(data::kFruitAnimations[k]);
  scoreDigitImages = pictures(data::kPopupFrames, data::kPopupCount, data::kPopupCount);
  sprites = new SpriteBaseArray(data::kPopupCount);
}

void GobblerGame::load() {
  backColour = kBackColour;
  if (!gamelib::ResourceDamage::skipMissing(nuv::lang::ExceptionCode::Exception, [this] { loadPictures(); })) {
    logLine(u"Can't create gobbler game");
  }
  initialize_map();

  const int32_t w = (*MapBase::tileImages)[0][0]->w;
  cellWidth = w;
  cellHeight = w;
  playerSpeed = scaled(3, w);
  chaserReturnSpeed = scaled(4, w);
  chaserSpeed = scaled(3, w);
  chaserFrightSpeed = scaled(2, w);
  chaserKillModeSpeed = scaled(3, w);
  fruitSpeedTenths = scaled(10, w);

  startDelay = 0;
  readyTimer = 0;
  gameOverDelay = 0;
  (*levelInfo)[0] = 0;
  (*levelInfo)[1] = 0;
  fruitsEaten = 0;
  chasersEaten = 0;
  randomLevels = false;
}

}  // namespace gobbler
