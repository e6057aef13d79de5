// The brick game's data in the built game.dat: every picture, animation, round, sound, help page
// and text it looks up is there for both screen sizes, and its field fits each screen; and a name
// it looks up, missing, is a build error naming the file to mend.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "BuiltArchive.h"
#include "GameTable.h"
#include "core/lang/DString.h"
#include "games/BounceRounds.h"
#include "games/bounce/BounceData.h"

namespace fs = std::filesystem;

namespace {

using builtarchive::has;
using builtarchive::lines;
using builtarchive::Rect;

const char* const kSizes[] = {"240x320", "480x640"};

namespace data = bounce::data;
using datakit::ascii;

// What the game looks up, as the checker's row has it from the game's own names.
const datakit::GameRow& game() {
  static const datakit::GameRow row = datakit::bounceRow();
  return row;
}

class BounceData : public builtarchive::BuiltArchive {
 protected:
  static std::map<std::string, Rect> atlas(const std::string& size) {
    return builtarchive::atlas(game().imageTable, size);
  }
};

}  // namespace

TEST_F(BounceData, EveryPictureAndAnimationIsThereUnderBothScreenSizes) {
  for (const std::string size : kSizes) {
    std::vector<std::string> pictures = game().pictures;
    pictures.push_back(game().imageTable);
    for (const std::string& picture : pictures)
      EXPECT_TRUE(has("graphics/" + size + "/" + picture + ".png")) << size << " " << picture;
    auto images = atlas(size);
    for (const std::string& key : game().imageKeys) EXPECT_TRUE(images.count(key)) << size << " " << key;
    auto animations = lines("graphics/" + size + "/" + game().animationList, '=');
    for (const std::string& key : game().animationKeys) {
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
    const Rect brick = images[ascii(data::kScaleBrick)], flash = images[ascii(data::kFlashBrick)];
    const Rect corner = images[ascii(data::kWalls[3])];
    EXPECT_EQ(brick.w, 14 * scale) << size;
    const int cellW = flash.w + 1, cellH = flash.h + 1, top = corner.h;
    const int fieldWidth = cellW * data::kFieldColumns, fieldHeight = cellH * data::kFieldRows;
    const int fieldLeft = (w - fieldWidth) / 2;
    const int radius = images[ascii(data::kBall)].w / 2, paddleHeight = 5 * brick.w / 14, bottomGap = 12;
    EXPECT_LE(fieldWidth, w) << size;
    EXPECT_GE(fieldLeft - corner.w, 0) << size << ": the side walls leave the screen";
    EXPECT_LE(bottomGap + 2 * radius + paddleHeight + fieldHeight + top, h) << size << ": the field would be moved";
    // Walls: side pieces as wide as the corner, top tiles (side pieces turned) as tall as it.
    const Rect firstWall = images[ascii(data::kWalls[0])];
    for (const char16_t* wall : {data::kWalls[0], data::kWalls[1], data::kWalls[2]}) {
      const std::string piece = ascii(wall);
      EXPECT_EQ(images[piece].w, corner.w) << size << " " << piece;
      EXPECT_EQ(images[piece].h, firstWall.h) << size << " " << piece;
    }
    EXPECT_EQ(firstWall.w, top) << size;
    // The four plates of the five-hit brick sit in two rows one pixel apart, inside the brick.
    const Rect plate = images[ascii(data::kQuarterBricks[0])];
    EXPECT_LE(2 * plate.w, brick.w) << size;
    EXPECT_LE(2 * plate.h + 1, brick.h) << size;
    // Every brick state shares the cell's size, so a redraw wipes what was there.
    std::vector<std::string> bricks = datakit::asciiList(data::kTwoHitBricks);
    for (const std::string& key : datakit::asciiList(data::kThreeHitBricks)) bricks.push_back(key);
    for (const std::string& key : datakit::asciiList(data::kKindBricks))
      if (key != ascii(data::kFlashBrick)) bricks.push_back(key);
    for (const std::string& key : bricks) {
      EXPECT_EQ(images[key].w, flash.w) << size << " " << key;
      EXPECT_EQ(images[key].h, flash.h) << size << " " << key;
    }
  }
}

TEST_F(BounceData, RoundsSoundsHelpAndTextsAreThere) {
  for (const std::string& round : datakit::roundFileNames()) EXPECT_TRUE(has(round)) << round;
  // The first two sounds are the menu's and the game's tunes.
  builtarchive::expectSounds(game(), [](int i) { return i < 2; });
  std::vector<std::string> keys = builtarchive::screenTextKeys(game(), builtarchive::kMenuEntryKeys);
  keys.push_back("empty");
  builtarchive::expectEveryLanguage(data::kHelpFolder, 100, keys);
}

namespace {

using builtarchive::SpoiledData;
using builtarchive::SpoiledTree;

// A name the game looks up and cannot find is a build error naming the file to mend.
const builtarchive::Spoil kSpoils[] = {
    {"an animation entry", [](SpoiledTree& d) { d.dropLines("graphics/240x320/bnc/anim.txt", "bnc_bon7="); },
     "bnc/anim.txt.plain:0: the game looks up the animation \"bnc_bon7\""},
    {"an image key", [](SpoiledTree& d) { d.dropLines("graphics/480x640/bnc/all.txt", "lifeIcon.png;"); },
     "bnc/all.atlas:0: the game looks up \"lifeIcon.png\""},
    {"a background", [](SpoiledTree& d) { d.remove("graphics/480x640/bnc/img/back3.png"); },
     "480x640.dat.plain:1: no picture \"bnc/img/back3\""},
    {"a sound", [](SpoiledTree& d) { d.remove("data/bnc/sound/die.wav"); },
     "bnc/sound/die.sfx:0: missing: the game plays this sound"},
};
INSTANTIATE_TEST_SUITE_P(Bounce, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName);

}  // namespace
