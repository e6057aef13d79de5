// The tunnel-digging game's level compiler and checker.
#include "games/BurrowLevels.h"

#include <algorithm>
#include <sstream>

#include "DataError.h"
#include "GameTable.h"
#include "games/burrow/BurrowData.h"

namespace datakit {

namespace {

namespace data = burrow::data;

constexpr int kRows = data::kMapRows;
constexpr int kColumns = data::kMapCols;
constexpr int kLevels = data::kLevelsPerFile;
constexpr int kGridSize = kRows * kColumns;
const std::string kPrefix = archiveName(data::kLevelPrefix);
const std::string kSuffix = ascii(data::kLevelSuffix);
const std::string kCells =
    std::string{data::kVertical, data::kHorizontal, data::kSquare, data::kCrystal, data::kBag, data::kEarth};
const std::string kLevelWord = "level ";

bool isDug(char c) { return c == data::kVertical || c == data::kHorizontal || c == data::kSquare; }

char cellOf(const std::string& grids, int level, int row, int column) {
  return grids[static_cast<size_t>(level * kGridSize + row * kColumns + column)];
}

// The file number of an archive name "data/bur/data/N.txt"; 0 when it is none.
int fileNumber(const std::string& name) {
  if (name.size() <= kPrefix.size() + kSuffix.size() || name.compare(0, kPrefix.size(), kPrefix) != 0 ||
      name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
    return 0;
  const std::string digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  if (digits.empty() || digits.size() > 2 || digits[0] == '0' ||
      digits.find_first_not_of("0123456789") != std::string::npos)
    return 0;
  return std::stoi(digits);
}

}  // namespace

std::vector<std::string> tunnelLevelFileNames() {
  std::vector<std::string> names;
  for (int n = 1; n <= data::kLevelFiles; ++n) names.push_back(kPrefix + std::to_string(n) + kSuffix);
  return names;
}

bool isTunnelLevelFile(const std::string& name) { return fileNumber(name) != 0; }

std::vector<LevelFault> checkTunnelGrids(const std::string& grids) {
  std::vector<LevelFault> faults;
  for (int level = 0; level < kLevels; ++level) {
    int bags = 0, crystals = 0;
    for (int row = 0; row < kRows; ++row) {
      for (int column = 0; column < kColumns; ++column) {
        const char c = cellOf(grids, level, row, column);
        if (kCells.find(c) == std::string::npos) {
          faults.push_back({level, row, "column " + std::to_string(column + 1) + ": cells are V, H, S, C, B or '.'"});
          break;
        }
        bags += c == data::kBag ? 1 : 0;
        crystals += c == data::kCrystal ? 1 : 0;
      }
    }
    if (bags > data::kMaxBags) faults.push_back({level, -1, std::to_string(bags) + " bags, the game has room for 15"});
    if (crystals == 0) faults.push_back({level, -1, "no crystal: the level would end as it starts"});
    if (!isDug(cellOf(grids, level, data::kNestRow, data::kNestColumn)))
      faults.push_back({level, data::kNestRow, "the top-right cell is the monsters' nest: dig it (V, H or S)"});
    const int startRow = data::kHeroStartRow, startColumn = data::kHeroStartColumn;
    if (cellOf(grids, level, startRow, startColumn) == data::kBag)
      faults.push_back({level, startRow, "a bag stands on the hero's start cell"});
    if (cellOf(grids, level, startRow - 1, startColumn) == data::kBag)
      faults.push_back({level, startRow - 1, "a bag right above the hero's start cell falls on it at once"});
  }
  return faults;
}

Bytes compileTunnelLevels(const std::string& source, const std::string& file, const std::string& target) {
  const int number = fileNumber(target);
  if (number < 1 || number > data::kLevelFiles)
    throw DataError(file, 0, "level sources are named 1.txt.tunnels to 9.txt.tunnels");
  const int firstLevel = (number - 1) * kLevels + 1;
  std::string grids;
  // The source line of each level's header and of each of its rows.
  std::vector<int> headerLines, rowLines;
  std::istringstream in(source);
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty() || text[0] == '#') continue;
    if (text.compare(0, kLevelWord.size(), kLevelWord) == 0) {
      const int expected = firstLevel + static_cast<int>(headerLines.size());
      if (!rowLines.empty() && rowLines.size() % kRows != 0)
        throw DataError(file, line,
                        "the level before has " + std::to_string(rowLines.size() % kRows) + " rows, not 10");
      if (headerLines.size() == static_cast<size_t>(kLevels))
        throw DataError(file, line, "a level file holds 8 levels");
      const std::string rest = text.substr(kLevelWord.size());
      if (rest.substr(0, rest.find(' ')) != std::to_string(expected))
        throw DataError(file, line, "the next level here is level " + std::to_string(expected));
      headerLines.push_back(line);
      continue;
    }
    if (headerLines.empty()) throw DataError(file, line, "rows come after a line \"level N\"");
    if (rowLines.size() == headerLines.size() * kRows)
      throw DataError(file, line, "a level has 10 rows; this is the 11th");
    if (static_cast<int>(text.size()) != kColumns)
      throw DataError(file, line, "a row has 15 cells, this one " + std::to_string(text.size()));
    grids += text;
    rowLines.push_back(line);
  }
  if (headerLines.size() != static_cast<size_t>(kLevels) || rowLines.size() != static_cast<size_t>(kLevels * kRows))
    throw DataError(file, 0, "a level file holds 8 levels of 10 rows");
  for (const LevelFault& f : checkTunnelGrids(grids)) {
    const int line =
        f.row < 0 ? headerLines[static_cast<size_t>(f.level)] : rowLines[static_cast<size_t>(f.level * kRows + f.row)];
    throw DataError(file, line, "level " + std::to_string(firstLevel + f.level) + ": " + f.message);
  }
  // The leading word is 0: the game skips it.
  Bytes out(static_cast<size_t>(data::kLevelFileSize), 0);
  std::copy(grids.begin(), grids.end(), out.begin() + data::kLevelHeader);
  return out;
}

std::vector<Fault> checkTunnelLevelFile(const Bytes& file) {
  if (file.size() != static_cast<size_t>(data::kLevelFileSize))
    return {{0, "a level file is " + std::to_string(data::kLevelFileSize) + " bytes, this one " +
                    std::to_string(file.size()) + ": the game would not start its levels"}};
  const std::string grids(file.begin() + data::kLevelHeader, file.end());
  std::vector<Fault> faults;
  for (const LevelFault& f : checkTunnelGrids(grids)) {
    std::string where = "level " + std::to_string(f.level + 1) + " of the file";
    if (f.row >= 0) where += ", row " + std::to_string(f.row + 1);
    faults.push_back({0, where + ": " + f.message});
  }
  return faults;
}

}  // namespace datakit
