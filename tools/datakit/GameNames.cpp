// What each game's set-up looks up in the archive by name.
#include "GameNames.h"

namespace datakit {

namespace {

GameNames bounceNames() {
  GameNames g;
  g.folder = "bnc/";
  g.pictures = {"bnc/splash", "bnc/img/back1", "bnc/img/back2", "bnc/img/back3", "bnc/img/back4", "bnc/img/back5"};
  g.imageKeys = {
      "b1_0.png",  "b1_1.png",      "b2_0.png",    "b2_1.png",   "b2_2.png",           "b3_0.png",     "b4.png",
      "b5.png",    "b6.png",        "b7.png",      "b8_0.png",   "b9_0.png",           "b9_p0.png",    "b9_p1.png",
      "b9_p2.png", "b9_p3.png",     "b_flash.png", "t1_L.png",   "t2_L.png",           "t3_L.png",     "t4_L.png",
      "ball1.png", "ballSmall.png", "ballBig.png", "bullet.png", "bomba-monstr_0.png", "lifeIcon.png", "abyss.png"};
  g.animationKeys = {"ballFireSmall", "ballFire", "ballFireBig", "monst0",   "monst1",    "monst2",
                     "small",         "desmall",  "bigger",      "debigger", "armed",     "dearmed",
                     "turbo",         "deturbo",  "flames",      "flames2",  "gilzLeft1", "gilzRight1",
                     "Clue",          "exit",     "b3dis",       "b3app",    "iskra",     "detonation"};
  for (int k = 1; k <= 12; ++k) g.animationKeys.push_back("bnc_bon" + std::to_string(k));
  for (const char* s : {"menu", "game", "Respawn", "die", "boom", "HitBrick", "HitPlatform", "HitUndestroyBrick",
                        "HitRegenBrick", "shoot", "HitWall"})
    g.sounds.push_back(std::string("data/bnc/sound/") + s);
  return g;
}

}  // namespace

const std::vector<GameNames> kGameNames = {bounceNames()};

}  // namespace datakit
