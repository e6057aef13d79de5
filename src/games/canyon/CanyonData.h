// What the river-flying shooter is, by name and number: its key and folders, every picture, image-table
// key, animation and sound it looks up, the river screen file and the sizes and codes of its river. The
// game, the data checker and the tests read these; nothing here depends on anything else.
#pragma once

#include <cstdint>

namespace canyon::data {

// The key names the game's option, high-score and key stores and its texts; the folder its data.
inline constexpr const char16_t* kGameKey = u"canyon";
inline constexpr const char16_t* kFolder = u"cy";
// Faster, slower, left, right and fire may be rebound.
inline constexpr int32_t kRemappableActions = 0x1F;

// Whole pictures: the splash (also the menus' background), the left side panel (the right one is its
// mirror), the pause picture in the top-left corner and the game-over picture.
inline constexpr const char16_t* kSplash = u"cy/splash";
inline constexpr const char16_t* kPanel = u"cy/panel_l";
inline constexpr const char16_t* kPause = u"cy/pause";
inline constexpr const char16_t* kGameOver = u"cy/gameover";
inline constexpr const char16_t* kPictures[] = {kSplash, kPanel, kPause, kGameOver};

// The image table, and the animation list (a plain text table: "/data/cy/anim.txt").
inline constexpr const char16_t* kImageTable = u"cy/all";
inline constexpr const char16_t* kAnimationList = u"/data/cy/anim";
inline constexpr const char16_t* kAnimationListEntry = u"/data/cy/anim.txt";

// Image-table keys. The width of the first tile is the cell size every length of the game is made of.
inline constexpr const char16_t* kCellTile = u"g1a.png";
inline constexpr const char16_t* kPlane = u"airplane.png";
inline constexpr const char16_t* kLifeIcon = u"life176.png";
inline constexpr const char16_t* kBarrel = u"barell176.png";
inline constexpr const char16_t* kIndicator = u"indicator176.png";
inline constexpr const char16_t* kShot = u"bullet.png";
inline constexpr const char16_t* kEnemyShot = u"bullet_enemy.png";
inline constexpr const char16_t* kBridge = u"bridge.png";
inline constexpr const char16_t* kBridgeWreck = u"bridge_destruction.png";
inline constexpr const char16_t* kImageKeys[] = {kCellTile, kPlane,     kLifeIcon, kBarrel,     kIndicator,
                                                 kShot,     kEnemyShot, kBridge,   kBridgeWreck};

// Animations of the animation list: the river's tiles (tile code n is entry n), the plane banking left
// and right, the two explosions.
inline constexpr const char16_t* kTiles = u"land";
inline constexpr const char16_t* kBankLeft = u"airplaneL";
inline constexpr const char16_t* kBankRight = u"airplaneR";
inline constexpr const char16_t* kAirExplosion = u"airExplosion";
inline constexpr const char16_t* kGroundExplosion = u"groundExplosion";

// Object codes of the river screen file, one per kind of entity.
inline constexpr int32_t kEntityCodes = 25;
inline constexpr int32_t CODE_BRIDGE = 0;
inline constexpr int32_t CODE_PLANE_FIRST = 1;  // 1, 2 fly left; 3, 4 right
inline constexpr int32_t CODE_PLANE_LAST = 4;
inline constexpr int32_t CODE_BALLOON_FIRST = 5;
inline constexpr int32_t CODE_BALLOON_LAST = 6;
inline constexpr int32_t CODE_GUN_FIRST = 7;
inline constexpr int32_t CODE_GUN_LAST = 8;
inline constexpr int32_t CODE_HELICOPTER_FIRST = 9;
inline constexpr int32_t CODE_SHIP_LAST = 13;   // 9..11 helicopters and 12, 13 ships keep to the water
inline constexpr int32_t CODE_TANK_FIRST = 14;  // 14..17 face left, 18..21 right
inline constexpr int32_t CODE_TRAIN_FIRST = 22;
inline constexpr int32_t CODE_FUEL = 24;

// By object code: the animation of a unit facing left and facing right, and the code whose animations a
// code shares (its twin).
inline constexpr const char16_t* kLeftKeys[kEntityCodes] = {kBridge,
                                                            u"airplainEnemyL1",
                                                            u"airplainEnemyL3",
                                                            nullptr,
                                                            nullptr,
                                                            u"balloonL1",
                                                            u"balloonL2",
                                                            u"gunL",
                                                            nullptr,
                                                            u"helicopterL1",
                                                            u"helicopterL2",
                                                            u"helicopterL3",
                                                            u"shipL1",
                                                            u"shipL2",
                                                            u"tankL1",
                                                            u"tankL2",
                                                            u"tankL3",
                                                            u"tankL4",
                                                            nullptr,
                                                            nullptr,
                                                            nullptr,
                                                            nullptr,
                                                            u"trainL",
                                                            nullptr,
                                                            u"fuel"};
inline constexpr const char16_t* kRightKeys[kEntityCodes] = {kBridgeWreck,
                                                             u"airplainEnemyR1",
                                                             u"airplainEnemyR3",
                                                             nullptr,
                                                             nullptr,
                                                             u"balloonR1",
                                                             u"balloonR2",
                                                             u"gunR",
                                                             nullptr,
                                                             u"helicopterR1",
                                                             u"helicopterR2",
                                                             u"helicopterR3",
                                                             u"shipR1",
                                                             u"shipR2",
                                                             u"tankR1",
                                                             u"tankR2",
                                                             u"tankR3",
                                                             u"tankR4",
                                                             nullptr,
                                                             nullptr,
                                                             nullptr,
                                                             nullptr,
                                                             u"trainR",
                                                             nullptr,
                                                             nullptr};
inline constexpr int32_t kTwinOf[kEntityCodes] = {0,  1,  2,  1,  2,  5,  6,  7,  7,  9,  10, 11, 12,
                                                  13, 14, 15, 16, 17, 14, 15, 16, 17, 22, 22, 24};

// Sounds by id: ".wav" effects, ".mod" music.
inline constexpr const char16_t* kSounds[] = {
    u"/data/cy/snd/menu",     u"/data/cy/snd/game",        u"/data/cy/snd/born",  u"/data/cy/snd/death",
    u"/data/cy/snd/expl",     u"/data/cy/snd/expl_bridge", u"/data/cy/snd/shoot", u"/data/cy/snd/fuel",
    u"/data/cy/snd/enemyfly", u"/data/cy/snd/enemyheli"};

// Texts the game's own screens show, beside the shared menus'.
inline constexpr const char16_t* kTextKeys[] = {u"score", u"gameover", u"gamecomplete", u"level", u"exit"};
inline constexpr const char16_t* kHelpFolder = u"/txt/cy/";  // + language code + "_help.txt"

// The river screen file: screens of 22 x 26 cells, each a base tile, an overlay tile and an object code.
inline constexpr const char16_t* kScreenFile = u"/data/cy/screens.bin";
inline constexpr int32_t kColumns = 22;
inline constexpr int32_t kRowsPerScreen = 26;
inline constexpr int32_t kCellsPerScreen = kColumns * kRowsPerScreen;
inline constexpr int32_t kObjectsPerScreen = 30;
// Tile codes: "no tile", the water tiles, and the overlays that make a cell a road. The tile list holds
// at least kTileCount tiles.
inline constexpr int32_t kNoTile = 0xFF;
inline constexpr int32_t kWaterFirst = 58;
inline constexpr int32_t kWaterLast = 77;
inline constexpr int32_t kRoadFirst = 109;
inline constexpr int32_t kRoadLast = 112;
inline constexpr int32_t kTileCount = 113;

}  // namespace canyon::data

namespace gamelib {
class GameInterface;
}

namespace canyon {

// The calls the program's row of this game names (app/GameList.h), made in CanyonGlobals.cpp: a new
// screen of the game, and the first values and release of its globals.
gamelib::GameInterface* newScreen();
void initGlobals();
void releaseGlobals();

}  // namespace canyon
