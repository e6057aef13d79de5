// What the space-rocks game is, by name and number: its key and folders, every picture, image-table key,
// sound and text it looks up, and its levels. The game, the data checker and the tests read these; nothing
// here depends on anything else, and no list of them is written anywhere else.
#pragma once

#include <cstdint>

namespace rocks::data {

// The key names the game's option, high-score and key stores and its texts; the folder its data.
inline constexpr const char16_t* kGameKey = u"rocks";
inline constexpr const char16_t* kFolder = u"rck";
// Thrust (up), left, right and fire may be rebound.
inline constexpr int32_t kRemappableActions = 0x1D;

// Whole pictures: the splash, and the level pictures "/rck/" + 1..kLevelPictures, tiled behind play.
inline constexpr const char16_t* kSplash = u"rck/splash";
inline constexpr const char16_t* kLevelPicturePrefix = u"/rck/";
inline constexpr int32_t kLevelPictures = 3;
inline constexpr const char16_t* kLevelPictureNames[kLevelPictures] = {u"rck/1", u"rck/2", u"rck/3"};

// The image table every sprite of the game comes from.
inline constexpr const char16_t* kImageTable = u"rck/all";

// The ship: "spaceship" + 1..4, the four headings of one quarter turn; the first one's width scales the game.
inline constexpr const char16_t* kShipPrefix = u"spaceship";
inline constexpr int32_t kShipFrames = 4;
inline constexpr const char16_t* kScaleImage = u"spaceship1";
// The player's shots: "bb" + 1..4, one per heading of a quarter turn.
inline constexpr const char16_t* kShotPrefix = u"bb";
// The saucers' rockets: "rocket" + 0..3, straight up and three slants to the upper right.
inline constexpr const char16_t* kRocketPrefix = u"rocket";
inline constexpr int32_t kRocketPictures = 4;

// Rocks: "a" + size + type + frame. Families whose size and type add up to a multiple of three tumble
// through kRockFrames pictures; the others turn kTurningRockFrames pictures through the four quarter turns.
struct RockFamily {
  int32_t size;  // 1 large, 2 medium, 3 small
  int32_t type;
};
inline constexpr const char16_t* kRockPrefix = u"a";
inline constexpr RockFamily kRockFamilies[] = {{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}, {3, 2}, {3, 3}};
inline constexpr int32_t kRockFrames = 16;
inline constexpr int32_t kTurningRockFrames = 4;
constexpr bool tumbles(RockFamily family) { return (family.size + family.type) % 3 == 0; }
constexpr int32_t framesOf(RockFamily family) { return tumbles(family) ? kRockFrames : kTurningRockFrames; }

// Saucers: "ufo" + type. The small ones are drawn in kSaucerFrames pictures ("ufo1" + frame); the large one
// is one picture with two blinking overlays and three damage marks.
inline constexpr const char16_t* kSaucerPrefix = u"ufo";
inline constexpr int32_t kSaucerTypes = 3;
inline constexpr int32_t kSaucerFrames = 16;
inline constexpr const char16_t* kBigSaucer = u"ufo3";
inline constexpr const char16_t* kBigSaucerBlink = u"ufo3_blink";  // + 0 or 1
inline constexpr const char16_t* kBigSaucerDamage[] = {u"ufo3_damaged3", u"ufo3_damaged2", u"ufo3_damaged1"};

// The blast rings: "wave" + row + "_" + frame, the upper left quarter of a ring that the game turns into
// the other three; kWaveRows rows of kWaveFrames growing frames.
inline constexpr const char16_t* kWavePrefix = u"wave";
inline constexpr int32_t kWaveRows = 3;
inline constexpr int32_t kWaveFrames = 7;
// Sparks and their fading trail "bp" + 0..4; tumbling debris "p" + 1..13.
inline constexpr const char16_t* kSparkPrefix = u"bp";
inline constexpr int32_t kSparkPictures = 5;
inline constexpr const char16_t* kDebrisPrefix = u"p";
inline constexpr int32_t kDebrisPictures = 13;
// The heads-up panels in the top corners.
inline constexpr const char16_t* kLifePanel = u"lifePanel";
inline constexpr const char16_t* kScorePanel = u"scorePanel";

// Sounds by id: ".wav" effects, ".mod" music.
inline constexpr const char16_t* kSounds[] = {
    u"/data/rck/sound/menu", u"/data/rck/sound/game",   u"/data/rck/sound/shoot",     u"/data/rck/sound/explose",
    u"/data/rck/sound/hit",  u"/data/rck/sound/rocket", u"/data/rck/sound/rockethit", u"/data/rck/sound/limit"};

// Texts the game's own screens show, beside the shared menus'.
inline constexpr const char16_t* kTextKeys[] = {u"youwin", u"pause", u"score", u"gameover", u"level"};
// Its own menu entry: the screen edge that bounces or lets the ship through.
inline constexpr const char16_t* kBoundsOn = u"boundson";
inline constexpr const char16_t* kBoundsOff = u"boundsoff";
// Tuning values of the text tables: the ship's lives, and the gun's offset per heading of the first quarter
// turn, "dx" + 1..4 + "k" and "dy" + 1..4 + "k".
inline constexpr const char16_t* kLivesKey = u"Lives";
inline constexpr const char16_t* kGunKeys[] = {u"dx1k", u"dx2k", u"dx3k", u"dx4k", u"dy1k", u"dy2k", u"dy3k", u"dy4k"};
inline constexpr const char16_t* kHelpFolder = u"/txt/rck/";  // + language code + "_help.txt"

// The game is won after its last level; the levels themselves are made at random.
inline constexpr int32_t kLastLevel = 20;

}  // namespace rocks::data

namespace gamelib {
class GameInterface;
}

namespace rocks {

// The calls the program's row of this game names (app/GameList.h), made in RocksGlobals.cpp: a new
// screen of the game, and the first values and release of its globals.
gamelib::GameInterface* newScreen();
void initGlobals();
void releaseGlobals();

}  // namespace rocks
