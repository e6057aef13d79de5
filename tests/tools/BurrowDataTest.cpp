// The tunnel game's data: in the built game.dat every picture, image key, sound, help page and text it
// looks up, for both screen sizes, with the field's cells a multiple of five pixels; its nine level files
// of 1202 bytes compiled from their sources; and a name, a level or a level source spoiled is a build
// error naming the file and line to fix.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "BuiltArchive.h"
#include "DataError.h"
#include "GameTable.h"
#include "core/io/D7zipInputStream.h"
#include "games/BurrowLevels.h"
#include "games/burrow/BurrowData.h"

namespace fs = std::filesystem;
using nuv::io::D7zipInputStream;

namespace {

using builtarchive::has;
using builtarchive::name;
using builtarchive::read;
using builtarchive::SpoiledData;
using builtarchive::SpoiledTree;
namespace data = burrow::data;

const char* const kSizes[] = {"240x320", "480x640"};

const datakit::GameRow& game() {
  static const datakit::GameRow row = datakit::burrowRow();
  return row;
}

class BurrowData : public builtarchive::BuiltArchive {
 protected:
  static int64_t size(const std::string& entry) { return D7zipInputStream::getSize(name(entry)); }

  // key -> width of the image table's rectangles.
  static std::map<std::string, int> widths(const std::string& size) {
    std::map<std::string, int> out;
    std::istringstream in(read("graphics/" + size + "/" + game().imageTable + ".txt"));
    for (std::string line; std::getline(in, line);) {
      std::istringstream fields(line);
      std::string key, x, y, w;
      std::getline(fields, key, ';');
      std::getline(fields, x, ';');
      std::getline(fields, y, ';');
      std::getline(fields, w, ';');
      if (!w.empty()) out[key] = std::stoi(w);
    }
    return out;
  }
};

TEST_F(BurrowData, EveryPictureAndImageKeyIsThereUnderBothScreenSizes) {
  ASSERT_GT(game().imageKeys.size(), 80u);
  for (const std::string size : kSizes) {
    for (const std::string& picture : game().pictures)
      EXPECT_TRUE(has("graphics/" + size + "/" + picture + ".png")) << size << " " << picture;
    EXPECT_TRUE(has("graphics/" + size + "/" + game().imageTable + ".png")) << size;
    auto keys = widths(size);
    for (const std::string& key : game().imageKeys) EXPECT_TRUE(keys.count(key)) << size << " " << key;
  }
}

// The earth tile's width is the cell; movers step a fifth of it, so it is a multiple of five, and the
// 15 x 10 field fits the screen.
TEST_F(BurrowData, TheCellSuitsEachScreen) {
  const int screenWidths[] = {240, 480};
  for (int i = 0; i < 2; ++i) {
    auto keys = widths(kSizes[i]);
    const int cell = keys[datakit::ascii(data::kScaleTile)];
    EXPECT_EQ(cell % 5, 0) << kSizes[i];
    EXPECT_LE(cell * data::kMapCols, screenWidths[i]) << kSizes[i];
    for (const char* key : {"earth_2.png", "earth4_3.png", "earthMask_3.png", "blackSquare.png", "diamondEat.png"})
      EXPECT_EQ(keys[key], cell) << kSizes[i] << " " << key;
  }
}

TEST_F(BurrowData, LevelsSoundsHelpAndTextsAreThere) {
  const std::vector<std::string> levels = datakit::tunnelLevelFileNames();
  ASSERT_EQ(levels.size(), 9u);
  EXPECT_EQ(levels[0], "data/bur/data/1.txt");
  for (const std::string& level : levels) {
    EXPECT_EQ(size(level), data::kLevelFileSize) << level;
    const std::string bytes = read(level);
    EXPECT_TRUE(datakit::checkTunnelLevelFile(datakit::Bytes(bytes.begin(), bytes.end())).empty()) << level;
  }
  builtarchive::expectSounds(game(), [](int i) { return i >= data::kFirstMusic; });
  builtarchive::expectEveryLanguage(data::kHelpFolder, 200, builtarchive::screenTextKeys(game()));
}

// The levels rise in difficulty: more bags and more crystals to find from the first file to the last.
TEST_F(BurrowData, LevelsGrowHarderFileByFile) {
  auto count = [](const std::string& file, char c) {
    const std::string text = read(file);
    return static_cast<int>(std::count(text.begin() + data::kLevelHeader, text.end(), c));
  };
  const std::vector<std::string> levels = datakit::tunnelLevelFileNames();
  EXPECT_LT(count(levels.front(), data::kBag) * 2, count(levels.back(), data::kBag));
  EXPECT_LT(count(levels.front(), data::kCrystal), count(levels.back(), data::kCrystal));
}

TEST(BurrowDataSources, SpoiledLevelSourcesStopTheBuildAtTheirLine) {
  const std::string good = [] {
    std::ifstream in(std::string(GH_SOURCE_DATA) + "/data/bur/data/1.txt.tunnels", std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }();
  // The source's line of the first row of level 1, and a row of it with one cell changed.
  const size_t header = good.find("level 1 ");
  const size_t firstRow = good.find('\n', header) + 1;
  const int firstRowLine =
      static_cast<int>(std::count(good.begin(), good.begin() + static_cast<long>(firstRow), '\n')) + 1;
  // Rows of the source are 15 cells and a line feed.
  auto withRow = [&](int index, const std::string& row) {
    std::string text = good;
    text.replace(firstRow + static_cast<size_t>(index) * 16, 15, row);
    return text;
  };
  auto withFirstRow = [&](const std::string& row) { return withRow(0, row); };
  struct Case {
    const char* what;
    std::string source;
    int line;
    const char* message;
  };
  const Case cases[] = {
      {"an unknown cell", withFirstRow("........HHHXHHH"), firstRowLine, "column 12: cells are V, H, S, C, B or '.'"},
      {"the nest left as earth", withFirstRow("..............."), firstRowLine,
       "the top-right cell is the monsters' nest"},
      {"a short row", withFirstRow("........HHH\n"), firstRowLine, "a row has 15 cells, this one 11"},
      {"levels out of order",
       [&] {
         std::string text = good;
         text.replace(header, 7, "level 2");
         return text;
       }(),
       firstRowLine - 1, "the next level here is level 1"},
      {"more bags than slots", withRow(3, "BBBBBBBBBBBBBBV"), firstRowLine - 1, "19 bags, the game has room for 15"},
      {"a bag over the hero's start", withRow(8, "....CCCB......V"), firstRowLine + 8,
       "a bag right above the hero's start cell"},
  };
  for (const Case& c : cases) {
    try {
      datakit::compileTunnelLevels(c.source, "1.txt.tunnels", "data/bur/data/1.txt");
      ADD_FAILURE() << c.what << ": compiled";
    } catch (const datakit::DataError& e) {
      EXPECT_EQ(e.line(), c.line) << c.what << ": " << e.what();
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.what << ": " << e.what();
    }
  }
  EXPECT_EQ(datakit::compileTunnelLevels(good, "1.txt.tunnels", "data/bur/data/1.txt").size(),
            static_cast<size_t>(data::kLevelFileSize));
}

// A name, a level file or its length spoiled is a build error naming the source to mend.
const builtarchive::Spoil kSpoils[] = {
    {"an image key", [](SpoiledTree& d) { d.dropLines("graphics/240x320/bur/all.txt", "enemyEat_05.png;"); },
     "bur/all.atlas:0: the game looks up \"enemyEat_05.png\""},
    {"a panel", [](SpoiledTree& d) { d.remove("graphics/480x640/bur/panel-bottom-r.png"); },
     "480x640.dat.plain:1: no picture \"bur/panel-bottom-r\""},
    {"a sound", [](SpoiledTree& d) { d.remove("data/bur/sound/eat crystall.wav"); },
     "bur/sound/eat crystall.sfx:0: missing: the game plays this sound"},
    {"a level file", [](SpoiledTree& d) { d.remove("data/bur/data/6.txt"); },
     "data/bur/data/6.txt.tunnels:0: missing: the tunnel game plays levels 1 to 72"},
    {"a level file cut short", [](SpoiledTree& d) { d.cut("data/bur/data/3.txt", 1000); },
     "3.txt.tunnels:0: a level file is 1202 bytes, this one 1000"},
};
INSTANTIATE_TEST_SUITE_P(Burrow, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName);

}  // namespace
