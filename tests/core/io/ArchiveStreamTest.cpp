// The resource archive: opening it, finding entries by name, reading them, and damaged archives.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/io/D7zipInputStream.h"
#include "platform/host/paths.h"
#include "support/Archives.h"
#include "support/Exceptions.h"
#include "support/TempFolder.h"

using namespace nuv::io;
using namespace nuv::lang;
namespace code = nuv::lang::ExceptionCode;

namespace {

// "Aa" and "BB" hash alike, and so does "C#", which is not stored; "aoffckzd" and "atafwjsh" both hash
// to 0, and only the first is stored.
const test::ArchiveFiles kFiles = {
    {"graphics/a.png", "picture bytes"},
    {"data/keys", "KEY_LEFT_SOFT1=10000\r\n"},
    {"empty", ""},
    {"Aa", "first of a pair"},
    {"BB", "second of a pair"},
    {"aoffckzd", "hash zero"},
    {"txt/long", std::string(70000, 'x') + "end"},
};

std::string readAll(const D7zipInputStreamPtr& in) {
  std::string out;
  for (int32_t c = in->read(); c != -1; c = in->read()) out.push_back(static_cast<char>(c));
  return out;
}

std::string contentOf(const char16_t* name) { return readAll(D7zipInputStream::open(name)); }

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class ArchiveStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setProgramFile(folder.file("glimmerhut.exe"));
    test::packArchive(folder.file("game.dat"), kFiles);
  }
  void TearDown() override {
    D7zipInputStream::closeArchive();
    platform::setProgramFile("");
  }

  test::TempFolder folder;
};

}  // namespace

TEST_F(ArchiveStreamTest, NamesAreFoundInEitherSeparatorAndNothingElseIs) {
  D7zipInputStream::openArchive(u"game.dat", u"");
  struct Case {
    const char16_t* request;
    const char* stored;  // null: absent
  } cases[] = {
      {u"/graphics/a.png", "graphics/a.png"},
      {u"graphics/a.png", "graphics/a.png"},
      {u"\\graphics\\a.png", "graphics/a.png"},
      {u"Aa", "Aa"},
      {u"BB", "BB"},
      {u"aoffckzd", "aoffckzd"},
      {u"/empty", "empty"},
      {u"C#", nullptr},        // same hash as two stored names
      {u"atafwjsh", nullptr},  // hash 0, not stored
      {u"", nullptr},
      {u"/", nullptr},
      {u"graphics", nullptr},  // a folder is no entry
      {u"Graphics/a.png", nullptr},
      {u"//graphics/a.png", nullptr},
      {u"graphics/a.png ", nullptr},
      {u"\u0167raphics/a.png", "graphics/a.png"},  // characters count by their low byte
  };
  for (const Case& c : cases) {
    std::u16string request(c.request);
    if (c.stored == nullptr) {
      EXPECT_EQ(D7zipInputStream::getSize(c.request), -1) << testing::PrintToString(request);
      EXPECT_THROWS_CODE(code::IOException, D7zipInputStream::open(c.request)) << testing::PrintToString(request);
      continue;
    }
    const std::string& expected = kFiles.at(c.stored);
    EXPECT_EQ(D7zipInputStream::getSize(c.request), static_cast<int32_t>(expected.size())) << c.stored;
    EXPECT_EQ(contentOf(c.request), expected) << c.stored;
  }
  // Names past 255 characters are never found.
  EXPECT_EQ(D7zipInputStream::getSize(std::u16string(300, u'a').c_str()), -1);
  EXPECT_THROWS_CODE(code::NullPointerException, D7zipInputStream::open(nullptr));
  EXPECT_THROWS_CODE(code::NullPointerException, D7zipInputStream::getSize(nullptr));
}

TEST_F(ArchiveStreamTest, EntryStreamsReadSkipAndReset) {
  D7zipInputStream::openArchive(u"game.dat", nullptr);
  D7zipInputStreamPtr empty = D7zipInputStream::open(u"empty");
  EXPECT_EQ(D7zipInputStream::getSize(u"empty"), 0);
  EXPECT_EQ(empty->available(), 0);
  EXPECT_EQ(empty->read(), -1);

  D7zipInputStreamPtr in = D7zipInputStream::open(u"/graphics/a.png");
  const std::string& expected = kFiles.at("graphics/a.png");
  EXPECT_EQ(readAll(in), expected);
  EXPECT_EQ(in->available(), 0);
  in->reset();
  EXPECT_EQ(readAll(in), expected);

  in->reset();
  DbyteArrayPtr b = new DbyteArray(100);
  EXPECT_EQ(in->skip(-1), 0);
  EXPECT_EQ(in->skip(8), 8);
  EXPECT_EQ(in->read(b, 10, 100 - 10), static_cast<int32_t>(expected.size()) - 8);
  EXPECT_EQ((*b)[10], expected[8]);
  EXPECT_EQ(in->read(b, 0, 1), -1);
  EXPECT_EQ(in->read(b, 0, 0), 0);
  EXPECT_THROWS_CODE(code::ArrayIndexOutOfBoundsException, in->read(b, 99, 2));
  EXPECT_THROWS_CODE(code::ArrayIndexOutOfBoundsException, in->read(b, -1, 1));
  in->reset();
  EXPECT_EQ(in->skip(1000), static_cast<int64_t>(expected.size()));

  D7zipInputStreamPtr big = D7zipInputStream::open(u"txt/long");
  EXPECT_EQ(big->available(), 70003);
  EXPECT_EQ(big->skip(70000), 70000);
  EXPECT_EQ(readAll(big), "end");
  big->close();
  EXPECT_EQ(big->available(), 0);
  EXPECT_EQ(big->read(), -1);
}

TEST_F(ArchiveStreamTest, OneArchiveAtATimeAndStreamsOutliveIt) {
  test::packArchive(folder.file("other.dat"), {{"graphics/a.png", "other picture"}});
  D7zipInputStream::openArchive(u"game.dat", u"");
  D7zipInputStreamPtr before = D7zipInputStream::open(u"data/keys");

  // A second open replaces the first.
  D7zipInputStream::openArchive(u"other.dat", u"");
  EXPECT_EQ(contentOf(u"graphics/a.png"), "other picture");
  EXPECT_EQ(D7zipInputStream::getSize(u"data/keys"), -1);

  D7zipInputStreamPtr during = D7zipInputStream::open(u"graphics/a.png");
  D7zipInputStream::closeArchive();
  D7zipInputStream::closeArchive();
  EXPECT_FALSE(D7zipInputStream::isArchiveOpen());
  EXPECT_EQ(readAll(before), kFiles.at("data/keys"));
  EXPECT_EQ(readAll(during), "other picture");
  EXPECT_THROWS_CODE(code::IOException, D7zipInputStream::open(u"graphics/a.png"));
  EXPECT_THROWS_CODE(code::IOException, D7zipInputStream::getSize(u"graphics/a.png"));

  // A failed open leaves no archive open, the earlier one included.
  D7zipInputStream::openArchive(u"game.dat", u"");
  EXPECT_THROWS_CODE(code::IOException, D7zipInputStream::openArchive(u"missing.dat", u""));
  EXPECT_FALSE(D7zipInputStream::isArchiveOpen());
  D7zipInputStream::openArchive(u"game.dat", u"");
  EXPECT_THROWS_CODE(code::NullPointerException, D7zipInputStream::openArchive(nullptr, u""));
  EXPECT_FALSE(D7zipInputStream::isArchiveOpen());

  // Names with "/" find the archive in a folder beside the program.
  std::filesystem::create_directory(folder.file("data"));
  std::filesystem::copy_file(folder.file("other.dat"), folder.file("data/res.dat"));
  D7zipInputStream::openArchive(u"data/res.dat", u"");
  EXPECT_EQ(contentOf(u"graphics/a.png"), "other picture");
}

TEST_F(ArchiveStreamTest, AnEntryFoundOpensUntilItsArchiveCloses) {
  D7zipInputStream::openArchive(u"game.dat", u"");
  const D7zipInputStream::Entry keys = D7zipInputStream::find(u"/data/keys");
  ASSERT_TRUE(keys.found());
  EXPECT_FALSE(D7zipInputStream::find(u"data/none").found());
  EXPECT_EQ(readAll(D7zipInputStream::open(keys)), "KEY_LEFT_SOFT1=10000\r\n");
  EXPECT_THROWS_CODE(code::IOException, D7zipInputStream::open(D7zipInputStream::find(u"data/none")));
  EXPECT_THROWS_CODE(code::IOException, D7zipInputStream::open(D7zipInputStream::Entry{}));
  // The same archive opened again may list its entries otherwise: an entry found before is no longer one.
  D7zipInputStream::openArchive(u"game.dat", u"");
  EXPECT_THROWS_CODE(code::IOException, D7zipInputStream::open(keys));
  D7zipInputStream::closeArchive();
  EXPECT_THROWS_CODE(code::IOException, D7zipInputStream::find(u"data/keys"));
}

TEST_F(ArchiveStreamTest, AnArchiveWithoutFilesFindsNothing) {
  test::packArchive(folder.file("none.dat"), {});
  D7zipInputStream::openArchive(u"none.dat", u"");
  EXPECT_TRUE(D7zipInputStream::isArchiveOpen());
  for (const char16_t* name : {u"", u"atafwjsh", u"graphics/a.png"}) {
    EXPECT_EQ(D7zipInputStream::getSize(name), -1);
    EXPECT_THROWS_CODE(code::IOException, D7zipInputStream::open(name));
  }
}

// Every damaged copy either fails to open, or opens and gives each entry exactly or not at all.
TEST_F(ArchiveStreamTest, DamagedArchivesNeverHandOutWrongBytes) {
  test::ArchiveFiles small = {{"a.txt", "alpha alpha alpha"}, {"b/c.bin", std::string(300, '\x07')}, {"e", ""}};
  test::packArchive(folder.file("small.dat"), small);
  const std::string good = fileBytes(folder.file("small.dat"));
  int refusedArchives = 0, refusedEntries = 0;

  auto check = [&](const std::string& damaged, const std::string& what) {
    std::ofstream(folder.file("damaged.dat"), std::ios::binary | std::ios::trunc) << damaged;
    if (test::thrownCode([] { D7zipInputStream::openArchive(u"damaged.dat", u""); }) != 0) {
      EXPECT_FALSE(D7zipInputStream::isArchiveOpen()) << what;
      ++refusedArchives;
      return;
    }
    for (const auto& [name, bytes] : small) {
      std::u16string request(name.begin(), name.end());
      D7zipInputStreamPtr in;
      uint32_t thrown = test::thrownCode([&] { in = D7zipInputStream::open(request.c_str()); });
      if (thrown != 0) {
        EXPECT_EQ(thrown, code::IOException) << what << " " << name;
        ++refusedEntries;
        continue;
      }
      EXPECT_EQ(readAll(in), bytes) << what << " " << name;
    }
  };

  for (size_t length = 0; length < good.size(); ++length)
    check(good.substr(0, length), "cut at " + std::to_string(length));
  for (size_t at = 0; at < good.size(); ++at) {
    for (int flip : {0x01, 0x80}) {
      std::string damaged = good;
      damaged[at] = static_cast<char>(damaged[at] ^ flip);
      check(damaged, "flip " + std::to_string(flip) + " at " + std::to_string(at));
    }
  }
  check("not an archive at all", "text");
  // Both kinds of refusal happened: damage in the data is caught when the entry is decoded.
  EXPECT_GT(refusedArchives, 0);
  EXPECT_GT(refusedEntries, 0);
}

// Damage inside one entry is that entry's IOException, naming the archive and the entry; an entry
// claiming a terabyte is refused before anything is allocated for it; a name no character set holds
// does not keep the archive from opening.
TEST_F(ArchiveStreamTest, DamagedEntriesAreReportedByArchiveAndEntry) {
  std::vector<uint64_t> at =
      test::writeStoredArchive(folder.file("stored.dat"), {{u"ok.txt", "readable", {}},
                                                           {u"flipped.bin", "a byte of this goes bad", {}},
                                                           {u"huge.bin", "small in fact", uint64_t{1} << 41},
                                                           {u"odd\xDC00name", "x", {}}});
  test::flipByte(folder.file("stored.dat"), at[1] + 5);
  D7zipInputStream::openArchive(u"stored.dat", u"");
  EXPECT_EQ(contentOf(u"ok.txt"), "readable");
  EXPECT_EQ(D7zipInputStream::getSize(u"huge.bin"), 0x7FFFFFFF);
  for (const char* entry : {"flipped.bin", "huge.bin"}) {
    const std::u16string name(entry, entry + std::strlen(entry));
    try {
      D7zipInputStream::open(name.c_str());
      ADD_FAILURE() << entry << " opened";
    } catch (DExceptionBase* e) {
      std::unique_ptr<DExceptionBase> owned(e);
      EXPECT_EQ(e->code(), code::IOException) << entry;
      const std::u16string message(e->message());
      EXPECT_EQ(message.rfind(u"stored.dat: " + name + u": ", 0), 0u) << entry;
      EXPECT_TRUE(D7zipInputStream::isDamageReport(*e)) << entry;
    }
  }
  // A missing entry is no damage.
  try {
    D7zipInputStream::open(u"absent");
    ADD_FAILURE() << "absent opened";
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> owned(e);
    EXPECT_FALSE(D7zipInputStream::isDamageReport(*e));
  }
}

// An entry read again while it is among the recent ones is not decoded again, and its streams stay
// independent; the recent ones keep to their budget, an entry too large for them is decoded on every
// read, and the next archive never sees the entries of the one before.
TEST_F(ArchiveStreamTest, EntriesReadAgainAreDecodedOnceWithinTheBudget) {
  constexpr size_t kQuarter = D7zipInputStream::kLargestRecentEntry;
  test::ArchiveFiles files = {{"small", "a small entry"}, {"large", std::string(kQuarter + 1, 'L')}};
  for (char c : {'0', '1', '2', '3'}) files[std::string("fill") + c] = std::string(kQuarter, c);
  test::packArchive(folder.file("recent.dat"), files);
  D7zipInputStream::openArchive(u"recent.dat", u"");
  struct Read {
    const char16_t* name;
    bool decoded;
  } reads[] = {
      {u"small", true},  {u"small", false}, {u"large", true}, {u"large", true}, {u"fill0", true},
      {u"small", false}, {u"fill1", true},  {u"fill2", true}, {u"fill3", true},  // fill0 drops out
      {u"fill0", true},                                                          // and small with it
      {u"small", true},  {u"fill3", false},
  };
  for (const Read& r : reads) {
    const std::u16string name(r.name);
    const uint64_t before = D7zipInputStream::timeSpent().decodingNanoseconds;
    EXPECT_EQ(contentOf(r.name), files.at(std::string(name.begin(), name.end()))) << testing::PrintToString(name);
    EXPECT_EQ(D7zipInputStream::timeSpent().decodingNanoseconds != before, r.decoded) << testing::PrintToString(name);
  }

  D7zipInputStreamPtr first = D7zipInputStream::open(u"small");
  D7zipInputStreamPtr second = D7zipInputStream::open(u"small");
  EXPECT_EQ(readAll(first), "a small entry");
  first->close();
  EXPECT_EQ(readAll(second), "a small entry");

  // The same names in the same places, one of them with other bytes.
  files["small"] = "another archive's entry";
  test::packArchive(folder.file("next.dat"), files);
  D7zipInputStream::openArchive(u"next.dat", u"");
  EXPECT_EQ(contentOf(u"small"), "another archive's entry");
}
