// The shipped data: staged the same way every time, complete for both screen sizes, and the
// checker catches each kind of fault a person could make in it.
#include <gtest/gtest.h>

#include <fstream>

#include "BuiltArchive.h"
#include "Check.h"
#include "Png.h"
#include "Stage.h"
#include "TextTables.h"
#include "Wav.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;
using namespace datakit;

namespace {

using builtarchive::SpoiledData;
using builtarchive::SpoiledTree;
using builtarchive::stagedFiles;
using builtarchive::withLine;

// Staging the data again in a test: the pictures' pixels matter here, not how small their files are.
class Pipeline : public ::testing::Test {
 protected:
  void SetUp() override { setPngCompressionLevel(1); }
  void TearDown() override { setPngCompressionLevel(9); }
};

void writeText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

}  // namespace

TEST_F(Pipeline, StagingGivesTheSameBytesEveryTime) {
  const Staged once = stageData(GH_SOURCE_DATA, DATAKIT_FONT_DIR);
  const Staged again = stageData(GH_SOURCE_DATA, DATAKIT_FONT_DIR);
  EXPECT_TRUE(again.files == once.files);
}

TEST_F(Pipeline, EverySharedEntryIsThereForBothScreenSizes) {
  const StagedFiles& f = stagedFiles();
  for (const char* entry : {"data/keys.txt", "txt/lang.txt", "txt/res_en.txt", "txt/res_de.txt", "txt/res_fr.txt",
                            "graphics/240x320.dat", "graphics/480x640.dat"})
    EXPECT_TRUE(f.count(entry)) << entry;
  for (const char* size : {"240x320", "480x640"}) {
    for (const std::string& image : kSharedImages)
      EXPECT_TRUE(f.count("graphics/" + std::string(size) + "/" + image + ".png")) << size << " " << image;
    EXPECT_TRUE(f.count("graphics/" + std::string(size) + "/menu/icons.txt")) << size;
    for (const std::string& font : kFontNames) {
      EXPECT_TRUE(f.count(std::string(size) + "/" + font + "/font_0.png")) << size << " " << font;
      EXPECT_TRUE(f.count(std::string(size) + "/" + font + "/font_0")) << size << " " << font;
    }
  }
  CheckReport report = checkStaged(builtarchive::stagedTree(), builtarchive::stagedSources());
  for (const std::string& e : report.errors) ADD_FAILURE() << e;
}

namespace {

// Each kind of fault a person could make in the shipped data, and the checker's words for it.
const builtarchive::Spoil kSpoils[] = {
    {"a key missing in one language", [](SpoiledTree& d) { d.write("txt/res_de.txt", encodeUtf(u"yes=Ja")); },
     "missing key \"no\""},
    {"a blank line in a plain table", [](SpoiledTree& d) { d.write("data/keys.txt", "A=1\r\n\r\nB=2\r\n"); },
     "blank line"},
    {"a table line ending in LF alone", [](SpoiledTree& d) { d.write("graphics/240x320.dat", "PATH=240x320/\n"); },
     "without CR"},
    {"an atlas rectangle outside its picture",
     [](SpoiledTree& d) { d.write("graphics/240x320/menu/icons.txt", "bnc.png;0;0;5000;5\r\n"); }, "outside"},
    {"a main menu icon missing",
     [](SpoiledTree& d) { d.write("graphics/480x640/menu/icons.txt", "bnc.png;0;0;5;5\r\n"); },
     "\"bnc_s.png\" is missing"},
    {"a shared picture missing", [](SpoiledTree& d) { d.remove("graphics/480x640/pause.png"); },
     "no picture \"pause\""},
    {"a font page after a gap",
     [](SpoiledTree& d) {
       d.remove("240x320/hud0/font_0.png");
       d.remove("240x320/hud0/font_0");
     },
     "after a gap"},
    {"a character no font holds",
     [](SpoiledTree& d) { d.write("txt/res_fr.txt", withLine(d, "txt/res_fr.txt", u"zz=\u0416")); }, "has no"},
    {"a main menu title too wide to draw",
     [](SpoiledTree& d) {
       d.write("txt/res_en.txt", withLine(d, "txt/res_en.txt", u"bounce=Brickbouncingextravaganza"));
     },
     "\"bounce\" is"},
    {"a key name too wide for its cell in the key set-up",
     [](SpoiledTree& d) {
       d.write("txt/res_fr.txt", withLine(d, "txt/res_fr.txt", u"keyname_Backspace=Retour arrière"));
     },
     "the key set-up's key cell has room for",
     {"res_fr.txt.utf:", "\"keyname_Backspace\""}},
    {"an animation frame missing from the game's image table",
     [](SpoiledTree& d) {
       d.write("graphics/240x320/bnc/all.txt", "ball.png;0;0;1;1\r\n");
       d.write("graphics/240x320/bnc/all.png", "");
       d.write("graphics/240x320/bnc/anim.txt", "spin=ball.png;ball.png_mr\r\nboom=bang.png\r\n");
     },
     "frame \"bang.png\" is not in"},
    {"a colour the device would key out",
     [](SpoiledTree& d) { d.write("graphics/240x320/pause.png", encodePng(Image(4, 4, 0xFC02FC))); },
     "turns transparent"},
    {"a language without its texts", [](SpoiledTree& d) { d.remove("txt/res_fr.txt"); }, "no texts for language fr"},
    {"a sound that clips",
     [](SpoiledTree& d) {
       d.write("data/bnc/sound/die.wav", writeWavPcm16({0, 32767, 0}, 22050));
     },
     "clips"},
    {"a help text opening with an empty paragraph",
     [](SpoiledTree& d) {
       Bytes b = encodeUtf(u"");
       Bytes rest = encodeUtf(u"Text");
       b.insert(b.end(), rest.begin(), rest.end());
       d.write("txt/bnc/en_help.txt", b);
     },
     "may not start with an empty paragraph"},
    {"soft-key labels that overlap at the screen's bottom",
     [](SpoiledTree& d) {
       d.write("txt/res_de.txt", withLine(d, "txt/res_de.txt", u"down=Weiter zur nächsten Seite der Hilfe"));
     },
     "soft keys \"quit\" and \"down\" are"},
    {"a menu picture too bright behind the text",
     [](SpoiledTree& d) { d.write("graphics/480x640/bnc/splash.png", encodePng(Image(480, 640, 0xE0E0E0))); },
     "the help page's text in font menusel has a contrast of"},
};
INSTANTIATE_TEST_SUITE_P(Pipeline, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName);

}  // namespace

// The icons a desktop shows beside other programs' are rounded tiles: transparent corners, an opaque middle.
TEST_F(Pipeline, TheDesktopIconsHaveTransparentCornersAtEverySize) {
  const fs::path program = fs::path(GH_GAME_DAT).parent_path() / "data/program";
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const Bytes png = readBytes(program / ("icon_" + std::to_string(size) + ".png"));
    std::vector<std::uint8_t> alpha;
    const Image icon = decodePng(png, &alpha);
    ASSERT_EQ(icon.width(), size);
    ASSERT_EQ(icon.height(), size);
    const auto at = [&](int x, int y) { return alpha[static_cast<size_t>(y * size + x)]; };
    for (auto [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
      EXPECT_EQ(at(x, y), 0) << size << ": " << x << "," << y;
    EXPECT_EQ(at(size / 2, size / 2), 255) << size;
    EXPECT_EQ(at(size / 2, 0), 255) << size;  // the tile reaches the picture's edges between the corners
  }
}

TEST_F(Pipeline, SharedSourcesGiveTheSameFileUnderEachName) {
  const StagedFiles& f = stagedFiles();
  ASSERT_TRUE(f.count("data/bnc/sound/menu.mod") && f.count("data/rck/sound/menu.mod"));
  EXPECT_TRUE(f.at("data/bnc/sound/menu.mod") == f.at("data/rck/sound/menu.mod"));
  EXPECT_EQ(std::string(f.at("data/bnc/sound/menu.mod").begin() + 1080, f.at("data/bnc/sound/menu.mod").begin() + 1084),
            "M.K.");
  EXPECT_FALSE(f.count("data/_music/menu.mod")) << "sources under '_' folders are not entries";
}

TEST_F(Pipeline, RestagingRemovesWhatNoSourceMakesAnyMore) {
  test::TempFolder folder;
  fs::path out = folder.path();
  fs::create_directories(out / "old/folder");
  writeText(out / "old/folder/gone.png", "x");
  writeStaged(stagedFiles(), out);
  EXPECT_FALSE(fs::exists(out / "old"));
  EXPECT_TRUE(fs::exists(out / "txt/lang.txt"));
}

TEST_F(Pipeline, SourceFaultsStopTheStagingWithTheirFileAndLine) {
  // What every staging reads first (the palette, the characters, the screen sizes) and the faulty table.
  test::TempFolder folder;
  const fs::path data = folder.path();
  fs::create_directories(data / "graphics");
  fs::create_directories(data / "txt");
  for (const char* file : {"palette.txt", "charset.txt", "graphics/240x320.dat.plain", "graphics/480x640.dat.plain"})
    fs::copy_file(fs::path(GH_SOURCE_DATA) / file, data / file);
  writeText(data / "txt/res_de.txt.utf", "# comment\nyes=Ja\nyes=Nochmal\n");
  try {
    stageData(folder.path(), DATAKIT_FONT_DIR);
    FAIL() << "staged a table with a key given twice";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("res_de.txt.utf:3:"), std::string::npos) << e.what();
  }
}
