// What the ladders-and-bricks game is, by name and number: its key and folders, every picture, image-table
// key, animation and sound it looks up, its cell characters and its levels. The game, the data checker and
// the tests read these; nothing here depends on anything else, and no list of them is written anywhere else.
#pragma once

#include <cstdint>

namespace climber::data {

// The key names the game's option, high-score and key stores and its texts; the folder its data.
inline constexpr const char16_t* kGameKey = u"climber";
inline constexpr const char16_t* kFolder = u"clmb";
// Up, down, left, right, fire and the two digging keys ('*' and '#') may be rebound.
inline constexpr int32_t kRemappableActions = 0x181F;

// The one whole picture: the loading screen, shaded behind the menus and the key set-up.
inline constexpr const char16_t* kSplash = u"clmb/splash";

// The image table and the animation list.
inline constexpr const char16_t* kImageTable = u"clmb/all";
inline constexpr const char16_t* kAnimationList = u"clmb/anim.txt";

// Image-table keys. A background covers a whole number of cells and repeats over the map.
inline constexpr int32_t kBackgroundCount = 5;
inline constexpr const char16_t* kBackgrounds[kBackgroundCount] = {
    u"background.png", u"background2.png", u"background3.png", u"background4.png", u"background5.png"};
// Numbered from 1 ("brick1.png", ...): the game takes every consecutive number the table holds, and the
// first brick's size is the size of a cell.
inline constexpr const char16_t* kBrickPrefix = u"brick";
inline constexpr const char16_t* kArmourBrickPrefix = u"brick_armour";
inline constexpr const char16_t* kNumberedSuffix = u".png";
// The numbered sets the data draws: one per look of the levels, which take them in turn.
inline constexpr const char16_t* kBricks[] = {u"brick1.png", u"brick2.png", u"brick3.png", u"brick4.png"};
inline constexpr const char16_t* kArmourBricks[] = {u"brick_armour1.png", u"brick_armour2.png", u"brick_armour3.png"};
inline constexpr const char16_t* kGold[] = {u"gold1.png", u"gold2.png", u"gold3.png"};
inline constexpr const char16_t* kDoorOpen = u"door_open2.png";
inline constexpr const char16_t* kDoorClosed = u"door_close.png";
// The hero digging, the brick crumbling under him, and a brick half gone.
inline constexpr const char16_t* kBrickDisappear1 = u"brick_disappear1.png";
inline constexpr const char16_t* kBrickDisappear2 = u"brick_disappear2.png";
inline constexpr const char16_t* kBrickDisappear3 = u"brick_disappear3.png";
inline constexpr const char16_t* kLadder = u"ladder.png";
inline constexpr const char16_t* kHandrail = u"handrail.png";
inline constexpr const char16_t* kHeroIdle = u"hero_idle.png";
inline constexpr const char16_t* kEnemyIdle = u"enemy_idle.png";
// Appended to a key: the same picture mirrored left to right.
inline constexpr const char16_t* kMirrored = u"_mr";

// Every image-table key the game names in full (the numbered bricks above included).
inline constexpr const char16_t* kImageKeys[] = {
    kBackgrounds[0],  kBackgrounds[1],  kBackgrounds[2], kBackgrounds[3],  kBackgrounds[4],  kBricks[0],
    kBricks[1],       kBricks[2],       kBricks[3],      kArmourBricks[0], kArmourBricks[1], kArmourBricks[2],
    kGold[0],         kGold[1],         kGold[2],        kDoorOpen,        kDoorClosed,      kBrickDisappear1,
    kBrickDisappear2, kBrickDisappear3, kLadder,         kHandrail,        kHeroIdle,        kEnemyIdle};

// Animations of the animation list: the hero's seven, then the guards' seven, in the order the set-up
// builds them.
inline constexpr int32_t kAnimationCount = 14;
inline constexpr const char16_t* kAnimationKeys[kAnimationCount] = {
    u"anim_hero_go_r",       u"anim_hero_go_l",    u"anim_hero_ladder",      u"anim_hero_handrail_r",
    u"anim_hero_handrail_l", u"anim_hero_fall_r",  u"anim_hero_fall_l",      u"anim_enemy_go_r",
    u"anim_enemy_go_l",      u"anim_enemy_ladder", u"anim_enemy_handrail_r", u"anim_enemy_handrail_l",
    u"anim_enemy_fall_r",    u"anim_enemy_fall_l"};

// Sounds by id: ".wav" effects, ".mod" music.
inline constexpr const char16_t* kSounds[] = {
    u"/data/clmb/sound/menu",        u"/data/clmb/sound/levelbegin",   u"/data/clmb/sound/walk",
    u"/data/clmb/sound/rukohod",     u"/data/clmb/sound/ladder",       u"/data/clmb/sound/fall",
    u"/data/clmb/sound/bricksjig",   u"/data/clmb/sound/deadhero",     u"/data/clmb/sound/deadenemy",
    u"/data/clmb/sound/brickzarast", u"/data/clmb/sound/enemyrespawn", u"/data/clmb/sound/levelexit",
    u"/data/clmb/sound/gold",        u"/data/clmb/sound/game"};
// The two tunes among them; the rest are effects.
inline constexpr int32_t kMenuTune = 0;
inline constexpr int32_t kGameTune = 13;

// Texts the game's own screens show, beside the shared menus'.
inline constexpr const char16_t* kTextKeys[] = {u"level", u"score", u"gameover", u"clmb_badlevel"};
inline constexpr const char16_t* kBadLevelText = kTextKeys[3];
inline constexpr const char16_t* kHelpFolder = u"/txt/clmb/";  // + language code + "_help.txt"

// The levels: "/data/clmb/maps/" + n + ".txt" for n = 1 to kLevelCount. A level file is the map's width
// and height, each a decimal line ended by CR LF, then its rows of cell characters, each ended by CR LF.
inline constexpr int32_t kLevelCount = 75;
inline constexpr const char16_t* kLevelPrefix = u"/data/clmb/maps/";
inline constexpr const char16_t* kLevelSuffix = u".txt";
// More guards than this stay cells of the map.
inline constexpr int32_t kMaxGuards = 10;
// Cells are numbered in 16 bits by the guards' search.
inline constexpr int32_t kMaxCells = 32767;

// Cell characters: those a level file holds, and those play makes.
inline constexpr char16_t kEmpty = u' ';
inline constexpr char16_t kBrick = u'#';
inline constexpr char16_t kArmourBrick = u'B';
inline constexpr char16_t kFalseBrick = u'~';
inline constexpr char16_t kLadderCell = u'H';
inline constexpr char16_t kHandrailCell = u'-';
inline constexpr char16_t kGoldCell = u'$';
inline constexpr char16_t kOpenExit = u'E';
inline constexpr char16_t kHeroStart = u'P';
inline constexpr char16_t kGuardStart = u'A';
inline constexpr char16_t kDroppedGold = u'G';
inline constexpr char16_t kClosedExit = u'X';
inline constexpr char16_t kBrickInChange = u'D';
inline constexpr char16_t kOpenHole = u'd';
// Every character a level file may hold.
inline constexpr const char16_t* kFileCells = u" #B~H-$EPA";

}  // namespace climber::data

namespace gamelib {
class GameInterface;
}

namespace climber {

// The calls the program's row of this game names (app/GameList.h), made in ClimberGlobals.cpp: a new
// screen of the game, and the first values and release of its globals.
gamelib::GameInterface* newScreen();
void initGlobals();
void releaseGlobals();

}  // namespace climber
