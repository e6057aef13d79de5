// The tanks game's stage file: the compiler from readable maps and the checker of the records.
#include "games/TanksStages.h"

#include <map>
#include <sstream>

#include "DataError.h"
#include "GameTable.h"
#include "games/tanks/TanksData.h"

namespace datakit {

namespace {

namespace data = tanks::data;

constexpr int kStages = data::kStages;
constexpr int kEnemies = data::kEnemies;
constexpr int kTypes = data::kEnemyTypes;

constexpr int block(int terrain, int object) { return terrain | object << data::kObjectShift; }

// The map letters and the block bytes they stand for.
const std::map<char, int> kLetters = {
    {'.', block(0, data::OBJECT_NONE)},     {',', block(1, data::OBJECT_NONE)},
    {'~', block(2, data::OBJECT_NONE)},     {'_', block(3, data::OBJECT_NONE)},
    {'-', block(4, data::OBJECT_NONE)},     {':', block(5, data::OBJECT_NONE)},
    {'%', block(1, data::OBJECT_COVER)},    {'S', block(3, data::OBJECT_WALL)},
    {'H', block(3, data::OBJECT_HOUSE_A)},  {'h', block(3, data::OBJECT_HOUSE_B)},
    {'o', block(0, data::OBJECT_OBSTACLE)}, {'O', block(5, data::OBJECT_OBSTACLE)},
    {'P', block(0, data::OBJECT_PLAYER)},   {'E', block(0, data::OBJECT_ENEMY)},
    {'B', block(0, data::OBJECT_BASE)},
};

struct Record {
  int wide = 0;
  int high = 0;
  const std::uint8_t* blocks = nullptr;
  const std::uint8_t* types = nullptr;
  int at(int c, int r) const { return blocks[r * wide + c]; }
};

// A tank of the stage can get from the player's start to every enemy start: through everything a
// bullet may clear, round water, steel and the base.
std::string unreachableSpawn(const Record& rec) {
  std::vector<bool> seen(static_cast<size_t>(rec.wide * rec.high), false);
  std::vector<std::pair<int, int>> todo;
  for (int r = 0; r < rec.high; ++r)
    for (int c = 0; c < rec.wide; ++c)
      if ((rec.at(c, r) >> data::kObjectShift) == data::OBJECT_PLAYER) todo.push_back({c, r});
  while (!todo.empty()) {
    auto [c, r] = todo.back();
    todo.pop_back();
    if (c < 0 || r < 0 || c >= rec.wide || r >= rec.high || seen[static_cast<size_t>(r * rec.wide + c)]) continue;
    const int b = rec.at(c, r);
    const int object = b >> data::kObjectShift;
    if ((b & data::kTerrainBits) == data::TERRAIN_WATER || object == data::OBJECT_WALL || object == data::OBJECT_BASE)
      continue;
    seen[static_cast<size_t>(r * rec.wide + c)] = true;
    todo.insert(todo.end(), {{c - 1, r}, {c + 1, r}, {c, r - 1}, {c, r + 1}});
  }
  for (int r = 0; r < rec.high; ++r)
    for (int c = 0; c < rec.wide; ++c)
      if ((rec.at(c, r) >> data::kObjectShift) == data::OBJECT_ENEMY && !seen[static_cast<size_t>(r * rec.wide + c)])
        return "the enemy start in row " + std::to_string(r + 1) + ", column " + std::to_string(c + 1) +
               " cannot be reached from the player's start";
  return "";
}

std::vector<std::string> recordFaults(const Record& rec) {
  std::vector<std::string> faults;
  int players = 0, enemies = 0, bases = 0;
  for (int r = 0; r < rec.high; ++r)
    for (int c = 0; c < rec.wide; ++c) {
      const int b = rec.at(c, r);
      const int object = b >> data::kObjectShift;
      if ((b & data::kTerrainBits) > 5)
        faults.push_back("row " + std::to_string(r + 1) + ", column " + std::to_string(c + 1) + ": terrain " +
                         std::to_string(b & data::kTerrainBits) + " is none the game draws");
      players += object == data::OBJECT_PLAYER;
      enemies += object == data::OBJECT_ENEMY;
      bases += object == data::OBJECT_BASE;
    }
  if (bases != 1) faults.push_back("needs exactly one base, has " + std::to_string(bases));
  if (players != 1) faults.push_back("needs exactly one player start, has " + std::to_string(players));
  if (enemies < 1 || enemies > data::kEnemySpawnRows)
    faults.push_back("needs 1 to " + std::to_string(data::kEnemySpawnRows) + " enemy starts, has " +
                     std::to_string(enemies));
  for (int i = 0; i < kEnemies; ++i)
    if (rec.types[i] >= kTypes)
      faults.push_back("enemy " + std::to_string(i + 1) + " has type " + std::to_string(rec.types[i]) +
                       "; types run from 0 to " + std::to_string(kTypes - 1));
  if (faults.empty()) {
    std::string unreachable = unreachableSpawn(rec);
    if (!unreachable.empty()) faults.push_back(unreachable);
  }
  return faults;
}

std::string trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

}  // namespace

std::vector<StageFault> checkTankStages(const Bytes& file) {
  if (file.size() < 2) return {{0, "the stage file needs its two size bytes"}};
  Record rec;
  rec.wide = file[0];
  rec.high = file[1];
  if (rec.wide != data::kStageBlocksWide || rec.high != data::kStageBlocksHigh)
    return {{0, "stages are " + std::to_string(data::kStageBlocksWide) + " x " +
                    std::to_string(data::kStageBlocksHigh) + " blocks, the file says " + std::to_string(rec.wide) +
                    " x " + std::to_string(rec.high)}};
  const size_t recordSize = static_cast<size_t>(rec.wide * rec.high + kEnemies);
  if (file.size() != 2 + kStages * recordSize)
    return {{0, "the file holds " + std::to_string(file.size()) + " bytes; " + std::to_string(kStages) +
                    " stages take " + std::to_string(2 + kStages * recordSize)}};
  std::vector<StageFault> faults;
  for (int r = 0; r < kStages; ++r) {
    rec.blocks = file.data() + 2 + r * recordSize;
    rec.types = rec.blocks + rec.wide * rec.high;
    const int stage = r == 0 ? kStages : r;
    for (const std::string& f : recordFaults(rec)) faults.push_back({stage, f});
  }
  return faults;
}

Bytes compileTankStages(const std::string& text, const std::string& file) {
  std::istringstream in(text);
  std::string line;
  int lineNo = 0, wide = 0, high = 0, stage = 0;
  std::map<int, int> stageLines;
  std::map<int, std::vector<std::uint8_t>> blocks, types;
  std::map<int, std::vector<std::string>> rowsOf;
  auto fail = [&](const std::string& message) { throw DataError(file, lineNo, message); };
  while (std::getline(in, line)) {
    ++lineNo;
    line = trim(line);
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string head;
    words >> head;
    if (head == "blocks") {
      if (!(words >> wide >> high) || wide < 1 || high < 1 || wide > 63 || high > 63)
        fail("blocks needs a width and a height in blocks (1-63)");
    } else if (head == "stage") {
      if (wide == 0) fail("the size (blocks W H) comes before the first stage");
      if (!(words >> stage) || stage < 1 || stage > kStages) fail("stages are numbered 1 to 20");
      if (stageLines.count(stage)) fail("stage " + std::to_string(stage) + " comes twice");
      stageLines[stage] = lineNo;
    } else if (head == "enemies") {
      if (stage == 0) fail("enemies belong to a stage");
      std::string digits;
      for (char c : line.substr(7))
        if (c != ' ') digits.push_back(c);
      if (digits.size() != static_cast<size_t>(kEnemies))
        fail("enemies needs 20 types, has " + std::to_string(digits.size()));
      for (char c : digits) {
        if (c < '0' || c >= '0' + kTypes) fail(std::string("enemy type '") + c + "': types run from 0 to 7");
        types[stage].push_back(static_cast<std::uint8_t>(c - '0'));
      }
    } else {
      if (stage == 0) fail("a map row belongs to a stage");
      if (line.size() != static_cast<size_t>(wide))
        fail("a row is " + std::to_string(wide) + " blocks, this one " + std::to_string(line.size()));
      if (blocks[stage].size() >= static_cast<size_t>(wide * high)) fail("more than " + std::to_string(high) + " rows");
      rowsOf[stage].push_back(line);
      for (char c : line) {
        auto it = kLetters.find(c);
        if (it == kLetters.end()) fail(std::string("unknown block letter '") + c + "'");
        blocks[stage].push_back(static_cast<std::uint8_t>(it->second));
      }
    }
  }
  lineNo = 0;
  if (wide == 0) fail("no blocks line: the stage size is missing");
  for (int s = 1; s <= kStages; ++s) {
    if (!stageLines.count(s)) fail("stage " + std::to_string(s) + " is missing");
    lineNo = stageLines[s];
    if (blocks[s].size() != static_cast<size_t>(wide * high))
      fail("stage " + std::to_string(s) + " has " + std::to_string(blocks[s].size() / wide) + " rows, not " +
           std::to_string(high));
    if (types[s].size() != static_cast<size_t>(kEnemies)) fail("stage " + std::to_string(s) + " has no enemies line");
  }
  std::vector<TankStageMap> maps(kStages);
  for (int st = 1; st <= kStages; ++st) {
    for (int r = 0; r < high; ++r) maps[st - 1].rows.push_back(rowsOf[st][static_cast<size_t>(r)]);
    for (std::uint8_t t : types[st]) maps[st - 1].types.push_back(static_cast<char>('0' + t));
  }
  Bytes out = writeTankStages(wide, high, maps);
  for (const StageFault& f : checkTankStages(out)) {
    lineNo = f.stage > 0 ? stageLines[f.stage] : 0;
    fail("stage " + std::to_string(f.stage) + ": " + f.message);
  }
  return out;
}

Bytes writeTankStages(int wide, int high, const std::vector<TankStageMap>& stages) {
  Bytes out = {static_cast<std::uint8_t>(wide), static_cast<std::uint8_t>(high)};
  // Record 0 holds the last stage: stage n is record n mod the count.
  const size_t count = stages.size();
  for (size_t r = 0; r < count; ++r) {
    const TankStageMap& map = stages[r == 0 ? count - 1 : r - 1];
    for (int y = 0; y < high; ++y)
      for (int x = 0; x < wide; ++x)
        out.push_back(
            static_cast<std::uint8_t>(kLetters.at(map.rows.at(static_cast<size_t>(y)).at(static_cast<size_t>(x)))));
    for (int i = 0; i < kEnemies; ++i)
      out.push_back(static_cast<std::uint8_t>(map.types.at(static_cast<size_t>(i)) - '0'));
  }
  return out;
}

bool isTankStageFile(const std::string& name) { return name == archiveName(data::kStageFile); }

std::vector<Fault> checkTankStageFile(const Bytes& file) {
  std::vector<Fault> faults;
  for (const StageFault& f : checkTankStages(file))
    faults.push_back({0, (f.stage > 0 ? "stage " + std::to_string(f.stage) + ": " : std::string()) + f.message});
  return faults;
}

}  // namespace datakit
