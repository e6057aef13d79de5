// Text tables in both encodings, made by the data writers: line rules, lookups, numbers and lists.
#include <gtest/gtest.h>

#include "TextTables.h"
#include "core/io/DByteArrayInputStream.h"
#include "core/lang/DbyteArray.h"
#include "gamelib/GameLibFixture.h"
#include "gamelib/TextTable.h"
#include "support/Exceptions.h"

namespace {

using gamelib::TextTable;
using gltest::crlf;
using gltest::narrow;
using nuv::lang::DStringPtr;
namespace ExceptionCode = nuv::lang::ExceptionCode;

class TextTableTest : public gltest::GameLibFixture {};

nuv::io::DInputStreamPtr streamOf(const std::string& bytes) {
  nuv::lang::DbyteArrayPtr data = new nuv::lang::DbyteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) (*data)[static_cast<int32_t>(i)] = static_cast<int8_t>(bytes[i]);
  return new nuv::io::DByteArrayInputStream(data);
}

std::string utfTable(std::initializer_list<std::pair<const char*, std::u16string>> entries) {
  std::vector<datakit::TextEntry> list;
  for (auto& [key, value] : entries) list.push_back({key, value, 0});
  datakit::Bytes bytes = datakit::writeUtfTable(list);
  return std::string(bytes.begin(), bytes.end());
}

std::string plainTable(std::initializer_list<std::pair<const char*, std::u16string>> entries) {
  std::vector<datakit::TextEntry> list;
  for (auto& [key, value] : entries) list.push_back({key, value, 0});
  datakit::Bytes bytes = datakit::writePlainTable(list, "test");
  return std::string(bytes.begin(), bytes.end());
}

std::string get(const char16_t* key) { return narrow(TextTable::getString(key)); }

TEST_F(TextTableTest, PlainLinesSplitAtTheFirstEqualsSign) {
  TextTable::parse(streamOf(crlf({"a=b=c", "=empty key", "ends=", " padded = x ", "no separator", "a2=first"}) +
                            crlf({"a2=second"})),
                   false);
  struct Case {
    const char16_t* key;
    const char* value;
  } cases[] = {{u"a", "b=c"},          {u"", "empty key"}, {u"ends", ""},
               {u" padded ", " x "},   {u"a2", "second"},  {u"no separator", "no separator"},
               {u"missing", "missing"}};
  for (const Case& c : cases) EXPECT_EQ(get(c.key), c.value) << narrow(DStringPtr(c.key));
  EXPECT_EQ(TextTable::table->size(), 5);
  EXPECT_FALSE(TextTable::utfMode);
}

TEST_F(TextTableTest, PlainTableEndsAtAnEmptyLineAndReadsItsLastLineWithoutCr) {
  struct Case {
    std::string bytes;
    int32_t entries;
    const char* lastKeyValue;  // value of "z"
  } cases[] = {
      {crlf({"x=1", "", "z=2"}), 1, "z"},
      {"x=1\r\nz=2", 2, "2"},
      {"x=1\nz=2\n", 1, "z"},  // LF alone does not end a line
      {"x=\xE9\r\nz=\x80", 2, "?"},
      {"", 0, "z"},
  };
  for (const Case& c : cases) {
    TextTable::parse(streamOf(c.bytes), false);
    EXPECT_EQ(TextTable::table->size(), c.entries) << c.bytes;
    EXPECT_EQ(get(u"z"), c.lastKeyValue) << c.bytes;
  }
  // Bytes above 0x7F widen as signed values.
  TextTable::parse(streamOf("x=\xE9\r\n"), false);
  EXPECT_EQ(TextTable::getString(u"x")->charAt(0), u'\xFFE9');
  TextTable::parse(streamOf("x=1\nz=2\n"), false);
  EXPECT_EQ(get(u"x"), "1\nz=2\n");
}

TEST_F(TextTableTest, UtfTablesFromTheWriterKeepEveryCharacter) {
  TextTable::parse(streamOf(utfTable({{"title", u"Caf\u00e9 \u00fcber"}, {"empty", u""}, {"k", u"a=b"}})), true);
  EXPECT_TRUE(TextTable::utfMode);
  EXPECT_EQ(TextTable::getString(u"title")->view(), std::u16string_view(u"Caf\u00e9 \u00fcber"));
  EXPECT_EQ(get(u"empty"), "");
  EXPECT_EQ(get(u"k"), "a=b");
  // A damaged last string: the lines before it stay.
  std::string cut = utfTable({{"a", u"1"}, {"b", u"2"}});
  TextTable::parse(streamOf(cut.substr(0, cut.size() - 1)), true);
  EXPECT_EQ(get(u"a"), "1");
  EXPECT_EQ(get(u"b"), "b");
}

TEST_F(TextTableTest, LoadAddsTxtFindsAlongThePathAndKeepsTheTableWhenMissing) {
  openArchive({{"data/keys.txt", plainTable({{"K", u"1"}})},
               {"240x320/txt/res_en.txt", utfTable({{"hello", u"Hello"}})},
               {"data/odd.dat", plainTable({{"PATH", u"x/"}})}});
  setPath(u"240x320/");
  TextTable::load(u"/data/keys", false);
  EXPECT_EQ(TextTable::getInt(u"K", 0), 1);
  TextTable::load(u"/txt/res_en", true);
  EXPECT_EQ(get(u"hello"), "Hello");
  EXPECT_EQ(get(u"K"), "K");  // each load replaces the table
  TextTable::load(u"data/odd.dat", false);
  EXPECT_EQ(get(u"PATH"), "x/");

  EXPECT_THROWS_CODE(ExceptionCode::IOException, TextTable::load(u"/data/absent", false));
  EXPECT_EQ(get(u"PATH"), "x/");
  TextTable::table = nullptr;
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, TextTable::load(u"/data/keys", false));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, TextTable::getString(u"K"));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, TextTable::getInt(u"K", 0));
}

TEST_F(TextTableTest, GetIntReadsDecimalAndHexadecimalElseTheDefault) {
  TextTable::parse(streamOf(crlf({"dec=42", "neg=-7", "hex=0x1F", "word=abc", "empty=", "lead= 12"})), false);
  struct Case {
    const char16_t* key;
    int32_t expected;
  } cases[] = {{u"dec", 42},    {u"neg", -7},  {u"hex", 31},    {u"word", -99},
               {u"empty", -99}, {u"lead", 12}, {u"absent", -99}};
  for (const Case& c : cases) EXPECT_EQ(TextTable::getInt(c.key, -99), c.expected) << narrow(DStringPtr(c.key));
}

TEST_F(TextTableTest, SplitKeepsEmptyParts) {
  struct Case {
    const char16_t* text;
    std::vector<const char*> parts;
  } cases[] = {
      {u"a;b;c", {"a", "b", "c"}}, {u"a;;c", {"a", "", "c"}}, {u";", {"", ""}}, {u"", {""}},
      {u"abc", {"abc"}},           {u"a;", {"a", ""}},
  };
  for (const Case& c : cases) {
    nuv::lang::DStringArrayPtr parts = TextTable::split(c.text, u';');
    ASSERT_EQ(parts->length, static_cast<int32_t>(c.parts.size())) << narrow(DStringPtr(c.text));
    for (int32_t i = 0; i < parts->length; ++i) EXPECT_EQ(narrow((*parts)[i]), c.parts[i]);
  }
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, TextTable::split(nullptr, u';'));
}

}  // namespace
