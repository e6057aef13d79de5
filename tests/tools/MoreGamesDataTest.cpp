// The more-games screen's data: complete and checked in the shipped data, and each fault a person could
// make in it named by the checker.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "BuiltArchive.h"
#include "Check.h"
#include "TextTables.h"

namespace fs = std::filesystem;
using namespace datakit;

namespace {

using builtarchive::SpoiledData;
using builtarchive::SpoiledTree;

// Rewrites one language's texts, line by line ("key=value"); an empty result drops the line.
void editTexts(SpoiledTree& d, const std::string& code, const std::function<std::u16string(std::u16string)>& edit) {
  const std::string entry = "txt/res_" + code + ".txt";
  const std::string text = d.read(entry);
  Bytes out;
  for (const TableLine& line : readUtfStrings(Bytes(text.begin(), text.end()), entry)) {
    std::u16string edited = edit(line.text);
    if (!edited.empty()) appendUtf(out, edited);
  }
  d.write(entry, out);
}

std::function<void(SpoiledTree&)> replaceText(const char16_t* key, const char16_t* value) {
  return [=](SpoiledTree& d) {
    editTexts(d, "de", [&](std::u16string line) {
      std::u16string k(key);
      return line.rfind(k + u"=", 0) == 0 ? k + u"=" + value : line;
    });
  };
}

TEST(MoreGamesData, EveryLanguageAndScreenSizeHasTheScreensEntries) {
  const StagedFiles& f = builtarchive::stagedFiles();
  for (const char* size : {"240x320", "480x640"}) {
    EXPECT_TRUE(f.count("graphics/" + std::string(size) + "/button.png")) << size;
    for (int n = 0; n < 9; ++n)
      EXPECT_TRUE(f.count("graphics/" + std::string(size) + "/moregames/game_" + std::to_string(n) + ".png"))
          << size << " " << n;
  }
  CheckReport report = checkStaged(builtarchive::stagedTree(), builtarchive::stagedSources());
  for (const std::string& e : report.errors) ADD_FAILURE() << e;
}

// Each fault a person could make in the screen's data, and the checker's words for it.
const builtarchive::Spoil kSpoils[] = {
    {"an icon missing at one size", [](SpoiledTree& d) { d.remove("graphics/480x640/moregames/game_3.png"); },
     "no picture \"moregames/game_3\""},
    {"the soft key's picture missing", [](SpoiledTree& d) { d.remove("graphics/240x320/button.png"); },
     "no picture \"button\""},
    {"an address that is not a placeholder", replaceText(u"MORE_GAME_URL2", u"http://games.invalid/x"),
     "not a placeholder under https://example.com/"},
    {"a tag without its end", replaceText(u"MORE_GAME1", u"<img src=%ICON% Worm"), "without its \">\""},
    {"an entry without its icon", replaceText(u"MORE_GAME1", u"Worm"), "does not show its icon"},
    {"a soft key's text too wide", replaceText(u"BACK", u"Zurückgehen"), "the soft key has room for"},
    {"an entry missing in a language",
     [](SpoiledTree& d) {
       editTexts(d, "fr", [](std::u16string line) { return line.rfind(u"MORE_GAME7=", 0) == 0 ? u"" : line; });
     },
     "missing key \"MORE_GAME7\""},
};
INSTANTIATE_TEST_SUITE_P(MoreGames, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName);

}  // namespace
