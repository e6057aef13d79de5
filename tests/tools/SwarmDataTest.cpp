// The alien-formation game's data in the built game.dat: every picture, animation, sound, help page and
// text it looks up is there for both screen sizes, its sprites have the shapes its rules assume, and a name
// it looks up that goes missing is a build error naming the source to fix.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "BuiltArchive.h"
#include "GameTable.h"
#include "games/swarm/SwarmData.h"

namespace fs = std::filesystem;

namespace {

using builtarchive::has;
using builtarchive::lines;
using builtarchive::Rect;
using datakit::ascii;
namespace data = swarm::data;

struct Size {
  const char* folder;
  int width, height;
};
const Size kSizes[] = {{"240x320", 240, 320}, {"480x640", 480, 640}};

// What the game looks up, as the checker's row has it from the game's own names.
const datakit::GameRow& game() {
  static const datakit::GameRow row = datakit::swarmRow();
  return row;
}

class SwarmData : public builtarchive::BuiltArchive {
 protected:
  static std::map<std::string, Rect> atlas(const std::string& size) {
    return builtarchive::atlas(game().imageTable, size);
  }

  static std::vector<std::string> frames(const std::string& size, const std::string& animation) {
    std::vector<std::string> out;
    std::istringstream in(lines("graphics/" + size + "/" + game().animationList, '=')[animation]);
    for (std::string frame; std::getline(in, frame, ';');) out.push_back(frame);
    return out;
  }
};

TEST_F(SwarmData, EveryPictureAndAnimationIsThereUnderBothScreenSizes) {
  for (const Size& size : kSizes) {
    std::vector<std::string> pictures = game().pictures;
    pictures.push_back(game().imageTable);
    for (const std::string& picture : pictures)
      EXPECT_TRUE(has("graphics/" + std::string(size.folder) + "/" + picture + ".png"))
          << size.folder << " " << picture;
    auto images = atlas(size.folder);
    for (const std::string& key : game().imageKeys) EXPECT_TRUE(images.count(key)) << size.folder << " " << key;
    auto animations = lines("graphics/" + std::string(size.folder) + "/" + game().animationList, '=');
    for (const std::string& key : game().animationKeys) {
      ASSERT_TRUE(animations.count(key)) << size.folder << " " << key;
      for (const std::string& frame : frames(size.folder, key)) {
        EXPECT_TRUE(images.count(frame)) << size.folder << " " << key << ": " << frame;
      }
    }
  }
}

// Aliens are turned in sixteen headings about their centre and laid out on one grid: every picture of
// every kind is the same square. The formation swaying its full reach stays on the screen, and the
// heads-up row has room for twenty level pennants and five spare ships beside the score.
TEST_F(SwarmData, SpritesHaveTheShapesTheGameAssumes) {
  for (const Size& size : kSizes) {
    auto images = atlas(size.folder);
    const Rect first = images["fly1_1.png"];
    EXPECT_EQ(first.w, first.h) << size.folder;
    for (int k = 1; k <= data::kAlienKinds; ++k) {
      for (int f = 1; f <= data::kAlienFrames; ++f) {
        const std::string key = "fly" + std::to_string(k) + "_" + std::to_string(f) + ".png";
        EXPECT_EQ(images[key].w, first.w) << size.folder << " " << key;
        EXPECT_EQ(images[key].h, first.h) << size.folder << " " << key;
      }
    }
    // The widest row: six aliens 10 pixels apart; the sway reaches as far as the room left of it.
    const int cell = first.w, half = size.width / 2;
    const int leftmost = half - 5 - cell / 2 - 2 * (10 + cell),
              rightmost = (size.width + 10 + cell) / 2 + 2 * (10 + cell);
    const int sway = leftmost - cell;
    EXPECT_GE(leftmost - sway - cell / 2, 0) << size.folder;
    EXPECT_LE(rightmost + sway + cell / 2, size.width) << size.folder;

    const Rect level = images[ascii(data::kLevel)], life = images[ascii(data::kLife)];
    EXPECT_LE(data::kLastLevel * level.w, size.width * 3 / 5) << size.folder;
    EXPECT_LE(5 * life.w, size.width / 4) << size.folder;
    // The ship and its engine flame stand on the bottom edge; the shot waiting on its nose is narrower.
    const Rect ship = images[ascii(data::kShip)], bullet = images[ascii(data::kBullet)];
    EXPECT_LT(bullet.w, ship.w / 2) << size.folder;
    for (const std::string& animation : game().animationKeys) {
      const std::vector<std::string> list = frames(size.folder, animation);
      ASSERT_FALSE(list.empty()) << animation;
      // Each animation's frames share one size, so it is drawn in one place all through.
      for (const std::string& frame : list) {
        EXPECT_EQ(images[frame].w, images[list[0]].w) << size.folder << " " << frame;
        EXPECT_EQ(images[frame].h, images[list[0]].h) << size.folder << " " << frame;
      }
    }
  }
}

TEST_F(SwarmData, SoundsHelpAndTextsAreThere) {
  // The first two sounds are the menu's and the game's tunes.
  builtarchive::expectSounds(game(), [](int i) { return i < 2; });
  std::vector<std::string> keys = builtarchive::screenTextKeys(game(), builtarchive::kMenuEntryKeys);
  keys.push_back("empty");
  builtarchive::expectEveryLanguage(data::kHelpFolder, 100, keys);
}

using builtarchive::SpoiledData;
using builtarchive::SpoiledTree;

// A name the game looks up and cannot find is a build error naming the file to mend.
const builtarchive::Spoil kSpoils[] = {
    {"an animation entry", [](SpoiledTree& d) { d.dropLines("graphics/240x320/swm/anim.txt", "explosion_enemy="); },
     "swm/anim.txt.plain:0: the game looks up the animation \"explosion_enemy\""},
    {"an alien's turned picture", [](SpoiledTree& d) { d.dropLines("graphics/480x640/swm/all.txt", "fly3_2.png;"); },
     "swm/all.atlas:0: the game looks up \"fly3_2.png\""},
    {"a level picture", [](SpoiledTree& d) { d.remove("graphics/480x640/swm/img/2.png"); },
     "480x640.dat.plain:1: no picture \"swm/img/2\""},
    {"the lost game's picture", [](SpoiledTree& d) { d.remove("graphics/240x320/swm/gameover.png"); },
     "240x320.dat.plain:1: no picture \"swm/gameover\""},
    {"a sound", [](SpoiledTree& d) { d.remove("data/swm/sound/shootbee.wav"); },
     "swm/sound/shootbee.sfx:0: missing: the game plays this sound"},
};
INSTANTIATE_TEST_SUITE_P(Swarm, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName);

}  // namespace
