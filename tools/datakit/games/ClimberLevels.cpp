// The ladders-and-bricks game's level files: the compiler from the readable source, and the checker of the
// file the game reads, with the hero's moves followed through the map to prove a level can be finished.
#include "games/ClimberLevels.h"

#include <algorithm>
#include <deque>
#include <string_view>

#include "DataError.h"
#include "GameTable.h"
#include "games/climber/ClimberData.h"

namespace datakit {

namespace {

namespace data = climber::data;

const std::string kPrefix = archiveName(data::kLevelPrefix);
const std::string kSuffix = ascii(data::kLevelSuffix);
const std::string kCells = ascii(data::kFileCells);
constexpr char kSourceEmpty = '.';
constexpr char kComment = ';';
// A file's header and its first row: row r stands on line r + kFirstRowLine.
constexpr int kFirstRowLine = 3;

char cell(char16_t c) { return static_cast<char>(c); }

std::string at(int row, int column) {
  return "row " + std::to_string(row + 1) + ", column " + std::to_string(column + 1);
}

// The level as the hero moves through it. Outside the map is solid, as the game's padding of armour
// bricks and the map's edges are.
class Map {
 public:
  Map(int width, int height, std::vector<std::string> rows) : w_(width), h_(height), rows_(std::move(rows)) {}

  int size() const { return w_ * h_; }
  int width() const { return w_; }
  char at(int i) const { return rows_[static_cast<size_t>(i / w_)][static_cast<size_t>(i % w_)]; }

  // The cells the hero steps into in one move from a cell he can be in; he may fall on from there.
  std::vector<int> steps(int c) const {
    std::vector<int> out;
    const int x = c % w_, y = c / w_;
    const char here = at(c);
    if (x > 0 && open(c - 1)) out.push_back(c - 1);
    if (x < w_ - 1 && open(c + 1)) out.push_back(c + 1);
    if (y > 0 && open(c - w_) &&
        (here == cell(data::kLadderCell) ||
         (here == cell(data::kHandrailCell) && at(c - w_) == cell(data::kLadderCell))))
      out.push_back(c - w_);
    if (y < h_ - 1 && open(c + w_)) {
      const char below = at(c + w_);
      // Down a ladder, off its foot, or letting go of a handrail.
      if (below == cell(data::kLadderCell) || here == cell(data::kLadderCell) || here == cell(data::kHandrailCell))
        out.push_back(c + w_);
    }
    return out;
  }

  // Where the hero comes to rest after arriving in a cell: there, or at the end of his fall.
  int land(int c) const {
    while (!carried(c)) c += w_;
    return c;
  }

 private:
  int w_, h_;
  std::vector<std::string> rows_;

  bool open(int c) const { return at(c) != cell(data::kBrick) && at(c) != cell(data::kArmourBrick); }

  bool carried(int c) const {
    const char here = at(c);
    if (here == cell(data::kLadderCell) || here == cell(data::kHandrailCell) || c + w_ >= size()) return true;
    const char below = at(c + w_);
    return below == cell(data::kBrick) || below == cell(data::kArmourBrick) || below == cell(data::kLadderCell);
  }
};

// Every cell reachable from the start along the moves, or along them backward.
std::vector<bool> reach(const Map& map, int start, bool backward) {
  std::vector<std::vector<int>> edges(static_cast<size_t>(map.size()));
  for (int c = 0; c < map.size(); ++c)
    for (int step : map.steps(c)) {
      const int n = map.land(step);
      edges[static_cast<size_t>(backward ? n : c)].push_back(backward ? c : n);
    }
  std::vector<bool> seen(static_cast<size_t>(map.size()), false);
  std::deque<int> todo{start};
  seen[static_cast<size_t>(start)] = true;
  while (!todo.empty()) {
    const int c = todo.front();
    todo.pop_front();
    for (int n : edges[static_cast<size_t>(c)])
      if (!seen[static_cast<size_t>(n)]) {
        seen[static_cast<size_t>(n)] = true;
        todo.push_back(n);
      }
  }
  return seen;
}

void checkPlayable(const Map& map, std::vector<Fault>& faults) {
  int start = -1, exit = -1, guards = 0;
  std::vector<int> gold;
  for (int c = 0; c < map.size(); ++c) {
    const char ch = map.at(c);
    const int line = c / map.width() + kFirstRowLine;
    if (ch == cell(data::kHeroStart)) {
      if (start >= 0) faults.push_back({line, at(c / map.width(), c % map.width()) + ": a second hero's start 'P'"});
      start = c;
    } else if (ch == cell(data::kOpenExit)) {
      if (exit >= 0) faults.push_back({line, at(c / map.width(), c % map.width()) + ": a second exit 'E'"});
      exit = c;
    } else if (ch == cell(data::kGuardStart)) {
      if (++guards > data::kMaxGuards)
        faults.push_back({line, at(c / map.width(), c % map.width()) + ": more than " +
                                    std::to_string(data::kMaxGuards) + " guards 'A'; the game plays ten"});
    } else if (ch == cell(data::kGoldCell)) {
      gold.push_back(c);
    }
  }
  if (start < 0) faults.push_back({kFirstRowLine, "no hero's start 'P'"});
  if (exit < 0) faults.push_back({kFirstRowLine, "no exit 'E'"});
  if (gold.empty()) faults.push_back({kFirstRowLine, "no gold '$': the exit would never open"});
  if (start < 0 || !faults.empty()) return;

  const int begin = map.land(start);
  const std::vector<bool> there = reach(map, begin, false), back = reach(map, begin, true);
  for (int c = 0; c < map.size(); ++c) {
    if (!there[static_cast<size_t>(c)] || back[static_cast<size_t>(c)]) continue;
    faults.push_back({c / map.width() + kFirstRowLine,
                      at(c / map.width(), c % map.width()) + ": the hero gets here and never back to his start"});
    return;
  }
  // Gold is taken, and the exit entered, on the way through a cell too: falling past it.
  std::vector<bool> passed(static_cast<size_t>(map.size()), false);
  for (int c = 0; c < map.size(); ++c) {
    if (!there[static_cast<size_t>(c)]) continue;
    passed[static_cast<size_t>(c)] = true;
    for (int step : map.steps(c))
      for (int n = step;; n += map.width()) {
        passed[static_cast<size_t>(n)] = true;
        if (n == map.land(n)) break;
      }
  }
  for (int c : gold)
    if (!passed[static_cast<size_t>(c)])
      faults.push_back({c / map.width() + kFirstRowLine,
                        at(c / map.width(), c % map.width()) + ": the hero cannot get to this gold"});
  if (exit >= 0 && !passed[static_cast<size_t>(exit)])
    faults.push_back({exit / map.width() + kFirstRowLine,
                      at(exit / map.width(), exit % map.width()) + ": the hero cannot get to the exit"});
}

// One CR LF line of the file from `at`; false (with a fault) when it does not end so.
bool readLine(const Bytes& file, size_t& pos, int line, std::string& out, std::vector<Fault>& faults) {
  size_t end = pos;
  while (end < file.size() && file[end] != '\r' && file[end] != '\n') ++end;
  out.assign(file.begin() + static_cast<long>(pos), file.begin() + static_cast<long>(end));
  if (end >= file.size()) {
    faults.push_back({line, "the line needs its CR LF: the game reads a line up to its CR"});
    return false;
  }
  if (file[end] == '\n' || end + 1 >= file.size() || file[end + 1] != '\n') {
    faults.push_back({line, "lines end in CR LF"});
    return false;
  }
  pos = end + 2;
  return true;
}

// A size as the game reads it: decimal, or hexadecimal after "0x"; 0 when it is none.
int readSize(const std::string& text) {
  const bool hex = text.size() > 2 && text.compare(0, 2, "0x") == 0;
  const std::string digits = hex ? text.substr(2) : text;
  if (digits.empty() || digits.size() > 5 ||
      digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos)
    return 0;
  return std::stoi(digits, nullptr, hex ? 16 : 10);
}

}  // namespace

std::vector<std::string> climberLevelFileNames() {
  std::vector<std::string> names;
  for (int n = 1; n <= data::kLevelCount; ++n) names.push_back(kPrefix + std::to_string(n) + kSuffix);
  return names;
}

bool isClimberLevelFile(const std::string& name) {
  return name.size() > kPrefix.size() + kSuffix.size() && name.compare(0, kPrefix.size(), kPrefix) == 0 &&
         name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0;
}

std::vector<Fault> checkClimberLevelFile(const Bytes& file) {
  std::vector<Fault> faults;
  size_t pos = 0;
  std::string line;
  if (!readLine(file, pos, 1, line, faults)) return faults;
  const int width = readSize(line);
  if (!readLine(file, pos, 2, line, faults)) return faults;
  const int height = readSize(line);
  if (width < 1) faults.push_back({1, "the first line is the map's width, a decimal number from 1"});
  if (height < 1) faults.push_back({2, "the second line is the map's height, a decimal number from 1"});
  if (!faults.empty()) return faults;
  if (width * height > data::kMaxCells)
    return {{2, "the map has " + std::to_string(width * height) + " cells; the guards' search numbers " +
                    std::to_string(data::kMaxCells)}};
  std::vector<std::string> rows;
  for (int r = 0; r < height; ++r) {
    const int lineNumber = r + kFirstRowLine;
    if (pos >= file.size()) {
      faults.push_back({lineNumber, "the map has " + std::to_string(height) + " rows, the file " + std::to_string(r)});
      return faults;
    }
    if (!readLine(file, pos, lineNumber, line, faults)) return faults;
    if (static_cast<int>(line.size()) != width) {
      faults.push_back({lineNumber, "the row has " + std::to_string(line.size()) + " cells, the map is " +
                                        std::to_string(width) + " wide: rows are all equally long"});
      return faults;
    }
    for (size_t c = 0; c < line.size(); ++c)
      if (kCells.find(line[c]) == std::string::npos) {
        faults.push_back({lineNumber, at(r, static_cast<int>(c)) + ": '" + std::string(1, line[c]) +
                                          "' is no cell; cells are \"" + kCells + "\""});
        return faults;
      }
    rows.push_back(line);
  }
  if (pos < file.size())
    faults.push_back({height + kFirstRowLine, "lines after the " + std::to_string(height) + " rows are never read"});
  checkPlayable(Map(width, height, rows), faults);
  return faults;
}

Bytes compileClimberLevel(const std::string& source, const std::string& file, const std::string& target) {
  (void)target;
  std::vector<std::string> rows;
  std::vector<int> rowLines;
  int line = 0;
  for (size_t at = 0; at <= source.size();) {
    size_t end = source.find('\n', at);
    if (end == std::string::npos) end = source.size();
    std::string text = source.substr(at, end - at);
    at = end + 1;
    ++line;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty() || text[0] == kComment) continue;
    for (char& c : text) {
      if (c == kSourceEmpty) {
        c = cell(data::kEmpty);
      } else if (c == ' ' || kCells.find(c) == std::string::npos) {
        throw DataError(file, line, std::string("'") + c + "' is no cell; cells are \".#B~H-$EPA\" ('.' for empty)");
      }
    }
    if (!rows.empty() && text.size() != rows.front().size())
      throw DataError(file, line,
                      "the row has " + std::to_string(text.size()) + " cells, the first " +
                          std::to_string(rows.front().size()) + ": rows are all equally long");
    rows.push_back(text);
    rowLines.push_back(line);
  }
  if (rows.empty()) throw DataError(file, line, "no rows: a level is drawn as rows of cells");
  std::string out = std::to_string(rows.front().size()) + "\r\n" + std::to_string(rows.size()) + "\r\n";
  for (const std::string& row : rows) out += row + "\r\n";
  const Bytes bytes(out.begin(), out.end());
  const std::vector<Fault> faults = checkClimberLevelFile(bytes);
  if (!faults.empty()) {
    // The file's row lines are the source's row lines.
    const Fault& first = faults.front();
    const int row = first.line - kFirstRowLine;
    const int sourceLine =
        row >= 0 && row < static_cast<int>(rowLines.size()) ? rowLines[static_cast<size_t>(row)] : rowLines.front();
    throw DataError(file, sourceLine, first.message);
  }
  return bytes;
}

}  // namespace datakit
