// The brick game's round files: the checker names every fault the game's loader would trip on,
// and every layout shipped can be cleared.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Check.h"
#include "games/BounceRounds.h"
#include "support/TempFolder.h"

using namespace datakit;

namespace {

const std::string kEmptyRow = "...........";

// 21 rows with the given ones on top, each ended by the given line end.
Bytes field(std::vector<std::string> top, const std::string& end = "\r\n", size_t rows = 21) {
  while (top.size() < rows) top.push_back(kEmptyRow);
  std::string text;
  for (const std::string& row : top) text += row + end;
  return Bytes(text.begin(), text.end());
}

std::string faultsOf(const Bytes& file) {
  std::string all;
  for (const Fault& f : checkRoundFile(file)) all += std::to_string(f.line) + ": " + f.message + "\n";
  return all;
}

}  // namespace

TEST(RoundFiles, SoundLayoutsPass) {
  EXPECT_EQ(faultsOf(field({"abcdefghij.", "  fff fff  "})), "");
  // Glass and steel do not count, but the plain brick under the steel roof is reachable from below.
  EXPECT_EQ(faultsOf(field({"eeeeeeeeeee", "eccccfcccce"})), "");
  // Rows after the 21st are never read; the checker still warns.
  Bytes longer = field({"fff........"}, "\r\n", 22);
  EXPECT_NE(faultsOf(longer).find("22: only 21 rows are read"), std::string::npos);
}

TEST(RoundFiles, MalformedFilesAreNamedWithTheirLine) {
  struct Case {
    const char* what;
    Bytes file;
    const char* expected;  // "line: start of the message"
  };
  Bytes whole = field({"fff........"});
  std::string cut(whole.begin(), whole.end());
  cut.resize(cut.size() - 2);
  const Case cases[] = {
      {"LF line ends", field({"fff........"}, "\n"), "1: line ends in LF without CR"},
      {"CR line ends", field({"fff........"}, "\r"), "1: line ends in CR without LF"},
      {"no line end at the end", Bytes(cut.begin(), cut.end()), "21: the last line needs its CR LF"},
      {"short row", field({"fff", "ggg........"}), "1: row has 3 cells, the loader needs 11"},
      {"empty row", field({"fff........", ""}), "2: an empty row stops the loader"},
      {"long row", field({"fff.........f"}), "1: cells after the eleventh are never read"},
      {"upper-case letter", field({"fffA......."}), "1: column 4: cells are the letters a to j"},
      {"digit", field({"fff.......1"}), "1: column 11: cells are the letters a to j"},
      {"too few rows", field({"fff........"}, "\r\n", 20), "21: the field has 21 rows, the file 20"},
      {"only uncounted bricks", field({"ccceeeccc.."}), "1: no brick that counts"},
      {"brick walled in by steel", field({"eeeeeeeeeee", "eeeeefeeeee", "eeeeeeeeeee"}),
       "2: row 2, column 6: steel walls the brick in"},
  };
  for (const Case& c : cases)
    EXPECT_NE(faultsOf(c.file).find(c.expected), std::string::npos) << c.what << "\n" << faultsOf(c.file);
}

TEST(RoundFiles, NamesRunFromTheFirstRoundToTheLast) {
  std::vector<std::string> names = roundFileNames();
  ASSERT_EQ(names.size(), 50u);
  EXPECT_EQ(names.front(), "data/bnc/data/round01.txt");
  EXPECT_EQ(names[8], "data/bnc/data/round09.txt");
  EXPECT_EQ(names.back(), "data/bnc/data/round50.txt");
  for (const char* other : {"data/bnc/sound/die.wav", "data/bnc/data/rounds.md", "graphics/240x320/bnc/all.txt"})
    EXPECT_FALSE(isRoundFile(other)) << other;
  EXPECT_TRUE(isRoundFile(names[0]));
}

// In a staged tree the checker finds the brick game's rounds by name, names the source line of a
// fault, and misses none of the fifty.
TEST(RoundFiles, StagedTreeIsCheckedRoundByRound) {
  test::TempFolder folder;
  const std::filesystem::path dir = std::filesystem::path(folder.path()) / "data/bnc/data";
  std::filesystem::create_directories(dir);
  Bytes good = field({"fff........"}), bad = field({"fff........"}, "\n");
  for (const std::string& name : roundFileNames()) {
    if (name.find("round07") != std::string::npos) continue;
    const Bytes& bytes = name.find("round03") != std::string::npos ? bad : good;
    std::ofstream(std::filesystem::path(folder.path()) / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
  }
  std::map<std::string, std::string> sources = {{"data/bnc/data/round03.txt", "data/data/bnc/data/round03.txt.crlf"}};
  std::string all;
  for (const std::string& e : checkStaged(folder.path(), sources).errors) all += e + "\n";
  EXPECT_NE(all.find("data/data/bnc/data/round03.txt.crlf:1: line ends in LF without CR"), std::string::npos) << all;
  EXPECT_NE(all.find("round07.txt:0: missing"), std::string::npos) << all;
  EXPECT_EQ(all.find("round01.txt"), std::string::npos) << all;
}
