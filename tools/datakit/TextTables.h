// Text resources: key=value sources in UTF-8, and the plain, UTF and help forms the program reads.
#pragma once

#include <string>
#include <vector>

#include "Png.h"

namespace datakit {

struct TextEntry {
  std::string key;       // ASCII
  std::u16string value;  // after escapes
  int line = 0;
};

// UTF-8 to 16-bit characters; only the Basic Multilingual Plane, as the program's strings hold.
std::u16string fromUtf8(const std::string& text, const std::string& file, int line);
std::string toUtf8(const std::u16string& text);

// The data streams' string form: a 16-bit big-endian byte count, then modified UTF-8.
Bytes encodeUtf(const std::u16string& text);
void appendUtf(Bytes& out, const std::u16string& text);

// Reads a source table: one key=value a line, '#' starts a comment line, blank lines are skipped,
// "\n" in a value is a line feed and "\\" a backslash. A key may appear only once.
std::vector<TextEntry> parseTextSource(const std::string& source, const std::string& file);

// Lines "key=value" each ending in CR LF; every character must be printable ASCII.
Bytes writePlainTable(const std::vector<TextEntry>& entries, const std::string& file);
// One UTF string per entry, "key=value".
Bytes writeUtfTable(const std::vector<TextEntry>& entries);
// A help file: each source line is one paragraph (an empty line an empty paragraph); '#' lines
// are comments. Paragraph "%n" stands for the game's animation n.
Bytes writeHelp(const std::string& source, const std::string& file);

// Reading back what the program will read, for the checker and the tests.
struct TableLine {
  std::u16string text;
  int line = 0;
};
// Fails with a message (and the line) on anything the game's plain reader would misread.
std::vector<TableLine> readPlainTable(const Bytes& data, const std::string& file);
std::vector<TableLine> readUtfStrings(const Bytes& data, const std::string& file);

}  // namespace datakit
