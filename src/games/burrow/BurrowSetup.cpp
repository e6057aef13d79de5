// The tunnel-digging game's set-up and release: the splash with its loading bar, settings, sounds, the atlas
// and the field's geometry, the menu, the frame panels, the objects of play and the key set-up.
#include <limits>
#include <span>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DStringArray.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/SoundManager.h"
#include "games/burrow/BurrowGame.h"

namespace burrow {

using namespace gamelib::api;

namespace {

// The loading bar: near the bottom, in five steps.
constexpr int32_t kProgressStep = 20;
constexpr int32_t kProgressBack = 0xFFFFFF;
constexpr int32_t kProgressBar = 0xFF0000;
// The last level may be played, and is stored when reached, but the level list offers at most the one before
// it; a level stored below 1 stands as it is.
constexpr int32_t kHighestListedLevel = data::kLastLevel - 1;
constexpr int32_t kNoLowestLevel = std::numeric_limits<int32_t>::min();

// The wobble shows its two tilts two paints each; the break opens in three.
constexpr int32_t kWobbleFrames[] = {1, 1, 2, 2};
constexpr int32_t kBreakFrames[] = {4, 5, 6};
constexpr int32_t kBagImage = 0;
constexpr int32_t kBagFallImage = 3;
constexpr int32_t kGoldImage = 6;

void flush() { GameLib::canvas->flush(); }

void advance() {
  GameMenu::advanceProgress();
  flush();
}

AnimationPtr bagAnimation(std::span<const int32_t> frames) {
  AnimationPtr a = new Animation(static_cast<int32_t>(frames.size()));
  for (int32_t f : frames) a->addFrame(GameImage::create((*bagFrames)[f]));
  a->ticksPerFrame = 1;
  return a;
}

}  // namespace

void BurrowGame::init() {
  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  DImagePtr splash;
  ResourceDamage::skipMissing(ExceptionCode::Exception, [&] {
    splash = GameLib::requireImage(data::kSplash);
    GameLib::graphics->drawImage(splash, w >> 1, (h - splash->getHeight()) >> 1, DGraphics::TOP_CENTRE);
    flush();
  });
  GameMenu::startProgress(h - (h >> 3), 0, kProgressStep, kProgressBack, kProgressBar);
  flush();

  openLevel.load(kNoLowestLevel, kHighestListedLevel, data::kLastLevel);
  DStringArrayPtr sounds = new DStringArray(kSoundCount);
  for (int32_t i = 0; i < kSoundCount; ++i) (*sounds)[i] = data::kSounds[i];
  advance();
  SoundManager::loadSounds(sounds);
  advance();

  loadSprites();
  advance();

  makePlayObjects();
  makeMenuFlow(splash);
  for (DImagePtr* p : {&panelTopImage, &panelBottomLImage, &panelBottomRImage, &panelBottomCImage, &pauseImage}) {
    *p = nullptr;
  }
  ResourceDamage::skipMissing(ExceptionCode::Exception, [] {
    panelTopImage = GameLib::requireImage(data::kPanelTop);
    panelBottomLImage = GameLib::requireImage(data::kPanelBottomL);
    panelBottomRImage = GameLib::requireImage(data::kPanelBottomR);
    panelBottomCImage = GameLib::requireImage(data::kPanelBottomC);
    pauseImage = GameLib::requireImage(data::kPauseButton);
  });
  ResourceDamage::skipMissing(ExceptionCode::IOException, [] {
    panelTop2Image = GameLib::requireImage(data::kPanelTop2);
    panelBottom2Image = GameLib::requireImage(data::kPanelBottom2);
  });
  ResourceDamage::skipMissing(ExceptionCode::IOException, [] {
    panelLImage = GameLib::requireImage(data::kPanelL);
    panelRImage = GameLib::requireImage(data::kPanelR);
  });
  gamePaused = false;
  advance();

  playSound(SOUND_MENU);
}

void BurrowGame::loadSprites() {
  ResourceDamage::skipMissing(ExceptionCode::IOException, [] { GameImage::loadImageTable(data::kImageTable); });
  // The earth tile's width is the cell of the whole game; a fifth of it is a move step.
  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  cellSize = static_cast<int8_t>(GameImage::create(data::kScaleTile)->w);
  moveStep = static_cast<int8_t>(cellSize / 5);
  scrollMarginX = scrollMarginY = 2 * cellSize;
  centreScrollY = scrollY = (h - mapRows * cellSize) >> 1;
  if (mapCols * cellSize < w) homeScrollX = scrollX = (w - mapCols * cellSize) >> 1;
  lastScrollX = scrollX;
  lastScrollY = scrollY;
  lifeIcon = GameImage::create(data::kLifeIcon);
}

void BurrowGame::makePlayObjects() {
  theLevel = new Level();
  firebolt = new Firebolt();
  player = new Player();
  populateLevel();
}

void BurrowGame::populateLevel() {
  monsters = new MonsterArray(maxMonsters);
  bags = new BagArray(maxBags);
  Level::setup();
  player->initAnimations();
  firebolt->reset();
  bagImage = GameImage::create((*bagFrames)[kBagImage]);
  bagFallImage = GameImage::create((*bagFrames)[kBagFallImage]);
  goldImage = GameImage::create((*bagFrames)[kGoldImage]);
  bagWobbleAnim = bagAnimation(kWobbleFrames);
  bagBreakAnim = bagAnimation(kBreakFrames);
  for (int32_t i = 0; i < maxBags; ++i) (*bags)[i] = new Bag();
  monstersLeft = maxMonsters;
  for (int32_t i = 0; i < maxMonsters; ++i) (*monsters)[i] = new Monster();
  stepDelay = levelStartDelay;
}

void BurrowGame::leave() {
  MenuFlow::leave(menuFlow);
  releaseGameObjects();
}

void BurrowGame::releaseGameObjects() {
  Level::releaseImages();
  if (!player.isNull()) player->releaseAnimations();
  if (!firebolt.isNull()) firebolt->releaseAnimations();
  SoundManager::stopAll();
  burrow::releaseGameObjects();
}

}  // namespace burrow
