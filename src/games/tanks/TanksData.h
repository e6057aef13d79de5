// What the tanks game is, by name and number: its key and folders, every picture, image-table key, sound,
// text and tuning key it looks up, and the stage file with its sizes. The game, the data checker and the
// tests read these; nothing here depends on anything else, and no list of them is written anywhere else.
#pragma once

#include <cstdint>

namespace tanks::data {

// The key names the game's option, high-score and key stores and its texts; the folder its data.
inline constexpr const char16_t* kGameKey = u"tanks";
inline constexpr const char16_t* kFolder = u"tanks";
// Up, down, left, right and fire may be rebound.
inline constexpr int32_t kRemappableActions = 0x1F;

// Whole pictures: the splash (also the menus' background) and the panels around the field.
inline constexpr const char16_t* kSplash = u"tanks/splash";
inline constexpr const char16_t* kPanelLeft = u"tanks/panel_l";
inline constexpr const char16_t* kPanelRight = u"tanks/panel_r";
inline constexpr const char16_t* kPanelBottomLeft = u"tanks/panel_bot_l";
inline constexpr const char16_t* kPanelBottomMiddle = u"tanks/panel_bot_m";
inline constexpr const char16_t* kPanelBottomRight = u"tanks/panel_bot_r";
inline constexpr const char16_t* kPanelTop = u"tanks/panel_top";
inline constexpr const char16_t* kPictures[] = {
    kSplash, kPanelLeft, kPanelRight, kPanelBottomLeft, kPanelBottomMiddle, kPanelBottomRight, kPanelTop};

inline constexpr const char16_t* kImageTable = u"tanks/all";

// Tanks: "ptnk" / "etnk", then the frame digit (0 or 1) and the type; plain faces left, "_mr" right, and
// on small screens "_dn" up and "_up" down. Larger screens draw the vertical tanks apart: "ptnkx" + type +
// "-dn" (up) and "-up" (down).
inline constexpr const char16_t* kPlayerTank = u"ptnk";
inline constexpr const char16_t* kEnemyTank = u"etnk";
inline constexpr int32_t kPlayerTypes = 4;
inline constexpr int32_t kEnemyTypes = 8;
// The first player picture: at most 16 pixels wide means the small set.
inline constexpr const char16_t* kSizeProbe = u"ptnk00";
inline constexpr int32_t kSmallSpriteWidth = 16;

inline constexpr const char16_t* kReserveIcons[] = {u"stnk0", u"stnk1", u"stnk2", u"stnk3"};
// Ground by terrain: road, grass, water (two frames), ruin, ice, sand.
inline constexpr const char16_t* kRoad = u"road";
inline constexpr const char16_t* kGrass = u"grass";
inline constexpr const char16_t* kWater[] = {u"water0", u"water1"};
inline constexpr const char16_t* kRuin = u"ruine";
inline constexpr const char16_t* kIce = u"icebg";
inline constexpr const char16_t* kSand = u"spice";
inline constexpr const char16_t* kCover = u"mask";
inline constexpr const char16_t* kBaseImages[] = {u"gerb_OK", u"gerb_GO"};
inline constexpr int32_t kBonusKinds = 6;
inline constexpr const char16_t* kBonuses[kBonusKinds] = {u"bonus0", u"bonus1", u"bonus2",
                                                          u"bonus3", u"bonus4", u"bonus5"};
inline constexpr const char16_t* kAppearing[] = {u"etsp0", u"etsp1"};
inline constexpr const char16_t* kShield[] = {u"ptsh0", u"ptsh1"};
// The bullet flies left as drawn; the others are its turns.
inline constexpr const char16_t* kBullet = u"bullet";
inline constexpr int32_t kExplosionFrames = 4;
inline constexpr const char16_t* kExplosions[kExplosionFrames] = {u"expl0", u"expl1", u"expl2", u"expl3"};
// Houses: four looks ("house0".."house3") of three damage states each ("house0" + hit points - 1).
inline constexpr const char16_t* kHousePrefix = u"house";
inline constexpr int32_t kHouseLooks = 4;
inline constexpr int32_t kHouseStates = 3;
// Obstacles; its width is the block size.
inline constexpr const char16_t* kObstacle = u"yog";
// Wall block pairs "block0" + n (intact) and "block1" + n (damaged), n = 1.. as long as they exist.
inline constexpr const char16_t* kWallIntactPrefix = u"block0";
inline constexpr const char16_t* kWallDamagedPrefix = u"block1";
inline constexpr int32_t kWallPairs = 3;

// Sounds by id: ".wav" effects, ".mod" music.
inline constexpr const char16_t* kSounds[] = {u"/data/tanks/snd/menu", u"/data/tanks/snd/game",
                                              u"/data/tanks/snd/musicbcs", u"/data/tanks/snd/shoot",
                                              u"/data/tanks/snd/blow"};

// Texts the game's own screens show, beside the shared menus'.
inline constexpr const char16_t* kTextKeys[] = {u"score", u"time", u"level", u"gameover", u"basedestroy"};
inline constexpr const char16_t* kHelpFolder = u"/txt/tanks/";  // + language code + "_help.txt"

// Tuning keys of the text table, with the values the game runs on when a key is missing.
struct Tuning {
  const char16_t* key;
  int32_t fallback;
};
inline constexpr Tuning kTuning[] = {
    {u"BON_TIME_IS_ACTIVE", 40000},     {u"BON_TIME_FOR_TIME", 10000},  {u"BON_TIME_FOR_KASK", 10000},
    {u"BON_TIME_FOR_KASK_START", 3000}, {u"BON_TIME_FOR_SPADE", 30000}, {u"ETNK_AI_LEVEL", 24},
    {u"ETNK_AI_PER_LEVEL", 4},          {u"ETNK_AI_DISTANCE", 12},      {u"ETNK_AI_DISTANCE_PER_LEVEL", 1},
    {u"ETNK_TIME_FOR_NEW_UNIT", 5000},  {u"ETNK_TIME_FOR_BORN", 3000},  {u"GAME_TIME_LAST", 5000},
    {u"EXPLODE_TIME_ANIMATION", 120}};

// The stage file: Wb, Hb, then per stage Wb*Hb block bytes and 20 enemy types.
inline constexpr const char16_t* kStageFile = u"/data/tanks/dat/mapbcl.bin";
inline constexpr int32_t kStages = 20;
inline constexpr int32_t kEnemies = 20;
inline constexpr int32_t kStageBlocksWide = 13;
inline constexpr int32_t kStageBlocksHigh = 17;
inline constexpr int32_t kEnemySpawnRows = 5;

// Block byte: the terrain in bits 0-2, the object above.
inline constexpr int32_t kTerrainBits = 0x07;
inline constexpr int32_t kObjectShift = 3;
inline constexpr int32_t OBJECT_NONE = 0;
inline constexpr int32_t OBJECT_COVER = 1;
inline constexpr int32_t OBJECT_WALL = 2;
inline constexpr int32_t OBJECT_HOUSE_A = 3;
inline constexpr int32_t OBJECT_HOUSE_B = 4;
inline constexpr int32_t OBJECT_PLAYER = 5;
inline constexpr int32_t OBJECT_ENEMY = 6;
inline constexpr int32_t OBJECT_BASE = 7;
inline constexpr int32_t OBJECT_OBSTACLE = 8;  // and up
inline constexpr int32_t TERRAIN_WATER = 2;

}  // namespace tanks::data

namespace gamelib {
class GameInterface;
}

namespace tanks {

// The calls the program's row of this game names (app/GameList.h), made in TanksGlobals.cpp: a new
// screen of the game, and the first values and release of its globals.
gamelib::GameInterface* newScreen();
void initGlobals();
void releaseGlobals();

}  // namespace tanks
