// The real program, headless, on a game.dat with one picture of the space-rocks game damaged: the damage is
// named on stderr, the game ends into the main menu, and the program goes on until the script closes it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/seam/capture.h"
#include "program/Frames.h"
#include "support/Archives.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

constexpr const char* kProgram = GH_PROGRAM;

std::string press(int t, const char* key) {
  return std::to_string(t) + " key down " + key + "\n" + std::to_string(t + 100) + " key up " + key + "\n";
}

// The questions answered, the main menu seen, the space-rocks game chosen (right three times and down once
// from the brick game), then its "Start"; the main menu is looked at again well after.
std::string script() {
  return press(1700, "Enter") + press(2300, "Enter") + "20000 capture main.png\n" + press(20100, "Right") +
         press(20500, "Right") + press(20900, "Right") + press(21300, "Down") + press(22000, "Enter") +
         press(24000, "Enter") + "32000 capture after.png\n33000 close\n";
}

// The built game.dat into the folder with one entry changed.
void writeWithEntryChanged(const test::TempFolder& folder, const std::u16string& name,
                           const std::function<void(std::string&)>& change) {
  std::vector<test::StoredEntry> entries = test::readStoredEntries(GH_GAME_DAT);
  ASSERT_GT(entries.size(), 100u);
  size_t changed = 0;
  for (test::StoredEntry& e : entries) {
    if (e.name != name) continue;
    change(e.bytes);
    ++changed;
  }
  ASSERT_EQ(changed, 1u);
  test::writeStoredArchive(folder.file("game.dat"), entries);
}

TEST(DamagedGameDataTest, ADamagedPictureIsNamedAndTheProgramGoesOnInTheMainMenu) {
  const std::vector<test::StoredEntry> built = test::readStoredEntries(GH_GAME_DAT);
  ASSERT_GT(built.size(), 100u);
  struct Case {
    const char* what;
    std::u16string entry;
    bool flip;  // else its bytes are no picture
    const char* said;
  } cases[] = {
      {"the sprite atlas, damaged in the archive", u"graphics/240x320/rck/all.png", true,
       "Space Rocks could not start: IOException game.dat: graphics/240x320/rck/all.png: "},
      {"the first level's picture, no picture", u"graphics/240x320/rck/1.png", false,
       "Rocks ended: IOException game.dat: graphics/240x320/rck/1.png: not a PNG or JPEG picture"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder folder;
    std::vector<test::StoredEntry> entries = built;
    if (c.flip) {
      test::writeWithDamagedEntry(folder.file("game.dat"), entries, c.entry);
    } else {
      for (test::StoredEntry& e : entries)
        if (e.name == c.entry) e.bytes = "no picture";
      test::writeStoredArchive(folder.file("game.dat"), entries);
    }
    test::ProgramResult run = test::runProgram(kProgram, folder.path(), script());
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.errors.find(std::string("GlimmerHut: ") + c.said), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("unhadled"), std::string::npos) << run.errors;
    // The main menu again: its title and the top row of icons as at first.
    platform::Picture main, after;
    ASSERT_TRUE(platform::readPng(folder.file("main.png"), main));
    ASSERT_TRUE(platform::readPng(folder.file("after.png"), after));
    EXPECT_LT(frames::differing(main, after, frames::Rect{0, 0, 240, 100}), 100);
  }
}

// An image-table line that is no rectangle is refused naming the entry, the line and the fault; before, a
// line short of a field read "...bnc/all.txt: ArrayIndexOutOfBoundsException", a blank line ended the table
// and the refusal named a picture that is in it ("b1_0.png" is not in graphics/240x320/bnc/all.txt), and
// lines ended by LF alone ran together into one.
TEST(DamagedGameDataTest, AnImageTableLineThatIsNoRectangleIsNamed) {
  struct Case {
    const char* what;
    std::function<void(std::string&)> change;
    const char* said;
  } cases[] = {
      {"the first line without its height",
       [](std::string& bytes) {
         const size_t end = bytes.find('\r');
         const size_t height = bytes.rfind(';', end);
         bytes.erase(height, end - height);
       },
       "line 1 has 4 fields, 5 are needed: the height is missing"},
      {"a blank line after the first", [](std::string& bytes) { bytes.insert(bytes.find('\n') + 1, "\r\n"); },
       "line 2 is empty"},
      {"line feeds alone",
       [](std::string& bytes) {
         for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at)) bytes.erase(at, 1);
       },
       "line 1 ends in a line feed alone; the table's lines end in CR LF"},
  };
  // The questions answered, the brick game chosen from the main menu.
  const std::string script =
      press(1700, "Enter") + press(2300, "Enter") + press(20100, "Enter") + "24000 capture after.png\n25000 close\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder folder;
    writeWithEntryChanged(folder, u"graphics/240x320/bnc/all.txt", c.change);
    if (HasFatalFailure()) return;
    test::ProgramResult run = test::runProgram(kProgram, folder.path(), script);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.errors.find(std::string(" could not start: IOException game.dat: graphics/240x320/bnc/all.txt: ") +
                              c.said + "\n"),
              std::string::npos)
        << run.errors;
  }
}

// The first map with its line ends changed.
std::string withLineEnds(const std::string& lineEnd) {
  std::string map;
  for (const test::StoredEntry& e : test::readStoredEntries(GH_GAME_DAT)) {
    if (e.name == u"data/gob/maps/map00.txt") map = e.bytes;
  }
  std::string out;
  for (size_t at = 0;;) {
    const size_t end = map.find("\r\n", at);
    out += map.substr(at, end - at);
    if (end == std::string::npos) return out;
    out += lineEnd;
    at = end + 2;
  }
}

// The questions answered, the maze game chosen (right three times from the brick game), its start page's
// "Start", and the set-up page's "Start".
std::string playTheMazeGame() {
  return press(1700, "Enter") + press(2300, "Enter") + press(20100, "Right") + press(20400, "Right") +
         press(20700, "Right") + press(21100, "Enter") + press(24000, "Enter") + press(24400, "Enter") +
         "27000 capture play.png\n28000 close\n";
}

// Maze maps whose last row has line ends and blank lines after it play: they are no rows. Before, the line
// end after a map of the largest height, 18 x 128 cells, counted as a 129th row and the map was refused as
// too large, and a blank line after the last row measured the maze 0 cells wide and the game refused the
// map as one without a start for the player.
TEST(DamagedGameDataTest, MazeMapsWithLineEndsAfterTheirLastRowPlay) {
  // Dots in a frame of wall, the player's start in the middle, the chasers' starts near the top.
  std::string largest;
  for (int row = 0; row < 128; ++row) {
    std::string line = row == 0 || row == 127 ? std::string(18, '1') : "1" + std::string(16, '.') + "1";
    if (row == 64) line[9] = 'p';
    if (row == 4) {
      line[5] = 'r';
      line[12] = 'g';
    }
    largest += line + "\r\n";
  }
  struct Case {
    const char* what;
    std::string map;
  } cases[] = {
      {"18 x 128 cells, a line end after the last row", largest},
      {"the first map, a blank line after the last row", withLineEnds("\r\n") + "\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder folder;
    writeWithEntryChanged(folder, u"data/gob/maps/map00.txt", [&](std::string& bytes) { bytes = c.map; });
    if (HasFatalFailure()) return;
    test::ProgramResult run = test::runProgram(kProgram, folder.path(), playTheMazeGame());
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.errors.find("map00.txt"), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("cannot play"), std::string::npos) << run.errors;
    // The maze is on the screen: the first maze's blue walls run down both its sides (the main menu has a few
    // hundred pixels of that blue, the maze some ten thousand).
    platform::Picture play;
    ASSERT_TRUE(platform::readPng(folder.file("play.png"), play));
    int wall = 0;
    for (int y = 22; y < 298; ++y)
      for (int x = 0; x < 240; ++x) wall += frames::near(frames::at(play, x, y), 0x2858D8) ? 1 : 0;
    EXPECT_GT(wall, 5000);
  }
}

// A maze map the game cannot read, or far larger than it draws, is refused by name before its grid is made,
// and the program goes on in the main menu holding little memory. Before, the first map with line feeds
// alone was measured 0 cells wide and refused as a map without a start for the player, a map of 93 KB of
// line feeds overflowed the cell count, and one of 40 KB asked for 6.4 GB.
TEST(DamagedGameDataTest, AMazeMapTheGameCannotReadIsRefusedByNameWithoutItsMemory) {
  const char* lineFeed = "line 1 ends in a line feed alone; the maze's lines end in CR LF";
  std::string tall;
  for (int row = 0; row < 46500; ++row) tall += "0\r\n";
  struct Case {
    const char* what;
    std::string map;
    const char* said;
  } cases[] = {
      {"the first map with line feeds alone", withLineEnds("\n"), lineFeed},
      {"93 KB of line feeds and one carriage return", std::string(46500, '\n') + "\r" + std::string(46499, '0'),
       lineFeed},
      {"46 500 rows", tall, "the maze is larger than 128 x 128 cells"},
  };
  // The questions answered, the maze game chosen (right three times from the brick game).
  const std::string script = press(1700, "Enter") + press(2300, "Enter") + press(6000, "Right") + press(6400, "Right") +
                             press(6800, "Right") + press(7500, "Enter") + "14000 capture after.png\n15000 close\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder folder;
    writeWithEntryChanged(folder, u"data/gob/maps/map00.txt", [&](std::string& bytes) { bytes = c.map; });
    if (HasFatalFailure()) return;
    test::ProgramResult run = test::runProgram(kProgram, folder.path(), script);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.errors.find(std::string("GlimmerHut: Gobbler could not start: IOException game.dat: "
                                          "data/gob/maps/map00.txt: ") +
                              c.said + "\n"),
              std::string::npos)
        << run.errors;
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(run.peakKiB, 100 * 1024);
#endif
  }
}

}  // namespace
