// The alien-formation game's set-up and leave: the splash with its loading bar, options, sounds, pictures
// and animations, the screen-scaled sizes and speeds, the formation, the menu and the key set-up.
#include "gamelib/GameApi.h"
#include "games/swarm/Swarm.h"

namespace swarm {

using namespace gamelib::api;

namespace {

// Paints per frame of each animation.
constexpr int32_t kShipFlameTicks = 2;
constexpr int32_t kShipExplosionTicks = 4;
constexpr int32_t kShotTicks = 2;
constexpr int32_t kAlienExplosionTicks = 2;
constexpr int32_t kFormationTicks = 5;

// The design screen: horizontal values scale by W / 176, vertical ones by H / 208.
constexpr int32_t kDesignWidth = 176;
constexpr int32_t kDesignHeight = 208;
int32_t across(int32_t value) { return value * GameLib::screenWidth / kDesignWidth; }
int32_t down(int32_t value) { return value * GameLib::screenHeight / kDesignHeight; }

// The animation whose frames the animation list names under the key, separated by ';'.
AnimationPtr listedAnimation(const char16_t* key, int32_t ticks) {
  DStringArrayPtr names = TextTable::split(TextTable::getString(key), u';');
  AnimationPtr animation = new Animation(names);
  animation->ticksPerFrame = ticks;
  return animation;
}

DStringPtr alienPicture(int32_t kind, const char16_t* suffix) {
  return (DStringPtr(data::kAlienPrefix) + (kind + 1)) + suffix;
}

int32_t frameWidth(const AnimationPtr& animation) { return (*animation->frames)[0]->w; }
int32_t frameHeight(const AnimationPtr& animation) { return (*animation->frames)[0]->h; }

}  // namespace

void Swarm::init() {
  lastLevel = data::kLastLevel;
  DImagePtr splash = GameLib::loadImage(data::kSplash);
  if (!splash.isNull()) {
    GameLib::graphics->drawImage(splash, GameLib::screenWidth >> 1, (GameLib::screenHeight - splash->getHeight()) >> 1,
                                 DGraphics::TOP_CENTRE);
  }
  GameMenu::startLoading();

  GameMenu::advanceLoading();
  DStringArrayPtr sounds = new DStringArray(kSoundCount);
  for (int32_t i = 0; i < kSoundCount; ++i) (*sounds)[i] = data::kSounds[i];
  SoundManager::loadSounds(sounds);
  GameMenu::advanceLoading();

  loadSprites();
  makePlayObjects();

  // The flow brings the language's texts back after the animation list.
  menuKind = MENU_START;
  makeMenuFlow(splash);
  buildMenu(MENU_START);
  gameState = STATE_MENU;
  GameMenu::advanceLoading();

  playSound(SOUND_MENU);
}

void Swarm::loadSprites() {
  GameImage::loadImageTable(data::kImageTable);
  GameMenu::advanceLoading();

  lifeImage = GameImage::create(data::kLife);
  levelImage = GameImage::create(data::kLevel);
  shipImage = GameImage::create(data::kShip);
  shipWidth = shipImage->w;
  shipHalfWidth = shipWidth / 2;
  shipHeight = shipImage->h;
  bulletImage = GameImage::create(data::kBullet);
  planetImages = new GameImageArray(data::kPlanets);
  for (int32_t p = 0; p < data::kPlanets; ++p) (*planetImages)[p] = GameImage::create(data::kPlanetNames[p]);
  GameMenu::advanceLoading();

  alienImages = new GameImageArray2d(data::kAlienKinds, data::kDirections);
  for (int32_t k = 0; k < data::kAlienKinds; ++k) {
    for (int32_t j = 0; j < data::kDirections; ++j) {
      (*alienImages)[k][j] = GameImage::create(alienPicture(k, data::kDirectionSuffixes[j]));
    }
  }
  GameMenu::advanceLoading();

  // From here on the text table holds the animation list, until init loads the language's texts again.
  Animation::loadList(data::kAnimationList);
  shipAnimation = listedAnimation(data::kShipFlame, kShipFlameTicks);
  shipExplosion = listedAnimation(data::kShipExplosion, kShipExplosionTicks);
  shotAnimation = listedAnimation(data::kShot, kShotTicks);
  shotAnimation->restart();
  alienExplosion = listedAnimation(data::kAlienExplosion, kAlienExplosionTicks);

  alienAnimations = new AnimationArray(data::kAlienKinds);
  for (int32_t k = 0; k < data::kAlienKinds; ++k) {
    AnimationPtr animation = new Animation(data::kFormationFrames);
    for (const char16_t* suffix : data::kFormationSuffixes)
      animation->addFrame(GameImage::create(alienPicture(k, suffix)));
    animation->ticksPerFrame = kFormationTicks;
    (*alienAnimations)[k] = animation;
  }
  alienWidth = formationCellWidth = frameWidth((*alienAnimations)[0]);
  alienHeight = formationCellHeight = frameHeight((*alienAnimations)[0]);
  alienHalfWidth = alienWidth / 2;
  alienHalfHeight = alienHeight / 2;
  explosionHalfWidth = frameWidth(alienExplosion) / 2;
  explosionHalfHeight = frameHeight(alienExplosion) / 2;
  GameMenu::advanceLoading();
}

void Swarm::makePlayObjects() {
  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  screenWidth = flightWidth = swayLimit = w;
  screenHeight = flightHeight = h;
  shipX = w / 2;
  shipMaxX = w - shipHalfWidth;
  shipY = h - shipHeight - frameHeight(shipAnimation);

  enemyShots = new DintArray2d(kShotSlots, 2);
  for (int32_t i = 0; i < kShotSlots; ++i) (*enemyShots)[i][0] = NONE;
  playerShot = new DintArray(2);
  (*playerShot)[0] = NONE;
  hitMargin = across(2);
  playerShotSpeed = down(8);
  enemyShotSpeed = down(4);
  diveDescentSpeed = down(2);
  shipSpeed = across(3);
  swaySpeed = across(1);
  GameMenu::advanceLoading();

  const int32_t rows = rowLength->length;
  diveCandidates = new AlienShipArray(kDiveCandidates);
  formation = new AlienShipArray2d(rows);
  int32_t count = 0;
  for (int32_t r = 0; r < rows; ++r) {
    AlienShipArrayPtr line = new AlienShipArray((*rowLength)[r]);
    for (int32_t c = 0; c < line->length; ++c) {
      AlienShipPtr alien = new AlienShip();
      alien->images = (*alienImages)[r];
      alien->setAnimations((*alienAnimations)[r], alienExplosion);
      alien->points = (*rowScore)[r];
      alien->row = r;
      alien->column = c;
      (*line)[c] = alien;
    }
    (*formation)[r] = line;
    count += line->length;
  }
  allAliens = new AlienShipArray(count);
  int32_t i = 0;
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < (*formation)[r]->length; ++c) (*allAliens)[i++] = (*formation)[r][c];
  }
  aliensLeft = count;
  GameMenu::advanceLoading();

  starsPerLayer = down(50);
  stars = new DintArray2d(STAR_LAYERS * starsPerLayer, 2);

  climbSpeedMax = loopSpeedLimit = down(100000);
  climbAcceleration = loopAcceleration = down(5000);
  loopBrake = down(1200);
  steerHard = across(5000);
  steerSoft = across(2000);
  climbSpeedX = across(65536);
  GameMenu::advanceLoading();
}

void Swarm::leave() {
  SoundManager::stopAll();
  MenuFlow::leave(menuFlow);
  releaseGameObjects();
}

}  // namespace swarm
