// The ladders game's data in the built game.dat: every picture, animation, level, sound, help page and
// text it looks up, for both screen sizes, with cells of one size; and the checker's and compiler's rules
// for its level files, each fault named with its line.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "BuiltArchive.h"
#include "DataError.h"
#include "GameTable.h"
#include "games/ClimberLevels.h"
#include "games/climber/ClimberData.h"

namespace fs = std::filesystem;

namespace {

using builtarchive::has;
using builtarchive::lines;
using builtarchive::read;
using builtarchive::Rect;
namespace data = climber::data;
using datakit::ascii;

const char* const kSizes[] = {"240x320", "480x640"};

const datakit::GameRow& game() {
  static const datakit::GameRow row = datakit::climberRow();
  return row;
}

class ClimberData : public builtarchive::BuiltArchive {
 protected:
  static std::map<std::string, Rect> atlas(const std::string& size) {
    return builtarchive::atlas(game().imageTable, size);
  }
};

datakit::Bytes bytes(const std::string& s) { return datakit::Bytes(s.begin(), s.end()); }

std::string faultsOf(const std::string& file) {
  std::string all;
  for (const datakit::Fault& f : datakit::checkClimberLevelFile(bytes(file)))
    all += std::to_string(f.line) + ": " + f.message + "\n";
  return all;
}

std::string levelFile(const std::vector<std::string>& rows) {
  std::string out = std::to_string(rows.front().size()) + "\r\n" + std::to_string(rows.size()) + "\r\n";
  for (std::string row : rows) {
    for (char& c : row)
      if (c == '.') c = ' ';
    out += row + "\r\n";
  }
  return out;
}

}  // namespace

TEST_F(ClimberData, EveryPictureAndAnimationIsThereUnderBothScreenSizes) {
  for (const std::string size : kSizes) {
    for (const std::string& picture : {ascii(data::kSplash), game().imageTable})
      EXPECT_TRUE(has("graphics/" + size + "/" + picture + ".png")) << size << " " << picture;
    auto images = atlas(size);
    for (const std::string& key : game().imageKeys) EXPECT_TRUE(images.count(key)) << size << " " << key;
    auto animations = lines("graphics/" + size + "/" + game().animationList, '=');
    for (const std::string& key : game().animationKeys) {
      ASSERT_TRUE(animations.count(key)) << size << " " << key;
      std::istringstream frames(animations[key]);
      int count = 0;
      for (std::string frame; std::getline(frames, frame, ';'); ++count) {
        if (frame.size() > 3 && frame.compare(frame.size() - 3, 3, "_mr") == 0) frame.resize(frame.size() - 3);
        EXPECT_TRUE(images.count(frame)) << size << " " << key << ": " << frame;
      }
      // Sprites animate through their frames.
      EXPECT_GE(count, 2) << size << " " << key;
    }
  }
}

// The first brick is a cell: 10 x 14 on the small screen, so that 24 columns fill it, and twice that on the
// large one. Every cell picture is a cell, backgrounds cover whole cells, and runners fit in one.
TEST_F(ClimberData, CellsAreOneSizeAndEverythingFitsThem) {
  for (int i = 0; i < 2; ++i) {
    const std::string size = kSizes[i];
    const int scale = i + 1;
    auto images = atlas(size);
    const Rect cell = images["brick1.png"];
    EXPECT_EQ(cell.w, 10 * scale) << size;
    EXPECT_EQ(cell.h, 14 * scale) << size;
    std::vector<const char16_t*> cellPictures = {data::kDoorOpen,        data::kDoorClosed,      data::kBrickDisappear1,
                                                 data::kBrickDisappear2, data::kBrickDisappear3, data::kLadder,
                                                 data::kHandrail};
    for (const char16_t* key : data::kBricks) cellPictures.push_back(key);
    for (const char16_t* key : data::kArmourBricks) cellPictures.push_back(key);
    for (const char16_t* key : cellPictures) {
      EXPECT_EQ(images[ascii(key)].w, cell.w) << size << " " << ascii(key);
      EXPECT_EQ(images[ascii(key)].h, cell.h) << size << " " << ascii(key);
    }
    for (const char16_t* key : data::kBackgrounds) {
      const Rect back = images[ascii(key)];
      EXPECT_EQ(back.w % cell.w, 0) << size << " " << ascii(key);
      EXPECT_EQ(back.h % cell.h, 0) << size << " " << ascii(key);
    }
    for (const auto& [key, r] : images) {
      if (key.rfind("hero_", 0) != 0 && key.rfind("enemy_", 0) != 0 && key.rfind("gold", 0) != 0) continue;
      EXPECT_LE(r.w, cell.w) << size << " " << key;
      EXPECT_LE(r.h, cell.h) << size << " " << key;
    }
  }
}

TEST_F(ClimberData, LevelsSoundsHelpAndTextsAreThere) {
  for (const std::string& level : datakit::climberLevelFileNames()) {
    ASSERT_TRUE(has(level)) << level;
    const std::string text = read(level);
    EXPECT_EQ(faultsOf(text), "") << level;
  }
  builtarchive::expectSounds(game(), [](int i) { return i == data::kMenuTune || i == data::kGameTune; });
  std::vector<std::string> keys = builtarchive::screenTextKeys(game(), builtarchive::kMenuEntryKeys);
  keys.insert(keys.end(), {"sound level", "music level"});
  builtarchive::expectEveryLanguage(data::kHelpFolder, 100, keys);
}

TEST(ClimberLevels, PlayableLevelsPass) {
  EXPECT_EQ(faultsOf(levelFile({"P.$.E", "#####"})), "");
  // Gold taken on the way down a fall, a handrail across a gap, and a ladder up and down again.
  EXPECT_EQ(faultsOf(levelFile({"P.$...E.", "H#.####H", "H.-....H", "########"})), "");
  // Sizes may be written in hexadecimal too, as the game reads them.
  EXPECT_EQ(faultsOf("0x5\r\n2\r\nP $ E\r\n#####\r\n"), "");
}

TEST(ClimberLevels, FaultsAreNamedWithTheirLine) {
  struct Case {
    const char* what;
    std::string file;
    const char* expected;
  } cases[] = {
      {"LF line ends", "5\n2\nP $ E\n#####\n", "1: lines end in CR LF"},
      {"width no number", "five\r\n2\r\nP $ E\r\n#####\r\n", "1: the first line is the map's width"},
      {"rows missing", "5\r\n3\r\nP $ E\r\n#####\r\n", "5: the map has 3 rows, the file 2"},
      {"uneven rows", "5\r\n2\r\nP $ E\r\n####\r\n", "4: the row has 4 cells, the map is 5 wide"},
      {"unknown cell", levelFile({"P $ E", "##X##"}), "4: row 2, column 3: 'X' is no cell"},
      {"rows beyond", levelFile({"P $ E", "#####"}) + "#####\r\n", "5: lines after the 2 rows are never read"},
      {"two heroes", levelFile({"P$P.E", "#####"}), "3: row 1, column 3: a second hero's start 'P'"},
      {"no exit", levelFile({"P.$..", "#####"}), "3: no exit 'E'"},
      {"no gold", levelFile({"P...E", "#####"}), "3: no gold '$'"},
      {"eleven guards", levelFile({"AAAAAAAAAAA", "P.........E", "#########$#"}), "3: row 1, column 11: more than 10"},
      {"a pit", levelFile({"P.$.E", "##.##", "#####"}), "4: row 2, column 3: the hero gets here and never back"},
      {"gold out of reach", levelFile({"P...E.", "######", "....$.", "######"}),
       "5: row 3, column 5: the hero cannot get to this gold"},
      {"exit out of reach", levelFile({"P.$.#E", "######"}), "3: row 1, column 6: the hero cannot get to the exit"},
  };
  for (const Case& c : cases)
    EXPECT_NE(faultsOf(c.file).find(c.expected), std::string::npos) << c.what << "\n" << faultsOf(c.file);
}

TEST(ClimberLevels, TheCompilerWritesTheFileAndNamesTheSourceLineOfAFault) {
  const std::string source = "; a level\n\nP.$.E\n#####\n";
  const datakit::Bytes file = datakit::compileClimberLevel(source, "1.txt.climb", "data/clmb/maps/1.txt");
  EXPECT_EQ(std::string(file.begin(), file.end()), "5\r\n2\r\nP $ E\r\n#####\r\n");
  struct Case {
    std::string source;
    int line;
    const char* message;
  } cases[] = {
      {"; uneven\nP.$.E\n####\n", 3, "the row has 4 cells, the first 5"},
      {"P.$.E\n## ##\n", 2, "' ' is no cell"},
      {"; no exit\nP.$..\n#####\n", 2, "no exit 'E'"},
      {"; a pit\nP.$.E\n##.##\n#####\n", 3, "the hero gets here and never back"},
      {"; nothing\n", 2, "no rows"},
  };
  for (const Case& c : cases) {
    try {
      datakit::compileClimberLevel(c.source, "9.txt.climb", "data/clmb/maps/9.txt");
      ADD_FAILURE() << c.message;
    } catch (const datakit::DataError& e) {
      EXPECT_EQ(e.line(), c.line) << c.message;
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

namespace {

using builtarchive::SpoiledData;
using builtarchive::SpoiledTree;

// A name the game looks up and cannot find is a build error naming the file to mend.
const builtarchive::Spoil kSpoils[] = {
    {"an animation", [](SpoiledTree& d) { d.dropLines("graphics/480x640/clmb/anim.txt", "anim_enemy_fall_l="); },
     "clmb/anim.txt.plain:0: the game looks up the animation \"anim_enemy_fall_l\""},
    {"a level", [](SpoiledTree& d) { d.remove("data/clmb/maps/40.txt"); },
     "maps/40.txt.climb:0: missing: the ladders game plays levels 1 to 75"},
    {"a sound", [](SpoiledTree& d) { d.remove("data/clmb/sound/gold.wav"); },
     "clmb/sound/gold.sfx:0: missing: the game plays this sound"},
    {"a picture", [](SpoiledTree& d) { d.remove("graphics/240x320/clmb/splash.png"); },
     "240x320.dat.plain:1: no picture \"clmb/splash\""},
};
INSTANTIATE_TEST_SUITE_P(Climber, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName);

}  // namespace
