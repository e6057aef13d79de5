// The more-games screen's data: complete and checked in the shipped data, and each fault a person could
// make in it named by the checker.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "Check.h"
#include "Stage.h"
#include "TextTables.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;
using namespace datakit;

namespace {

class MoreGamesData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { staged_ = new Staged(stageData(GH_SOURCE_DATA, DATAKIT_FONT_DIR)); }
  static void TearDownTestSuite() {
    delete staged_;
    staged_ = nullptr;
  }
  static Staged* staged_;
};

Staged* MoreGamesData::staged_ = nullptr;

// Rewrites one language's texts, line by line ("key=value"); an empty result drops the line.
void editTexts(const fs::path& dir, const std::string& code,
               const std::function<std::u16string(std::u16string)>& edit) {
  fs::path file = dir / ("txt/res_" + code + ".txt");
  Bytes out;
  for (const TableLine& line : readUtfStrings(readBytes(file), file.string())) {
    std::u16string text = edit(line.text);
    if (!text.empty()) appendUtf(out, text);
  }
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(out.data()), long(out.size()));
}

std::function<void(const fs::path&)> replaceText(const char16_t* key, const char16_t* value) {
  return [=](const fs::path& d) {
    editTexts(d, "de", [&](std::u16string line) {
      std::u16string k(key);
      return line.rfind(k + u"=", 0) == 0 ? k + u"=" + value : line;
    });
  };
}

TEST_F(MoreGamesData, EveryLanguageAndScreenSizeHasTheScreensEntries) {
  const StagedFiles& f = staged_->files;
  for (const char* size : {"240x320", "480x640"}) {
    EXPECT_TRUE(f.count("graphics/" + std::string(size) + "/button.png")) << size;
    for (int n = 0; n < 9; ++n)
      EXPECT_TRUE(f.count("graphics/" + std::string(size) + "/moregames/game_" + std::to_string(n) + ".png"))
          << size << " " << n;
  }
  test::TempFolder folder;
  writeStaged(staged_->files, folder.path());
  CheckReport report = checkStaged(folder.path(), staged_->sources);
  for (const std::string& e : report.errors) ADD_FAILURE() << e;
}

TEST_F(MoreGamesData, CheckerNamesEachFault) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> spoil;
    const char* message;
  };
  const Case cases[] = {
      {"an icon missing at one size",
       [](const fs::path& d) { fs::remove(d / "graphics/480x640/moregames/game_3.png"); },
       "no picture \"moregames/game_3\""},
      {"the soft key's picture missing", [](const fs::path& d) { fs::remove(d / "graphics/240x320/button.png"); },
       "no picture \"button\""},
      {"an address that is not a placeholder", replaceText(u"MORE_GAME_URL2", u"http://games.invalid/x"),
       "not a placeholder under https://example.com/"},
      {"a tag without its end", replaceText(u"MORE_GAME1", u"<img src=%ICON% Worm"), "without its \">\""},
      {"an entry without its icon", replaceText(u"MORE_GAME1", u"Worm"), "does not show its icon"},
      {"a soft key's text too wide", replaceText(u"BACK", u"Zurückgehen"), "the soft key has room for"},
      {"an entry missing in a language",
       [](const fs::path& d) {
         editTexts(d, "fr", [](std::u16string line) { return line.rfind(u"MORE_GAME7=", 0) == 0 ? u"" : line; });
       },
       "missing key \"MORE_GAME7\""},
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

}  // namespace
