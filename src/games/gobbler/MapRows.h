// Reading a maze map's rows of cells, as the game measures the first map and loads every map.
#pragma once

#include <cstdint>
#include <functional>

#include "core/io/DInputStream.h"
#include "core/lang/DString.h"

namespace gobbler {

// Called with each cell as it is read: its column and row in the map (from 1) and its byte.
using MapCell = std::function<void(int32_t column, int32_t row, int32_t byte)>;

// Reads the map's rows to the end of the stream and returns how many there are. Every line ends in CR LF;
// the line ends and blank lines after the last row add no row. Bytes that are no cell are passed over.
// `columns` is the width every row must have, or 0 to measure it from the first row (then set). A line the
// game cannot read is refused naming the file, the line and what is wrong with it (ResourceDamage): a line
// end other than CR LF, an empty line before a row, a row of another width.
int32_t readMapRows(nuv::io::DInputStreamPtr in, nuv::lang::DStringPtr name, int32_t& columns, const MapCell& cell);

}  // namespace gobbler
