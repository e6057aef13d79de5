// The brick-and-paddle game's set-up and release: the splash with its loading bar, options, pictures,
// animations, sounds, texts, the menus and the long-lived objects of play.
#include <memory>

#include "gamelib/GameApi.h"
#include "games/bounce/Bounce.h"

namespace bounce {

using namespace gamelib::api;

namespace {

// The loading screen stays at least this long, however fast the loading is.
constexpr int64_t kMinLoadingMs = 1500;
constexpr int32_t kParticlesPerBaseWidth = 100;

}  // namespace

void Bounce::init() {
  int64_t start = DSystem::currentTimeMillis();
  gameState = STATE_LOADING;

  splashImage = GameLib::loadImage(data::kSplash);
  GameLib::graphics->drawImage(splashImage, GameLib::screenWidth >> 1,
                               (GameLib::screenHeight - splashImage->getHeight()) >> 1, DGraphics::TOP_CENTRE);
  GameMenu::startLoading();
  loadingBarShown_ = true;

  // A stored level outside the rounds there are reads as the nearest one.
  openLevel.load(1, lastRound);

  DStringArrayPtr sounds = new DStringArray(kSoundCount);
  for (int32_t i = 0; i < kSoundCount; ++i) (*sounds)[i] = data::kSounds[i];
  SoundManager::loadSounds(sounds);
  GameMenu::advanceLoading();

  GameMenu::advanceLoading();

  loadSprites();
  makePlayObjects();
  makeMenuFlow();
  buildMenu();

  // The menu comes with the first step after the loading screen's least time.
  stateTime = start;
}

void Bounce::loadSprites() {
  GameImage::loadImageTable(data::kImageTable);
  brickWidth = GameImage::create(data::kScaleBrick)->w;
  enemySpeed = brickWidth / baseBrickWidth;
  lifeIcon = GameImage::create(data::kLifeIcon);
  abyssImage = GameImage::create(data::kAbyss);
  ballSmallImage = GameImage::create(data::kBallSmall);
  ballImage = GameImage::create(data::kBall);
  ballBigImage = GameImage::create(data::kBallBig);
  bulletImage = GameImage::create(data::kBullet);
  bombImage = GameImage::create(data::kBomb);
  GameMenu::advanceLoading();

  // From here on the text table holds the animation list, until the language texts come back.
  Animation::loadList(data::kAnimationList);
  fireSmallAnimation = loadAnimation(data::kFireSmall);
  fireAnimation = loadAnimation(data::kFire);
  fireBigAnimation = loadAnimation(data::kFireBig);
  enemyAnimations = new AnimationArray(data::kEnemyKinds);
  for (int32_t k = 0; k < data::kEnemyKinds; ++k) {
    (*enemyAnimations)[k] = loadAnimation(DStringPtr(data::kEnemyPrefix) + k);
  }
  GameMenu::advanceLoading();
  bonusAnimations = new AnimationArray(data::kBonusKinds + 1);
  for (int32_t k = 1; k <= data::kBonusKinds; ++k) {
    AnimationPtr a = loadAnimation(DStringPtr(data::kBonusPrefix) + k);
    a->restart();
    (*bonusAnimations)[k] = a;
  }
  GameMenu::advanceLoading();
}

void Bounce::makePlayObjects() {
  round = 1;
  balls = new BallArray(ballSlots);
  enemies = new EnemyArray(enemySlots);
  platform = new Platform();
  for (int32_t s = 0; s < ballSlots; ++s) (*balls)[s] = new Ball(Ball::ROLE_BALL);
  GameMenu::advanceLoading();

  brickList = new BrickList();
  for (int32_t e = 0; e < enemySlots; ++e) (*enemies)[e] = new Enemy();
  brickList->score = 0;
  platform->balls = balls;
  platform->loadImages();
  for (int32_t s = 0; s < ballSlots; ++s) {
    (*balls)[s]->leftMargin = fieldLeft;
    (*balls)[s]->topEdge = brickList->top;
  }
  GameMenu::advanceLoading();

  particles = new DintArray2d(brickWidth * kParticlesPerBaseWidth / baseBrickWidth, kParticleFields);
  resetPlay();
}

void Bounce::finishLoading() {
  if (DSystem::currentTimeMillis() - stateTime < kMinLoadingMs) return;
  GameMenu::advanceLoading();
  loadingBarShown_ = false;
  gameState = STATE_MENU;
  SoundManager::play(SOUND_MENU, 1, 0);
}

void Bounce::leave() {
  SoundManager::stopAll();
  MenuFlow::leave(menuFlow);
  releaseGameObjects();
  balls = nullptr;
  enemies = nullptr;
  releaseScratch();
  lifeIcon = nullptr;
  abyssImage = nullptr;
  splashImage = nullptr;
}

}  // namespace bounce
