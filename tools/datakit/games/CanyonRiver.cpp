// The canyon game's river screens: the compiler from the readable source, with the shores, banks, roads and
// railways chosen from each cell's neighbours and every level checked for a river a plane can fly, and the
// check of the compiled file.
#include "games/CanyonRiver.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "DataError.h"
#include "games/canyon/CanyonData.h"

namespace datakit {

namespace {

namespace data = canyon::data;
constexpr int kColumns = data::kColumns;
constexpr int kRows = data::kRowsPerScreen;
constexpr int kNone = data::kNoTile;

// The tile set: meadow and canyon ground, each with its banks (by the water on its four sides: north 1,
// east 2, south 4, west 8) and its corners (water only on a diagonal), the water with its shores (by the
// land on its sides), and the road and railway overlays.
enum Family { Meadow = 0, Canyon = 1 };
constexpr int kGround[2][8] = {{0, 1, 2, 3, 4, 5, 6, 7}, {44, 45, 46, 47, 48, 49, 50, 51}};
constexpr int kBankBefore[2] = {7, 77};                               // + mask 1..15
constexpr int kCorners[2][4] = {{23, 24, 25, 26}, {93, 94, 95, 96}};  // NE, SE, SW, NW
constexpr int kWater = data::kWaterFirst;                             // + mask 1..15 for its shores
constexpr int kWaterCorners[4] = {74, 75, 76, 77};
constexpr int kRoadTop = data::kRoadFirst, kRoadBottom = 110, kRailTop = 111, kRailBottom = data::kRoadLast;

struct Decoration {
  char letter;
  Family family;
  std::vector<int> codes;
};
const std::vector<Decoration>& decorations() {
  static const std::vector<Decoration> list = {
      {'t', Meadow, {27, 28, 29, 30, 31, 32}},    {'h', Meadow, {33, 34, 35, 36}}, {'f', Meadow, {37, 38, 39, 40}},
      {'b', Meadow, {41, 42, 43, 106, 107, 108}}, {'o', Canyon, {52, 53, 54, 55}}, {'c', Canyon, {56, 57, 97, 98}},
      {'m', Canyon, {99, 100, 101, 102}},         {'x', Canyon, {103, 104, 105}},
  };
  return list;
}

constexpr char kWaterLetter = '~';
constexpr char kMeadowLetter = '.';
constexpr char kCanyonLetter = ':';
constexpr char kRoadLetter = '=';
constexpr char kRailLetter = '#';

bool isWaterBound(int code) { return code >= data::CODE_HELICOPTER_FIRST && code <= data::CODE_SHIP_LAST; }

// One cell's ground after objects have taken their neighbours'.
struct Ground {
  bool water = false;
  Family family = Meadow;
  char letter = kMeadowLetter;  // the ground's own letter: decorations, roads and railways keep theirs
};

struct Screen {
  std::string name;
  int line = 0;  // of its "screen" statement
  std::vector<std::string> rows;
  std::array<std::array<Ground, kColumns>, kRows> ground{};
  std::array<std::array<int, kColumns>, kRows> object{};
  std::array<std::array<int, kColumns>, kRows> base{}, overlay{};
};

struct Level {
  std::string name;
  int line = 0;
  std::vector<int> screens;  // from the bottom
};

class Compiler {
 public:
  Compiler(const std::string& text, const std::string& file) : file_(file) { parse(text); }

  Bytes run() {
    if (screens_.empty()) fail(lines_, "no screen: a river needs at least one");
    if (levels_.empty()) fail(lines_, "no level: the game plays levels");
    for (Screen& s : screens_) {
      resolveGround(s);
      pickTiles(s);
      checkScreen(s);
    }
    for (const Level& l : levels_) checkLevel(l);
    return write();
  }

 private:
  std::string file_;
  int lines_ = 0;
  struct ObjectLetter {
    int code;
    std::optional<char> ground;  // else the nearest ground of its row
  };
  std::map<char, ObjectLetter> objects_;
  std::vector<Screen> screens_;
  std::map<std::string, int> screenIndex_;
  std::vector<Level> levels_;

  [[noreturn]] void fail(int line, const std::string& message) const { throw DataError(file_, line, message); }

  static std::string trimmed(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
  }

  void parse(const std::string& text) {
    std::istringstream in(text);
    std::string raw;
    Screen* open = nullptr;
    int line = 0;
    while (std::getline(in, raw)) {
      ++line;
      std::string l = trimmed(raw);
      if (open != nullptr && static_cast<int>(open->rows.size()) < kRows) {
        // Rows of a screen are drawn exactly; a '#' there is a railway.
        if (l.empty())
          fail(line, "screen " + open->name + " has " + std::to_string(open->rows.size()) + " rows, 26 needed");
        if (static_cast<int>(l.size()) != kColumns)
          fail(line, "a row has " + std::to_string(l.size()) + " cells, 22 needed");
        open->rows.push_back(l);
        continue;
      }
      open = nullptr;
      if (l.empty() || l[0] == '#') continue;
      std::istringstream words(l);
      std::string word;
      words >> word;
      if (word == "object") {
        std::string letter, ground, more;
        int code = -1;
        words >> letter >> code >> ground >> more;
        if (letter.size() != 1 || code < 0 || code >= data::kEntityCodes || ground.size() > 1 || !more.empty())
          fail(line, "write object, one letter, a code from 0 to 24 and the ground under it if it is always the same");
        if (isGroundLetter(letter[0])) fail(line, "'" + letter + "' is a ground letter");
        if (!ground.empty() && !isGroundLetter(ground[0])) fail(line, "'" + ground + "' is no ground letter");
        ObjectLetter object{code, ground.empty() ? std::nullopt : std::optional<char>(ground[0])};
        if (!objects_.emplace(letter[0], object).second)
          fail(line, "the letter " + letter + " stands for an object already");
      } else if (word == "screen") {
        std::string name;
        words >> name;
        if (name.empty()) fail(line, "a screen needs a name");
        if (!screenIndex_.emplace(name, static_cast<int>(screens_.size())).second)
          fail(line, "a second screen named " + name);
        screens_.push_back(Screen{});
        open = &screens_.back();
        open->name = name;
        open->line = line;
      } else if (word == "level") {
        Level level;
        level.line = line;
        std::getline(words, level.name, ':');
        level.name = trimmed(level.name);
        if (l.find(':') == std::string::npos || level.name.empty()) fail(line, "write level NAME: SCREEN SCREEN ...");
        for (std::string name; words >> name;) {
          auto it = screenIndex_.find(name);
          if (it == screenIndex_.end()) fail(line, "no screen named " + name + " above this level");
          level.screens.push_back(it->second);
        }
        levels_.push_back(level);
      } else {
        fail(line, "unknown statement " + word + " (object, screen or level)");
      }
    }
    lines_ = line;
    if (open != nullptr && static_cast<int>(open->rows.size()) < kRows)
      fail(line, "screen " + open->name + " ends after " + std::to_string(open->rows.size()) + " rows, 26 needed");
  }

  static bool isGroundLetter(char c) {
    if (c == kWaterLetter || c == kMeadowLetter || c == kCanyonLetter || c == kRoadLetter || c == kRailLetter)
      return true;
    for (const Decoration& d : decorations())
      if (d.letter == c) return true;
    return false;
  }

  static Family familyOf(char c) {
    if (c == kCanyonLetter) return Canyon;
    for (const Decoration& d : decorations())
      if (d.letter == c) return d.family;
    return Meadow;
  }

  void resolveGround(Screen& s) {
    for (int r = 0; r < kRows; ++r) {
      const std::string& row = s.rows[r];
      const int line = s.line + 1 + r;
      for (int c = 0; c < kColumns; ++c) {
        char letter = row[c];
        s.object[r][c] = kNone;
        if (objects_.count(letter)) {
          const ObjectLetter& object = objects_.at(letter);
          s.object[r][c] = object.code;
          // Else the nearest cell of the row that is no object lends its ground.
          std::optional<char> lent = object.ground;
          for (int d = 1; d < kColumns && !lent; ++d)
            for (int n : {c - d, c + d})
              if (!lent && n >= 0 && n < kColumns && !objects_.count(row[n])) lent = row[n];
          if (!lent) fail(line, "a row of objects only: no ground to put them on");
          letter = *lent;
        }
        if (!isGroundLetter(letter))
          fail(line,
               std::string("column ") + std::to_string(c + 1) + ": '" + row[c] + "' is neither ground nor an object");
        Ground& g = s.ground[r][c];
        g.letter = letter;
        g.water = letter == kWaterLetter;
        g.family = familyOf(letter);
      }
      // Roads and railways lie on the ground of the nearest land of their row.
      for (int c = 0; c < kColumns; ++c) {
        Ground& g = s.ground[r][c];
        if (g.letter != kRoadLetter && g.letter != kRailLetter) continue;
        for (int d = 1; d < kColumns; ++d) {
          bool found = false;
          for (int n : {c - d, c + d}) {
            if (found || n < 0 || n >= kColumns) continue;
            const char other = s.ground[r][n].letter;
            if (other != kRoadLetter && other != kRailLetter && other != kWaterLetter) {
              g.family = familyOf(other);
              found = true;
            }
          }
          if (found) break;
        }
      }
    }
  }

  // Beyond the screen's top and bottom the river goes on as at its edge; beside it lies land.
  static bool waterAt(const Screen& s, int r, int c) {
    if (c < 0 || c >= kColumns) return false;
    r = std::max(0, std::min(kRows - 1, r));
    return s.ground[r][c].water;
  }

  // A hash of the place, so the same source always picks the same variants.
  static int variant(int screen, int r, int c, int count) {
    std::uint32_t h = static_cast<std::uint32_t>(screen * 7919 + r * 131 + c * 31 + 17);
    h ^= h >> 7;
    h *= 2654435761u;
    return static_cast<int>((h >> 13) % static_cast<std::uint32_t>(count));
  }

  void pickTiles(Screen& s) {
    const int index = static_cast<int>(&s - screens_.data());
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kColumns; ++c) {
        const Ground& g = s.ground[r][c];
        const bool n = waterAt(s, r - 1, c), e = waterAt(s, r, c + 1), so = waterAt(s, r + 1, c),
                   w = waterAt(s, r, c - 1);
        const bool diagonal[4] = {waterAt(s, r - 1, c + 1), waterAt(s, r + 1, c + 1), waterAt(s, r + 1, c - 1),
                                  waterAt(s, r - 1, c - 1)};
        s.overlay[r][c] = kNone;
        if (g.water) {
          const int land = (n ? 0 : 1) | (e ? 0 : 2) | (so ? 0 : 4) | (w ? 0 : 8);
          s.base[r][c] = kWater + land;
          if (land == 0)
            for (int k = 0; k < 4; ++k)
              if (!diagonal[k]) {
                s.base[r][c] = kWaterCorners[k];
                break;
              }
          continue;
        }
        const int wet = (n ? 1 : 0) | (e ? 2 : 0) | (so ? 4 : 0) | (w ? 8 : 0);
        int code = kGround[g.family][variant(index, r, c, 8)];
        if (wet != 0) {
          code = kBankBefore[g.family] + wet;
        } else if (diagonal[0] || diagonal[1] || diagonal[2] || diagonal[3]) {
          for (int k = 0; k < 4; ++k)
            if (diagonal[k]) {
              code = kCorners[g.family][k];
              break;
            }
        } else {
          for (const Decoration& d : decorations())
            if (d.letter == g.letter) code = d.codes[variant(index, r, c, static_cast<int>(d.codes.size()))];
        }
        s.base[r][c] = code;
        if (g.letter == kRoadLetter || g.letter == kRailLetter) {
          // Two rows high: the upper row has the top edge, the lower the bottom edge.
          const bool road = g.letter == kRoadLetter;
          const bool above = r > 0 && s.ground[r - 1][c].letter == g.letter;
          const bool below = r + 1 < kRows && s.ground[r + 1][c].letter == g.letter;
          const bool aboveAbove = r > 1 && s.ground[r - 2][c].letter == g.letter && above;
          if (aboveAbove || (!above && !below))
            fail(s.line + 1 + r, std::string("column ") + std::to_string(c + 1) + ": " +
                                     (road ? "a road" : "a railway") + " is two rows high");
          s.overlay[r][c] = above ? (road ? kRoadBottom : kRailBottom) : (road ? kRoadTop : kRailTop);
        }
      }
  }

  void checkScreen(const Screen& s) {
    int count = 0;
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kColumns; ++c) {
        const int code = s.object[r][c];
        if (code == kNone) continue;
        const int line = s.line + 1 + r;
        const std::string where = "column " + std::to_string(c + 1) + ": ";
        if (++count > data::kObjectsPerScreen) fail(line, where + "a screen holds at most 30 objects");
        if (isWaterBound(code) && r == 0)
          fail(line, where + "helicopters and ships look for water in the row above: keep them out of the top row");
        if (isWaterBound(code) && !s.ground[r][c].water) fail(line, where + "helicopters and ships go on water");
        if (code == data::CODE_FUEL && !s.ground[r][c].water) fail(line, where + "a fuel depot floats on the water");
        if (code == data::CODE_BRIDGE) checkBridge(s, r, c, line, where);
      }
  }

  static bool roadAt(const Screen& s, int r, int c) {
    return c >= 0 && c < kColumns && r < kRows && s.overlay[r][c] != kNone;
  }

  void checkBridge(const Screen& s, int r, int c, int line, const std::string& where) const {
    if (r + 1 >= kRows || c + kCanyonBridgeCells > kColumns) fail(line, where + "the bridge reaches past the screen");
    for (int dr = 0; dr < 2; ++dr)
      for (int dc = 0; dc < kCanyonBridgeCells; ++dc)
        if (!s.ground[r + dr][c + dc].water) fail(line, where + "a bridge spans 6 cells of water, two rows high");
    for (int dr = 0; dr < 2; ++dr)
      if (!roadAt(s, r + dr, c - 1) || !roadAt(s, r + dr, c + kCanyonBridgeCells))
        fail(line, where + "a bridge carries a road or railway from bank to bank: its ends meet one on both sides");
  }

  // The level as the game lays it out: logical row 0 is the bottom row of its first screen.
  struct Grid {
    std::vector<std::array<bool, kColumns>> water;
    std::vector<int> fuelRows;
    std::vector<int> bridgeRows;
  };

  Grid gridOf(const Level& l) const {
    Grid grid;
    for (size_t j = 0; j < l.screens.size(); ++j) {
      const Screen& s = screens_[l.screens[j]];
      for (int r = kRows - 1; r >= 0; --r) {
        std::array<bool, kColumns> row{};
        for (int c = 0; c < kColumns; ++c) {
          row[c] = s.ground[r][c].water;
          const int here = static_cast<int>(grid.water.size());
          if (s.object[r][c] == data::CODE_FUEL) grid.fuelRows.push_back(here);
          if (s.object[r][c] == data::CODE_BRIDGE) grid.bridgeRows.push_back(here);
        }
        grid.water.push_back(row);
      }
    }
    return grid;
  }

  void checkLevel(const Level& l) const {
    if (l.screens.size() < 2) fail(l.line, "a level needs two screens at least: the view holds more than one");
    if (l.screens.size() > 127) fail(l.line, "a level has at most 127 screens");
    for (size_t j = 0; j + 1 < l.screens.size(); ++j) {
      const Screen& lower = screens_[l.screens[j]];
      const Screen& upper = screens_[l.screens[j + 1]];
      for (int c = 0; c < kColumns; ++c)
        if (lower.ground[0][c].water != upper.ground[kRows - 1][c].water)
          fail(l.line, "the top of " + lower.name + " does not meet the bottom of " + upper.name + " at column " +
                           std::to_string(c + 1));
    }
    const Grid grid = gridOf(l);
    const int rows = static_cast<int>(grid.water.size());
    // A new plane starts in the middle of the river near the bottom of the view.
    for (int r = 0; r < 6; ++r)
      if (!grid.water[r][kColumns / 2 - 1] || !grid.water[r][kColumns / 2])
        fail(l.line, "the plane starts in the middle of the first screen's bottom rows: make them water");
    // Water all the way up from the start.
    std::vector<std::array<bool, kColumns>> seen(rows);
    std::vector<std::pair<int, int>> todo = {{0, kColumns / 2}};
    bool top = false;
    while (!todo.empty()) {
      auto [r, c] = todo.back();
      todo.pop_back();
      if (r < 0 || r >= rows || c < 0 || c >= kColumns || seen[r][c] || !grid.water[r][c]) continue;
      seen[r][c] = true;
      top = top || r == rows - 1;
      todo.insert(todo.end(), {{r + 1, c}, {r - 1, c}, {r, c + 1}, {r, c - 1}});
    }
    if (!top) fail(l.line, "no water runs from the start of the level to its end");
    // A plane lost after a bridge starts again just above it, in the middle of the river.
    for (int row : grid.bridgeRows)
      for (int r = std::max(0, row - 2); r <= std::min(rows - 1, row + 6); ++r)
        if (!grid.water[r][kColumns / 2 - 1] || !grid.water[r][kColumns / 2])
          fail(l.line, "a new plane starts in the middle of the river just above the bridge at row " +
                           std::to_string(row) + ": make the middle water there");
    int last = 0;
    for (int row : grid.fuelRows) {
      if (row - last > kCanyonFuelRows * 4 / 5)
        fail(l.line, "fuel depots lie " + std::to_string(row - last) + " rows apart near row " + std::to_string(row) +
                         ": a tank lasts " + std::to_string(kCanyonFuelRows) + " rows");
      last = row;
    }
    if (rows - last > kCanyonFuelRows * 4 / 5) fail(l.line, "the last fuel depot lies too far before the level's end");
  }

  Bytes write() const {
    if (screens_.size() > 127) fail(lines_, "at most 127 screens");
    if (levels_.size() > 127) fail(lines_, "at most 127 levels");
    std::vector<CanyonScreen> screens;
    for (const Screen& s : screens_) {
      CanyonScreen cells;
      for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) cells.push_back({s.base[r][c], s.overlay[r][c], s.object[r][c]});
      screens.push_back(cells);
    }
    std::vector<std::vector<int>> levels;
    for (const Level& l : levels_) levels.push_back(l.screens);
    return writeCanyonScreenFile(screens, levels);
  }
};

}  // namespace

Bytes writeCanyonScreenFile(const std::vector<CanyonScreen>& screens, const std::vector<std::vector<int>>& levels) {
  Bytes out;
  out.push_back(static_cast<std::uint8_t>(screens.size()));
  for (const CanyonScreen& s : screens)
    for (const CanyonCell& cell : s) {
      out.push_back(static_cast<std::uint8_t>(cell.base));
      out.push_back(static_cast<std::uint8_t>(cell.overlay));
      out.push_back(static_cast<std::uint8_t>(cell.object));
    }
  out.push_back(static_cast<std::uint8_t>(levels.size()));
  for (const std::vector<int>& level : levels) {
    out.push_back(static_cast<std::uint8_t>(level.size()));
    // Stored from the level's end down to its start.
    for (auto it = level.rbegin(); it != level.rend(); ++it) out.push_back(static_cast<std::uint8_t>(*it));
  }
  return out;
}

Bytes compileCanyonRiver(const std::string& text, const std::string& file) { return Compiler(text, file).run(); }

std::vector<Fault> checkCanyonScreenFile(const Bytes& file) {
  std::vector<Fault> faults;
  auto fault = [&](const std::string& message) { faults.push_back({0, message}); };
  size_t at = 0;
  auto next = [&]() -> std::optional<int> {
    if (at >= file.size()) return std::nullopt;
    return file[at++];
  };
  const std::optional<int> screens = next();
  if (!screens || *screens < 1 || *screens > 127) {
    fault("the file starts with its count of screens, 1 to 127");
    return faults;
  }
  const size_t cells = static_cast<size_t>(*screens) * data::kCellsPerScreen;
  if (file.size() < 1 + cells * 3 + 1) {
    fault("the file ends inside its screens: the game would stop reading it with an error");
    return faults;
  }
  for (int s = 0; s < *screens; ++s) {
    int objects = 0;
    for (int cell = 0; cell < data::kCellsPerScreen; ++cell) {
      const int base = *next(), overlay = *next(), code = *next();
      const std::string where = "screen " + std::to_string(s) + ", row " + std::to_string(cell / kColumns + 1) +
                                ", column " + std::to_string(cell % kColumns + 1) + ": ";
      if (base != kNone && base >= data::kTileCount)
        fault(where + "tile " + std::to_string(base) + " is not in the tile set");
      if (overlay != kNone && overlay >= data::kTileCount)
        fault(where + "overlay tile " + std::to_string(overlay) + " is not in the tile set");
      if (code != kNone && code >= data::kEntityCodes)
        fault(where + "object code " + std::to_string(code) + " is none of 0 to 24");
      if (code != kNone && ++objects == data::kObjectsPerScreen + 1)
        fault(where + "more than 30 objects in one screen");
      if (code != kNone && isWaterBound(code) && cell < kColumns)
        fault(where + "a helicopter or ship in the top row would look for water outside the level");
    }
  }
  const std::optional<int> levels = next();
  if (!levels || *levels < 1 || *levels > 127) {
    fault("the count of levels, 1 to 127, follows the screens");
    return faults;
  }
  for (int l = 0; l < *levels; ++l) {
    const std::optional<int> length = next();
    if (!length) {
      fault("the file ends before level " + std::to_string(l + 1));
      return faults;
    }
    // The view holds 41 rows, and placing the river reads one more: two screens at least.
    if (*length < 2 || *length > 127)
      fault("level " + std::to_string(l + 1) + " has " + std::to_string(*length) + " screens; 2 to 127 are needed");
    for (int j = 0; j < *length; ++j) {
      const std::optional<int> index = next();
      if (!index) {
        fault("the file ends inside level " + std::to_string(l + 1));
        return faults;
      }
      if (*index >= *screens)
        fault("level " + std::to_string(l + 1) + " names screen " + std::to_string(*index) + " of " +
              std::to_string(*screens));
    }
  }
  if (at != file.size()) fault(std::to_string(file.size() - at) + " bytes after the last level are never read");
  return faults;
}

const std::vector<CanyonTileNames>& canyonTileNames() {
  static const std::vector<CanyonTileNames> names = {
      {kGround[Meadow][0], "g1a.png"},
      {kBankBefore[Meadow] + 1, "mb01.png"},
      {kCorners[Meadow][0], "mcne.png"},
      {kGround[Canyon][0], "r1a.png"},
      {kBankBefore[Canyon] + 1, "cb01.png"},
      {kCorners[Canyon][0], "ccne.png"},
      {kWater, "w00.png"},
      {kWater + 15, "w15.png"},
      {kWaterCorners[0], "wcne.png"},
      {kRoadTop, "road_t.png"},
      {kRoadBottom, "road_b.png"},
      {kRailTop, "rail_t.png"},
      {kRailBottom, "rail_b.png"},
  };
  return names;
}

}  // namespace datakit
