// What the alien-formation game is, by name and number: its key and folders, every picture, image-table
// key, animation and sound it looks up, its formation and its waves. The game, the data checker and the
// tests read these; nothing here depends on anything else, and no list of them is written anywhere else.
#pragma once

#include <cstdint>

namespace swarm::data {

// The key names the game's option, high-score and key stores and its texts; the folder its data.
inline constexpr const char16_t* kGameKey = u"swarm";
inline constexpr const char16_t* kFolder = u"swm";
// Left, right and fire may be rebound.
inline constexpr int32_t kRemappableActions = 0x1C;

// Whole pictures: the loading picture (also behind the menus), the picture of the lost game, and the
// level pictures the waves take in turn.
inline constexpr const char16_t* kSplash = u"swm/splash";
inline constexpr const char16_t* kGameOver = u"swm/gameover";
inline constexpr const char16_t* kLevelPicturePrefix = u"/swm/img/";  // + 1..kLevelPictures
inline constexpr int32_t kLevelPictures = 3;
inline constexpr const char16_t* kLevelPictureNames[kLevelPictures] = {u"swm/img/1", u"swm/img/2", u"swm/img/3"};

// The image table and the animation list.
inline constexpr const char16_t* kImageTable = u"swm/all";
inline constexpr const char16_t* kAnimationList = u"swm/anim.txt";

// Image-table keys.
inline constexpr const char16_t* kShip = u"ship.png";
inline constexpr const char16_t* kLife = u"life.png";
inline constexpr const char16_t* kLevel = u"level.png";
inline constexpr const char16_t* kBullet = u"bullet.png";
inline constexpr int32_t kPlanets = 4;
inline constexpr const char16_t* kPlanetNames[kPlanets] = {u"planet_1.png", u"planet_2.png", u"planet_3.png",
                                                           u"planet_4.png"};
inline constexpr const char16_t* kImageKeys[] = {kShip,           kLife,           kLevel,          kBullet,
                                                 kPlanetNames[0], kPlanetNames[1], kPlanetNames[2], kPlanetNames[3]};

// Aliens: kind k (1..kAlienKinds) has the pictures "fly" + k + "_" + f + ".png", f = 1..kAlienFrames. Frames 1
// to 4 show the alien turned by a sixteenth of a circle each, frame 5 is frame 1 with its wings beating.
inline constexpr const char16_t* kAlienPrefix = u"fly";
inline constexpr int32_t kAlienKinds = 8;
inline constexpr int32_t kAlienFrames = 5;
// An alien's sixteen headings, in the order of its direction images (the suffix turns the picture).
inline constexpr int32_t kDirections = 16;
inline constexpr const char16_t* kDirectionSuffixes[kDirections] = {
    u"_1.png_lv", u"_2.png_lv", u"_3.png_lv", u"_4.png_lv", u"_1.png_up", u"_2.png_up", u"_3.png_up", u"_4.png_up",
    u"_1.png",    u"_2.png",    u"_3.png",    u"_4.png",    u"_1.png_dn", u"_2.png_dn", u"_3.png_dn", u"_4.png_dn"};
// Frames of an alien's animation in the formation: wings beating, then a turn on the spot.
inline constexpr int32_t kFormationFrames = 16;
inline constexpr const char16_t* kFormationSuffixes[kFormationFrames] = {
    u"_1.png", u"_5.png", u"_1.png",    u"_5.png",    u"_1.png",    u"_5.png",    u"_1.png",    u"_5.png",
    u"_1.png", u"_3.png", u"_1.png_dn", u"_3.png_dn", u"_1.png_lv", u"_3.png_lv", u"_1.png_up", u"_3.png_up"};

// Animations of the animation list.
inline constexpr const char16_t* kShipFlame = u"mainship";
inline constexpr const char16_t* kShipExplosion = u"explosion_ship";
inline constexpr const char16_t* kShot = u"bullet";
inline constexpr const char16_t* kAlienExplosion = u"explosion_enemy";
inline constexpr const char16_t* kAnimationKeys[] = {kShipFlame, kShipExplosion, kShot, kAlienExplosion};

// Sounds by id: ".wav" effects, ".mod" music.
inline constexpr const char16_t* kSounds[] = {u"/data/swm/sound/menu",          u"/data/swm/sound/game",
                                              u"/data/swm/sound/levelbegin",    u"/data/swm/sound/enemyshipblow",
                                              u"/data/swm/sound/heroblow",      u"/data/swm/sound/shootbee",
                                              u"/data/swm/sound/shoot",         u"/data/swm/sound/enemyvilet",
                                              u"/data/swm/sound/enemycomeback", u"/data/swm/sound/supershipblow"};

// Texts the game's own screens show, beside the shared menus'.
inline constexpr const char16_t* kTextKeys[] = {u"score", u"gameover", u"level"};
inline constexpr const char16_t* kHelpFolder = u"/txt/swm/";  // + language code + "_help.txt"

// The formation: five rows, the top one first, and the waves.
inline constexpr int32_t kRows = 5;
inline constexpr int32_t kRowLength[kRows] = {2, 4, 5, 6, 6};
inline constexpr int32_t kRowScore[kRows] = {150, 100, 80, 60, 60};
inline constexpr int32_t kLastLevel = 20;

}  // namespace swarm::data

namespace gamelib {
class GameInterface;
}

namespace swarm {

// The calls the program's row of this game names (app/GameList.h), made in SwarmGlobals.cpp: a new
// screen of the game, and the first values and release of its globals.
gamelib::GameInterface* newScreen();
void initGlobals();
void releaseGlobals();

}  // namespace swarm
