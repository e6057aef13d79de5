// Text resources: the string form of the data streams, plain and UTF tables, help files.
#include <gtest/gtest.h>

#include "DataError.h"
#include "TextTables.h"

using namespace datakit;

namespace {

Bytes bytes(std::initializer_list<int> values) {
  Bytes out;
  for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
  return out;
}

std::string text(const Bytes& b) { return std::string(b.begin(), b.end()); }

}  // namespace

TEST(TextTables, EncodesStringsAsTheDataStreamsDo) {
  struct Case {
    std::u16string in;
    Bytes out;
  };
  const Case cases[] = {
      {u"", bytes({0x00, 0x00})},
      {u"A", bytes({0x00, 0x01, 0x41})},
      {std::u16string(1, u'\0'), bytes({0x00, 0x02, 0xC0, 0x80})},
      {u"\u00E9", bytes({0x00, 0x02, 0xC3, 0xA9})},
      {u"\u20AC", bytes({0x00, 0x03, 0xE2, 0x82, 0xAC})},
      {u"\u07FF\u0800", bytes({0x00, 0x05, 0xDF, 0xBF, 0xE0, 0xA0, 0x80})},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(encodeUtf(c.in), c.out);
    std::vector<TableLine> back = readUtfStrings(c.out, "t");
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].text, c.in);
  }
  EXPECT_THROW(encodeUtf(std::u16string(21846, u'\u20AC')), std::length_error);
}

TEST(TextTables, PlainTablesEndEveryLineInCrLfAndHoldAsciiOnly) {
  auto entries = parseTextSource("# comment\n\nPATH=240x320/\nA=b=c\n", "s");
  EXPECT_EQ(text(writePlainTable(entries, "s")), "PATH=240x320/\r\nA=b=c\r\n");
  auto accented = parseTextSource("# x\nKEY=caf\xC3\xA9\n", "s.plain");
  try {
    writePlainTable(accented, "s.plain");
    FAIL() << "non-ASCII accepted";
  } catch (const DataError& e) {
    EXPECT_EQ(e.line(), 2);
  }
}

TEST(TextTables, SourceFaultsNameTheirLine) {
  struct Case {
    const char* source;
    int line;
  };
  const Case cases[] = {
      {"a=1\nno equals sign\n", 2}, {"a=1\n# c\na=2\n", 3}, {"=value\n", 1},
      {"a=bad \\t escape\n", 1},    {"a=\xC3\n", 1},        {"a=\xF0\x9F\x98\x80\n", 1},
  };
  for (const Case& c : cases) {
    try {
      parseTextSource(c.source, "src.utf");
      ADD_FAILURE() << "accepted: " << c.source;
    } catch (const DataError& e) {
      EXPECT_EQ(e.line(), c.line) << c.source;
      EXPECT_EQ(e.file(), "src.utf");
    }
  }
}

TEST(TextTables, UtfTablesHoldOneStringPerEntryWithEscapesResolved) {
  auto entries = parseTextSource("yes=Ja\ntwo=a\\nb\nslash=\\\\\n", "s");
  std::vector<TableLine> lines = readUtfStrings(writeUtfTable(entries), "t");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, u"yes=Ja");
  EXPECT_EQ(lines[1].text, u"two=a\nb");
  EXPECT_EQ(lines[2].text, u"slash=\\");
}

TEST(TextTables, HelpFilesKeepOneParagraphPerLine) {
  Bytes help = writeHelp("# comment\nFirst paragraph.\n\n%2\nLast\n", "h");
  std::vector<TableLine> lines = readUtfStrings(help, "h");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].text, u"First paragraph.");
  EXPECT_EQ(lines[1].text, u"");
  EXPECT_EQ(lines[2].text, u"%2");
}

TEST(TextTables, ReadingBackRejectsWhatTheGameWouldMisread) {
  struct Case {
    const char* data;
    int line;
  };
  const Case cases[] = {
      {"A=1\nB=2\r\n", 1},        // LF alone: the game reads one long line
      {"A=1\r\n\r\nB=2\r\n", 2},  // a blank line ends the table
      {"A=1", 1},                 // no CR LF at the end
  };
  for (const Case& c : cases) {
    std::string s = c.data;
    try {
      readPlainTable(Bytes(s.begin(), s.end()), "t");
      ADD_FAILURE() << "accepted: " << c.data;
    } catch (const DataError& e) {
      EXPECT_EQ(e.line(), c.line) << c.data;
    }
  }
  EXPECT_THROW(readUtfStrings(bytes({0x00, 0x02, 0xC3, 0x41}), "t"), DataError);
  EXPECT_THROW(readUtfStrings(bytes({0x00, 0x05, 0x41}), "t"), DataError);
}
