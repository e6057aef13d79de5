// The brick game's round files: the field its loader reads, and a layout that a ball can clear.
#include "games/BounceRounds.h"

#include <cstdio>
#include <string_view>

#include "GameTable.h"
#include "games/bounce/BounceData.h"

namespace datakit {

namespace {

constexpr int kRows = bounce::data::kFieldRows;
constexpr int kColumns = bounce::data::kFieldColumns;
constexpr int kRounds = bounce::data::kRounds;
const std::string kPrefix = archiveName(bounce::data::kRoundPrefix);
const std::string kSuffix = ascii(bounce::data::kRoundSuffix);
const std::string kLetters = ascii(bounce::data::kBrickLetters);
// Letters whose bricks the round does not wait for: the glass that grows back and the steel.
constexpr std::string_view kUncounted = "ce";
// Ordinary balls never break steel, so only the walls it builds can shut a brick in.
constexpr char kSteel = 'e';

bool isEmptyCell(char c) { return c == '.' || c == ' '; }

std::string cellName(int row, int column) {
  return "row " + std::to_string(row + 1) + ", column " + std::to_string(column + 1);
}

// Every cell a ball can get to from below the field, breaking whatever is not steel on its way.
std::vector<std::vector<bool>> reachable(const std::vector<std::string>& rows) {
  std::vector<std::vector<bool>> seen(kRows, std::vector<bool>(kColumns, false));
  std::vector<std::pair<int, int>> todo;
  for (int c = 0; c < kColumns; ++c) todo.push_back({kRows - 1, c});
  while (!todo.empty()) {
    auto [r, c] = todo.back();
    todo.pop_back();
    if (r < 0 || r >= kRows || c < 0 || c >= kColumns || seen[r][c] || rows[r][c] == kSteel) continue;
    seen[r][c] = true;
    todo.insert(todo.end(), {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}});
  }
  return seen;
}

}  // namespace

std::vector<std::string> roundFileNames() {
  std::vector<std::string> names;
  for (int n = 1; n <= kRounds; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "%02d", n);
    names.push_back(kPrefix + name + kSuffix);
  }
  return names;
}

bool isRoundFile(const std::string& name) {
  const std::string& head = kPrefix;
  return name.size() > head.size() + 4 && name.compare(0, head.size(), head) == 0 &&
         name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0;
}

std::vector<Fault> checkRoundFile(const Bytes& file) {
  std::vector<Fault> faults;
  std::vector<std::string> rows;
  size_t at = 0;
  int line = 1;
  bool readable = true;
  while (at < file.size()) {
    size_t end = at;
    while (end < file.size() && file[end] != '\r' && file[end] != '\n') ++end;
    std::string row(file.begin() + static_cast<long>(at), file.begin() + static_cast<long>(end));
    if (!readable) {
      // One wrong line end is enough to name; the rest of the file repeats it.
    } else if (end == file.size()) {
      faults.push_back({line, "the last line needs its CR LF: the loader reads on past the end"});
      readable = false;
    } else if (file[end] == '\n') {
      faults.push_back({line, "line ends in LF without CR: the loader sees no line end"});
      readable = false;
    } else if (end + 1 >= file.size() || file[end + 1] != '\n') {
      faults.push_back({line, "line ends in CR without LF: the loader drops the next row's first cell"});
      readable = false;
    }
    if (line <= kRows) {
      if (row.empty()) {
        faults.push_back({line, "an empty row stops the loader; write 11 cells ('.' for empty)"});
        readable = false;
      } else if (row.size() < kColumns) {
        faults.push_back({line, "row has " + std::to_string(row.size()) + " cells, the loader needs 11"});
        readable = false;
      } else if (row.size() > kColumns) {
        faults.push_back({line, "cells after the eleventh are never read"});
      }
      for (size_t c = 0; c < row.size() && c < kColumns; ++c) {
        char ch = row[c];
        if (kLetters.find(ch) == std::string::npos && !isEmptyCell(ch)) {
          faults.push_back(
              {line, "column " + std::to_string(c + 1) + ": cells are the letters a to j or '.' for empty"});
          readable = false;
          break;
        }
      }
    } else if (line == kRows + 1) {
      faults.push_back({line, "only 21 rows are read"});
    }
    rows.push_back(row);
    at = end + (end < file.size() && file[end] == '\r' ? 2 : 1);
    ++line;
  }
  if (rows.size() < kRows) {
    faults.push_back({line, "the field has 21 rows, the file " + std::to_string(rows.size())});
    readable = false;
  }
  if (!readable) return faults;

  auto counts = [](char c) {
    return kLetters.find(c) != std::string::npos && kUncounted.find(c) == std::string_view::npos;
  };
  auto seen = reachable(rows);
  bool anyCounted = false;
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kColumns; ++c)
      if (counts(rows[r][c])) {
        anyCounted = true;
        if (!seen[r][c])
          faults.push_back({r + 1, cellName(r, c) + ": steel walls the brick in, no ordinary ball reaches it"});
      }
  if (!anyCounted) faults.push_back({1, "no brick that counts: the round would end as it starts"});
  return faults;
}

}  // namespace datakit
