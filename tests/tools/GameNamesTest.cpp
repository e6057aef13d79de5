// The checker follows each game's set-up through the staged tree: a picture, image key, animation
// or sound the game asks for by name and cannot find is a build error naming the file.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "Check.h"
#include "Stage.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;
using namespace datakit;

namespace {

// Drops the lines of a CR LF table that start with the given text.
void dropLines(const fs::path& file, const std::string& start) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  in.close();
  std::string text = all.str(), kept;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find("\r\n", at);
    end = end == std::string::npos ? text.size() : end + 2;
    if (text.compare(at, start.size(), start) != 0) kept += text.substr(at, end - at);
    at = end;
  }
  std::ofstream(file, std::ios::binary) << kept;
}

}  // namespace

TEST(GameNames, MissingNamesOfTheBrickGameAreNamed) {
  const Staged staged = stageData(GH_SOURCE_DATA, DATAKIT_FONT_DIR);
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> spoil;
    const char* message;
  };
  const Case cases[] = {
      {"an animation entry", [](const fs::path& d) { dropLines(d / "graphics/240x320/bnc/anim.txt", "bnc_bon7="); },
       "bnc/anim.txt.plain:0: the game looks up the animation \"bnc_bon7\""},
      {"an image key", [](const fs::path& d) { dropLines(d / "graphics/480x640/bnc/all.txt", "lifeIcon.png;"); },
       "bnc/all.atlas:0: the game looks up \"lifeIcon.png\""},
      {"a background", [](const fs::path& d) { fs::remove(d / "graphics/480x640/bnc/img/back3.png"); },
       "480x640.dat.plain:1: no picture \"bnc/img/back3\""},
      {"a sound", [](const fs::path& d) { fs::remove(d / "data/bnc/sound/die.wav"); },
       "bnc/sound/die.sfx:0: missing: the game plays this sound"},
  };
  for (const Case& c : cases) {
    test::TempFolder folder;
    writeStaged(staged.files, folder.path());
    c.spoil(folder.path());
    std::string all;
    for (const std::string& e : checkStaged(folder.path(), staged.sources).errors) all += e + "\n";
    EXPECT_NE(all.find(c.message), std::string::npos) << c.what << "\n" << all;
  }
}
