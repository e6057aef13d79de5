// What the maze-and-dots game is, by name and number: its key and folders, every picture, image-table key,
// animation and sound it looks up, its text keys, and its maps with their size and count. The game, the data
// checker and the tests read these; nothing here depends on anything else, and no list of them is written
// anywhere else.
#pragma once

#include <cstdint>

namespace gobbler::data {

// The key names the game's option, high-score and key stores and its texts; the folder its data.
inline constexpr const char16_t* kGameKey = u"gobbler";
inline constexpr const char16_t* kFolder = u"gob";
// Up, down, left and right may be rebound.
inline constexpr int32_t kRemappableActions = 0xF;

// Whole pictures: the loading picture (also the menus' background) and the tile behind the maze.
inline constexpr const char16_t* kSplash = u"gob/splash";
inline constexpr const char16_t* kPanel = u"gob/panel";

// The image table and the animation list (under "graphics/").
inline constexpr const char16_t* kImageTable = u"gob/all";
inline constexpr const char16_t* kAnimationList = u"gob/gobbler_anim.txt";

// The player, four pictures per direction (right, left, up, down), in the order the mouth phase picks them.
inline constexpr int32_t kPlayerFrameCount = 16;
inline constexpr const char16_t* kPlayerFrames[kPlayerFrameCount] = {
    u"gobbler_right2.png",  u"gobbler_right3.png",  u"gobbler_right4.png",  u"gobbler_right1.png",
    u"gobbler_left2.png",   u"gobbler_left3.png",   u"gobbler_left4.png",   u"gobbler_left1.png",
    u"gobbler_top2.png",    u"gobbler_top3.png",    u"gobbler_top4.png",    u"gobbler_top1.png",
    u"gobbler_bottom2.png", u"gobbler_bottom3.png", u"gobbler_bottom4.png", u"gobbler_bottom1.png"};
// The same while the chasers are frightened.
inline constexpr const char16_t* kPlayerPowerFrames[kPlayerFrameCount] = {
    u"gobbler_m_R2.png", u"gobbler_m_R3.png", u"gobbler_m_R4.png", u"gobbler_m_R1.png",
    u"gobbler_m_L2.png", u"gobbler_m_L3.png", u"gobbler_m_L4.png", u"gobbler_m_L1.png",
    u"gobbler_m_U1.png", u"gobbler_m_U2.png", u"gobbler_m_U3.png", u"gobbler_m_U4.png",
    u"gobbler_m_D1.png", u"gobbler_m_D2.png", u"gobbler_m_D3.png", u"gobbler_m_D4.png"};

// The chasers: per colour (red, green, orange, yellow) forward, upward, left (the right one mirrored) and
// right; then the frightened chaser the same way, then the eyes going home (down, up, right, left).
inline constexpr int32_t kChaserFrameCount = 24;
inline constexpr const char16_t* kChaserFrames[kChaserFrameCount] = {u"red_forward.png",
                                                                     u"red_upward.png",
                                                                     u"red_right.png_mr",
                                                                     u"red_right.png",
                                                                     u"green_forward.png",
                                                                     u"green_upward.png",
                                                                     u"green_right.png_mr",
                                                                     u"green_right.png",
                                                                     u"orange_forward.png",
                                                                     u"orange_upward.png",
                                                                     u"orange_right.png_mr",
                                                                     u"orange_right.png",
                                                                     u"yellow_forward.png",
                                                                     u"yellow_upward.png",
                                                                     u"yellow_right.png_mr",
                                                                     u"yellow_right.png",
                                                                     u"eye1.png",
                                                                     u"eye2.png",
                                                                     u"eye3.png_mr",
                                                                     u"eye3.png",
                                                                     u"eyeD.png",
                                                                     u"eyeU.png",
                                                                     u"eyeR.png",
                                                                     u"eyeR.png_mr"};
// The game's table of chaser pictures is longer than the pictures it holds.
inline constexpr int32_t kChaserTableLength = 44;

// Score pop-ups by picture index: 200, 400, 800, 1000, 1600, 2000, 3000, 4000, 5000 points.
inline constexpr int32_t kPopupCount = 9;
inline constexpr int32_t kPopupPoints[kPopupCount] = {200, 400, 800, 1000, 1600, 2000, 3000, 4000, 5000};
inline constexpr const char16_t* kPopupFrames[kPopupCount] = {u"cipher200.png",  u"cipher400.png",  u"cipher800.png",
                                                              u"cipher1000.png", u"cipher1600.png", u"cipher2000.png",
                                                              u"cipher3000.png", u"cipher4000.png", u"cipher5000.png"};

// Wall tiles: style digit (1 to 4) + kWallTileName + two digits + kTileSuffix; tile 00 is the ground. Doors:
// style digit + kDoorName.
inline constexpr int32_t kTileStyles = 4;
inline constexpr int32_t kTilesPerStyle = 42;
inline constexpr const char16_t* kWallTileName = u"set_wall";
inline constexpr const char16_t* kTileSuffix = u".png";
inline constexpr const char16_t* kDoorName = u"set_door00.png";

// Animations of the animation list.
inline constexpr const char16_t* kDeathAnimation = u"gobbler-death";
inline constexpr const char16_t* kChangeAnimation = u"gobbler-change";
inline constexpr int32_t kFruitKinds = 7;
// By fruit kind 1 to 7.
inline constexpr const char16_t* kFruitAnimations[kFruitKinds] = {u"cherry", u"vine", u"orange",      u"plum",
                                                                  u"apple",  u"pear", u"strawberries"};
inline constexpr const char16_t* kDotAnimation = u"little-money";
inline constexpr const char16_t* kPowerDotAnimation = u"big-money";
inline constexpr const char16_t* kPortalAnimation = u"portal";
inline constexpr const char16_t* kAnimationKeys[] = {kDeathAnimation,     kChangeAnimation,    kFruitAnimations[0],
                                                     kFruitAnimations[1], kFruitAnimations[2], kFruitAnimations[3],
                                                     kFruitAnimations[4], kFruitAnimations[5], kFruitAnimations[6],
                                                     kDotAnimation,       kPowerDotAnimation,  kPortalAnimation};

// Sounds by id: ".wav" effects, ".mod" music (the menu's and the game's tunes).
inline constexpr int32_t kSoundCount = 11;
inline constexpr const char16_t* kSounds[kSoundCount] = {u"/data/gob/sound/eat the dot",
                                                         u"/data/gob/sound/restart a ghost",
                                                         u"/data/gob/sound/newlevel",
                                                         u"/data/gob/sound/die",
                                                         u"/data/gob/sound/eat the fruit",
                                                         u"/data/gob/sound/eat the ghost",
                                                         u"/data/gob/sound/move the fruit",
                                                         u"/data/gob/sound/got the life",
                                                         u"/data/gob/sound/menu",
                                                         u"/data/gob/sound/eat the super dot",
                                                         u"/data/gob/sound/game"};
inline constexpr int32_t kMusicSounds[] = {8, 10};

// Texts the game's own screens show, beside the shared menus', and the keys of its set-up and table pages.
inline constexpr const char16_t* kTextKeys[] = {u"level", u"score", u"gameover"};
inline constexpr const char16_t* kMenuKeys[] = {u"levelsoriginal", u"levelsrandom", u"modeoriginal",
                                                u"modefruit",      u"modetime",     u"modekill"};
inline constexpr const char16_t* kHelpFolder = u"/txt/gob/";  // + language code + "_help.txt"

// The maps, played in this order: CR LF between the rows, one byte a cell, every map the size of the first
// (the game measures the first and reads every other one into a grid of that size).
inline constexpr int32_t kMapCount = 13;
inline constexpr const char16_t* kMapFiles[kMapCount] = {
    u"/data/gob/maps/map00.txt", u"/data/gob/maps/map01.txt", u"/data/gob/maps/map02.txt", u"/data/gob/maps/map03.txt",
    u"/data/gob/maps/map04.txt", u"/data/gob/maps/map05.txt", u"/data/gob/maps/map06.txt", u"/data/gob/maps/map07.txt",
    u"/data/gob/maps/map08.txt", u"/data/gob/maps/map09.txt", u"/data/gob/maps/map10.txt", u"/data/gob/maps/map11.txt",
    u"/data/gob/maps/map12.txt"};
inline constexpr int32_t kMapColumns = 18;
inline constexpr int32_t kMapRows = 21;

// The cell bytes of a map.
inline constexpr char kOpenCell = '0';
inline constexpr char kWallCell = '1';
inline constexpr char kPlayerCell = 'p';
inline constexpr char kRedHomeCell = 'r';
inline constexpr char kGreenHomeCell = 'g';
inline constexpr char kPortalCell = '*';
inline constexpr char kDoorCell = '#';
inline constexpr char kDotCell = '.';
inline constexpr char kPowerDotCell = 'o';

}  // namespace gobbler::data

namespace gamelib {
class GameInterface;
}

namespace gobbler {

// The calls the program's row of this game names (app/GameList.h), made in GobblerGlobals.cpp: a new
// screen of the game, and the first values and release of its globals.
gamelib::GameInterface* newScreen();
void initGlobals();
void releaseGlobals();

}  // namespace gobbler
