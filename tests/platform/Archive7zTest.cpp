// The 7z reader of the stand-in: the entry list and whole-entry decoding.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
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

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The files under folder/in, archived by 7-Zip itself with the options given, folders included.
void sevenZip(const test::TempFolder& folder, const test::ArchiveFiles& files, const std::string& options) {
  std::filesystem::remove_all(folder.file("in"));
  std::filesystem::remove(folder.file("out.7z"));
  test::writeFiles(folder.file("in"), files);
  const std::string command = "cd '" + folder.path() +
                              "' && { command -v 7zz >/dev/null && tool=7zz || tool=7z; } && "
                              "$tool a -t7z -bso0 -bsp0 -mtm=off " +
                              options + " out.7z ./in/*";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

uint64_t little(const std::string& s, size_t at, int bytes) {
  uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(static_cast<uint8_t>(s[at + i])) << (8 * i);
  return v;
}

void putLittle(std::string& s, size_t at, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t crc(const std::string& s, size_t at, size_t size) {
  return platform::sevenzip::crc32(reinterpret_cast<const uint8_t*>(s.data()) + at, size);
}

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

// An entry is unpacked whole into memory: one claiming more than 64 MiB is refused before anything is
// unpacked. Before, up to 2 GB was, which a few KB of LZMA can hold.
TEST(Archive7zTest, AnEntryClaimingMoreThanTheBoundIsRefusedUnread) {
  test::TempFolder folder;
  const std::string path = folder.file("claims.dat");
  for (uint64_t claimed : {uint64_t{64} << 20, (uint64_t{64} << 20) + 1, uint64_t{0x7FFFFFFF}}) {
    SCOPED_TRACE(claimed);
    test::writeStoredArchive(path, {{u"a.txt", "first entry", claimed}});
    OpenArchive open(path);
    platform::Archive7z archive;
    std::string error;
    ASSERT_TRUE(archive.open(open.file, error)) << error;
    std::vector<uint8_t> data;
    EXPECT_FALSE(archive.extract(0, data, error));
    // At the bound it is read, and found shorter than it claims.
    const std::string refused = "the entry claims " + std::to_string(claimed) + " bytes, more than an entry can hold";
    EXPECT_EQ(error == refused, claimed > (uint64_t{64} << 20)) << error;
  }
}

// A list whose checksums hold but that names no file for the streams it lists is damaged: its streams
// belong to no file, or its files have no names or empty ones. Before, such an archive opened as one holding
// nothing, or holding entries no name finds.
TEST(Archive7zTest, AListThatNamesNoFileForItsStreamsIsDamaged) {
  test::TempFolder folder;
  const std::string path = folder.file("list.dat");
  // Two files with data: their part of the list is the files' id, their count 2 and the names' id.
  const std::string files("\x05\x02\x11", 3);
  const std::function<void(std::string&)> asWritten = [](std::string&) {};
  struct Case {
    const char* what;
    std::function<void(std::string&)> change;
    bool opened;
    std::u16string firstName = u"a.txt";
  } cases[] = {
      {"as written", asWritten, true},
      {"a file count of 0", [&](std::string& list) { list[list.rfind(files) + 1] = 0; }, false},
      {"a file count of 1", [&](std::string& list) { list[list.rfind(files) + 1] = 1; }, false},
      {"the names' property id changed", [&](std::string& list) { list[list.rfind(files) + 2] = 0x30; }, false},
      {"no files at all", [&](std::string& list) { list.replace(list.rfind(files), std::string::npos, 1, 0); }, false},
      {"an empty name", asWritten, false, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::writeStoredArchiveWithList(path, {{c.firstName, "alpha", {}}, {u"b.txt", "beta", {}}}, c.change);
    OpenArchive open(path);
    platform::Archive7z archive;
    std::string error;
    EXPECT_EQ(archive.open(open.file, error), c.opened) << error;
    if (c.opened) {
      ASSERT_EQ(archive.entries().size(), 2u);
      EXPECT_TRUE(archive.entries()[1].name == u"b.txt");
    } else {
      EXPECT_EQ(error, "the archive's list of entries is damaged");
    }
  }
}

// Shapes 7-Zip writes beside the packer's: solid blocks, a plain list, a filter before LZMA, stored data,
// and the archive's own folders listed as entries.
TEST(Archive7zTest, ReadsWhatSevenZipWrites) {
  std::mt19937 random(3);
  std::string noise(100000, '\0');  // more than one piece of packed bytes
  for (char& c : noise) c = static_cast<char>(random());
  const test::ArchiveFiles files = {
      {"big.bin", noise},        {"empty", ""}, {"sub/a.txt", "hi\n"}, {"sub/deeper/b.txt", std::string(300, 'x')},
      {"c.txt", "the last one"},
  };
  const std::set<std::u16string> folders = {u"sub", u"sub/deeper"};
  const char* cases[] = {"-ms=off -mhc=on", "-ms=on -mhc=on", "-ms=on -mhc=off", "-ms=off -m0=Delta:4 -m1=LZMA",
                         "-ms=off -mhc=off -m0=Copy"};
  test::TempFolder folder;
  for (const char* options : cases) {
    SCOPED_TRACE(options);
    sevenZip(folder, files, options);
    OpenArchive open(folder.file("out.7z"));
    platform::Archive7z archive;
    std::string error;
    ASSERT_TRUE(archive.open(open.file, error)) << error;
    ASSERT_EQ(archive.entries().size(), files.size() + folders.size());
    // Last first: no entry needs the ones before it read.
    for (size_t i = archive.entries().size(); i-- > 0;) {
      const auto& entry = archive.entries()[i];
      const std::string name(entry.name.begin(), entry.name.end());
      EXPECT_EQ(entry.directory, folders.count(entry.name) == 1) << name;
      std::vector<uint8_t> data;
      ASSERT_TRUE(archive.extract(i, data, error)) << name << ": " << error;
      EXPECT_EQ(bytes(data), entry.directory ? "" : files.at(name)) << name;
    }
  }
}

// A list damaged where its checksums cannot tell (they are made again to match it) is refused, or read
// into entries that each decode to exactly their listed size or not at all; nothing is read past what the
// list holds.
TEST(Archive7zTest, AListDamagedBehindItsChecksumsIsReadSafely) {
  test::TempFolder folder;
  sevenZip(folder, {{"a.txt", "alpha alpha"}, {"empty", ""}, {"sub/b.bin", std::string(200, '\x07')}},
           "-ms=off -mhc=off");
  const std::string good = fileBytes(folder.file("out.7z"));
  constexpr size_t kStart = 32;
  const size_t listAt = kStart + little(good, 12, 8);
  const size_t listSize = little(good, 20, 8);
  ASSERT_EQ(listAt + listSize, good.size());
  int refused = 0, opened = 0;
  for (size_t at = listAt; at < good.size(); ++at) {
    for (int flip : {0x01, 0x10, 0x80, 0xFF}) {
      std::string damaged = good;
      damaged[at] = static_cast<char>(damaged[at] ^ flip);
      putLittle(damaged, 28, crc(damaged, listAt, listSize), 4);
      putLittle(damaged, 8, crc(damaged, 12, 20), 4);
      test::writeFiles(folder.path(), {{"damaged.7z", damaged}});
      OpenArchive open(folder.file("damaged.7z"));
      platform::Archive7z archive;
      std::string error;
      if (!archive.open(open.file, error)) {
        EXPECT_FALSE(error.empty());
        ++refused;
        continue;
      }
      ++opened;
      for (size_t i = 0; i < archive.entries().size(); ++i) {
        std::vector<uint8_t> data;
        if (archive.extract(i, data, error)) {
          EXPECT_EQ(data.size(), archive.entries()[i].size) << "flip " << flip << " at " << at;
        }
      }
    }
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(opened, 0);
}
