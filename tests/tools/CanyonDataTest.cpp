// The river-flying shooter's data in the built game.dat: every picture, image key, animation frame, sound,
// help page and text it looks up is there for both screen sizes, the river tiles are square cells at the
// codes the river file uses, and the river file is what the game reads. Faults in the river's source and
// names missing from the staged tree are build errors naming their file and line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "BuiltArchive.h"
#include "DataError.h"
#include "GameTable.h"
#include "games/CanyonRiver.h"
#include "games/canyon/CanyonData.h"

namespace fs = std::filesystem;

namespace {

using builtarchive::has;
using builtarchive::lines;
using builtarchive::read;
using builtarchive::Rect;

namespace data = canyon::data;
using datakit::ascii;

const char* const kSizes[] = {"240x320", "480x640"};
const int kWidths[] = {240, 480};

const datakit::GameRow& game() {
  static const datakit::GameRow row = datakit::canyonRow();
  return row;
}

std::vector<std::string> split(const std::string& text, char by) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, by);) out.push_back(part);
  return out;
}

class CanyonData : public builtarchive::BuiltArchive {
 protected:
  static std::map<std::string, Rect> atlas(const std::string& size) {
    return builtarchive::atlas(game().imageTable, size);
  }
  // A mirrored frame is its picture turned round.
  static std::string pictureOf(std::string frame) {
    if (frame.size() > 3 && frame.compare(frame.size() - 3, 3, "_mr") == 0) frame.resize(frame.size() - 3);
    return frame;
  }
};

}  // namespace

TEST_F(CanyonData, EveryPictureImageKeyAndAnimationFrameIsThereUnderBothScreenSizes) {
  // One animation list serves both sizes: its frames must be in each size's image table.
  auto animations = lines(game().animationList, '=');
  for (const std::string size : kSizes) {
    for (const std::string& picture : game().pictures)
      EXPECT_TRUE(has("graphics/" + size + "/" + picture + ".png")) << size << " " << picture;
    auto images = atlas(size);
    for (const std::string& key : game().imageKeys) EXPECT_TRUE(images.count(key)) << size << " " << key;
    for (const std::string& key : game().animationKeys) {
      ASSERT_TRUE(animations.count(key)) << key;
      const std::vector<std::string> frames = split(animations[key], ';');
      EXPECT_FALSE(frames.empty()) << key;
      for (const std::string& frame : frames)
        EXPECT_TRUE(images.count(pictureOf(frame))) << size << " " << key << ": " << frame;
    }
  }
}

// Every river cell is one tile of C x C pixels; the river of 22 cells fits the screen, and the codes the
// river compiler writes name the tiles it means.
TEST_F(CanyonData, RiverTilesAreSquareCellsAtTheCodesTheRiverFileUses) {
  const std::vector<std::string> tiles = split(lines(game().animationList, '=')[ascii(data::kTiles)], ';');
  ASSERT_GE(static_cast<int>(tiles.size()), data::kTileCount);
  EXPECT_EQ(tiles[0], ascii(data::kCellTile));
  for (const datakit::CanyonTileNames& t : datakit::canyonTileNames())
    EXPECT_EQ(tiles.at(static_cast<size_t>(t.code)), t.name) << "code " << t.code;
  for (int i = 0; i < 2; ++i) {
    auto images = atlas(kSizes[i]);
    const int c = images[ascii(data::kCellTile)].w;
    EXPECT_LE(data::kColumns * c, kWidths[i]) << kSizes[i];
    for (const std::string& tile : tiles) {
      const Rect r = images[pictureOf(tile)];
      EXPECT_TRUE(r.w == c && r.h == c) << kSizes[i] << " " << tile << " is " << r.w << " x " << r.h;
    }
    // The plane fits between the banks of the narrowest channel the compiler allows (a bridge's span).
    EXPECT_LT(images[ascii(data::kPlane)].w, datakit::kCanyonBridgeCells * c) << kSizes[i];
  }
}

TEST_F(CanyonData, TheRiverFileIsTheCompiledSourceAndEveryLevelHasBridgesAndDepots) {
  const std::string stored = read(ascii(data::kScreenFile).substr(1));
  const datakit::Bytes bytes(stored.begin(), stored.end());
  std::string faults;
  for (const datakit::Fault& f : datakit::checkCanyonScreenFile(bytes)) faults += f.message + "\n";
  EXPECT_EQ(faults, "");
  std::ifstream in(std::string(GH_SOURCE_DATA) + "/data/cy/screens.bin.river", std::ios::binary);
  std::stringstream source;
  source << in.rdbuf();
  EXPECT_EQ(datakit::compileCanyonRiver(source.str(), "screens.bin.river"), bytes);

  // Bridges are the checkpoints and depots the fuel: every level has both.
  const int screens = bytes[0];
  auto objectsOf = [&](int screen, int code) {
    int n = 0;
    for (int cell = 0; cell < data::kCellsPerScreen; ++cell)
      n += bytes[1 + (static_cast<size_t>(screen) * data::kCellsPerScreen + cell) * 3 + 2] == code ? 1 : 0;
    return n;
  };
  size_t at = 1 + static_cast<size_t>(screens) * data::kCellsPerScreen * 3;
  const int levels = bytes[at++];
  EXPECT_GE(levels, 2);
  for (int l = 0; l < levels; ++l) {
    const int length = bytes[at++];
    int bridges = 0, depots = 0;
    for (int j = 0; j < length; ++j, ++at) {
      bridges += objectsOf(bytes[at], data::CODE_BRIDGE);
      depots += objectsOf(bytes[at], data::CODE_FUEL);
    }
    EXPECT_GT(bridges, 0) << "level " << l + 1;
    EXPECT_GT(depots, 0) << "level " << l + 1;
  }
}

TEST(CanyonRiverSource, FaultsNameTheirLine) {
  const std::string water(22, '~');
  const std::string channel = "......~~~~~~~~~~......";
  auto screen = [&](const std::string& name, std::vector<std::string> top) {
    std::string s = "screen " + name + "\n";
    while (top.size() < 26) top.push_back(channel);
    for (const std::string& row : top) s += row + "\n";
    return s;
  };
  // Lines 1 and 2; a ship written X takes the ground beside it.
  const std::string objects = "object S 12 ~\nobject X 12\n";
  const std::string level = "level one: a b\n";
  std::vector<std::string> wideBottom(25, channel);
  wideBottom.push_back(water);
  struct Case {
    const char* what;
    std::string source;
    const char* expected;  // "line: start of the message"
  } cases[] = {
      {"a sound river", objects + screen("a", {}) + screen("b", {}) + level, ""},
      {"a short row", objects + screen("a", {"......~~~~"}) + screen("b", {}) + level, ":4: a row has 10 cells"},
      {"an unknown statement", objects + "river a\n", ":3: unknown statement river"},
      {"a ship on land", objects + screen("a", {channel, "X....................."}) + screen("b", {}) + level,
       ":5: column 1: helicopters and ships go on water"},
      {"a level naming a screen not there", objects + screen("a", {}) + "level one: a c\n",
       ":30: no screen named c above this level"},
      {"screens that do not meet", objects + screen("a", {}) + screen("b", wideBottom) + level,
       ":57: the top of a does not meet the bottom of b"},
  };
  for (const Case& c : cases) {
    std::string error;
    try {
      datakit::compileCanyonRiver(c.source, "rivers.river");
    } catch (const datakit::DataError& e) {
      error = e.what();
    }
    if (std::string(c.expected).empty()) {
      EXPECT_EQ(error, "") << c.what;
    } else {
      EXPECT_NE(error.find(std::string("rivers.river") + c.expected), std::string::npos) << c.what << ": " << error;
    }
  }
}

TEST_F(CanyonData, SoundsHelpAndTextsAreThere) {
  // The first two sounds are the menu's and the game's tunes.
  ASSERT_EQ(game().sounds.size(), 10u);
  builtarchive::expectSounds(game(), [](int i) { return i < 2; });
  std::vector<std::string> keys = builtarchive::screenTextKeys(game(), builtarchive::kMenuEntryKeys);
  keys.push_back(ascii(data::kFolder));  // the game's title in the main menu
  builtarchive::expectEveryLanguage(data::kHelpFolder, 100, keys);
}

namespace {

using builtarchive::SpoiledData;
using builtarchive::SpoiledTree;

// A name the game looks up and cannot find is a build error naming the file to mend.
const builtarchive::Spoil kSpoils[] = {
    {"a unit's animation", [](SpoiledTree& d) { d.dropLines("data/cy/anim.txt", "shipL1="); },
     "cy/anim.txt.plain:0: the game looks up the animation \"shipL1\""},
    {"an image key", [](SpoiledTree& d) { d.dropLines("graphics/480x640/cy/all.txt", "barell176.png;"); },
     "cy/all.atlas:0: the game looks up \"barell176.png\""},
    {"a sound", [](SpoiledTree& d) { d.remove("data/cy/snd/fuel.wav"); },
     "cy/snd/fuel.sfx:0: missing: the game plays this sound"},
    {"the river file", [](SpoiledTree& d) { d.remove("data/cy/screens.bin"); },
     "cy/screens.bin.river:0: missing: the game builds every level"},
};
INSTANTIATE_TEST_SUITE_P(Canyon, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName);

}  // namespace
