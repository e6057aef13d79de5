// The tanks game's data in the built game.dat: every picture and image key under both screen sizes with
// the sizes the playfield is laid out from, its stage file, sounds, help and tuning texts; and the build
// errors, with file and line, for a missing name or a stage the game could not play.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "BuiltArchive.h"
#include "DataError.h"
#include "GameTable.h"
#include "Png.h"
#include "games/TanksStages.h"
#include "games/tanks/TanksData.h"

namespace fs = std::filesystem;

namespace {

using builtarchive::has;
using builtarchive::read;
using builtarchive::Rect;
namespace data = tanks::data;
using datakit::ascii;

const char* const kSizes[] = {"240x320", "480x640"};

const datakit::GameRow& game() {
  static const datakit::GameRow row = datakit::tanksRow();
  return row;
}

class TanksData : public builtarchive::BuiltArchive {
 protected:
  static std::map<std::string, Rect> atlas(const std::string& size) {
    return builtarchive::atlas(game().imageTable, size);
  }

  static datakit::PngInfo picture(const std::string& size, const std::string& picture) {
    datakit::PngInfo info;
    const std::string bytes = read("graphics/" + size + "/" + picture + ".png");
    datakit::readPngInfo(datakit::Bytes(bytes.begin(), bytes.end()), info);
    return info;
  }
};

TEST_F(TanksData, EveryPictureAndImageKeyIsThereUnderBothScreenSizes) {
  for (const std::string size : kSizes) {
    for (const std::string& p : game().pictures) EXPECT_TRUE(has("graphics/" + size + "/" + p + ".png")) << size << p;
    auto images = atlas(size);
    for (const std::string& key : game().imageKeys) EXPECT_TRUE(images.count(key)) << size << " " << key;
  }
}

// The block is the obstacle's width, the small set is chosen by the first player picture, and the field
// of 13 x 17 blocks fits between the side panels, under the top strip and over the status bar.
TEST_F(TanksData, TheFieldAndItsPanelsFitEachScreen) {
  const int widths[] = {240, 480}, heights[] = {320, 640};
  for (int i = 0; i < 2; ++i) {
    const std::string size = kSizes[i];
    auto images = atlas(size);
    const int block = images[ascii(data::kObstacle)].w;
    EXPECT_EQ(block, 16 * widths[i] / 240) << size;
    EXPECT_EQ(images[ascii(data::kSizeProbe)].w <= data::kSmallSpriteWidth, i == 0) << size;
    const int fieldW = data::kStageBlocksWide * block, fieldH = data::kStageBlocksHigh * block;
    const int side = picture(size, ascii(data::kPanelLeft)).width;
    const int bar = picture(size, ascii(data::kPanelBottomLeft)).height;
    EXPECT_EQ(picture(size, ascii(data::kPanelBottomRight)).height, bar) << size;
    EXPECT_EQ(fieldW + 2 * side, widths[i]) << size;
    EXPECT_EQ(fieldH + bar + picture(size, ascii(data::kPanelTop)).height, heights[i]) << size;
    EXPECT_EQ(picture(size, ascii(data::kPanelBottomLeft)).width +
                  picture(size, ascii(data::kPanelBottomMiddle)).width +
                  picture(size, ascii(data::kPanelBottomRight)).width,
              widths[i])
        << size;
    // Every ground, item and tank picture is one block; the icons of the reserve fit two rows in the bar.
    for (const char* key : {"road", "water0", "block01", "house21", "gerb_OK", "ptnk13", "etnk07", "etnkx5-dn", "mask"})
      EXPECT_EQ(images[key].w, block) << size << " " << key;
    EXPECT_LE(2 * images["stnk0"].w + bar / 4, bar) << size;
  }
}

TEST_F(TanksData, StagesSoundsHelpAndTuningTextsAreThere) {
  const std::string stages = read(datakit::archiveName(data::kStageFile));
  EXPECT_TRUE(datakit::checkTankStages(datakit::Bytes(stages.begin(), stages.end())).empty());
  // The three tunes are modules, the two effects samples.
  builtarchive::expectSounds(game(), [](int i) { return i < 3; });
  builtarchive::expectEveryLanguage(
      data::kHelpFolder, 100, game().textKeys, [](const std::string& code, const std::string& texts) {
        for (const data::Tuning& t : data::kTuning)
          EXPECT_NE(texts.find(ascii(t.key) + "=" + std::to_string(t.fallback)), std::string::npos)
              << code << " " << ascii(t.key);
      });
}

using builtarchive::SpoiledData;
using builtarchive::SpoiledTree;

// A name the game looks up and cannot find is a build error naming the file to mend.
const builtarchive::Spoil kSpoils[] = {
    {"an upright tank of the large set",
     [](SpoiledTree& d) { d.dropLines("graphics/480x640/tanks/all.txt", "etnkx6-dn;"); },
     "tanks/all.atlas:0: the game looks up \"etnkx6-dn\""},
    {"a panel", [](SpoiledTree& d) { d.remove("graphics/240x320/tanks/panel_top.png"); },
     "240x320.dat.plain:1: no picture \"tanks/panel_top\""},
    {"a sound", [](SpoiledTree& d) { d.remove("data/tanks/snd/blow.wav"); },
     "tanks/snd/blow.sfx:0: missing: the game plays this sound"},
    {"the stage file", [](SpoiledTree& d) { d.remove("data/tanks/dat/mapbcl.bin"); },
     "tanks/dat/mapbcl.bin.stages:0: missing: the tanks game loads all its stages"},
};
INSTANTIATE_TEST_SUITE_P(Tanks, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName);

// The stage source with one line of one stage replaced.
std::string spoiledSource(const std::string& from, const std::string& to) {
  std::ifstream in(fs::path(GH_SOURCE_DATA) / "data/tanks/dat/mapbcl.bin.stages");
  std::stringstream all;
  all << in.rdbuf();
  std::string text = all.str();
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

int lineOf(const std::string& text, const std::string& what) {
  const size_t at = text.find(what);
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
}

TEST(TanksDataBuild, AStageTheGameCannotPlayIsABuildErrorAtItsLine) {
  struct Case {
    const char* what;
    std::string from, to;
    const char* message;
  } cases[] = {
      {"no base", "....PHBH.....\n\nstage 2", "....PHHH.....\n\nstage 2", "stage 1: needs exactly one base"},
      {"no enemy start", "stage 1\nenemies 12106 01004 11014 11004\nE.....E.....E",
       "stage 1\nenemies 12106 01004 11014 11004\n.............", "stage 1: needs 1 to 5 enemy starts"},
      {"walled in", "stage 1\nenemies 12106 01004 11014 11004\nE.....E.....E\n.............",
       "stage 1\nenemies 12106 01004 11014 11004\nE.....E.....E\n~~~~~~~~~~~~~", "cannot be reached"},
      {"a type past 7", "enemies 12106 01004 11014 11004", "enemies 12106 01004 11014 11008", "enemy type '8'"},
  };
  for (const Case& c : cases) {
    const std::string text = spoiledSource(c.from, c.to);
    try {
      datakit::compileTankStages(text, "mapbcl.bin.stages");
      ADD_FAILURE() << c.what << ": no error";
    } catch (const datakit::DataError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.what << ": " << e.what();
      EXPECT_EQ(e.line(), lineOf(text, c.what == std::string("a type past 7") ? c.to : "stage 1\n")) << c.what;
    }
  }
}

}  // namespace
