// The checker reads every in-game page as the game library lays it out: text over a picture too bright
// behind it, a label reaching the screen's side, and a loud effect fail the build with the file to fix.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "BuiltArchive.h"
#include "Check.h"
#include "Png.h"
#include "Wav.h"

using namespace datakit;

namespace {

using builtarchive::SpoiledData;
using builtarchive::SpoiledTree;

// The maze game's picture, black but for a white band over the given rows.
void lightBand(SpoiledTree& d, const std::string& size, int width, int height, int from, int to) {
  Image picture(width, height, 0x000000);
  picture.fillRect(0, from, width, to - from, 0xFFFFFF);
  d.write("graphics/" + size + "/gob/splash.png", encodePng(picture));
}

// The maze game's picture, black but for white and black stripes over the given rows: the shade over the
// pages darkens the white enough for white text, yet the stripes' edges run through it.
void stripedBand(SpoiledTree& d, int from, int to) {
  Image picture(240, 320, 0x000000);
  for (int x = 0; x < 240; x += 6) picture.fillRect(x, from, 3, to - from, 0xFFFFFF);
  d.write("graphics/240x320/gob/splash.png", encodePng(picture));
}

Image picture(const SpoiledTree& d, const std::string& entry) {
  const std::string bytes = d.read(entry);
  return decodePng(Bytes(bytes.begin(), bytes.end()));
}

// Each page fault names the page, the font, the size and the source to change.
const builtarchive::Spoil kSpoils[] = {
    {"a light title under the help page's heading",
     [](SpoiledTree& d) { lightBand(d, "240x320", 240, 320, 0, 20); },
     "the help page's text in font menusel has a contrast of",
     {"gob/splash.gen:", "at 240x320 (rows 3 to"}},
    {"a light floor under the soft keys at the large size",
     [](SpoiledTree& d) { lightBand(d, "480x640", 480, 640, 600, 640); },
     "the help page's text in font hud0",
     {"gob/splash.gen:", "at 480x640"}},
    {"a strip of sprites under the help page's last lines",
     [](SpoiledTree& d) { stripedBand(d, 240, 280); },
     "the help page's text in font small lies on shapes",
     {"gob/splash.gen:", "within itself"}},
    {"a light strip under the key set-up's grid",
     [](SpoiledTree& d) { lightBand(d, "240x320", 240, 320, 10, 40); },
     "the key set-up's text in font hud0",
     {"gob/splash.gen:"}},
    {"a pale keyboard panel",
     [](SpoiledTree& d) { d.write("graphics/240x320/input/input_midd.png", encodePng(Image(200, 160, 0xD8DCF0))); },
     "the name entry's text in font menu has a contrast of",
     {"input/input_midd.gen:"}},
    {"a pale highlight under the selected entry",
     [](SpoiledTree& d) { d.write("graphics/240x320/selected.png", encodePng(Image(172, 19, 0xFF8A1E))); },
     "the in-game menu's highlighted entry's text in font menusel",
     {"selected.gen:"}},
    {"a small font as dark as the more games list",
     [](SpoiledTree& d) {
       Image page = picture(d, "240x320/small/font_0.png");
       for (int y = 0; y < page.height(); ++y)
         for (int x = 0; x < page.width(); ++x)
           if (page.at(x, y) != kKeyColour) page.set(x, y, 0x303848);
       d.write("240x320/small/font_0.png", encodePng(page));
     },
     "the more-games screen's highlighted entry's text in font small has a contrast of",
     {"small.font:", "the list's highlight at 240x320"}},
    {"a pale soft key on the more games screen",
     [](SpoiledTree& d) { d.write("graphics/480x640/button.png", encodePng(Image(152, 40, 0xE8E8F0))); },
     "the more-games screen's soft key's text in font menu has a contrast of",
     {"button.gen:", "at 480x640"}},
    {"a light band behind the language question's rows",
     [](SpoiledTree& d) {
       Image back = picture(d, "graphics/240x320/menu/back.png");
       back.fillRect(0, 120, back.width(), 80, 0xFFFFFF);
       d.write("graphics/240x320/menu/back.png", encodePng(back));
     },
     "the language question's text in font menu has a contrast of",
     {"menu/back.gen:"}},
    {"a soft-key label wider than the screen reaches its left side",
     [](SpoiledTree& d) {
       d.write("txt/res_fr.txt",
               builtarchive::withLine(d, "txt/res_fr.txt", u"down=Page suivante de l'aide, tout en bas de l'écran"));
     },
     "the help page's soft key \"down\" is drawn at column",
     {"res_fr.txt", "letters keep 2 columns"}},
    {"three copies of a loud effect",
     [](SpoiledTree& d) {
       d.write("data/tanks/snd/blow.wav", writeWavPcm16({0, 30000, -30000, 0}, 22050));
     },
     "3 copies of this sound started on one frame clip",
     {"blow.sfx:"}},
};
INSTANTIATE_TEST_SUITE_P(PageLegibility, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName);

}  // namespace

TEST(PageLegibility, TheShippedPagesReadAtBothSizes) {
  for (const std::string& e : checkStaged(builtarchive::stagedTree(), builtarchive::stagedSources()).errors)
    if (e.find("contrast") != std::string::npos || e.find("column") != std::string::npos ||
        e.find("copies") != std::string::npos)
      ADD_FAILURE() << e;
}

// The questions' bar is the program's own colour: where the menu font reads on it below the contrast asked
// of text, the checker says so in a note at each size and fails nothing.
TEST(PageLegibility, TheQuestionsBarIsANoteNotAFault) {
  const CheckReport report = checkStaged(builtarchive::stagedTree(), builtarchive::stagedSources());
  for (const char* question : {"the language question's chosen row", "the sound question's chosen row"})
    for (const char* size : {"240x320", "480x640"}) {
      const auto noted = std::find_if(report.notes.begin(), report.notes.end(), [&](const std::string& n) {
        return n.find(question) != std::string::npos && n.find(size) != std::string::npos;
      });
      EXPECT_NE(noted, report.notes.end()) << question << " " << size;
    }
  for (const std::string& e : report.errors) EXPECT_EQ(e.find("chosen row"), std::string::npos) << e;
}

TEST(PageLegibility, AFaultOfASoundIsAtTheLineOfItsLevel) {
  SpoiledTree tree;
  tree.write("data/bnc/sound/boom.wav", writeWavPcm16({0, 32000, 0}, 22050));
  const std::string source = builtarchive::stagedSources().at("data/bnc/sound/boom.wav");
  std::ifstream in(source);
  int line = 0, levelLine = 0;
  for (std::string text; std::getline(in, text);)
    if (++line, text.rfind("level=", 0) == 0) levelLine = line;
  ASSERT_GT(levelLine, 0);
  const std::string faults = tree.faults();
  const std::string expected = source + ":" + std::to_string(levelLine) + ": 3 copies";
  bool found = false;
  std::istringstream lines(faults);
  for (std::string e; std::getline(lines, e);) found = found || e.rfind(expected, 0) == 0;
  EXPECT_TRUE(found) << faults;
}
