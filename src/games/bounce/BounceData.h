// What the brick-and-paddle game is, by name and number: its key and folders, every picture, image-table
// key, animation and sound it looks up, its field and its rounds. The game, the data checker and the tests
// read these; nothing here depends on anything else, and no list of them is written anywhere else.
#pragma once

#include <cstdint>

namespace bounce::data {

// The key names the game's option, high-score and key stores and its texts; the folder its data.
inline constexpr const char16_t* kGameKey = u"bounce";
inline constexpr const char16_t* kFolder = u"bnc";
// Left, right and fire may be rebound.
inline constexpr int32_t kRemappableActions = 0x1C;

// Whole pictures.
inline constexpr const char16_t* kSplash = u"bnc/splash";
inline constexpr const char16_t* kBackgroundPrefix = u"/bnc/img/back";  // + 1..kBackgrounds
inline constexpr int32_t kBackgrounds = 5;
inline constexpr const char16_t* kBackgroundNames[kBackgrounds] = {u"bnc/img/back1", u"bnc/img/back2", u"bnc/img/back3",
                                                                   u"bnc/img/back4", u"bnc/img/back5"};

// The image table and the animation list.
inline constexpr const char16_t* kImageTable = u"bnc/all";
inline constexpr const char16_t* kAnimationList = u"bnc/anim.txt";

// Image-table keys.
inline constexpr const char16_t* kFlashBrick = u"b_flash.png";
inline constexpr const char16_t* kTwoHitBricks[] = {u"b1_0.png", u"b1_1.png"};
inline constexpr const char16_t* kThreeHitBricks[] = {u"b2_0.png", u"b2_1.png", u"b2_2.png"};
// By brick kind; kinds 1 and 2 take their pictures from the hit lists above.
inline constexpr const char16_t* kKindBricks[] = {kFlashBrick, nullptr,   nullptr,   u"b3_0.png", u"b4.png",
                                                  u"b5.png",   u"b6.png", u"b7.png", u"b8_0.png", u"b9_0.png"};
inline constexpr const char16_t* kQuarterBricks[] = {u"b9_p0.png", u"b9_p1.png", u"b9_p2.png", u"b9_p3.png"};
// The side walls, top to bottom, and the corner; the right wall mirrors them and the top turns the first.
inline constexpr const char16_t* kWalls[] = {u"t1_L.png", u"t2_L.png", u"t3_L.png", u"t4_L.png"};
inline constexpr const char16_t* kBall = u"ball1.png";
inline constexpr const char16_t* kBallSmall = u"ballSmall.png";
inline constexpr const char16_t* kBallBig = u"ballBig.png";
inline constexpr const char16_t* kBullet = u"bullet.png";
inline constexpr const char16_t* kBomb = u"bomba-monstr_0.png";
inline constexpr const char16_t* kLifeIcon = u"lifeIcon.png";
inline constexpr const char16_t* kAbyss = u"abyss.png";
// The brick whose width scales the whole game.
inline constexpr const char16_t* kScaleBrick = kTwoHitBricks[0];

inline constexpr const char16_t* kImageKeys[] = {kTwoHitBricks[0],
                                                 kTwoHitBricks[1],
                                                 kThreeHitBricks[0],
                                                 kThreeHitBricks[1],
                                                 kThreeHitBricks[2],
                                                 kKindBricks[3],
                                                 kKindBricks[4],
                                                 kKindBricks[5],
                                                 kKindBricks[6],
                                                 kKindBricks[7],
                                                 kKindBricks[8],
                                                 kKindBricks[9],
                                                 kQuarterBricks[0],
                                                 kQuarterBricks[1],
                                                 kQuarterBricks[2],
                                                 kQuarterBricks[3],
                                                 kFlashBrick,
                                                 kWalls[0],
                                                 kWalls[1],
                                                 kWalls[2],
                                                 kWalls[3],
                                                 kBall,
                                                 kBallSmall,
                                                 kBallBig,
                                                 kBullet,
                                                 kBomb,
                                                 kLifeIcon,
                                                 kAbyss};

// Animations of the animation list.
inline constexpr const char16_t* kFireSmall = u"ballFireSmall";
inline constexpr const char16_t* kFire = u"ballFire";
inline constexpr const char16_t* kFireBig = u"ballFireBig";
inline constexpr const char16_t* kEnemyPrefix = u"monst";  // + 0..kEnemyKinds - 1
inline constexpr int32_t kEnemyKinds = 3;
inline constexpr const char16_t* kBonusPrefix = u"bnc_bon";  // + 1..kBonusKinds
inline constexpr int32_t kBonusKinds = 12;
inline constexpr const char16_t* kPaddleSmall = u"small";
inline constexpr const char16_t* kPaddleUnsmall = u"desmall";
inline constexpr const char16_t* kPaddleBigger = u"bigger";
inline constexpr const char16_t* kPaddleUnbigger = u"debigger";
inline constexpr const char16_t* kPaddleArmed = u"armed";
inline constexpr const char16_t* kPaddleDisarmed = u"dearmed";
inline constexpr const char16_t* kPaddleTurbo = u"turbo";
inline constexpr const char16_t* kPaddleUnturbo = u"deturbo";
inline constexpr const char16_t* kFlames = u"flames";
inline constexpr const char16_t* kFlames2 = u"flames2";
inline constexpr const char16_t* kGunFlameLeft = u"gilzLeft1";
inline constexpr const char16_t* kGunFlameRight = u"gilzRight1";
inline constexpr const char16_t* kGlue = u"Clue";
inline constexpr const char16_t* kExit = u"exit";
inline constexpr const char16_t* kBrickDisappear = u"b3dis";
inline constexpr const char16_t* kBrickAppear = u"b3app";
inline constexpr const char16_t* kSpark = u"iskra";
inline constexpr const char16_t* kDetonation = u"detonation";

// Every animation named in full; the enemies and power-ups add their numbered ones.
inline constexpr const char16_t* kAnimationKeys[] = {
    kFireSmall,     kFire,           kFireBig,     kPaddleSmall,    kPaddleUnsmall, kPaddleBigger, kPaddleUnbigger,
    kPaddleArmed,   kPaddleDisarmed, kPaddleTurbo, kPaddleUnturbo,  kFlames,        kFlames2,      kGunFlameLeft,
    kGunFlameRight, kGlue,           kExit,        kBrickDisappear, kBrickAppear,   kSpark,        kDetonation};

// Sounds by id: ".wav" effects, ".mod" music.
inline constexpr const char16_t* kSounds[] = {u"/data/bnc/sound/menu",          u"/data/bnc/sound/game",
                                              u"/data/bnc/sound/Respawn",       u"/data/bnc/sound/die",
                                              u"/data/bnc/sound/boom",          u"/data/bnc/sound/HitBrick",
                                              u"/data/bnc/sound/HitPlatform",   u"/data/bnc/sound/HitUndestroyBrick",
                                              u"/data/bnc/sound/HitRegenBrick", u"/data/bnc/sound/shoot",
                                              u"/data/bnc/sound/HitWall"};

// Texts the game's own screens show, beside the shared menus'.
inline constexpr const char16_t* kTextKeys[] = {u"score", u"gameover", u"gamecomplete", u"level"};
inline constexpr const char16_t* kHelpFolder = u"/txt/bnc/";  // + language code + "_help.txt"

// The field and its rounds: "/data/bnc/data/round" + two digits + ".txt", rows of letters, CR LF ended.
inline constexpr int32_t kFieldRows = 21;
inline constexpr int32_t kFieldColumns = 11;
inline constexpr int32_t kRounds = 50;
inline constexpr const char16_t* kRoundPrefix = u"/data/bnc/data/round";
inline constexpr const char16_t* kRoundSuffix = u".txt";
// By brick kind; '.' or a space leaves a cell empty.
inline constexpr const char16_t* kBrickLetters = u"abcdefghij";

}  // namespace bounce::data

namespace gamelib {
class GameInterface;
}

namespace bounce {

// The calls the program's row of this game names (app/GameList.h), made in BounceGlobals.cpp: a new
// screen of the game, and the first values and release of its globals.
gamelib::GameInterface* newScreen();
void initGlobals();
void releaseGlobals();

}  // namespace bounce
