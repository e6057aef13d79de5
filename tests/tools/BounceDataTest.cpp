// The brick game's data in the built game.dat: every picture, animation, round, sound, help page
// and text it looks up is there for both screen sizes, and its field fits each screen.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "BuiltArchive.h"
#include "CheckRounds.h"
#include "core/io/D7zipInputStream.h"
#include "core/lang/DString.h"

namespace fs = std::filesystem;
using nuv::io::D7zipInputStream;

namespace {

using builtarchive::name;

const char* const kSizes[] = {"240x320", "480x640"};

const std::vector<std::string> kImageKeys = {
    "b1_0.png",  "b1_1.png",      "b2_0.png",    "b2_1.png",   "b2_2.png",           "b3_0.png",     "b4.png",
    "b5.png",    "b6.png",        "b7.png",      "b8_0.png",   "b9_0.png",           "b9_p0.png",    "b9_p1.png",
    "b9_p2.png", "b9_p3.png",     "b_flash.png", "t1_L.png",   "t2_L.png",           "t3_L.png",     "t4_L.png",
    "ball1.png", "ballSmall.png", "ballBig.png", "bullet.png", "bomba-monstr_0.png", "lifeIcon.png", "abyss.png",
};

std::vector<std::string> animationKeys() {
  std::vector<std::string> keys = {"ballFireSmall", "ballFire", "ballFireBig", "monst0",   "monst1",    "monst2",
                                   "small",         "desmall",  "bigger",      "debigger", "armed",     "dearmed",
                                   "turbo",         "deturbo",  "flames",      "flames2",  "gilzLeft1", "gilzRight1",
                                   "Clue",          "exit",     "b3dis",       "b3app",    "iskra",     "detonation"};
  for (int k = 1; k <= 12; ++k) keys.push_back("bnc_bon" + std::to_string(k));
  return keys;
}

const char* const kSounds[] = {"menu",          "game",     "Respawn",     "die",
                               "boom",          "HitBrick", "HitPlatform", "HitUndestroyBrick",
                               "HitRegenBrick", "shoot",    "HitWall"};

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
};

class BounceData : public builtarchive::BuiltArchive {
 protected:
  static bool has(const std::string& entry) { return D7zipInputStream::getSize(name(entry)) >= 0; }

  static std::string read(const std::string& entry) {
    std::string text;
    auto stream = D7zipInputStream::open(name("/" + entry));
    for (int b = stream->read(); b >= 0; b = stream->read()) text.push_back(static_cast<char>(b));
    return text;
  }

  // "key=value" or "key;x;y;w;h" lines, CR LF ended.
  static std::map<std::string, std::string> lines(const std::string& entry, char separator) {
    std::map<std::string, std::string> out;
    std::istringstream in(read(entry));
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      size_t at = line.find(separator);
      if (at != std::string::npos) out[line.substr(0, at)] = line.substr(at + 1);
    }
    return out;
  }

  static std::map<std::string, Rect> atlas(const std::string& size) {
    std::map<std::string, Rect> out;
    for (auto& [key, rest] : lines("graphics/" + size + "/bnc/all.txt", ';')) {
      Rect r;
      char sep;
      std::istringstream(rest) >> r.x >> sep >> r.y >> sep >> r.w >> sep >> r.h;
      out[key] = r;
    }
    return out;
  }
};

}  // namespace

TEST_F(BounceData, EveryPictureAndAnimationIsThereUnderBothScreenSizes) {
  for (const std::string size : kSizes) {
    for (const std::string picture :
         {"bnc/splash", "bnc/all", "bnc/img/back1", "bnc/img/back2", "bnc/img/back3", "bnc/img/back4", "bnc/img/back5"})
      EXPECT_TRUE(has("graphics/" + size + "/" + picture + ".png")) << size << " " << picture;
    auto images = atlas(size);
    for (const std::string& key : kImageKeys) EXPECT_TRUE(images.count(key)) << size << " " << key;
    auto animations = lines("graphics/" + size + "/bnc/anim.txt", '=');
    for (const std::string& key : animationKeys()) {
      ASSERT_TRUE(animations.count(key)) << size << " " << key;
      std::istringstream frames(animations[key]);
      for (std::string frame; std::getline(frames, frame, ';');) {
        if (frame.size() > 3 && frame.compare(frame.size() - 3, 3, "_mr") == 0) frame.resize(frame.size() - 3);
        EXPECT_TRUE(images.count(frame)) << size << " " << key << ": " << frame;
      }
    }
  }
}

// The game scales by the brick's width over 14 and lays 21 rows of 11 cells out from the flash
// picture; balls, paddle and walls must then fit the screen without the field being squeezed.
TEST_F(BounceData, FieldFitsEachScreen) {
  const int widths[] = {240, 480}, heights[] = {320, 640};
  for (int i = 0; i < 2; ++i) {
    const std::string size = kSizes[i];
    const int w = widths[i], h = heights[i], scale = w / 240;
    auto images = atlas(size);
    const Rect brick = images["b1_0.png"], flash = images["b_flash.png"], corner = images["t4_L.png"];
    EXPECT_EQ(brick.w, 14 * scale) << size;
    const int cellW = flash.w + 1, cellH = flash.h + 1, top = corner.h;
    const int fieldWidth = cellW * 11, fieldHeight = cellH * 21, fieldLeft = (w - fieldWidth) / 2;
    const int radius = images["ball1.png"].w / 2, paddleHeight = 5 * brick.w / 14, bottomGap = 12;
    EXPECT_LE(fieldWidth, w) << size;
    EXPECT_GE(fieldLeft - corner.w, 0) << size << ": the side walls leave the screen";
    EXPECT_LE(bottomGap + 2 * radius + paddleHeight + fieldHeight + top, h) << size << ": the field would be moved";
    // Walls: side pieces as wide as the corner, top tiles (side pieces turned) as tall as it.
    for (const char* piece : {"t1_L.png", "t2_L.png", "t3_L.png"}) {
      EXPECT_EQ(images[piece].w, corner.w) << size << " " << piece;
      EXPECT_EQ(images[piece].h, images["t1_L.png"].h) << size << " " << piece;
    }
    EXPECT_EQ(images["t1_L.png"].w, top) << size;
    // The four plates of the five-hit brick sit in two rows one pixel apart, inside the brick.
    const Rect plate = images["b9_p0.png"];
    EXPECT_LE(2 * plate.w, brick.w) << size;
    EXPECT_LE(2 * plate.h + 1, brick.h) << size;
    // Every brick state shares the cell's size, so a redraw wipes what was there.
    for (const char* key : {"b1_0.png", "b1_1.png", "b2_0.png", "b2_1.png", "b2_2.png", "b3_0.png", "b4.png", "b5.png",
                            "b6.png", "b7.png", "b8_0.png", "b9_0.png"}) {
      EXPECT_EQ(images[key].w, flash.w) << size << " " << key;
      EXPECT_EQ(images[key].h, flash.h) << size << " " << key;
    }
  }
}

TEST_F(BounceData, RoundsSoundsHelpAndTextsAreThere) {
  for (const std::string& round : datakit::roundFileNames()) EXPECT_TRUE(has(round)) << round;
  for (const std::string sound : kSounds) {
    const std::string base = "data/bnc/sound/" + sound;
    const bool music = sound == "menu" || sound == "game";
    EXPECT_TRUE(has(base + (music ? ".mod" : ".wav"))) << base;
  }
  for (const std::string code : {"en", "de", "fr"}) {
    EXPECT_GT(D7zipInputStream::getSize(name("txt/bnc/" + code + "_help.txt")), 100) << code;
    std::string texts = read("txt/res_" + code + ".txt");
    for (const std::string key : {"ctrl_actions_bounce", "gamecomplete", "gameover", "level", "score", "start",
                                  "continue", "highscores", "help", "cfg_keys", "exit", "mainmenu", "empty"})
      EXPECT_NE(texts.find(key + "="), std::string::npos) << code << " " << key;
  }
}
