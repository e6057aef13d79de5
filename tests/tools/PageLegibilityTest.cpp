// The checker reads every in-game page as the game library lays it out: text over a picture too bright
// behind it, a label reaching the screen's side, and a loud effect fail the build with the file to fix.
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

class PageLegibility : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { staged_ = new Staged(stageData(GH_SOURCE_DATA, DATAKIT_FONT_DIR)); }
  static void TearDownTestSuite() {
    delete staged_;
    staged_ = nullptr;
  }
  static Staged* staged_;
};

Staged* PageLegibility::staged_ = nullptr;

void writeBytes(const fs::path& path, const Bytes& b) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), long(b.size()));
}

// The maze game's picture, black but for a white band over the given rows.
void lightBand(const fs::path& d, const char* size, int width, int height, int from, int to) {
  Image picture(width, height, 0x000000);
  picture.fillRect(0, from, width, to - from, 0xFFFFFF);
  writeBytes(d / "graphics" / size / "gob/splash.png", encodePng(picture));
}

// The maze game's picture, black but for white and black stripes over the given rows: the shade over the
// pages darkens the white enough for white text, yet the stripes' edges run through it.
void stripedBand(const fs::path& d, int from, int to) {
  Image picture(240, 320, 0x000000);
  for (int x = 0; x < 240; x += 6) picture.fillRect(x, from, 3, to - from, 0xFFFFFF);
  writeBytes(d / "graphics/240x320/gob/splash.png", encodePng(picture));
}

void appendText(const fs::path& file, const std::u16string& line) {
  Bytes b = readBytes(file);
  Bytes extra = encodeUtf(line);
  b.insert(b.end(), extra.begin(), extra.end());
  writeBytes(file, b);
}

}  // namespace

TEST_F(PageLegibility, TheShippedPagesReadAtBothSizes) {
  test::TempFolder folder;
  writeStaged(staged_->files, folder.path());
  for (const std::string& e : checkStaged(folder.path(), staged_->sources).errors)
    if (e.find("contrast") != std::string::npos || e.find("column") != std::string::npos ||
        e.find("copies") != std::string::npos)
      ADD_FAILURE() << e;
}

TEST_F(PageLegibility, FaultsNameThePageAndTheSourceToChange) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> spoil;
    std::vector<std::string> expected;  // each in one fault
  } cases[] = {
      {"a light title under the help page's heading",
       [](const fs::path& d) { lightBand(d, "240x320", 240, 320, 0, 20); },
       {"gob/splash.gen:", "the help page's text in font menusel has a contrast of", "at 240x320 (rows 3 to"}},
      {"a light floor under the soft keys at the large size",
       [](const fs::path& d) { lightBand(d, "480x640", 480, 640, 600, 640); },
       {"gob/splash.gen:", "the help page's text in font hud0", "at 480x640"}},
      {"a strip of sprites under the help page's last lines",
       [](const fs::path& d) { stripedBand(d, 240, 280); },
       {"gob/splash.gen:", "the help page's text in font small lies on shapes", "within itself"}},
      {"a light strip under the key set-up's grid",
       [](const fs::path& d) { lightBand(d, "240x320", 240, 320, 10, 40); },
       {"gob/splash.gen:", "the key set-up's text in font hud0"}},
      {"a pale keyboard panel",
       [](const fs::path& d) {
         writeBytes(d / "graphics/240x320/input/input_midd.png", encodePng(Image(200, 160, 0xD8DCF0)));
       },
       {"input/input_midd.gen:", "the name entry's text in font menu has a contrast of"}},
      {"a pale highlight under the selected entry",
       [](const fs::path& d) { writeBytes(d / "graphics/240x320/selected.png", encodePng(Image(172, 19, 0xFF8A1E))); },
       {"selected.gen:", "the in-game menu's highlighted entry's text in font menusel"}},
      {"a soft-key label wider than the screen reaches its left side",
       [](const fs::path& d) {
         appendText(d / "txt/res_fr.txt", u"down=Page suivante de l'aide, tout en bas de l'écran");
       },
       {"res_fr.txt", "the help page's soft key \"down\" is drawn at column", "letters keep 2 columns"}},
      {"three copies of a loud effect",
       [](const fs::path& d) {
         writeBytes(d / "data/tanks/snd/blow.wav", writeWavPcm16({0, 30000, -30000, 0}, 22050));
       },
       {"blow.sfx:", "3 copies of this sound started on one frame clip"}},
  };
  for (const Case& c : cases) {
    test::TempFolder folder;
    writeStaged(staged_->files, folder.path());
    c.spoil(folder.path());
    CheckReport report = checkStaged(folder.path(), staged_->sources);
    bool found = false;
    for (const std::string& e : report.errors) {
      bool all = true;
      for (const std::string& part : c.expected) all = all && e.find(part) != std::string::npos;
      found = found || all;
    }
    EXPECT_TRUE(found) << c.what << ": " << (report.errors.empty() ? "no fault reported" : report.errors[0]);
  }
}

TEST_F(PageLegibility, AFaultOfASoundIsAtTheLineOfItsLevel) {
  test::TempFolder folder;
  writeStaged(staged_->files, folder.path());
  writeBytes(fs::path(folder.path()) / "data/bnc/sound/boom.wav", writeWavPcm16({0, 32000, 0}, 22050));
  const std::string source = staged_->sources.at("data/bnc/sound/boom.wav");
  std::ifstream in(source);
  int line = 0, levelLine = 0;
  for (std::string text; std::getline(in, text);)
    if (++line, text.rfind("level=", 0) == 0) levelLine = line;
  ASSERT_GT(levelLine, 0);
  bool found = false;
  for (const std::string& e : checkStaged(folder.path(), staged_->sources).errors)
    found = found || e.rfind(source + ":" + std::to_string(levelLine) + ": 3 copies", 0) == 0;
  EXPECT_TRUE(found);
}
