// The shipped data: staged the same way every time, complete for both screen sizes, and the
// checker catches each kind of fault a person could make in it.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "Check.h"
#include "Png.h"
#include "Stage.h"
#include "TextTables.h"
#include "Wav.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;
using namespace datakit;

namespace {

class Pipeline : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { staged_ = new Staged(stageData(GH_SOURCE_DATA, DATAKIT_FONT_DIR)); }
  static void TearDownTestSuite() {
    delete staged_;
    staged_ = nullptr;
  }
  static Staged* staged_;
};

Staged* Pipeline::staged_ = nullptr;

void writeText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

}  // namespace

TEST_F(Pipeline, StagingGivesTheSameBytesEveryTime) {
  Staged again = stageData(GH_SOURCE_DATA, DATAKIT_FONT_DIR);
  EXPECT_TRUE(again.files == staged_->files);
}

TEST_F(Pipeline, EverySharedEntryIsThereForBothScreenSizes) {
  const StagedFiles& f = staged_->files;
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
  test::TempFolder folder;
  writeStaged(staged_->files, folder.path());
  CheckReport report = checkStaged(folder.path(), staged_->sources);
  for (const std::string& e : report.errors) ADD_FAILURE() << e;
}

TEST_F(Pipeline, CheckerNamesEachFault) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> spoil;
    const char* message;
  };
  const Case cases[] = {
      {"a key missing in one language",
       [](const fs::path& d) {
         Bytes b = encodeUtf(u"yes=Ja");
         std::ofstream(d / "txt/res_de.txt", std::ios::binary)
             .write(reinterpret_cast<const char*>(b.data()), long(b.size()));
       },
       "missing key \"no\""},
      {"a blank line in a plain table", [](const fs::path& d) { writeText(d / "data/keys.txt", "A=1\r\n\r\nB=2\r\n"); },
       "blank line"},
      {"a table line ending in LF alone",
       [](const fs::path& d) { writeText(d / "graphics/240x320.dat", "PATH=240x320/\n"); }, "without CR"},
      {"an atlas rectangle outside its picture",
       [](const fs::path& d) { writeText(d / "graphics/240x320/menu/icons.txt", "bnc.png;0;0;5000;5\r\n"); },
       "outside"},
      {"a main menu icon missing",
       [](const fs::path& d) { writeText(d / "graphics/480x640/menu/icons.txt", "bnc.png;0;0;5;5\r\n"); },
       "\"bnc_s.png\" is missing"},
      {"a shared picture missing", [](const fs::path& d) { fs::remove(d / "graphics/480x640/pause.png"); },
       "no picture \"pause\""},
      {"a font page after a gap",
       [](const fs::path& d) {
         fs::remove(d / "240x320/hud0/font_0.png");
         fs::remove(d / "240x320/hud0/font_0");
       },
       "after a gap"},
      {"a character no font holds",
       [](const fs::path& d) {
         Bytes b = readBytes(d / "txt/res_fr.txt");
         Bytes extra = encodeUtf(u"zz=\u0416");
         b.insert(b.end(), extra.begin(), extra.end());
         std::ofstream(d / "txt/res_fr.txt", std::ios::binary)
             .write(reinterpret_cast<const char*>(b.data()), long(b.size()));
       },
       "has no"},
      {"a main menu title too wide to draw",
       [](const fs::path& d) {
         Bytes b = readBytes(d / "txt/res_en.txt");
         Bytes extra = encodeUtf(u"bounce=Brickbouncingextravaganza");
         b.insert(b.end(), extra.begin(), extra.end());
         std::ofstream(d / "txt/res_en.txt", std::ios::binary)
             .write(reinterpret_cast<const char*>(b.data()), long(b.size()));
       },
       "\"bounce\" is"},
      {"an animation frame missing from the game's image table",
       [](const fs::path& d) {
         fs::create_directories(d / "graphics/240x320/bnc");
         writeText(d / "graphics/240x320/bnc/all.txt", "ball.png;0;0;1;1\r\n");
         writeText(d / "graphics/240x320/bnc/all.png", "");
         writeText(d / "graphics/240x320/bnc/anim.txt", "spin=ball.png;ball.png_mr\r\nboom=bang.png\r\n");
       },
       "frame \"bang.png\" is not in"},
      {"a colour the device would key out",
       [](const fs::path& d) {
         Bytes b = encodePng(Image(4, 4, 0xFC02FC));
         std::ofstream(d / "graphics/240x320/pause.png", std::ios::binary)
             .write(reinterpret_cast<const char*>(b.data()), long(b.size()));
       },
       "turns transparent"},
      {"a language without its texts", [](const fs::path& d) { fs::remove(d / "txt/res_fr.txt"); },
       "no texts for language fr"},
      {"a sound that clips",
       [](const fs::path& d) {
         Bytes b = writeWavPcm16({0, 32767, 0}, 22050);
         std::ofstream(d / "data/bnc/sound/die.wav", std::ios::binary)
             .write(reinterpret_cast<const char*>(b.data()), long(b.size()));
       },
       "clips"},
      {"a help text opening with an empty paragraph",
       [](const fs::path& d) {
         Bytes b = encodeUtf(u"");
         Bytes rest = encodeUtf(u"Text");
         b.insert(b.end(), rest.begin(), rest.end());
         fs::create_directories(d / "txt/bnc");
         std::ofstream(d / "txt/bnc/en_help.txt", std::ios::binary)
             .write(reinterpret_cast<const char*>(b.data()), long(b.size()));
       },
       "may not start with an empty paragraph"},
      {"soft-key labels that overlap at the screen's bottom",
       [](const fs::path& d) {
         Bytes b = readBytes(d / "txt/res_de.txt");
         Bytes extra = encodeUtf(u"down=Weiter zur nächsten Seite der Hilfe");
         b.insert(b.end(), extra.begin(), extra.end());
         std::ofstream(d / "txt/res_de.txt", std::ios::binary)
             .write(reinterpret_cast<const char*>(b.data()), long(b.size()));
       },
       "soft keys \"quit\" and \"down\" are"},
      {"a menu picture too bright behind the text",
       [](const fs::path& d) {
         Bytes b = encodePng(Image(480, 640, 0xE0E0E0));
         std::ofstream(d / "graphics/480x640/bnc/splash.png", std::ios::binary)
             .write(reinterpret_cast<const char*>(b.data()), long(b.size()));
       },
       "the help page's text in font menusel has a contrast of"},
  };
  for (const Case& c : cases) {
    test::TempFolder folder;
    writeStaged(staged_->files, folder.path());
    c.spoil(folder.path());
    CheckReport report = checkStaged(folder.path(), staged_->sources);
    bool found = false;
    for (const std::string& e : report.errors) found = found || e.find(c.message) != std::string::npos;
    EXPECT_TRUE(found) << c.what << ": " << (report.errors.empty() ? "no fault reported" : report.errors[0]);
  }
}

TEST_F(Pipeline, SharedSourcesGiveTheSameFileUnderEachName) {
  const StagedFiles& f = staged_->files;
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
  writeStaged(staged_->files, out);
  EXPECT_FALSE(fs::exists(out / "old"));
  EXPECT_TRUE(fs::exists(out / "txt/lang.txt"));
}

TEST_F(Pipeline, SourceFaultsStopTheStagingWithTheirFileAndLine) {
  test::TempFolder folder;
  fs::copy(GH_SOURCE_DATA, folder.path(), fs::copy_options::recursive);
  writeText(fs::path(folder.path()) / "txt/res_de.txt.utf", "# comment\nyes=Ja\nyes=Nochmal\n");
  try {
    stageData(folder.path(), DATAKIT_FONT_DIR);
    FAIL() << "staged a table with a key given twice";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("res_de.txt.utf:3:"), std::string::npos) << e.what();
  }
}
