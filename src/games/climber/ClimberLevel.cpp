// Level files into the cell map: the file read and checked whole before anything of the running level
// changes, the map padded to more than a screen, the hero and guards placed, the view set and drawn; and
// the map's two questions the runners and the guards' search ask.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/lang/DInteger.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/SoundManager.h"
#include "games/climber/Climber.h"

namespace climber {

using namespace gamelib::api;

namespace {

constexpr int32_t kCarriageReturn = 13;
constexpr int32_t kLineFeed = 10;

// A level file as read, before it replaces the running level.
struct LevelFile {
  int32_t fileWidth = 0;
  int32_t fileHeight = 0;
  int32_t width = 0;
  int32_t height = 0;
  std::vector<char16_t> cells;
};

DStringPtr levelPath(int32_t n) { return (DStringPtr(data::kLevelPrefix) + n) + data::kLevelSuffix; }

std::vector<uint8_t> readAll(const nuv::io::DInputStreamPtr& stream) {
  std::vector<uint8_t> bytes;
  for (int32_t b = stream->read(); b >= 0; b = stream->read()) bytes.push_back(static_cast<uint8_t>(b));
  stream->close();
  return bytes;
}

// One header line: its bytes up to CR, one character each, then the byte after the CR skipped. False at
// the end of the file.
bool readLine(const std::vector<uint8_t>& bytes, size_t& at, std::u16string& line) {
  line.clear();
  for (; at < bytes.size() && bytes[at] != kCarriageReturn; ++at) line.push_back(bytes[at]);
  if (at >= bytes.size()) return false;
  at += 2;
  return true;
}

// A size as the game reads it: decimal, or hexadecimal after "0x"; 0 when it is no number.
int32_t parseSize(const std::u16string& text) {
  try {
    return nuv::lang::DInteger::parseInt(DStringPtr(text.c_str()));
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> dropped = nuv::lang::catchException(e, ExceptionCode::NumberFormatException);
    return 0;
  }
}

// The file of level n, read whole; an empty reason when it can be played.
std::string readLevel(int32_t n, LevelFile& out) {
  nuv::io::DInputStreamPtr stream = GameLib::loadFile(levelPath(n));
  if (stream.isNull()) return "its file is missing";
  const std::vector<uint8_t> bytes = readAll(stream);
  size_t at = 0;
  std::u16string line;
  if (!readLine(bytes, at, line)) return "its width is missing";
  out.fileWidth = parseSize(line);
  if (!readLine(bytes, at, line)) return "its height is missing";
  out.fileHeight = parseSize(line);
  if (out.fileWidth < 1 || out.fileHeight < 1 || out.fileWidth > data::kMaxCells || out.fileHeight > data::kMaxCells)
    return "its size is no size of a map";
  // Smaller maps grow to one cell more than the screen each way: the view always has room to scroll.
  out.width = out.fileWidth;
  out.height = out.fileHeight;
  if ((out.width + 1) * tileWidth < bufferWidth) out.width = bufferWidth / tileWidth - 1;
  if ((out.height + 1) * tileHeight < bufferHeight) out.height = bufferHeight / tileHeight - 1;
  if (int64_t{out.width} * out.height > data::kMaxCells) return "its map has too many cells";
  out.cells.assign(static_cast<size_t>(out.width * out.height), data::kArmourBrick);
  bool hasStart = false, hasExit = false;
  for (int32_t i = 0; i < out.width * out.height; ++i) {
    const int32_t column = i % out.width, row = i / out.width;
    if (column >= out.fileWidth || row >= out.fileHeight) continue;
    // Line ends may stand anywhere among the cells.
    while (at < bytes.size() && (bytes[at] == kCarriageReturn || bytes[at] == kLineFeed)) ++at;
    if (at >= bytes.size()) return "its file ends before its last cell";
    const char16_t c = bytes[at++];
    out.cells[static_cast<size_t>(i)] = c;
    hasStart |= c == data::kHeroStart;
    hasExit |= c == data::kOpenExit;
  }
  if (!hasStart) return "it has no start for the hero";
  if (!hasExit) return "it has no exit";
  return "";
}

// Level n in place of the running one; the reason when its file cannot be played, and then nothing changed.
std::string placeLevel(int32_t n) {
  LevelFile file;
  const std::string reason = readLevel(n, file);
  if (!reason.empty()) return reason;
  openLevel.reach(n);
  mapWidth = file.width;
  mapHeight = file.height;
  const int32_t count = mapWidth * mapHeight;
  cells = new nuv::lang::DcharArray(count);
  for (int32_t i = 0; i < count; ++i) (*cells)[i] = file.cells[static_cast<size_t>(i)];
  distanceTable = new nuv::lang::DshortArray2d(2, count);
  restartSearch = true;
  shinePosition = 0;

  hero->reset();
  hero->isEnemy = false;
  goldLeft = 0;
  enemyCount = 0;
  nuv::lang::DcharArray& map = *cells;
  for (int32_t i = 0; i < count; ++i) {
    const char16_t c = map[i];
    if (c == data::kGoldCell) {
      ++goldLeft;
    } else if (c == data::kOpenExit) {
      // The last exit of the file is the one that opens; any others stay closed doors.
      exitCell = i;
      map[i] = data::kClosedExit;
    } else if (c == data::kHeroStart) {
      hero->placeAt(i);
      map[i] = data::kEmpty;
    } else if (c == data::kGuardStart && enemyCount < data::kMaxGuards) {
      if ((*enemies)[enemyCount].isNull()) (*enemies)[enemyCount] = new Runner();
      Runner& enemy = *(*enemies)[enemyCount];
      enemy.reset();
      enemy.placeAt(i);
      map[i] = data::kEmpty;
      ++enemyCount;
    }
  }
  for (int32_t r = 0; r < holeTable->length; ++r) (*(*holeTable)[r])[HOLE_CELL] = -1;

  cameraX = hero->column * tileWidth - ((screenWidth - tileWidth) >> 1);
  if (cameraX < 0) cameraX = 0;
  if (cameraX > mapWidth * tileWidth - screenWidth) cameraX = mapWidth * tileWidth - screenWidth;
  cameraY = hero->row * tileHeight - ((screenHeight - tileHeight) >> 1);
  if (cameraY < 0) cameraY = 0;
  if (cameraY > mapHeight * tileHeight - screenHeight) cameraY = mapHeight * tileHeight - screenHeight;
  for (int32_t c = cameraX / tileWidth; c < (cameraX + bufferWidth) / tileWidth; ++c) Climber::redrawColumns(c);
  return "";
}

}  // namespace

bool Climber::loadLevel(int32_t n) { return placeLevel(n).empty(); }

bool Climber::enterLevel(int32_t n) {
  const std::string reason = placeLevel(n);
  if (reason.empty()) return true;
  // Named like any damaged entry, so that a person can tell which file to mend.
  std::unique_ptr<DExceptionBase> refused(
      gamelib::ResourceDamage::report(levelPath(n), DStringPtr(std::u16string(reason.begin(), reason.end()).c_str())));
  std::fprintf(stderr, "GlimmerHut: level %d of the ladders game cannot be played: %s\n", static_cast<int>(n),
               GameLib::narrow(refused->message()).c_str());
  // The game ends here, into its menu; nothing of the last level plays on.
  SoundManager::stopAll();
  badLevel = n;
  gameState = STATE_GAME_OVER;
  stateTimer = gameOverTime;
  return false;
}

bool Climber::canEnter(int32_t column, int32_t row, bool ladderSolid) {
  if (column < 0 || row < 0 || column >= mapWidth || row >= mapHeight) return false;
  const char16_t c = cellAt(column + mapWidth * row);
  if (c == data::kBrick || c == data::kArmourBrick) return false;
  return !(ladderSolid && c == data::kLadderCell);
}

bool Climber::isStanding(int32_t cell, int32_t delta) {
  const int32_t i = cell + delta;
  const char16_t c = cellAt(i);
  if (c == data::kHandrailCell || c == data::kLadderCell) return true;
  // The map's last row stands on its lower edge.
  if (i + mapWidth >= cells->length) return true;
  const char16_t below = cellAt(i + mapWidth);
  return below == data::kBrick || below == data::kArmourBrick || below == data::kOpenHole ||
         below == data::kBrickInChange || below == data::kLadderCell;
}

}  // namespace climber
