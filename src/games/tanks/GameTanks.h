// The tanks game's playfield: the stage loader, the 30 ms step of a battle (bullets, tanks, spawning, the
// player's controls, the enemies' decisions), the rules of hits, bonuses and the base guard, and the
// drawing of the field. Files: GameTanks.cpp (life cycle and step), GameTanksStage.cpp (stage loader and
// base guard), GameTanksRules.cpp (moves, hits, bonuses), GameTanksPaint.cpp (sprites, layers, paint).
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "core/lang/DTypedArray.h"
#include "core/lang/DintArray2d.h"
#include "gamelib/GameImage.h"
#include "games/tanks/GBUL.h"
#include "games/tanks/GITM.h"
#include "games/tanks/GTNK.h"
#include "shell/lcdui/DImage.h"

namespace tanks {

class GameMain;
using GameMainPtr = nuv::lang::DPtr<GameMain>;

using DImageArray = nuv::lang::DTypedArray<nuv::microedition::lcdui::DImage>;
using DImageArrayPtr = nuv::lang::DPtr<DImageArray>;

class GameTanks : public nuv::lang::DObject {
 public:
  static constexpr int32_t kEnemies = 20;
  static constexpr int32_t kPlayerIndex = 20;
  static constexpr int32_t kPlayerBullets = 10;
  static constexpr int32_t kSpawnRows = 6;
  static constexpr int32_t kStartLives = 3;
  static constexpr int32_t kTopType = 3;
  // Sound ids the playfield plays.
  static constexpr int32_t SOUND_SHOT = 3;
  static constexpr int32_t SOUND_BLOW = 4;

  GameTanks();
  ~GameTanks() override;
  const char* getClassName() const override { return "GameTanks"; }

  // Units and sprites; the sizes and bullet speeds from the sprites.
  virtual void loadImages(GameMainPtr newOwner);
  // Lets go of what loadImages made. Not named release: that name counts references in the object model.
  virtual void releaseAll();
  virtual void newGame();
  virtual void nextBattle();
  virtual void endBattle(bool won);
  // The stage numbered `stage` into the grid and the units. A stage file that is not there, or a stage
  // without base or spawn points, leaves stageLoaded clear and says why in loadError; a damaged stage
  // file is reported (ResourceDamage).
  virtual void loadStage();
  virtual void drawBlock(int32_t x, int32_t y, int32_t waterFrame);
  virtual void renderLayer(int32_t layer, int32_t waterFrame);
  virtual void paint();
  virtual void countKill(int32_t type);
  // One step; 0 once the battle is over and its end time has passed.
  virtual int32_t tick();
  // Whether the bullet flies on.
  virtual bool bulletHit(GBUL& bullet);
  virtual void aimEnemy(int32_t roll, GTNK& enemy);
  virtual void tryMove(GTNK& tank, int32_t newDirection);
  virtual int32_t findFreeTank();
  virtual int32_t nextSpawnPoint();
  virtual void placeBonus();
  virtual void clearMarkedBlock();
  virtual bool expireMarkedBlock();
  virtual void collectBaseGuard();
  virtual void fortifyBase(bool on);

  // Field placement on the screen, as painted.
  int32_t offsetX() const;
  int32_t offsetY() const;
  // The enemy's bonus was taken by the player's tank.
  void takeBonus();

  int32_t stageCount = 20;
  // Not counted: the screen owns the playfield, so a count here would keep both alive for ever.
  GameMain* owner = nullptr;
  int64_t bonusLifetime = 0;
  int64_t freezeTimer = 0;
  int64_t shieldTimer = 0;
  int64_t fortifyTimer = 0;
  int64_t endTime = 0;
  int64_t newUnitTimer = 0;
  int32_t baseX = 20;
  int32_t baseY = 40;
  // Rows of item index and recorded kind.
  nuv::lang::DintArray2dPtr baseGuard;
  int32_t bonusKind = 0;
  int32_t bonusX = 0;
  int32_t bonusY = 0;
  int32_t spawnCounter = 0;
  int32_t spawnCount = 0;
  int32_t stage = 1;
  int32_t score = 0;
  // Byte k: enemies of type & 3 = k destroyed in this stage.
  int32_t killCounters = 0;
  int32_t textX = 0;
  DImageArrayPtr layers;
  bool layersDirty = true;
  // The stage file the loader reads; the game's own unless a test gives another.
  nuv::lang::DStringPtr stageFile;
  // Why the last stage did not load; null when it did.
  nuv::lang::DStringPtr loadError;

 private:
  void stepBullets();
  void readControls();
  void fire();
  void enemyDecides(int32_t index);
  void markTank(GTNK& tank, int32_t index);
  void unmarkTank(GTNK& tank);
  void destroyEnemy(int32_t index);
  void hitPlayer();
  void explodeEffect(int32_t x, int32_t y);
  bool stopsBullet(int32_t x, int32_t y) const;
  // The block drawn again into the ground layer, once that exists.
  void redrawBlock(int32_t x, int32_t y);
  void drawUnit(const gamelib::GameImagePtr& sprite, int32_t posX, int32_t posY, int32_t originX, int32_t originY);
  gamelib::GameImagePtr tankSprite(const GTNK& tank, bool isPlayer) const;
  void paintBullets(const GBUL& bullet, int32_t originX, int32_t originY);
  int32_t readStage();
  nuv::lang::DStringPtr stageFileName();
  void loadSprites();
};

using GameTanksPtr = nuv::lang::DPtr<GameTanks>;

// The units of the battle.
inline GTNKPtr player;
inline GTNKArrayPtr enemies;
inline GBULArrayPtr playerBullets;
inline GBULArrayPtr enemyBullets;
inline GITMArrayPtr items;
// Row 0 the player's spawn, rows 1-5 the enemies': x, y, direction; -1 when unused.
inline nuv::lang::DintArray2dPtr spawnTable;

// Sprites.
inline gamelib::GameImageArrayPtr playerSprites;  // type * 8 + frame + direction
inline gamelib::GameImageArrayPtr enemySprites;
inline gamelib::GameImageArrayPtr reserveIcons;
inline gamelib::GameImageArrayPtr groundSprites;  // by terrain: road, grass, water0, water1, ruin, ice, sand
inline gamelib::GameImagePtr coverSprite;
inline gamelib::GameImageArrayPtr baseSprites;
inline gamelib::GameImageArrayPtr bonusSprites;
inline gamelib::GameImageArrayPtr appearSprites;
inline gamelib::GameImageArrayPtr shieldSprites;
inline gamelib::GameImageArrayPtr bulletSprites;
inline gamelib::GameImageArrayPtr explosionSprites;
inline gamelib::GameImageArray2dPtr houseSprites;
inline gamelib::GameImagePtr obstacleSprite;
inline gamelib::GameImageArray2dPtr wallPairs;
inline gamelib::GameImageArrayPtr wallPair;

// The units and sprites let go.
void releaseUnits();

}  // namespace tanks
