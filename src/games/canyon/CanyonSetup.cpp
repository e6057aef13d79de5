// The river-flying shooter's set-up and release: the splash with its loading bar, options, the menu,
// pictures, sounds, the lengths derived from the cell size, the animation list with the shared animations,
// the river screens, the plane, the panels and the key set-up; and letting all of it go again.

#include "core/lang/DExceptionBase.h"
#include "core/lang/DStringArray.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "games/canyon/CanyonGame.h"

namespace canyon {

using namespace gamelib::api;

namespace {

constexpr int32_t kBankTicksPerFrame = 4;

// Points for destroying a unit, by object code. Twins score like the codes whose animations they share.
constexpr int32_t kPoints[data::kEntityCodes] = {0,   800, 800, 800, 800, 300, 300, 0,   0,   100, 100, 100, 200,
                                                 200, 600, 600, 600, 600, 600, 600, 600, 600, 0,   0,   0};

// Runs a stage the set-up goes on without when its pictures are not there; what it did not make stays
// null. Damaged pictures are reported.
template <class Stage>
void optional(Stage stage) {
  gamelib::ResourceDamage::skipMissing(ExceptionCode::Exception, stage);
}

// An animation of the frames the animation list names under key; a key the list lacks names one frame.
AnimationPtr listed(const char16_t* key) { return new Animation(TextTable::split(TextTable::getString(key), u';')); }

}  // namespace

void CanyonGame::init() {
  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  optional([&] {
    splash = GameLib::loadImage(data::kSplash);
    if (!splash.isNull()) {
      GameLib::graphics->drawImage(splash, w >> 1, (h - splash->getHeight()) >> 1, DGraphics::TOP_CENTRE);
    }
    GameLib::canvas->flush();
  });

  // Without a splash the menus show on their own ground.
  makeMenuFlow();
  GameMenu::loadImages();
  GameMenu::startLoading();

  GameImage::loadImageTable(data::kImageTable);
  GameMenu::advanceLoading();

  DStringArrayPtr sounds = new DStringArray(kSoundCount);
  for (int32_t i = 0; i < kSoundCount; ++i) (*sounds)[i] = data::kSounds[i];
  SoundManager::loadSounds(sounds);
  GameMenu::advanceLoading();

  deriveLengths();
  setState(STATE_MENU);
  buildMenu(MENU_MAIN);
  GameMenu::advanceLoading();

  TextTable::load(data::kAnimationList, false);
  loadAnimations();
  loadScreens();
  // A stored level past the levels there are reads as the last one.
  openLevel.load(1, levels->length);
  GameMenu::advanceLoading();

  loadPlane();
  GameMenu::advanceLoading();

  GameImage::imageTable->clear();
  GameLib::loadChosenTexts();

  optional([&] {
    panelLeft = GameLib::loadImage(data::kPanel);
    if (!panelLeft.isNull()) panelRight = DImage::createTransformedImage(panelLeft, DGraphics::TRANS_MIRROR);
    pausePicture = GameLib::loadImage(data::kPause);
  });
  GameMenu::advanceLoading();

  SoundManager::play(SOUND_MENU, 1, 0);
  makeShots();
  // The splash lives on in the menus' shaded copies only.
  splash = nullptr;
}

void CanyonGame::preparePlay() {
  deriveLengths();
  TextTable::load(data::kAnimationList, false);
  loadAnimations();
  loadScreens();
  loadPlane();
  makeShots();
}

void CanyonGame::makeShots() {
  shots = new BulletArray(kShotCount);
  for (int32_t i = 0; i < kShotCount; ++i) (*shots)[i] = new Bullet();
}

void CanyonGame::deriveLengths() {
  const int32_t c = GameImage::create(data::kCellTile)->w;
  cellSize = c;
  viewRows = GameLib::screenHeight / c + 1;
  baseSpeed = c * 3 / 16 + 1;
  steerStep = baseSpeed;
  enemyShotStep = c * 4 / 8;
  playerShotStep = c * 6 / 8;
  riverWidth = data::kColumns * c;
  screenPixels = data::kRowsPerScreen * c;
  viewHeight = viewRows * c;
  riverBuffer = DImage::createMutableImage(riverWidth, viewHeight + c);
  riverGraphics = riverBuffer->getGraphics();
}

void CanyonGame::loadPlane() {
  planeImage = GameImage::create(data::kPlane);
  lifeIcon = GameImage::create(data::kLifeIcon);
  barrelImage = GameImage::create(data::kBarrel);
  indicatorImage = GameImage::create(data::kIndicator);
  bankLeft = listed(data::kBankLeft);
  bankLeft->ticksPerFrame = kBankTicksPerFrame;
  bankRight = listed(data::kBankRight);
  bankRight->ticksPerFrame = kBankTicksPerFrame;
  shotImage = GameImage::create(data::kShot);
}

void CanyonGame::loadAnimations() {
  leftAnimations = new AnimationArray(data::kEntityCodes);
  rightAnimations = new AnimationArray(data::kEntityCodes);
  points = new DintArray(data::kEntityCodes);
  for (int32_t code = 0; code < data::kEntityCodes; ++code) {
    const int32_t twin = data::kTwinOf[code];
    if (twin != code) {
      (*leftAnimations)[code] = (*leftAnimations)[twin];
      (*rightAnimations)[code] = (*rightAnimations)[twin];
    } else {
      AnimationPtr left = listed(data::kLeftKeys[code]);
      (*leftAnimations)[code] = left;
      (*rightAnimations)[code] = data::kRightKeys[code] == nullptr ? left : listed(data::kRightKeys[code]);
    }
    (*points)[code] = kPoints[code];
  }
  airExplosion = listed(data::kAirExplosion);
  groundExplosion = listed(data::kGroundExplosion);
  enemyShotImage = GameImage::create(data::kEnemyShot);
}

void CanyonGame::leave() {
  SoundManager::stopAll();
  MenuFlow::leave(menuFlow);
  releaseGameObjects();
  GameImage::atlas = nullptr;
  SoundManager::release();
  // The main menu reads its texts from the table the animation list passed through.
  GameLib::loadChosenTexts();
}

}  // namespace canyon
