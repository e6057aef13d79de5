// The maze game's map files: the grid its loader reads, and a maze that can be played and drawn.
#include "games/GobblerMaps.h"

#include <cstdio>
#include <string_view>

#include "GameTable.h"
#include "games/gobbler/GobblerData.h"
#include "games/gobbler/WallPatterns.h"

namespace datakit {

namespace {

namespace data = gobbler::data;

constexpr int kColumns = data::kMapColumns;
constexpr int kRows = data::kMapRows;
constexpr std::string_view kCellBytes = "01prg*#.o";
const std::string kFolder = archiveName(data::kMapFiles[0]).substr(0, archiveName(data::kMapFiles[0]).rfind('/') + 1);

struct Cell {
  int x, y;  // in the bordered grid: the file's first cell is (1, 1)
};

std::string where(int x, int y) { return "row " + std::to_string(y) + ", column " + std::to_string(x); }

// The bordered grid: the file's cells with a wall all round.
class Grid {
 public:
  explicit Grid(const std::vector<std::string>& rows) : cells_(kRows + 2, std::string(kColumns + 2, '1')) {
    for (int y = 0; y < kRows; ++y)
      for (int x = 0; x < kColumns; ++x) cells_[y + 1][x + 1] = rows[y][x];
  }
  // Outside the grid reads as wall.
  char at(int x, int y) const {
    return x < 0 || y < 0 || x > kColumns + 1 || y > kRows + 1 ? data::kWallCell : cells_[y][x];
  }
  bool wall(int x, int y) const { return at(x, y) == data::kWallCell; }
  // Open for the player: doors stay shut.
  bool walkable(int x, int y) const { return !wall(x, y) && at(x, y) != data::kDoorCell; }
  std::vector<Cell> find(char c) const {
    std::vector<Cell> out;
    for (int y = 0; y <= kRows + 1; ++y)
      for (int x = 0; x <= kColumns + 1; ++x)
        if (cells_[y][x] == c) out.push_back({x, y});
    return out;
  }

 private:
  std::vector<std::string> cells_;
};

// The rows as the loader reads them, with faults for every line end and byte it would read otherwise.
bool readRows(const Bytes& whole, std::vector<std::string>& rows, std::vector<Fault>& faults) {
  // The line ends and blank lines after the last row are no rows to the game.
  Bytes file = whole;
  while (file.size() >= 2 && file[file.size() - 2] == '\r' && file.back() == '\n') file.resize(file.size() - 2);
  size_t at = 0;
  int line = 1;
  bool readable = true;
  while (at <= file.size()) {
    size_t end = at;
    while (end < file.size() && file[end] != '\r' && file[end] != '\n') ++end;
    std::string row(file.begin() + static_cast<long>(at), file.begin() + static_cast<long>(end));
    if (end < file.size() && file[end] == '\n') {
      faults.push_back({line, "line ends in LF without CR: the game measures its grid by CR LF"});
      readable = false;
    } else if (end < file.size() && (end + 1 >= file.size() || file[end + 1] != '\n')) {
      faults.push_back({line, "line ends in CR without LF: the game measures its grid by CR LF"});
      readable = false;
    }
    for (size_t c = 0; c < row.size(); ++c) {
      if (kCellBytes.find(row[c]) == std::string_view::npos) {
        faults.push_back({line, "column " + std::to_string(c + 1) + ": '" + std::string(1, row[c]) +
                                    "' is no cell; cells are 0 1 p r g * # . o"});
        readable = false;
        break;
      }
    }
    if (readable && static_cast<int>(row.size()) != kColumns)
      faults.push_back({line, "row has " + std::to_string(row.size()) + " cells, every map " +
                                  std::to_string(kColumns) + " (the size of the first map)"});
    rows.push_back(row);
    if (end == file.size()) break;
    at = end + (file[end] == '\r' && end + 1 < file.size() && file[end + 1] == '\n' ? 2 : 1);
    ++line;
  }
  if (readable && static_cast<int>(rows.size()) != kRows)
    faults.push_back({static_cast<int>(rows.size()), "the map has " + std::to_string(rows.size()) +
                                                         " rows, every map " + std::to_string(kRows) +
                                                         " (the size of the first map)"});
  return faults.empty();
}

void checkStarts(const Grid& grid, std::vector<Fault>& faults) {
  for (char c : {data::kPlayerCell, data::kRedHomeCell, data::kGreenHomeCell}) {
    const std::vector<Cell> found = grid.find(c);
    if (found.size() != 1)
      faults.push_back({found.size() > 1 ? found[1].y : 1, "the map needs exactly one '" + std::string(1, c) +
                                                               "', it has " + std::to_string(found.size())});
  }
}

// A portal takes a mover to the cell beside the other portal of its row or column.
void checkPortals(const Grid& grid, std::vector<Fault>& faults) {
  const std::vector<Cell> portals = grid.find(data::kPortalCell);
  for (const Cell& p : portals) {
    int partners = 0;
    bool alongRow = false;
    for (const Cell& q : portals) {
      if (q.x == p.x && q.y == p.y) continue;
      if (q.y == p.y) {
        ++partners;
        alongRow = true;
      } else if (q.x == p.x) {
        ++partners;
      }
    }
    if (partners != 1) {
      faults.push_back({p.y, where(p.x, p.y) + ": a portal needs exactly one partner on its row or column, it has " +
                                 std::to_string(partners)});
      continue;
    }
    const bool sideOpen = alongRow ? grid.walkable(p.x, p.y - 1) || grid.walkable(p.x, p.y + 1)
                                   : grid.walkable(p.x - 1, p.y) || grid.walkable(p.x + 1, p.y);
    if (sideOpen)
      faults.push_back(
          {p.y, where(p.x, p.y) + ": a portal is entered only along the line to its partner; wall its sides"});
  }
}

// Every cell the player reaches from its start, through the portals and never through a door.
std::vector<std::vector<bool>> reach(const Grid& grid, Cell from) {
  std::vector<std::vector<bool>> seen(kRows + 2, std::vector<bool>(kColumns + 2, false));
  std::vector<Cell> todo = {from};
  const std::vector<Cell> portals = grid.find(data::kPortalCell);
  while (!todo.empty()) {
    Cell c = todo.back();
    todo.pop_back();
    if (!grid.walkable(c.x, c.y) || seen[c.y][c.x]) continue;
    seen[c.y][c.x] = true;
    todo.insert(todo.end(), {{c.x - 1, c.y}, {c.x + 1, c.y}, {c.x, c.y - 1}, {c.x, c.y + 1}});
    if (grid.at(c.x, c.y) == data::kPortalCell)
      for (const Cell& q : portals)
        if ((q.x == c.x) != (q.y == c.y)) todo.push_back(q);
  }
  return seen;
}

// The chasers start upward from 'r' and 'g': through the door and on until a wall stops them, in a corridor
// of the maze. Nothing else leads into their house.
void checkHouse(const Grid& grid, const std::vector<std::vector<bool>>& reached, std::vector<Fault>& faults) {
  if (grid.find(data::kDoorCell).empty()) faults.push_back({1, "the map has no door ('#') for the chasers' house"});
  for (char home : {data::kRedHomeCell, data::kGreenHomeCell}) {
    for (const Cell& h : grid.find(home)) {
      if (reached[h.y][h.x]) {
        faults.push_back({h.y, where(h.x, h.y) + ": the player walks into the chasers' house; close it with walls "
                                                 "and a door"});
        continue;
      }
      int y = h.y;
      bool door = false;
      while (!grid.wall(h.x, y - 1)) {
        --y;
        door |= grid.at(h.x, y) == data::kDoorCell;
      }
      if (!door || grid.at(h.x, y) == data::kDoorCell || !reached[y][h.x])
        faults.push_back({h.y, where(h.x, h.y) + ": a chaser leaving upward from '" + std::string(1, home) +
                                   "' must pass a door and stop in a corridor of the maze"});
    }
  }
}

void checkDots(const Grid& grid, const std::vector<std::vector<bool>>& reached, std::vector<Fault>& faults) {
  int dots = 0;
  for (char c : {data::kDotCell, data::kPowerDotCell})
    for (const Cell& d : grid.find(c)) {
      ++dots;
      if (!reached[d.y][d.x])
        faults.push_back({d.y, where(d.x, d.y) + ": the player cannot reach this dot, so the maze is never cleared"});
    }
  if (dots == 0) faults.push_back({1, "the map has no dots: the dot mode would end as it starts"});
}

void checkWalls(const Grid& grid, std::vector<Fault>& faults) {
  for (int y = 0; y <= kRows + 1; ++y)
    for (int x = 0; x <= kColumns + 1; ++x) {
      if (!grid.wall(x, y)) continue;
      gobbler::walls::Neighbourhood around = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if (grid.wall(x + dx, y + dy)) around |= 1u << ((dy + 1) * 3 + dx + 1);
      if (gobbler::walls::matchingTile(around) == 0)
        faults.push_back({std::max(1, std::min(y, kRows)),
                          where(x, y) + ": no wall tile has this wall's neighbourhood (" +
                              (y == 0 || y == kRows + 1 || x == 0 || x == kColumns + 1 ? "the border; " : "") +
                              "see the 41 patterns of WallPatterns.h)"});
    }
}

}  // namespace

std::vector<std::string> mapFileNames() {
  std::vector<std::string> names;
  for (const char16_t* file : data::kMapFiles) names.push_back(archiveName(file));
  return names;
}

bool isMapFile(const std::string& name) {
  return name.size() > kFolder.size() + 4 && name.compare(0, kFolder.size(), kFolder) == 0 &&
         name.compare(name.size() - 4, 4, ".txt") == 0;
}

std::vector<Fault> checkMapFile(const Bytes& file) {
  std::vector<Fault> faults;
  std::vector<std::string> rows;
  if (!readRows(file, rows, faults)) return faults;
  const Grid grid(rows);
  checkStarts(grid, faults);
  checkPortals(grid, faults);
  checkWalls(grid, faults);
  const std::vector<Cell> starts = grid.find(data::kPlayerCell);
  if (starts.size() != 1) return faults;
  const auto reached = reach(grid, starts[0]);
  checkHouse(grid, reached, faults);
  checkDots(grid, reached, faults);
  return faults;
}

}  // namespace datakit
