// The space-rocks game's set-up and release: the splash with its loading bar, options, sounds, sprites,
// the menu, texts, the star field, the ship and the key set-up; and the set-up of each level.

#include "core/util/DRandom.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "games/rocks/Rocks.h"

namespace rocks {

using namespace gamelib::api;

namespace {

constexpr int32_t kSplashColour = 0xFFFFFF;
// The ship's thrust ramp for a 27-pixel ship; its last entry is the top speed.
constexpr int32_t kSpeedRamp[] = {0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 7, 7};
constexpr int32_t kDesignStarsPerLayer = 50;
constexpr int32_t kFixedShift = 16;
// Rock sizes and what each costs of a level's budget.
constexpr int32_t kLarge = 1;
constexpr int32_t kMedium = 2;
constexpr int32_t kSmall = 3;
constexpr int32_t kUnitsOf[] = {0, 4, 2, 1};
constexpr int32_t kBudgetChoices = 7;
// The first rocks of a level start upwards, and so do the first two saucers of each type.
constexpr int32_t kUpwardRocks = 5;
constexpr int32_t kUpwardSaucers = 2;
constexpr int32_t kSaucerSize = 150;
constexpr int32_t kSaucerTypeArg = 150;

}  // namespace

void Rocks::init() {
  gameState = STATE_MENU;
  DGraphics& g = *GameLib::graphics;
  g.setColor(kSplashColour);
  splash = nullptr;
  ResourceDamage::skipMissing(ExceptionCode::IOException, [&] {
    splash = GameLib::loadImage(data::kSplash);
    if (!splash.isNull()) {
      g.drawImage(splash, GameLib::screenWidth / 2, GameLib::screenHeight / 2, DGraphics::CENTRE);
    }
  });
  GameMenu::startLoading();

  GameLib::random = new nuv::util::DRandom();
  GameMenu::advanceLoading();

  boundsOn = GameMenu::loadOption(gameKey + u"B", 0) != 0;
  GameMenu::advanceLoading();

  DStringArrayPtr sounds = new DStringArray(kSoundCount);
  for (int32_t i = 0; i < kSoundCount; ++i) (*sounds)[i] = data::kSounds[i];
  GameMenu::advanceLoading();
  ResourceDamage::skipMissing(ExceptionCode::Exception, [&] { SoundManager::loadSounds(sounds); });
  GameMenu::advanceLoading();

  loadSprites();
  GameMenu::advanceLoading();
  GameMenu::advanceLoading();

  makeMenuFlow();
  buildMenu(MENU_START);
  GameMenu::advanceLoading();

  youWinText = TextTable::getString(u"youwin");
  pauseText = TextTable::getString(u"pause");
  scoreText = TextTable::getString(u"score");
  gameOverText = TextTable::getString(u"gameover");
  levelText = TextTable::getString(u"level");
  GameMenu::advanceLoading();

  makePlayObjects();
  GameMenu::advanceLoading();

  playSound(SOUND_MENU);
}

void Rocks::loadSprites() {
  ResourceDamage::skipMissing(ExceptionCode::Exception, [] { GameImage::loadImageTable(data::kImageTable); });

  waveImages = new GameImageArray2d(data::kWaveRows, data::kWaveFrames * 4);
  for (int32_t i = 1; i <= data::kWaveRows; ++i) {
    GameImageArray& row = *(*waveImages)[i - 1];
    for (int32_t j = 1; j <= data::kWaveFrames; ++j) {
      DStringPtr name = ((DStringPtr(data::kWavePrefix) + i) + u"_") + j;
      row[j - 1] = GameImage::create(name);
      row[j + 6] = GameImage::create(name + u"_up");
      row[j + 13] = GameImage::create(name + u"_dn");
      row[j + 20] = GameImage::create(name + u"_lv");
    }
  }
  bpImages = new GameImageArray(data::kSparkPictures);
  for (int32_t n = 0; n < data::kSparkPictures; ++n)
    (*bpImages)[n] = GameImage::create(DStringPtr(data::kSparkPrefix) + n);
  pImages = new GameImageArray(data::kDebrisPictures);
  for (int32_t n = 1; n <= data::kDebrisPictures; ++n) {
    (*pImages)[n - 1] = GameImage::create(DStringPtr(data::kDebrisPrefix) + n);
  }

  // Without the ship's picture the game keeps the design scale.
  GameImagePtr scale = GameImage::create(data::kScaleImage);
  shipWidth = scale.isNull() || scale->w < 1 ? designShipWidth : scale->w;
  speedTable = new DintArray(static_cast<int32_t>(std::size(kSpeedRamp)));
  for (int32_t i = 0; i < speedTable->length; ++i) (*speedTable)[i] = scaled(kSpeedRamp[i]);

  lifePanel = GameImage::create(data::kLifePanel);
  scorePanel = GameImage::create(data::kScorePanel);
}

void Rocks::makePlayObjects() {
  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  starsPerLayer = scaled(kDesignStarsPerLayer);
  stars = new DintArray2d(starLayers * starsPerLayer, 2);
  for (int32_t i = stars->length - 1; i >= 0; --i) {
    int32_t* star = (*stars)[i]->data();
    star[0] = static_cast<int32_t>(magnitude(nextRandom()) % w) << kFixedShift;
    star[1] = static_cast<int32_t>(magnitude(nextRandom()) % h) << kFixedShift;
  }
  ship = new Ship();
  ship->loadImages();
}

void Rocks::leave() {
  waveImages = nullptr;
  bpImages = nullptr;
  pImages = nullptr;
  stars = nullptr;
  ship = nullptr;
  shots = nullptr;
  shotCount = 0;
  MenuFlow::leave(menuFlow);
  splash = nullptr;
  SoundManager::stopAll();
}

void Rocks::startLevel(int32_t newLevel, int32_t newScore) {
  ScreenCanvas::resetInput();
  const int32_t picture = (level - 1) % data::kLevelPictures + 1;
  // A picture that is not there leaves the one before.
  ResourceDamage::skipMissing(ExceptionCode::Exception, [&] {
    auto loaded = GameLib::loadImage(DStringPtr(data::kLevelPicturePrefix) + picture);
    if (!loaded.isNull()) background = loaded;
  });
  ship->reset();
  score = newScore;
  fireCounter = 0;

  // Rocks: a budget of 0 to 6 units, whatever the level.
  const int32_t budget = static_cast<int32_t>(magnitude(nextRandom() % kBudgetChoices));
  rockArray = new FlyingOArray(budget);
  for (int32_t used = 0, i = 0; used < budget; ++i) {
    const int32_t remaining = budget - used;
    int32_t size = kSmall;
    if (remaining >= kUnitsOf[kLarge]) {
      size = nextRandom() % 2 + 2;
    } else if (remaining >= kUnitsOf[kMedium]) {
      size = static_cast<int32_t>(magnitude(nextRandom() % 2)) + 1;
    }
    // A large rock on a budget of 2 or 3 still costs 4.
    used += kUnitsOf[size];
    const int32_t type = size == kSmall ? nextRandom() % 2 + 2 : static_cast<int32_t>(magnitude(nextRandom() % 2)) + 1;
    FlyingOPtr rock = new FlyingO(FlyingO::RANDOM, 0, FlyingO::RANDOM, 0, 1, size, type, nullptr, -1);
    if (i < kUpwardRocks && rock->dy > 0) rock->dy = -rock->dy;
    (*rockArray)[i] = rock;
  }

  // Saucers: more of them and larger ones as the levels go on.
  const int32_t counts[] = {newLevel % 3 == 0 ? 3 : newLevel % 3, newLevel > 3 ? (newLevel - 4) / 6 + 1 : 0,
                            newLevel > 6 ? (newLevel - 7) / 9 + 1 : 0};
  liveUfos = counts[0] + counts[1] + counts[2];
  ufos = new FlyingOArray(liveUfos);
  rockets = new FlyingOArray(counts[2]);
  int32_t place = 0;
  for (int32_t type = 1; type <= data::kSaucerTypes; ++type) {
    for (int32_t j = 0; j < counts[type - 1]; ++j) {
      FlyingOPtr saucer = new FlyingO(FlyingO::RANDOM, 0, FlyingO::RANDOM, 0, 1, kSaucerSize, kSaucerTypeArg,
                                      DStringPtr(data::kSaucerPrefix) + type, 0);
      if (j < kUpwardSaucers && saucer->dy > 0) saucer->dy = -saucer->dy;
      (*ufos)[place++] = saucer;
    }
  }

  burstCount = 0;
  shotCount = 0;
  stateTimer = 0;
  for (int32_t i = 0; i < particles->length; ++i) (*(*particles)[i])[P_STATE] = FREE;
  for (int32_t i = 0; i < particleSlots->length; ++i) {
    (*(*particleSlots)[i])[BURST_PHASE] = FREE;
    (*(*particleSlots)[i])[BURST_COUNTER] = 0;
  }
  for (int32_t i = 0; i < shots->length; ++i) (*shots)[i] = nullptr;
  for (int32_t i = 0; i < rockets->length; ++i) (*rockets)[i] = nullptr;
  backgroundX = 0;
  backgroundY = 0;
}

}  // namespace rocks
