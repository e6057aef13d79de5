// Text resources: key=value sources in UTF-8, and the plain, UTF and help forms the program reads.
#include "TextTables.h"

#include <set>
#include <sstream>

#include "DataError.h"

namespace datakit {

std::u16string fromUtf8(const std::string& text, const std::string& file, int line) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    auto b = static_cast<unsigned char>(text[i]);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || i + extra >= text.size()) throw DataError(file, line, "invalid UTF-8");
    char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k <= extra; ++k) {
      auto n = static_cast<unsigned char>(text[i + k]);
      if ((n & 0xC0) != 0x80) throw DataError(file, line, "invalid UTF-8");
      c = c << 6 | (n & 0x3F);
    }
    if (c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF))
      throw DataError(file, line, "character outside the Basic Multilingual Plane");
    out.push_back(static_cast<char16_t>(c));
    i += extra + 1;
  }
  return out;
}

std::string toUtf8(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | c >> 6));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | c >> 12));
      out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

void appendUtf(Bytes& out, const std::u16string& text) {
  size_t length = 0;
  for (char16_t c : text) length += (c >= 0x01 && c <= 0x7F) ? 1 : c <= 0x7FF ? 2 : 3;
  if (length > 65535) throw std::length_error("string longer than 65535 encoded bytes");
  out.push_back(static_cast<std::uint8_t>(length >> 8));
  out.push_back(static_cast<std::uint8_t>(length & 0xFF));
  for (char16_t c : text) {
    if (c >= 0x01 && c <= 0x7F) {
      out.push_back(static_cast<std::uint8_t>(c));
    } else if (c <= 0x7FF) {
      out.push_back(static_cast<std::uint8_t>(0xC0 | (c >> 6 & 0x1F)));
      out.push_back(static_cast<std::uint8_t>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<std::uint8_t>(0xE0 | c >> 12));
      out.push_back(static_cast<std::uint8_t>(0x80 | (c >> 6 & 0x3F)));
      out.push_back(static_cast<std::uint8_t>(0x80 | (c & 0x3F)));
    }
  }
}

Bytes encodeUtf(const std::u16string& text) {
  Bytes out;
  appendUtf(out, text);
  return out;
}

namespace {

std::vector<std::string> splitLines(const std::string& source) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(source);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::u16string unescape(const std::u16string& raw, const std::string& file, int line) {
  std::u16string out;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != u'\\') {
      out.push_back(raw[i]);
      continue;
    }
    char16_t next = i + 1 < raw.size() ? raw[i + 1] : 0;
    if (next == u'n')
      out.push_back(u'\n');
    else if (next == u'\\')
      out.push_back(u'\\');
    else
      throw DataError(file, line, "unknown escape (only \\n and \\\\ are known)");
    ++i;
  }
  return out;
}

}  // namespace

std::vector<TextEntry> parseTextSource(const std::string& source, const std::string& file) {
  std::vector<TextEntry> entries;
  std::set<std::string> seen;
  int number = 0;
  for (const std::string& line : splitLines(source)) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    size_t eq = line.find('=');
    if (eq == std::string::npos) throw DataError(file, number, "line without '='");
    std::string key = line.substr(0, eq);
    if (key.empty()) throw DataError(file, number, "empty key");
    for (char c : key)
      if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E)
        throw DataError(file, number, "key must be printable ASCII");
    if (!seen.insert(key).second) throw DataError(file, number, "key \"" + key + "\" given twice");
    entries.push_back({key, unescape(fromUtf8(line.substr(eq + 1), file, number), file, number), number});
  }
  return entries;
}

Bytes writePlainTable(const std::vector<TextEntry>& entries, const std::string& file) {
  Bytes out;
  for (const TextEntry& e : entries) {
    for (char16_t c : e.value)
      if (c < 0x20 || c > 0x7E) throw DataError(file, e.line, "a plain table holds printable ASCII only");
    std::string text = e.key + "=" + toUtf8(e.value) + "\r\n";
    out.insert(out.end(), text.begin(), text.end());
  }
  return out;
}

Bytes writeUtfTable(const std::vector<TextEntry>& entries) {
  Bytes out;
  for (const TextEntry& e : entries) {
    std::u16string line(e.key.begin(), e.key.end());
    appendUtf(out, line + u"=" + e.value);
  }
  return out;
}

Bytes writeHelp(const std::string& source, const std::string& file) {
  Bytes out;
  int number = 0;
  for (const std::string& line : splitLines(source)) {
    ++number;
    if (!line.empty() && line[0] == '#') continue;
    appendUtf(out, fromUtf8(line, file, number));
  }
  return out;
}

std::vector<TableLine> readPlainTable(const Bytes& data, const std::string& file) {
  std::vector<TableLine> lines;
  size_t start = 0;
  int number = 1;
  while (start < data.size()) {
    size_t cr = start;
    while (cr < data.size() && data[cr] != '\r') {
      if (data[cr] == '\n') throw DataError(file, number, "line ends in LF without CR");
      if (data[cr] < 0x20 || data[cr] > 0x7E) throw DataError(file, number, "byte outside printable ASCII");
      ++cr;
    }
    if (cr + 1 >= data.size() || data[cr + 1] != '\n') throw DataError(file, number, "line does not end in CR LF");
    if (cr == start) throw DataError(file, number, "blank line ends the table early");
    lines.push_back({std::u16string(data.begin() + start, data.begin() + cr), number});
    start = cr + 2;
    ++number;
  }
  return lines;
}

std::vector<TableLine> readUtfStrings(const Bytes& data, const std::string& file) {
  std::vector<TableLine> lines;
  size_t pos = 0;
  int number = 1;
  while (pos < data.size()) {
    if (pos + 2 > data.size()) throw DataError(file, number, "string length cut off");
    size_t length = size_t(data[pos]) << 8 | data[pos + 1];
    size_t end = pos + 2 + length;
    if (end > data.size()) throw DataError(file, number, "string runs past the end of the data");
    std::u16string text;
    for (size_t c = pos + 2; c < end;) {
      std::uint8_t x = data[c];
      auto follow = [&](size_t k) {
        if (c + k >= end || (data[c + k] & 0xC0) != 0x80) throw DataError(file, number, "malformed modified UTF-8");
        return data[c + k] & 0x3F;
      };
      if (x >> 4 <= 7) {
        text.push_back(x);
        c += 1;
      } else if (x >> 4 == 12 || x >> 4 == 13) {
        text.push_back(static_cast<char16_t>((x & 0x1F) << 6 | follow(1)));
        c += 2;
      } else if (x >> 4 == 14) {
        text.push_back(static_cast<char16_t>((x & 0x0F) << 12 | follow(1) << 6 | follow(2)));
        c += 3;
      } else {
        throw DataError(file, number, "malformed modified UTF-8");
      }
    }
    lines.push_back({text, number});
    pos = end;
    ++number;
  }
  return lines;
}

}  // namespace datakit
