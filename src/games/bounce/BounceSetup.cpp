// The brick-and-paddle game's set-up and release: the splash with its loading bar, options, pictures,
// animations, sounds, texts, the menus and the long-lived objects of play.
#include <memory>

#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "games/bounce/Bounce.h"

namespace bounce {

using gamelib::Animation;
using gamelib::AnimationArray;
using gamelib::GameImage;
using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::SoundManager;
using gamelib::TextTable;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;

namespace {

// The loading screen stays at least this long, however fast the loading is.
constexpr int64_t kMinLoadingMs = 1500;
constexpr int32_t kProgressStep = 10;
constexpr int32_t kProgressBack = 0xFFFFFF;
constexpr int32_t kProgressBar = 0xFF0000;
constexpr int32_t kMenuShade = -161;
constexpr int32_t kScoreShade = -160;
// Left, right and fire may be rebound.
constexpr int32_t kRemappableActions = 0x1C;
constexpr int32_t kParticlesPerBaseWidth = 100;
constexpr int32_t kEnemyKinds = 3;
constexpr int32_t kBonusKinds = 12;

constexpr const char16_t* kSoundFiles[kSoundCount] = {
    u"/data/bnc/sound/menu",          u"/data/bnc/sound/game",
    u"/data/bnc/sound/Respawn",       u"/data/bnc/sound/die",
    u"/data/bnc/sound/boom",          u"/data/bnc/sound/HitBrick",
    u"/data/bnc/sound/HitPlatform",   u"/data/bnc/sound/HitUndestroyBrick",
    u"/data/bnc/sound/HitRegenBrick", u"/data/bnc/sound/shoot",
    u"/data/bnc/sound/HitWall"};

void advance() {
  GameMenu::advanceProgress();
  GameLib::canvas->flush();
}

// The code of the chosen language; English until one is chosen.
DStringPtr languageCode() {
  const auto& codes = GameLib::languageCodes;
  int32_t i = GameLib::languageIndex;
  if (codes.isNull() || i < 0 || i >= codes->length) return u"en";
  return (*codes)[i];
}

}  // namespace

void Bounce::init() {
  int64_t start = nuv::lang::DSystem::currentTimeMillis();
  gameState = STATE_LOADING;
  const int32_t w = GameLib::screenWidth;
  const int32_t h = GameLib::screenHeight;

  splashImage = GameLib::loadImage(u"bnc/splash");
  GameLib::graphics->drawImage(splashImage, w >> 1, (h - splashImage->getHeight()) >> 1,
                               nuv::microedition::lcdui::DGraphics::TOP | nuv::microedition::lcdui::DGraphics::HCENTER);
  GameMenu::startProgress(h - (h >> 3), 0, kProgressStep, kProgressBack, kProgressBar);
  loadingBarShown_ = true;
  GameLib::canvas->flush();

  SoundManager::setSfxLevel(GameMenu::loadOption(gameKey + u"sfx_level", 2));
  SoundManager::setMusicLevel(GameMenu::loadOption(gameKey + u"music_level", 2));
  // A stored level outside the rounds there are reads as the nearest one.
  openLevel = GameMenu::loadOption(gameKey + u"openlevel", 1);
  if (openLevel > lastRound) openLevel = lastRound;
  if (openLevel < 1) openLevel = 1;

  DStringArrayPtr sounds = new DStringArray(kSoundCount);
  for (int32_t i = 0; i < kSoundCount; ++i) (*sounds)[i] = kSoundFiles[i];

  GameImage::loadImageTable(u"bnc/all");
  brickWidth = GameImage::create(u"b1_0.png")->w;
  enemySpeed = brickWidth / baseBrickWidth;
  bonusAnimations = new AnimationArray(kBonusKinds + 1);
  enemyAnimations = new AnimationArray(kEnemyKinds);
  advance();

  SoundManager::loadSounds(sounds);
  advance();

  lifeIcon = GameImage::create(u"lifeIcon.png");
  abyssImage = GameImage::create(u"abyss.png");
  menu = new GameMenu();
  menu->setBackground(splashImage, kMenuShade);
  menu->loadHelp(u"/txt/bnc/" + languageCode() + u"_help.txt", nullptr);
  buildMenu();
  scoreMenu = new GameMenu();
  scoreMenu->loadHighScores(kHighScoreTable, gameKey);
  scoreMenu->setBackground(splashImage, kScoreShade);
  scoreMenu->mode = GameMenu::MODE_TABLE;

  ballSmallImage = GameImage::create(u"ballSmall.png");
  ballImage = GameImage::create(u"ball1.png");
  ballBigImage = GameImage::create(u"ballBig.png");
  bulletImage = GameImage::create(u"bullet.png");
  bombImage = GameImage::create(u"bomba-monstr_0.png");
  advance();

  // From here on the text table holds the animation list, until the language texts come back.
  TextTable::parse(GameLib::loadFile(GameLib::resolvePath(u"graphics/", u"bnc/anim.txt")), false);
  fireSmallAnimation = loadAnimation(u"ballFireSmall");
  fireAnimation = loadAnimation(u"ballFire");
  fireBigAnimation = loadAnimation(u"ballFireBig");
  for (int32_t k = 0; k < kEnemyKinds; ++k) (*enemyAnimations)[k] = loadAnimation(DStringPtr(u"monst") + k);
  advance();
  (*bonusAnimations)[0] = nullptr;
  for (int32_t k = 1; k <= kBonusKinds; ++k) {
    gamelib::AnimationPtr a = loadAnimation(DStringPtr(u"bnc_bon") + k);
    a->restart();
    (*bonusAnimations)[k] = a;
  }
  advance();

  round = 1;
  balls = new BallArray(ballSlots);
  enemies = new EnemyArray(enemySlots);
  platform = new Platform();
  for (int32_t s = 0; s < ballSlots; ++s) (*balls)[s] = new Ball(Ball::ROLE_BALL);
  advance();

  brickList = new BrickList();
  for (int32_t e = 0; e < enemySlots; ++e) (*enemies)[e] = new Enemy();
  brickList->score = 0;
  platform->balls = balls;
  platform->loadImages();
  for (int32_t s = 0; s < ballSlots; ++s) {
    (*balls)[s]->leftMargin = fieldLeft;
    (*balls)[s]->topEdge = brickList->top;
  }
  advance();

  particles = new nuv::lang::DintArray2d(brickWidth * kParticlesPerBaseWidth / baseBrickWidth, kParticleFields);
  resetPlay();
  TextTable::load(u"/txt/res_" + languageCode(), true);

  gamelib::CustomControlsPtr controls = new gamelib::CustomControls(kRemappableActions);
  gamelib::CustomControls::current = controls;
  controls->init(gameKey);
  controls->background = GameMenu::shadeImage(splashImage, kScoreShade, 0, splashImage->getWidth());
  GameLib::canvas->setKeyMap(kPlayKeyMap, controls->load());

  // The menu comes with the first step after the loading screen's least time.
  stateTime = start;
}

void Bounce::finishLoading() {
  if (nuv::lang::DSystem::currentTimeMillis() - stateTime < kMinLoadingMs) return;
  advance();
  loadingBarShown_ = false;
  gameState = STATE_MENU;
  if (!SoundManager::players.isNull()) SoundManager::play(SOUND_MENU, 1, 0);
}

void Bounce::leave() {
  SoundManager::stopAll();
  if (!menu.isNull()) menu->releaseImage();
  releaseGameObjects();
  gamelib::CustomControls::current = nullptr;
  balls = nullptr;
  enemies = nullptr;
  releaseScratch();
  lifeIcon = nullptr;
  abyssImage = nullptr;
  splashImage = nullptr;
}

}  // namespace bounce
