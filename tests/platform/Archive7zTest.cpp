// The 7z reader of the stand-in: the entry list and whole-entry decoding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/api/windows.h"
#include "platform/host/archive7z.h"
#include "platform/host/paths.h"
#include "support/Archives.h"
#include "support/TempFolder.h"

namespace {

struct OpenArchive {
  explicit OpenArchive(const std::string& hostPath) {
    file = CreateFileW(platform::toDevicePath(hostPath).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       0, nullptr);
  }
  ~OpenArchive() {
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  HANDLE file;
};

std::string bytes(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

}  // namespace

TEST(Archive7zTest, ListsFilesAndDecodesEachWhole) {
  test::TempFolder folder;
  const test::ArchiveFiles files = {
      {"graphics/a.png", "picture"},
      {"empty", ""},
      {"txt/lang", std::string(100000, 'L')},
  };
  test::packArchive(folder.file("game.dat"), files);
  OpenArchive open(folder.file("game.dat"));
  ASSERT_NE(open.file, INVALID_HANDLE_VALUE);
  platform::Archive7z archive;
  std::string error;
  ASSERT_TRUE(archive.open(open.file, error)) << error;
  ASSERT_EQ(archive.entries().size(), files.size());
  for (size_t i = 0; i < archive.entries().size(); ++i) {
    const auto& entry = archive.entries()[i];
    std::string name(entry.name.begin(), entry.name.end());
    ASSERT_TRUE(files.count(name)) << name;
    EXPECT_EQ(entry.size, files.at(name).size());
    EXPECT_FALSE(entry.directory);
    std::vector<uint8_t> data;
    ASSERT_TRUE(archive.extract(i, data, error)) << name << ": " << error;
    EXPECT_EQ(bytes(data), files.at(name));
  }
  // Backwards and again: every extraction stands on its own.
  std::vector<uint8_t> data;
  for (size_t i = archive.entries().size(); i-- > 0;) EXPECT_TRUE(archive.extract(i, data, error));
  EXPECT_FALSE(archive.extract(files.size(), data, error));
}

TEST(Archive7zTest, RefusesWhatIsNotA7zArchive) {
  test::TempFolder folder;
  struct Case {
    const char* what;
    std::string content;
  } cases[] = {
      {"empty file", ""},
      {"text", "this is not an archive at all"},
      {"signature only", std::string("7z\xBC\xAF\x27\x1C", 6)},
      {"zip", std::string("PK\x03\x04", 4) + std::string(100, '\0')},
  };
  for (const Case& c : cases) {
    test::writeFiles(folder.path(), {{"bad.dat", c.content}});
    OpenArchive open(folder.file("bad.dat"));
    platform::Archive7z archive;
    std::string error;
    EXPECT_FALSE(archive.open(open.file, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}

// Damage made by hand in stored archives: each entry's bytes lie in the file as they are.
TEST(Archive7zTest, DamageStaysWithTheEntryItIsIn) {
  test::TempFolder folder;
  struct Case {
    const char* what;
    std::vector<test::StoredEntry> entries;
    bool flip;           // the first entry's middle byte inverted
    bool firstReadable;  // the first entry decodes
    const char* firstName;
  } cases[] = {
      {"intact", {{u"a.txt", "first entry", {}}, {u"b.txt", "second", {}}}, false, true, "a.txt"},
      {"a flipped byte", {{u"a.txt", "first entry", {}}, {u"b.txt", "second", {}}}, true, false, "a.txt"},
      {"a terabyte claimed",
       {{u"a.txt", "first entry", (uint64_t{1} << 40) + 1}, {u"b.txt", "second", {}}},
       false,
       false,
       "a.txt"},
      {"a name no character set holds",
       {{u"bad\xD800.txt", "first entry", {}}, {u"b.txt", "second", {}}},
       false,
       true,
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = folder.file("damaged.dat");
    std::vector<uint64_t> offsets = test::writeStoredArchive(path, c.entries);
    if (c.flip) test::flipByte(path, offsets[0] + c.entries[0].bytes.size() / 2);
    OpenArchive open(path);
    platform::Archive7z archive;
    std::string error;
    ASSERT_TRUE(archive.open(open.file, error)) << error;
    ASSERT_EQ(archive.entries().size(), 2u);
    if (c.firstName) {
      EXPECT_EQ(archive.entries()[0].name, std::u16string(c.firstName, c.firstName + 5));
    }
    EXPECT_EQ(archive.entries()[1].name, u"b.txt");
    std::vector<uint8_t> data;
    error.clear();
    EXPECT_EQ(archive.extract(0, data, error), c.firstReadable) << error;
    EXPECT_EQ(error.empty(), c.firstReadable) << error;
    if (c.firstReadable) {
      EXPECT_EQ(bytes(data), c.entries[0].bytes);
    }
    ASSERT_TRUE(archive.extract(1, data, error)) << error;
    EXPECT_EQ(bytes(data), "second");
  }
}
