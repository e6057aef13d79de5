// Where the program looks for its game.dat without GLIMMERHUT_DATA: beside itself, as in the build folder,
// or, installed, in the shared data folder of its prefix; and where its logs go, which is never there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/api/program.h"
#include "platform/host/datafolder.h"
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

// Sets (or, with null, unsets) a variable for the scope and puts the old value back.
class Variable {
 public:
  Variable(const char* name, const char* value) : name_(name) {
    if (const char* v = std::getenv(name)) saved_ = v;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~Variable() {
    if (saved_) {
      setenv(name_, saved_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  Variable(const Variable&) = delete;
  Variable& operator=(const Variable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> saved_;
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

TEST(InstalledData, TheLogsGoToTheUsersStateFolderOrTheNamedDataFolder) {
  test::TempFolder home, state, named, prefix;
  touch(prefix.file("share/glimmerhut/game.dat"));
  const std::string homeLogs = home.file(".local/state/glimmerhut");
  struct Case {
    const char* what;
    const char* stateVariable;
    const char* dataVariable;
    std::string folder;
  } cases[] = {
      {"XDG_STATE_HOME", state.path().c_str(), nullptr, state.file("glimmerhut")},
      {"without XDG_STATE_HOME, below the home folder", nullptr, nullptr, homeLogs},
      {"a relative XDG_STATE_HOME is ignored", "relative/state", nullptr, homeLogs},
      {"GLIMMERHUT_DATA", state.path().c_str(), named.path().c_str(), named.path()},
  };
  Variable homeVariable("HOME", home.path().c_str());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Variable stateVariable("XDG_STATE_HOME", c.stateVariable);
    Variable dataVariable("GLIMMERHUT_DATA", c.dataVariable);
    platform::setLogFolder("");
    platform::setProgramFile(prefix.file("bin/glimmerhut"));
    char name[] = "glimmerhut";
    char* argv[] = {name, nullptr};
    std::u16string commandLine;
    ASSERT_TRUE(platform::startProgram(1, argv, commandLine));
    // Made when asked for, in the handheld's form.
    EXPECT_EQ(platform::makeLogFolder(), platform::toDevicePath(c.folder) + u"\\");
    EXPECT_TRUE(fs::is_directory(c.folder));
    fs::remove_all(homeLogs);
  }
  platform::setLogFolder("");
  platform::setProgramFile("");
}
