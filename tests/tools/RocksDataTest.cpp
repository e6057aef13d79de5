// The space-rocks game's data in the built game.dat: every picture, image key, sound, help page, text and
// tuning value it looks up is there for both screen sizes, its sprites have the sizes its rules assume, and
// a name taken out of the staged data is a build error that names the source to fix.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "BuiltArchive.h"
#include "GameTable.h"
#include "games/rocks/RocksData.h"

namespace fs = std::filesystem;

namespace {

using builtarchive::has;
using builtarchive::read;
using builtarchive::Rect;
namespace data = rocks::data;
using datakit::ascii;

const char* const kSizes[] = {"240x320", "480x640"};

const datakit::GameRow& game() {
  static const datakit::GameRow row = datakit::rocksRow();
  return row;
}

class RocksData : public builtarchive::BuiltArchive {
 protected:
  static std::map<std::string, Rect> atlas(const std::string& size) {
    return builtarchive::atlas(game().imageTable, size);
  }
  // The value of a key in a language's text table (data-stream strings "key=value").
  static std::string text(const std::string& code, const std::string& key) {
    const std::string table = read("txt/res_" + code + ".txt");
    const std::string wanted = key + "=";
    for (size_t at = 0; at + 2 <= table.size();) {
      const size_t length = static_cast<unsigned char>(table[at]) << 8 | static_cast<unsigned char>(table[at + 1]);
      const std::string entry = table.substr(at + 2, length);
      if (entry.compare(0, wanted.size(), wanted) == 0) return entry.substr(wanted.size());
      at += 2 + length;
    }
    return "";
  }
};

}  // namespace

TEST_F(RocksData, EveryPictureAndImageKeyIsThereUnderBothScreenSizes) {
  for (const std::string size : kSizes) {
    std::vector<std::string> pictures = game().pictures;
    pictures.push_back(game().imageTable);
    for (const std::string& picture : pictures)
      EXPECT_TRUE(has("graphics/" + size + "/" + picture + ".png")) << size << " " << picture;
    auto images = atlas(size);
    for (const std::string& key : game().imageKeys) EXPECT_TRUE(images.count(key)) << size << " " << key;
  }
}

// The ship's width is the game's scale; every picture that the game turns by quarter turns or centres on
// an object must be square, and each family of rocks keeps one size through its frames.
TEST_F(RocksData, SpritesHaveTheSizesTheRulesAssume) {
  for (int i = 0; i < 2; ++i) {
    const std::string size = kSizes[i];
    const int scale = i + 1;
    auto images = atlas(size);
    for (int f = 1; f <= data::kShipFrames; ++f) {
      const Rect ship = images[ascii(data::kShipPrefix) + std::to_string(f)];
      EXPECT_EQ(ship.w, 27 * scale) << size << " ship " << f;
      EXPECT_EQ(ship.h, ship.w) << size << " ship " << f;
    }
    int lastFamilySize = 1000;
    for (const data::RockFamily& family : data::kRockFamilies) {
      const std::string base = "a" + std::to_string(family.size) + std::to_string(family.type);
      const Rect first = images[base + "0"];
      EXPECT_EQ(first.w, first.h) << size << " " << base;
      for (int f = 1; f < data::framesOf(family); ++f) {
        EXPECT_EQ(images[base + std::to_string(f)].w, first.w) << size << " " << base << f;
      }
      if (family.type == 1) {
        EXPECT_LT(first.w, lastFamilySize) << size << ": smaller rocks are smaller";
        lastFamilySize = first.w;
      }
    }
    // Straight and slanted rockets and shots are turned by quarter turns too.
    for (int n = 0; n < data::kRocketPictures; ++n) {
      const Rect r = images["rocket" + std::to_string(n)];
      EXPECT_EQ(r.w, r.h) << size << " rocket " << n;
    }
    // The blast ring grows frame by frame.
    for (int row = 1; row <= data::kWaveRows; ++row)
      for (int f = 2; f <= data::kWaveFrames; ++f) {
        const std::string prefix = "wave" + std::to_string(row) + "_";
        EXPECT_GT(images[prefix + std::to_string(f)].w, images[prefix + std::to_string(f - 1)].w) << size;
      }
  }
}

// The large saucer's damage marks are drawn at fixed pixel offsets from the corner of its blink picture,
// centred on the saucer: they must land on the saucer at both sizes.
TEST_F(RocksData, TheLargeSaucersDamageMarksLandOnIt) {
  const int offsets[][2] = {{17, 27}, {24, 4}, {2, 15}};
  for (const std::string size : kSizes) {
    auto images = atlas(size);
    const Rect body = images[ascii(data::kBigSaucer)];
    const Rect blink0 = images[ascii(data::kBigSaucerBlink) + std::string("0")];
    const Rect blink1 = images[ascii(data::kBigSaucerBlink) + std::string("1")];
    EXPECT_EQ(blink0.w, blink1.w) << size;
    EXPECT_EQ(blink0.h, blink1.h) << size;
    for (int mark = 0; mark < 3; ++mark) {
      const Rect m = images[ascii(data::kBigSaucerDamage[mark])];
      // Relative to the saucer's centre.
      const int left = -blink0.w / 2 + offsets[mark][0], top = -blink0.h / 2 + offsets[mark][1];
      EXPECT_GE(left, -body.w / 2) << size << " mark " << mark;
      EXPECT_LE(left + m.w, body.w - body.w / 2) << size << " mark " << mark;
      EXPECT_GE(top, -body.h / 2) << size << " mark " << mark;
      EXPECT_LE(top + m.h, body.h - body.h / 2) << size << " mark " << mark;
    }
  }
}

TEST_F(RocksData, SoundsHelpTextsAndTuningValuesAreThere) {
  // The first two sounds are the menu's and the game's tunes.
  builtarchive::expectSounds(game(), [](int i) { return i < 2; });
  const std::vector<std::string> keys = builtarchive::screenTextKeys(game(), game().menuTexts);
  // Each text is there and not empty.
  builtarchive::expectEveryLanguage(data::kHelpFolder, 100, {}, [&](const std::string& code, const std::string&) {
    for (const std::string& key : keys) EXPECT_NE(text(code, key), "") << code << " " << key;
    // The tuning values are whole numbers, the same in every language.
    EXPECT_GT(std::stoi(text(code, ascii(data::kLivesKey))), 0) << code;
    for (const char16_t* key : data::kGunKeys) {
      const std::string value = text(code, ascii(key));
      EXPECT_EQ(value, text("en", ascii(key))) << code << " " << ascii(key);
      EXPECT_NO_THROW((void)std::stoi(value)) << code << " " << ascii(key);
    }
  });
}

namespace {

using builtarchive::SpoiledData;
using builtarchive::SpoiledTree;

// A name the game looks up and cannot find is a build error naming the file to mend.
const builtarchive::Spoil kSpoils[] = {
    {"a rock's frame", [](SpoiledTree& d) { d.dropLines("graphics/240x320/rck/all.txt", "a1215;"); },
     "rck/all.atlas:0: the game looks up \"a1215\""},
    {"a saucer's blink", [](SpoiledTree& d) { d.dropLines("graphics/480x640/rck/all.txt", "ufo3_blink1;"); },
     "rck/all.atlas:0: the game looks up \"ufo3_blink1\""},
    {"a level picture", [](SpoiledTree& d) { d.remove("graphics/480x640/rck/2.png"); },
     "480x640.dat.plain:1: no picture \"rck/2\""},
    {"a sound", [](SpoiledTree& d) { d.remove("data/rck/sound/limit.wav"); },
     "rck/sound/limit.sfx:0: missing: the game plays this sound"},
};
INSTANTIATE_TEST_SUITE_P(Rocks, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName);

}  // namespace
