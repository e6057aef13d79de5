// The ladders-and-bricks game's set-up and release: the splash with its loading bar, settings, pictures,
// animations, sounds, the sizes of cells and back buffer, the objects of play, the menu and the key set-up.
#include <algorithm>
#include <iterator>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DStringArray.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "games/climber/Climber.h"

namespace climber {

using namespace gamelib::api;

namespace {

// Step lengths as tenths and fourteenths of a cell: 3, 1, 3 and 6 pixels of a 10 x 14 cell.
constexpr int32_t kStepXTenths = 3;
constexpr int32_t kSmallStepXTenths = 1;
constexpr int32_t kStepYFourteenths = 3;
constexpr int32_t kFallStepYFourteenths = 6;

GameImagePtr mirrored(const char16_t* key) { return GameImage::create(DStringPtr(key) + data::kMirrored); }

// "prefix1.png", "prefix2.png", ...: as many as the image table holds without a gap.
GameImageArrayPtr numberedImages(const char16_t* prefix) {
  int32_t count = 0;
  while (GameImage::has((DStringPtr(prefix) + (count + 1)) + data::kNumberedSuffix)) ++count;
  GameImageArrayPtr images = new GameImageArray(count);
  for (int32_t n = 1; n <= count; ++n)
    (*images)[n - 1] = GameImage::create((DStringPtr(prefix) + n) + data::kNumberedSuffix);
  return images;
}

AnimationPtr animation(int32_t index) {
  return new Animation(TextTable::split(TextTable::getString(data::kAnimationKeys[index]), u';'));
}

}  // namespace

void Climber::init() {
  levelCount = data::kLevelCount;
  DImagePtr splash;
  // A picture, texts or an image table that are not there leave what they would have set as it was.
  gamelib::ResourceDamage::skipMissing(ExceptionCode::IOException, [&] {
    splash = GameLib::loadImage(data::kSplash);
    if (!splash.isNull()) {
      GameLib::graphics->drawImage(splash, GameLib::screenWidth >> 1, GameLib::screenHeight >> 1, DGraphics::CENTRE);
    }
    GameMenu::startLoading();
    GameImage::loadImageTable(data::kImageTable);
  });
  // A store that says less than 1 would leave no level to choose.
  openLevel.load(1, levelCount);
  GameMenu::advanceLoading();

  loadSprites();

  DStringArrayPtr sounds = new DStringArray(kSoundCount);
  for (int32_t i = 0; i < kSoundCount; ++i) (*sounds)[i] = data::kSounds[i];
  SoundManager::loadSounds(sounds);
  GameMenu::advanceLoading();

  makePlayObjects();

  // The menu flow writes the entries into this one array, kept across leave.
  if (menuItemTexts.isNull()) menuItemTexts = new DStringArray(kItemCount);
  menuMode = MENU_START;
  makeMenuFlow(splash);
  buildMenu(MENU_START);
  gameState = STATE_MENU;
  GameMenu::advanceLoading();

  playSound(SOUND_MENU);
  pressHeld = false;
  pressStart = 0;
  GameMenu::advanceLoading();
}

void Climber::loadSprites() {
  backgrounds = new GameImageArray(data::kBackgroundCount);
  for (int32_t i = 0; i < data::kBackgroundCount; ++i) (*backgrounds)[i] = GameImage::create(data::kBackgrounds[i]);
  brickImages = numberedImages(data::kBrickPrefix);
  armourBrickImages = numberedImages(data::kArmourBrickPrefix);
  doorOpenImage = GameImage::create(data::kDoorOpen);
  doorClosedImage = GameImage::create(data::kDoorClosed);
  brickDisappear1 = GameImage::create(data::kBrickDisappear1);
  brickDisappear1Mirrored = mirrored(data::kBrickDisappear1);
  brickDisappear2 = GameImage::create(data::kBrickDisappear2);
  brickDisappear2Mirrored = mirrored(data::kBrickDisappear2);
  brickDisappear3 = GameImage::create(data::kBrickDisappear3);
  goldImages = new GameImageArray(static_cast<int32_t>(std::size(data::kGold)));
  for (int32_t i = 0; i < goldImages->length; ++i) (*goldImages)[i] = GameImage::create(data::kGold[i]);
  ladderImage = GameImage::create(data::kLadder);
  handrailImage = GameImage::create(data::kHandrail);
  heroIdleImage = GameImage::create(data::kHeroIdle);
  enemyIdleImage = GameImage::create(data::kEnemyIdle);
  heroIdleMirroredImage = mirrored(data::kHeroIdle);
  enemyIdleMirroredImage = mirrored(data::kEnemyIdle);
  GameMenu::advanceLoading();

  // The animation list passes through the text table; the menu flow brings the language's texts back.
  Animation::loadList(data::kAnimationList);
  AnimationPtr* const all[data::kAnimationCount] = {
      &heroGoRight,        &heroGoLeft,        &heroLadder,     &heroHandrailRight, &heroHandrailLeft,
      &heroFallRight,      &heroFallLeft,      &enemyGoRight,   &enemyGoLeft,       &enemyLadder,
      &enemyHandrailRight, &enemyHandrailLeft, &enemyFallRight, &enemyFallLeft};
  for (int32_t i = 0; i < data::kAnimationCount; ++i) *all[i] = animation(i);
  GameMenu::advanceLoading();
}

void Climber::makePlayObjects() {
  // The first brick is a cell; without one the cell keeps its first size.
  if (brickImages->length > 0) {
    tileWidth = (*brickImages)[0]->w;
    tileHeight = (*brickImages)[0]->h;
  }
  // A background smaller than a cell repeats every cell.
  const GameImagePtr back = (*backgrounds)[0];
  backgroundColumns = back.isNull() ? 1 : std::max(1, back->w / tileWidth);
  backgroundRows = back.isNull() ? 1 : std::max(1, back->h / tileHeight);
  stepX = tileWidth * kStepXTenths / 10;
  smallStepX = tileWidth * kSmallStepXTenths / 10;
  stepY = tileHeight * kStepYFourteenths / 14;
  fallStepY = tileHeight * kFallStepYFourteenths / 14;
  screenWidth = GameLib::screenWidth;
  screenHeight = GameLib::screenHeight;
  bufferColumns = screenWidth / tileWidth + 2;
  bufferRows = screenHeight / tileHeight + 2;
  bufferWidth = bufferColumns * tileWidth;
  bufferHeight = bufferRows * tileHeight;
  backBuffer = DImage::createMutableImage(bufferWidth, bufferHeight);
  GameMenu::advanceLoading();

  hero = new Runner();
  enemies = new RunnerArray(data::kMaxGuards);
  holeTable = new DintArray2d(kHoleSlots, 2);
  for (int32_t r = 0; r < kHoleSlots; ++r) (*(*holeTable)[r])[HOLE_CELL] = -1;
  cells = nullptr;
  GameMenu::advanceLoading();
}

void Climber::leave() {
  SoundManager::stopAll();
  cells = nullptr;
  distanceTable = nullptr;
  hero = nullptr;
  enemies = nullptr;
  MenuFlow::leave(menuFlow);
  releaseGameObjects();
}

}  // namespace climber
