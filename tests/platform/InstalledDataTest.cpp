// Where the program looks for its game.dat without GLIMMERHUT_DATA: beside itself, as in the build folder,
// or, installed, in the shared data folder of its prefix.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/api/program.h"
#include "platform/host/paths.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

// The variable stays unset for the test and comes back afterwards.
class WithoutDataVariable {
 public:
  WithoutDataVariable() {
    if (const char* v = std::getenv("GLIMMERHUT_DATA")) saved = v;
    unsetenv("GLIMMERHUT_DATA");
  }
  ~WithoutDataVariable() {
    if (saved) setenv("GLIMMERHUT_DATA", saved->c_str(), 1);
    platform::setProgramFile("");
  }

 private:
  std::optional<std::string> saved;
};

void touch(const fs::path& file) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << "7z";
}

}  // namespace

TEST(InstalledData, TheProgramFindsItsGameDat) {
  struct Case {
    const char* what;
    bool beside, installed;
    const char* folder;  // the program's folder after the start, below the prefix
  } cases[] = {
      {"installed: the shared data folder", false, true, "share/glimmerhut"},
      {"a game.dat beside the program wins", true, true, "bin"},
      {"only beside the program", true, false, "bin"},
      {"neither: the program's own folder, which reports the missing archive", false, false, "bin"},
  };
  WithoutDataVariable unset;
  for (const Case& c : cases) {
    test::TempFolder prefix;
    fs::create_directories(prefix.file("bin"));
    if (c.beside) touch(prefix.file("bin/game.dat"));
    if (c.installed) touch(prefix.file("share/glimmerhut/game.dat"));
    platform::setProgramFile(prefix.file("bin/glimmerhut"));
    char name[] = "glimmerhut";
    char* argv[] = {name, nullptr};
    std::u16string commandLine;
    ASSERT_TRUE(platform::startProgram(1, argv, commandLine)) << c.what;
    EXPECT_EQ(fs::path(platform::programFolder()), fs::weakly_canonical(prefix.file(c.folder))) << c.what;
  }
}
