// The maze game's data in the built game.dat: every picture, tile, animation, map, sound, help page and text
// it looks up is there for both screen sizes, its tiles are squares of one cell, and its maze fits each
// screen; and the build names a name the game looks up that the data lacks.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "BuiltArchive.h"
#include "GameTable.h"
#include "games/GobblerMaps.h"
#include "games/gobbler/GobblerData.h"

namespace fs = std::filesystem;

namespace {

using builtarchive::has;
using builtarchive::lines;
using builtarchive::read;
using builtarchive::Rect;
using datakit::ascii;
namespace data = gobbler::data;

const char* const kSizes[] = {"240x320", "480x640"};

const datakit::GameRow& game() {
  static const datakit::GameRow row = datakit::gobblerRow();
  return row;
}

class GobblerData : public builtarchive::BuiltArchive {
 protected:
  static std::map<std::string, Rect> atlas(const std::string& size) {
    return builtarchive::atlas(game().imageTable, size);
  }
};

}  // namespace

TEST_F(GobblerData, EveryPictureTileAndAnimationIsThereUnderBothScreenSizes) {
  for (const std::string size : kSizes) {
    for (const std::string& picture : game().pictures)
      EXPECT_TRUE(has("graphics/" + size + "/" + picture + ".png")) << size << " " << picture;
    auto images = atlas(size);
    for (const std::string& key : game().imageKeys) EXPECT_TRUE(images.count(key)) << size << " " << key;
    auto animations = lines("graphics/" + size + "/" + game().animationList, '=');
    for (const std::string& key : game().animationKeys) {
      ASSERT_TRUE(animations.count(key)) << size << " " << key;
      std::istringstream frames(animations[key]);
      for (std::string frame; std::getline(frames, frame, ';');) EXPECT_TRUE(images.count(frame)) << key;
    }
  }
}

// Cells are as wide as the first ground tile: every tile is a square of that size, the figures fit in a cell,
// and the maze with its border fits the screen, so the view never scrolls.
TEST_F(GobblerData, TilesAreCellsAndTheMazeFitsEachScreen) {
  const int widths[] = {240, 480}, heights[] = {320, 640};
  for (int i = 0; i < 2; ++i) {
    const std::string size = kSizes[i];
    auto images = atlas(size);
    const int cell = images["1set_wall00.png"].w;
    EXPECT_EQ(cell, 12 * widths[i] / 240) << size;
    for (int style = 1; style <= data::kTileStyles; ++style) {
      for (int tile = 0; tile < data::kTilesPerStyle; ++tile) {
        char key[32];
        std::snprintf(key, sizeof key, "%dset_wall%02d.png", style, tile);
        EXPECT_EQ(images[key].w, cell) << size << " " << key;
        EXPECT_EQ(images[key].h, cell) << size << " " << key;
      }
      EXPECT_LE(images[std::to_string(style) + ascii(data::kDoorName)].w, cell) << size;
    }
    for (const char16_t* const* list : {data::kPlayerFrames, data::kPlayerPowerFrames}) {
      for (int f = 0; f < data::kPlayerFrameCount; ++f) {
        EXPECT_EQ(images[ascii(list[f])].w, cell) << size << " " << ascii(list[f]);
        EXPECT_EQ(images[ascii(list[f])].h, cell) << size << " " << ascii(list[f]);
      }
    }
    // The portal's frames cover their cell whole: they are drawn over each other.
    EXPECT_EQ(images["portal0.png"].w, cell);
    const int mazeWidth = (data::kMapColumns + 2) * cell - 14, mazeHeight = (data::kMapRows + 2) * cell;
    EXPECT_LE(mazeWidth, widths[i]) << size;
    EXPECT_LE(mazeHeight, heights[i]) << size;
  }
}

TEST_F(GobblerData, MapsSoundsHelpAndTextsAreThere) {
  for (const std::string& map : datakit::mapFileNames()) {
    ASSERT_TRUE(has(map)) << map;
    const std::string bytes = read(map);
    std::string all;
    for (const datakit::Fault& f : datakit::checkMapFile(datakit::Bytes(bytes.begin(), bytes.end())))
      all += std::to_string(f.line) + ": " + f.message + "\n";
    EXPECT_EQ(all, "") << map;
  }
  ASSERT_EQ(game().sounds.size(), static_cast<size_t>(data::kSoundCount));
  builtarchive::expectSounds(game(), [](int i) { return i == data::kMusicSounds[0] || i == data::kMusicSounds[1]; });
  builtarchive::expectEveryLanguage(data::kHelpFolder, 500, builtarchive::screenTextKeys(game(), game().menuTexts));
}

namespace {

using builtarchive::SpoiledData;
using builtarchive::SpoiledTree;

// A name the game looks up and cannot find is a build error naming the file to mend.
const builtarchive::Spoil kSpoils[] = {
    {"a wall tile", [](SpoiledTree& d) { d.dropLines("graphics/480x640/gob/all.txt", "3set_wall17.png;"); },
     "gob/all.atlas:0: the game looks up \"3set_wall17.png\""},
    {"an animation", [](SpoiledTree& d) { d.dropLines("graphics/240x320/gob/gobbler_anim.txt", "portal="); },
     "gob/gobbler_anim.txt.plain:0: the game looks up the animation \"portal\""},
    {"a sound named with blanks", [](SpoiledTree& d) { d.remove("data/gob/sound/eat the dot.wav"); },
     "gob/sound/eat the dot.sfx:0: missing: the game plays this sound"},
    {"a map", [](SpoiledTree& d) { d.remove("data/gob/maps/map07.txt"); },
     "maps/map07.txt.crlf:0: missing: the maze game plays the maps from map00 to map12"},
    {"the panel", [](SpoiledTree& d) { d.remove("graphics/240x320/gob/panel.png"); },
     "240x320.dat.plain:1: no picture \"gob/panel\""},
};
INSTANTIATE_TEST_SUITE_P(Gobbler, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName);

}  // namespace
