// Reading a maze map's rows of cells, as the game measures the first map and loads every map.
#include "games/gobbler/MapRows.h"

#include "gamelib/ResourceDamage.h"
#include "games/gobbler/GobblerData.h"

namespace gobbler {

using nuv::lang::DStringPtr;

namespace {

constexpr int32_t kCarriageReturn = 13;
constexpr int32_t kLineFeed = 10;
constexpr char kCells[] = {data::kOpenCell,    data::kWallCell,      data::kPlayerCell,
                           data::kRedHomeCell, data::kGreenHomeCell, data::kPortalCell,
                           data::kDoorCell,    data::kDotCell,       data::kPowerDotCell};
constexpr const char16_t* kLineEnds = u"; the maze's lines end in CR LF";

bool isCell(int32_t byte) {
  for (char c : kCells)
    if (byte == c) return true;
  return false;
}

[[noreturn]] void refuseLine(DStringPtr name, int32_t line, DStringPtr why) {
  gamelib::ResourceDamage::refuse(name, (DStringPtr(u"line ") + line) + why);
}

}  // namespace

int32_t readMapRows(nuv::io::DInputStreamPtr in, DStringPtr name, int32_t& columns, const MapCell& cell) {
  const bool measuring = columns == 0;
  int32_t rows = 0;
  int32_t line = 1;
  int32_t width = 0;       // cells on this line so far
  int32_t firstBlank = 0;  // the first line without cells since the last row; 0 when none
  for (;;) {
    const int32_t byte = in->read();
    if (byte == kLineFeed) refuseLine(name, line, DStringPtr(u" ends in a line feed alone") + kLineEnds);
    if (byte == kCarriageReturn && in->read() != kLineFeed)
      refuseLine(name, line, DStringPtr(u" ends in a carriage return alone") + kLineEnds);
    if (byte == kCarriageReturn || byte < 0) {
      if (width == 0) {
        // Blank lines count only when a row follows them.
        if (firstBlank == 0) firstBlank = line;
      } else if (columns == 0) {
        columns = width;
      } else if (width != columns) {
        refuseLine(
            name, line,
            ((DStringPtr(u" has ") + width) + (width == 1 ? u" cell" : u" cells") + u"; the maze is " + columns) +
                u" wide, measured from the first map");
      }
      if (byte < 0) return rows;
      ++line;
      width = 0;
      continue;
    }
    if (!isCell(byte)) continue;
    if (width == 0) {
      if (firstBlank != 0) {
        refuseLine(name, firstBlank,
                   measuring && rows == 0 ? u" is empty, and the maze's width is measured from it" : u" is empty");
      }
      ++rows;
    }
    cell(++width, rows, byte);
  }
}

}  // namespace gobbler
