// The real program on a game.dat with one entry damaged: the start ends with its message naming the
// archive and the entry, never with an allocation failure or an unknown exception.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/api/windows.h"
#include "platform/host/archive7z.h"
#include "platform/host/paths.h"
#include "shell/ExitStatus.h"
#include "support/Archives.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

constexpr const char* kProgram = GH_PROGRAM;

// Every file of the built game.dat, in its order.
std::vector<test::StoredEntry> builtEntries() {
  std::vector<test::StoredEntry> out;
  HANDLE file = CreateFileW(platform::toDevicePath(GH_GAME_DAT).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return out;
  platform::Archive7z archive;
  std::string error;
  if (archive.open(file, error)) {
    for (size_t i = 0; i < archive.entries().size(); ++i) {
      const platform::Archive7z::Entry& entry = archive.entries()[i];
      std::vector<uint8_t> bytes;
      if (entry.directory || !archive.extract(i, bytes, error)) continue;
      out.push_back({entry.name, std::string(bytes.begin(), bytes.end()), {}});
    }
  }
  CloseHandle(file);
  return out;
}

TEST(DamagedArchiveTest, TheStartEndsWithAMessageNamingTheArchive) {
  const std::vector<test::StoredEntry> built = builtEntries();
  ASSERT_GT(built.size(), 100u);
  struct Case {
    const char* what;
    std::u16string entry;  // read during the start
    bool flip;             // else it claims a terabyte
  } cases[] = {
      {"a resolution file claiming a terabyte", u"graphics/240x320.dat", false},
      {"a flipped byte inside the logo", u"graphics/240x320/vandelorn.png", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder folder;
    std::vector<test::StoredEntry> entries = built;
    size_t damaged = entries.size();
    for (size_t i = 0; i < entries.size(); ++i)
      if (entries[i].name == c.entry) damaged = i;
    ASSERT_LT(damaged, entries.size());
    if (!c.flip) entries[damaged].statedSize = uint64_t{1} << 40;
    std::vector<uint64_t> at = test::writeStoredArchive(folder.file("game.dat"), entries);
    if (c.flip) test::flipByte(folder.file("game.dat"), at[damaged] + entries[damaged].bytes.size() / 2);

    test::ProgramResult run = test::runProgram(kProgram, folder.path(), "60000 capture never.png\n");
    EXPECT_NE(run.exitCode, -1) << run.errors;
    const std::string named = "game.dat: " + std::string(c.entry.begin(), c.entry.end()) + ": ";
    EXPECT_NE(run.errors.find("the start failed"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find(named), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("unknown exception"), std::string::npos) << run.errors;
  }
}

// An archive that lists no file, or whose list names no file for its data or names its files with empty
// names, is damage and ends the start as a damaged game.dat does; before, each read as a game.dat without
// this screen's set ("has no data for a 240 x 320 screen") and ended with that status.
TEST(DamagedArchiveTest, AnArchiveThatListsNoFileIsDamageNotAScreenItLacks) {
  const std::string files("\x05\x02\x11", 3);  // two files with data: the files' id, their count, the names' id
  const std::vector<test::StoredEntry> entries = {{u"data/keys.txt", "KEY_LEFT_SOFT1=10000\r\n", {}},
                                                  {u"graphics/240x320.dat", "PATH=240x320/\r\n", {}}};
  const std::string opening = "GlimmerHut: the start failed while opening the resource archive \"game.dat\": ";
  struct Case {
    const char* what;
    std::vector<test::StoredEntry> entries;
    std::function<void(std::string&)> change;
    const char* said;
  } cases[] = {
      {"no files", {}, [](std::string&) {}, "IOException game.dat: the archive lists no files\n"},
      {"a file count of 0", entries, [&](std::string& list) { list[list.rfind(files) + 1] = 0; },
       "IOException game.dat: the archive's list of entries is damaged\n"},
      {"the names' property id changed", entries, [&](std::string& list) { list[list.rfind(files) + 2] = 0x30; },
       "IOException game.dat: the archive's list of entries is damaged\n"},
      {"empty names",
       {{u"", entries[0].bytes, {}}, {u"", entries[1].bytes, {}}},
       [](std::string&) {},
       "IOException game.dat: the archive's list of entries is damaged\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder folder;
    test::writeStoredArchiveWithList(folder.file("game.dat"), c.entries, c.change);
    test::ProgramResult run = test::runProgram(kProgram, folder.path(), "60000 capture never.png\n");
    EXPECT_EQ(run.exitCode, shell::kFailed) << run.errors;
    EXPECT_NE(run.errors.find(opening + c.said), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("has no data for"), std::string::npos) << run.errors;
  }
}

// One damaged byte of a font's metrics ends the start with the font's entry named, whichever byte it is and
// whatever it says; before, a count byte of 0x80 to 0xFF loaded and the main menu then failed at its first
// text with an ArrayIndexOutOfBoundsException naming nothing.
TEST(DamagedArchiveTest, ADamagedFontEndsTheStartNamingItsEntry) {
  const std::vector<test::StoredEntry> built = builtEntries();
  ASSERT_GT(built.size(), 100u);
  struct Case {
    const char* what;
    std::u16string entry;
    size_t offset;
    char value;
    const char* why;
  } cases[] = {
      {"the menu font's count byte 0xFF", u"240x320/menu/font_0", 0, '\xFF', "the table ends before its last glyph"},
      {"the menu font's count byte 0x80", u"240x320/menu/font_0", 0, '\x80', "the table ends before its last glyph"},
      {"the title font's count byte 0x01", u"240x320/hud1/font_0", 0, '\x01', "bytes after the last glyph"},
      {"a width of -1", u"240x320/small/font_0", 4, '\xFF', "a glyph has a negative width"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder folder;
    std::vector<test::StoredEntry> entries = built;
    for (test::StoredEntry& e : entries)
      if (e.name == c.entry) e.bytes[c.offset] = c.value;
    test::writeStoredArchive(folder.file("game.dat"), entries);
    test::ProgramResult run = test::runProgram(kProgram, folder.path(),
                                               "1700 key down Enter\n1800 key up Enter\n"
                                               "2300 key down Enter\n2400 key up Enter\n"
                                               "60000 capture never.png\n");
    EXPECT_NE(run.exitCode, -1) << run.errors;
    const std::string said = "GlimmerHut: the start failed while loading the fonts: IOException game.dat: " +
                             std::string(c.entry.begin(), c.entry.end()) + ": " + c.why + "\n";
    EXPECT_NE(run.errors.find(said), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("the main menu failed"), std::string::npos) << run.errors;
  }
}

}  // namespace
