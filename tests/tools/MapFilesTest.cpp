// The maze game's map files: the checker names every fault the game's loader and its rules would trip on,
// with the line to mend.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Check.h"
#include "games/GobblerMaps.h"
#include "support/TempFolder.h"

using namespace datakit;

namespace {

// The first shipped map's rows, a sound map to spoil.
std::vector<std::string> firstMap() {
  std::ifstream in(std::string(GH_SOURCE_DATA) + "/data/gob/maps/map00.txt.crlf");
  std::vector<std::string> rows;
  for (std::string line; std::getline(in, line);) rows.push_back(line);
  return rows;
}

Bytes file(const std::vector<std::string>& rows, const std::string& end = "\r\n", bool endAfterLast = false) {
  std::string text;
  for (size_t i = 0; i < rows.size(); ++i) text += (i > 0 ? end : "") + rows[i];
  if (endAfterLast) text += end;
  return Bytes(text.begin(), text.end());
}

std::string faultsOf(const Bytes& bytes) {
  std::string all;
  for (const Fault& f : checkMapFile(bytes)) all += std::to_string(f.line) + ": " + f.message + "\n";
  return all;
}

// The rows with one cell replaced (row and column from 1).
std::vector<std::string> with(std::vector<std::string> rows, int row, int column, char c) {
  rows[row - 1][column - 1] = c;
  return rows;
}

}  // namespace

// The line ends and blank lines after the last row are no rows to the game, nor faults here.
TEST(MapFiles, TheShippedFirstMapPasses) {
  const std::vector<std::string> rows = firstMap();
  ASSERT_EQ(rows.size(), 21u);
  EXPECT_EQ(faultsOf(file(rows)), "");
  EXPECT_EQ(faultsOf(file(rows, "\r\n", true)), "");
  std::vector<std::string> blankAfter = rows;
  blankAfter.insert(blankAfter.end(), {"", ""});
  EXPECT_EQ(faultsOf(file(blankAfter, "\r\n", true)), "");
}

TEST(MapFiles, FaultsAreNamedWithTheirLine) {
  const std::vector<std::string> rows = firstMap();
  // Row 10 holds the portals (columns 1 and 18) and the chasers' starts; row 16 the player's start.
  ASSERT_EQ(rows[9][0], '*');
  ASSERT_EQ(rows[15][8], 'p');
  std::vector<std::string> shortRow = rows, fewer = rows, noDoor = rows, noDots = rows, blankBetween = rows;
  shortRow[4].pop_back();
  blankBetween.insert(blankBetween.begin() + 20, "");
  Bytes lineFeedAfter = file(rows);
  lineFeedAfter.push_back('\n');
  fewer.pop_back();
  for (std::string& r : noDoor)
    for (char& c : r) c = c == '#' ? '1' : c;
  for (std::string& r : noDots)
    for (char& c : r) c = c == '.' || c == 'o' ? '0' : c;
  struct Case {
    const char* what;
    Bytes bytes;
    const char* expected;  // "line: start of the message"
  };
  const Case cases[] = {
      {"LF line ends", file(rows, "\n"), "1: line ends in LF without CR"},
      {"a line feed alone after the last row", lineFeedAfter, "21: line ends in LF without CR"},
      {"a blank line before the last row", file(blankBetween), "21: row has 0 cells, every map 18"},
      {"a short row", file(shortRow), "5: row has 17 cells, every map 18"},
      {"a byte that is no cell", file(with(rows, 3, 4, 'x')), "3: column 4: 'x' is no cell"},
      {"a row too few", file(fewer), "20: the map has 20 rows, every map 21"},
      {"a second player's start", file(with(rows, 1, 2, 'p')), "16: the map needs exactly one 'p', it has 2"},
      {"a portal without partner", file(with(rows, 10, 18, '.')),
       "10: row 10, column 1: a portal needs exactly one partner"},
      {"a portal open at its side", file(with(rows, 9, 1, '.')),
       "10: row 10, column 1: a portal is entered only along"},
      {"no door", file(noDoor), "the map has no door"},
      {"a house the player walks into", file(with(rows, 11, 9, '.')), "the player walks into the chasers' house"},
      {"a dot in the chasers' house", file(with(rows, 10, 8, '.')),
       "10: row 10, column 8: the player cannot reach this dot"},
      {"no dots", file(noDots), "1: the map has no dots"},
      {"a wall touching others only at its corners", file(with(rows, 4, 4, '1')),
       "4: row 4, column 4: no wall tile has this wall's neighbourhood"},
  };
  for (const Case& c : cases)
    EXPECT_NE(faultsOf(c.bytes).find(c.expected), std::string::npos) << c.what << "\n" << faultsOf(c.bytes);
}

TEST(MapFiles, NamesRunFromTheFirstMapToTheLast) {
  const std::vector<std::string> names = mapFileNames();
  ASSERT_EQ(names.size(), 13u);
  EXPECT_EQ(names.front(), "data/gob/maps/map00.txt");
  EXPECT_EQ(names.back(), "data/gob/maps/map12.txt");
  for (const char* other : {"data/gob/sound/die.wav", "data/bnc/data/round01.txt", "graphics/240x320/gob/all.txt"})
    EXPECT_FALSE(isMapFile(other)) << other;
  EXPECT_TRUE(isMapFile(names[5]));
}

// In a staged tree the checker finds the maps by name and names the source line of a fault.
TEST(MapFiles, StagedTreeIsCheckedMapByMap) {
  test::TempFolder folder;
  const std::filesystem::path dir = std::filesystem::path(folder.path()) / "data/gob/maps";
  std::filesystem::create_directories(dir);
  const Bytes good = file(firstMap()), bad = file(firstMap(), "\n");
  for (const std::string& name : mapFileNames()) {
    if (name.find("map07") != std::string::npos) continue;
    const Bytes& bytes = name.find("map03") != std::string::npos ? bad : good;
    std::ofstream(std::filesystem::path(folder.path()) / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
  }
  const std::map<std::string, std::string> sources = {{"data/gob/maps/map03.txt", "data/data/gob/maps/map03.txt.crlf"}};
  std::string all;
  for (const std::string& e : checkStaged(folder.path(), sources).errors) all += e + "\n";
  EXPECT_NE(all.find("data/data/gob/maps/map03.txt.crlf:1: line ends in LF without CR"), std::string::npos) << all;
  EXPECT_NE(all.find("map07.txt:0: missing"), std::string::npos) << all;
  EXPECT_EQ(all.find("map01.txt"), std::string::npos) << all;
}
