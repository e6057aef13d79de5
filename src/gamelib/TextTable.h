// The one global key-to-text table: filled from ".txt" resources (plain bytes with CR LF, or data-stream
// UTF strings), looked up by key, and list values split at a separator.
#pragma once

#include <cstdint>

#include "core/io/DDataInputStream.h"
#include "core/io/DInputStream.h"
#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "core/util/DHashtable.h"

namespace gamelib {

class TextTable {
 public:
  TextTable() = delete;

  // Made with the application's globals; every load replaces its contents.
  static inline nuv::util::DHashtablePtr table;
  // The reader of the last load.
  static inline bool utfMode = false;

  // ".txt" is appended to a name without '.'. IOException when the resource is found nowhere (the table
  // keeps its entries then); NullPointerException without a table. A table that cannot be read to its
  // end is reported as damage (ResourceDamage).
  static void load(nuv::lang::DStringPtr name, bool utf);
  // Clears the table, reads every line of the stream into it and closes the stream. A null stream only
  // clears the table. False when the data ended inside a UTF line: the lines before it stay.
  static bool parse(nuv::io::DInputStreamPtr stream, bool utf);
  // One line: plain bytes up to CR (the byte after it dropped), null at the end of the data or at an
  // empty line; or one UTF string, whose end of data raises EOFException.
  static nuv::lang::DStringPtr readLine(nuv::io::DDataInputStreamPtr stream, bool utf);

  // The value, or the key itself when the table lacks it.
  static nuv::lang::DStringPtr getString(nuv::lang::DStringPtr key);
  // The value as a number (decimal, or hexadecimal after "0x"), or the default when the key is missing
  // or its value is no number.
  static int32_t getInt(nuv::lang::DStringPtr key, int32_t defaultValue);
  // The parts between separators, empty parts kept; NullPointerException for a null text.
  static nuv::lang::DStringArrayPtr split(nuv::lang::DStringPtr text, char16_t separator);
};

}  // namespace gamelib
