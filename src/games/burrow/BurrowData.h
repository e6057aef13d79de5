// What the tunnel-digging game is, by name and number: its key and folders, every picture, image-table key,
// frame list and sound it looks up, its field and its level files. The game, the data checker and the tests
// read these; nothing here depends on anything else, and no list of them is written anywhere else.
#pragma once

#include <cstdint>

namespace burrow::data {

// The key names the game's option, high-score and key stores and its texts; the folder its data.
inline constexpr const char16_t* kGameKey = u"burrow";
inline constexpr const char16_t* kFolder = u"bur";
// Up, down, left, right and fire may be rebound.
inline constexpr int32_t kRemappableActions = 0x1F;

// Whole pictures: the splash (also the menus' background), the frame panels around the field and the pause
// button. The second top and bottom panels and the side panels may be left out of the data.
inline constexpr const char16_t* kSplash = u"bur/splash";
inline constexpr const char16_t* kPanelTop = u"bur/panel-top";
inline constexpr const char16_t* kPanelBottomL = u"bur/panel-bottom-l";
inline constexpr const char16_t* kPanelBottomR = u"bur/panel-bottom-r";
inline constexpr const char16_t* kPanelBottomC = u"bur/panel-bottom-c";
inline constexpr const char16_t* kPauseButton = u"bur/burpause";
inline constexpr const char16_t* kPanelTop2 = u"bur/panel-top2";
inline constexpr const char16_t* kPanelBottom2 = u"bur/panel-bottom2";
inline constexpr const char16_t* kPanelL = u"bur/panel-l";
inline constexpr const char16_t* kPanelR = u"bur/panel-r";
inline constexpr const char16_t* kPictures[] = {kSplash,      kPanelTop,  kPanelBottomL, kPanelBottomR, kPanelBottomC,
                                                kPauseButton, kPanelTop2, kPanelBottom2, kPanelL,       kPanelR};

// The image table.
inline constexpr const char16_t* kImageTable = u"bur/all";

// Image-table keys named on their own. The earth tile's width is the cell size of the whole game.
inline constexpr const char16_t* kScaleTile = u"earth_1.png";
inline constexpr const char16_t* kLifeIcon = u"lifeIcon.png";

// The earth of each of the four sets: kEarthPrefix + set + ".png", and the tunnel tiles kTunnelPrefix + set +
// one of kTunnelSuffixes: the full vertical tunnel, the same turned for the horizontal one, the crossing and
// a crystal in the earth.
inline constexpr int32_t kEarthSets = 4;
inline constexpr const char16_t* kEarthPrefix = u"earth_";
inline constexpr const char16_t* kTunnelPrefix = u"earth";
inline constexpr const char16_t* kTunnelSuffixes[] = {u"_2.png", u"_2.png_dn", u"_3.png", u"_4.png"};

// Frame lists, each in the order its animation shows them. "_mr" names a frame mirrored, "_up" and "_dn" turned.
// The map's tiles by cell content code: the vertical fifth masks turned, the earth, the horizontal masks,
// a bag, a crystal, an eaten crystal and the second earth.
inline constexpr const char16_t* kTileNames[] = {
    u"blackSquare.png_dn", u"blackSquare.png",    u"earthMask_1.png_up", u"earthMask_2.png_up", u"earthMask_3.png_up",
    u"earthMask_4.png_up", u"earthMask_5.png_up", u"earth_1.png",        u"earthMask_1.png",    u"earthMask_2.png",
    u"earthMask_3.png",    u"earthMask_4.png",    u"earthMask_5.png",    u"gold_3.png",         u"diamond.png",
    u"diamondEat.png",     u"earth_2.png"};
inline constexpr const char16_t* kCherryFrames[] = {u"cherry.png"};
// Resting, wobbling and falling bag, then the gold it breaks into.
inline constexpr const char16_t* kBagFrames[] = {u"sack_00.png", u"sack_01.png", u"sack_02.png", u"sack_03.png",
                                                 u"gold_1.png",  u"gold_2.png",  u"gold_3.png"};
inline constexpr const char16_t* kBoltFrames[] = {u"bullet_01.png", u"bullet_02.png", u"bullet_03.png",
                                                  u"bullet_04.png"};
inline constexpr const char16_t* kEnemyUpFrames[] = {u"enemyGoUp_1.png", u"enemyGoUp_2.png", u"enemyGoUp_3.png",
                                                     u"enemyGoUp_4.png"};
inline constexpr const char16_t* kEnemySideFrames[] = {u"enemyGoSide_1.png", u"enemyGoSide_2.png", u"enemyGoSide_3.png",
                                                       u"enemyGoSide_4.png"};
inline constexpr const char16_t* kEnemySideMirroredFrames[] = {u"enemyGoSide_1.png_mr", u"enemyGoSide_2.png_mr",
                                                               u"enemyGoSide_3.png_mr", u"enemyGoSide_4.png_mr"};
inline constexpr const char16_t* kEnemyDieFrames[] = {u"enemyDie_1.png", u"enemyDie_2.png", u"enemyDie_3.png",
                                                      u"enemyDie_4.png", u"enemyDie_5.png", u"enemyDie_6.png"};
inline constexpr const char16_t* kEnemyEatFrames[] = {u"enemyEat_01.png", u"enemyEat_02.png", u"enemyEat_03.png",
                                                      u"enemyEat_04.png", u"enemyEat_05.png", u"enemyEat_06.png",
                                                      u"enemyEat_07.png", u"enemyEat_08.png"};
inline constexpr const char16_t* kEnemyEatMirroredFrames[] = {
    u"enemyEat_01.png_mr", u"enemyEat_02.png_mr", u"enemyEat_03.png_mr", u"enemyEat_04.png_mr",
    u"enemyEat_05.png_mr", u"enemyEat_06.png_mr", u"enemyEat_07.png_mr", u"enemyEat_08.png_mr"};
inline constexpr const char16_t* kEnemyEatDeathFrames[] = {u"enemyEatDeath_1.png", u"enemyEatDeath_2.png",
                                                           u"enemyEatDeath_3.png", u"enemyEatDeath_4.png",
                                                           u"enemyEatDeath_5.png", u"enemyEatDeath_6.png"};
inline constexpr const char16_t* kEnemyEatDeathMirroredFrames[] = {
    u"enemyEatDeath_1.png_mr", u"enemyEatDeath_2.png_mr", u"enemyEatDeath_3.png_mr",
    u"enemyEatDeath_4.png_mr", u"enemyEatDeath_5.png_mr", u"enemyEatDeath_6.png_mr"};
inline constexpr const char16_t* kMinerFrames[] = {u"burrowFull_1.png", u"burrowFull_2.png", u"burrowFull_3.png",
                                                   u"burrowFull_4.png"};
inline constexpr const char16_t* kMinerMirroredFrames[] = {u"burrowFull_1.png_mr", u"burrowFull_2.png_mr",
                                                           u"burrowFull_3.png_mr", u"burrowFull_4.png_mr"};
inline constexpr const char16_t* kMinerUpFrames[] = {u"burrowFull_1.png_up", u"burrowFull_2.png_up",
                                                     u"burrowFull_3.png_up", u"burrowFull_4.png_up"};
inline constexpr const char16_t* kMinerDownFrames[] = {u"burrowFull_1.png_dn", u"burrowFull_2.png_dn",
                                                       u"burrowFull_3.png_dn", u"burrowFull_4.png_dn"};
inline constexpr const char16_t* kMinerDieFrames[] = {u"burrowDie_01.png", u"burrowDie_02.png", u"burrowDie_03.png",
                                                      u"burrowDie_04.png", u"burrowDie_05.png", u"burrowDie_06.png",
                                                      u"burrowDie_07.png", u"burrowDie_08.png", u"burrowDie_09.png",
                                                      u"burrowDie_10.png", u"burrowDie_11.png", u"burrowDie_12.png"};
inline constexpr const char16_t* kBonusFrames[] = {u"bonus_anim0.png", u"bonus_anim1.png", u"bonus_anim2.png"};
inline constexpr const char16_t* kBonusUpFrames[] = {u"bonus_anim0.png_up", u"bonus_anim1.png_up",
                                                     u"bonus_anim2.png_up"};
inline constexpr const char16_t* kBonusDownFrames[] = {u"bonus_anim0.png_dn", u"bonus_anim1.png_dn",
                                                       u"bonus_anim2.png_dn"};

// Sounds by id: ".wav" effects, ".mod" music.
inline constexpr const char16_t* kSounds[] = {
    u"/data/bur/sound/eat crystall", u"/data/bur/sound/eat monster2", u"/data/bur/sound/drop bag",
    u"/data/bur/sound/break bag",    u"/data/bur/sound/hero dead",    u"/data/bur/sound/Born",
    u"/data/bur/sound/shoot",        u"/data/bur/sound/menu",         u"/data/bur/sound/game"};
inline constexpr int32_t kFirstMusic = 7;

// Texts the game's own screens show, beside the shared menus'.
inline constexpr const char16_t* kTextKeys[] = {u"score", u"gameover", u"level", u"levelmissing"};
inline constexpr const char16_t* kHelpFolder = u"/txt/bur/";  // + language code + "_help.txt"

// The field: 15 x 10 cells; the hero starts in the bottom row's middle, the monsters come in at the top right.
inline constexpr int32_t kMapCols = 15;
inline constexpr int32_t kMapRows = 10;
inline constexpr int32_t kHeroStartColumn = kMapCols / 2;
inline constexpr int32_t kHeroStartRow = kMapRows - 1;
inline constexpr int32_t kNestColumn = kMapCols - 1;
inline constexpr int32_t kNestRow = 0;
inline constexpr int32_t kMaxBags = 15;

// Level files "/data/bur/data/" + 1..9 + ".txt": a 16-bit word the game skips, then eight grids of 10 rows of
// 15 characters, nothing between them.
inline constexpr int32_t kLevelsPerFile = 8;
inline constexpr int32_t kLevelFiles = 9;
inline constexpr int32_t kLastLevel = kLevelsPerFile * kLevelFiles;
inline constexpr int32_t kLevelHeader = 2;
inline constexpr int32_t kLevelFileSize = kLevelHeader + kLevelsPerFile * kMapRows * kMapCols;
inline constexpr const char16_t* kLevelPrefix = u"/data/bur/data/";
inline constexpr const char16_t* kLevelSuffix = u".txt";
// A vertical or horizontal tunnel piece, a dug-out square, a crystal and a bag; any other character is earth,
// which the level sources write as '.'.
inline constexpr char kVertical = 'V';
inline constexpr char kHorizontal = 'H';
inline constexpr char kSquare = 'S';
inline constexpr char kCrystal = 'C';
inline constexpr char kBag = 'B';
inline constexpr char kEarth = '.';

}  // namespace burrow::data

namespace gamelib {
class GameInterface;
}

namespace burrow {

// The calls the program's row of this game names (app/GameList.h), made in BurrowGlobals.cpp: a new
// screen of the game, and the first values and release of its globals.
gamelib::GameInterface* newScreen();
void initGlobals();
void releaseGlobals();

}  // namespace burrow
