// The real program on the real game.dat, headless: the maze game from its icon in the main menu through its
// loading, the Classic mode's high-score table, a start in each of the four modes with its pause and return
// to the menu, a Classic game played by keys until dots are eaten, lives are lost and the game ends, a
// high-score name typed in, and the name found again in the Classic table after a restart; and a Classic game
// in which the harmless-chasers cheat brings the score to its bound, ended by the name entry.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "gamelib/Score.h"
#include "platform/seam/capture.h"
#include "program/Frames.h"
#include "program/Saved.h"
#include "program/Start.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = GH_PROGRAM;
constexpr int kWidth = 240;
constexpr int kHeight = 320;

using frames::at;
using frames::differing;
using frames::near;
using frames::Rect;
using frames::staged;

// The 240 x 320 play screen: the maze below a strip of panel, the level-start screen's level and life icons,
// the counter of the timed modes over the maze's top-left corner, and the high-score table's first rows.
constexpr Rect kMaze{0, 22, 240, 276};
constexpr Rect kLevelText{40, 146, 160, 12};
constexpr Rect kLifeIcons{40, 180, 160, 14};
constexpr Rect kCounter{0, 22, 30, 16};
constexpr Rect kTable{20, 50, 200, 30};
constexpr uint32_t kDot = 0xFFF6B0;   // the dots' cream
constexpr uint32_t kWall = 0x6FA8FF;  // the first maze's lit wall edge
constexpr uint32_t kNight = 0x0B0E28;

int count(const platform::Picture& p, Rect r, uint32_t colour) {
  int n = 0;
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x) n += near(at(p, x, y), colour) ? 1 : 0;
  return n;
}

class Script {
 public:
  void key(int t, const char* name, int hold = 50) {
    text_ += std::to_string(t) + " key down " + name + "\n" + std::to_string(t + hold) + " key up " + name + "\n";
  }
  void capture(int t, const std::string& file) { text_ += std::to_string(t) + " capture " + file + "\n"; }
  void close(int t) { text_ += std::to_string(t) + " close\n"; }
  void lines(const std::string& text) { text_ += text; }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// Keys 300 ms apart: the menus take a key at most every 200 ms.
constexpr int kGap = 300;

// The main menu's fourth icon is the maze game.
int toTheGame(Script& s) {
  s.lines(start::toTheGame({"Right", "Right", "Right"}, 21100));
  return 24000;
}

// From the start menu: "High Scores", the Classic table, closed, and the choice's "Exit".
int throughTheClassicTable(Script& s, int t, const std::string& capture) {
  s.key(t, "Down");
  s.key(t += kGap, "Enter");
  s.key(t += kGap, "Enter");
  s.capture(t += kGap, capture);
  s.key(t += 100, "Enter");
  s.key(t += kGap, "Up");
  s.key(t += kGap, "Enter");
  return t + kGap;
}

// Frames of the Classic game, every half second, until the name entry.
constexpr int kFrames = 190;
constexpr int kFrameStep = 500;

std::string frameName(int i) { return "g" + std::to_string(i) + ".png"; }

struct FirstRun {
  std::string script;
  int firstFrame = 0;
};

FirstRun firstRun() {
  Script s;
  int t = toTheGame(s);
  s.capture(t - 100, "menu.png");
  t = throughTheClassicTable(s, t, "table0.png");
  // Four games: the set-up page's mode moves on by one before each start (Fruit, Time, Hunt, then Classic).
  for (int m = 0; m < 4; ++m) {
    s.key(t, "Enter");
    s.key(t += kGap, "Down");
    s.key(t += kGap, "Down");
    s.key(t += kGap, "Enter");
    s.key(t += kGap, "Up");
    s.key(t += kGap, "Up");
    s.key(t += kGap, "Enter");
    s.capture(t += kGap, "start" + std::to_string(m) + ".png");
    s.capture(t += 2000, "play" + std::to_string(m) + ".png");
    t += 100;
    if (m == 3) break;
    s.key(t, "F1");
    s.capture(t += 400, "pause" + std::to_string(m) + ".png");
    s.key(t, "Up");  // to "Main Menu"
    s.key(t += kGap, "Enter");
    t += 400;
  }
  // The Classic game: the player steered round now and then, until every life is gone.
  const char* turns[] = {"Left", "Up", "Right", "Down"};
  const int first = t;
  for (int i = 0; i < kFrames; ++i) {
    const int at = first + i * kFrameStep;
    if (i % 4 == 0) s.key(at + 50, turns[(i / 4) % 4], 400);
    s.capture(at + 450, frameName(i));
  }
  t = first + kFrames * kFrameStep;
  for (const char* letter : {"G", "O", "B"}) s.key(t += kGap, letter);
  s.capture(t += kGap, "name.png");
  s.key(t += 100, "F1");  // the name is accepted
  s.capture(t += 600, "table1.png");
  s.close(t + 200);
  return {s.text(), first};
}

std::string secondRun() {
  Script s;
  const int t = throughTheClassicTable(s, toTheGame(s), "table2.png");
  s.close(t);
  return s.text();
}

// Star, hash, star, 0, 0 (star and hash are App2 and App3): the chasers turn harmless, or harmful again.
int toggleHarmlessChasers(Script& s, int t) {
  for (const char* key : {"App2", "App3", "App2", "0", "0"}) s.key(t += 200, key);
  return t;
}

// Long enough for the chasers that come for the waiting player to have been eaten some thirty times, and
// then for them to have taken every life won meanwhile.
constexpr int kEatingMs = 150000;
constexpr int kDyingMs = 360000;

// The name and score of a stored table's first row: the count byte, then the name in modified UTF-8 (its
// length first) and the score, big-endian.
std::pair<std::string, int32_t> firstRow(const std::string& record) {
  if (record.size() < 3) return {};
  const size_t length = (static_cast<uint8_t>(record[1]) << 8) | static_cast<uint8_t>(record[2]);
  if (record.size() < 3 + length + 4) return {};
  uint32_t score = 0;
  for (size_t i = 0; i < 4; ++i) score = (score << 8) | static_cast<uint8_t>(record[3 + length + i]);
  return {record.substr(3, length), static_cast<int32_t>(score)};
}

platform::Picture read(const test::TempFolder& folder, const std::string& file) {
  platform::Picture p;
  EXPECT_TRUE(platform::readPng(folder.file(file), p)) << file;
  return p;
}

}  // namespace

TEST(GobblerPathTest, EveryModeStartsAndAClassicGameEndsInTheHighScores) {
  test::TempFolder folder;
  fs::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  const FirstRun run = firstRun();
  test::ProgramResult result = test::runProgram(kProgram, folder.path(), run.script, {}, {}, 120);
  ASSERT_EQ(result.exitCode, 0) << result.errors;

  // The loading screen is drawn and replaced within one pass of the program's loop, so no capture shows it;
  // the menu that follows lies on the same splash, shaded behind its list and untouched in the columns beside.
  platform::Picture splash, main = read(folder, "main.png"), menu = read(folder, "menu.png");
  ASSERT_TRUE(platform::readPng(staged("graphics/240x320/gob/splash.png").string(), splash));
  const int splashTop = (kHeight - splash.height) / 2;
  EXPECT_GT(differing(menu, main, {0, 0, kWidth, kHeight}), kWidth * kHeight / 2);
  const Rect beside{0, splashTop, 12, splash.height};
  int asDrawn = 0;
  for (int y = beside.y; y < beside.y + beside.h; ++y)
    for (int x = beside.x; x < beside.x + beside.w; ++x) asDrawn += near(at(menu, x, y), at(splash, x, y - splashTop));
  EXPECT_EQ(asDrawn, beside.w * beside.h);

  // Each mode starts with the level-start screen, then the maze; the Fruit, Time and Hunt modes count at its
  // top-left corner, the Classic mode does not.
  const platform::Picture classic = read(folder, "play3.png");
  for (int m = 0; m < 4; ++m) {
    const platform::Picture start = read(folder, "start" + std::to_string(m) + ".png");
    const platform::Picture play = read(folder, "play" + std::to_string(m) + ".png");
    EXPECT_GT(count(start, kMaze, kNight), kMaze.w * kMaze.h * 9 / 10) << m;
    EXPECT_GT(count(play, kMaze, kWall), 500) << m;
    if (m < 3) {
      EXPECT_GT(differing(play, classic, kCounter), 10) << m;
      // Paused, the menu covers the maze.
      EXPECT_GT(differing(read(folder, "pause" + std::to_string(m) + ".png"), play, kMaze), kMaze.w * kMaze.h / 2) << m;
    }
  }
  const platform::Picture firstStart = read(folder, "start3.png");

  // The Classic game: dots eaten, a life lost (the level-start screen again, one life icon fewer), and the
  // end of the game.
  const int dotsAtFirst = count(classic, kMaze, kDot);
  bool dotsEaten = false, lifeLost = false;
  int lastPlay = -1;
  std::vector<platform::Picture> frames;
  for (int i = 0; i < kFrames; ++i) frames.push_back(read(folder, frameName(i)));
  for (int i = 0; i < kFrames; ++i) {
    const platform::Picture& f = frames[i];
    if (count(f, kMaze, kWall) > 500) {
      lastPlay = i;
      dotsEaten |= count(f, kMaze, kDot) < dotsAtFirst - 40;
    } else if (differing(f, firstStart, kLevelText) == 0 && differing(f, firstStart, kLifeIcons) > 0) {
      lifeLost = true;
    }
  }
  EXPECT_TRUE(dotsEaten);
  EXPECT_TRUE(lifeLost);
  ASSERT_GE(lastPlay, 0);
  ASSERT_LT(lastPlay + 10, kFrames) << "the game did not end in time";
  // After the game-over screen, the name entry.
  const platform::Picture name = read(folder, "name.png");
  EXPECT_GT(differing(name, frames[lastPlay], {0, 0, kWidth, kHeight}), kWidth * kHeight / 3);
  const platform::Picture table0 = read(folder, "table0.png"), table1 = read(folder, "table1.png");
  EXPECT_GT(differing(table0, table1, kTable), 0);

  // After a restart the Classic table still holds the name.
  test::ProgramResult again = test::runProgram(kProgram, folder.path(), secondRun());
  ASSERT_EQ(again.exitCode, 0) << again.errors;
  const platform::Picture table2 = read(folder, "table2.png");
  EXPECT_EQ(differing(table1, table2, kTable), 0);
  EXPECT_GT(differing(table0, table2, kTable), 0);
}

TEST(GobblerPathTest, ChasersEatenWithoutEndBringTheLargestScoreAndItsNameEntry) {
  test::TempFolder folder;
  fs::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  Script s;
  int t = toTheGame(s);
  // "Start", then the set-up page's "Start": a Classic game, whose player runs to a wall and waits there.
  s.key(t, "Enter");
  s.key(t += kGap, "Enter");
  t = toggleHarmlessChasers(s, t + 2000);
  t = toggleHarmlessChasers(s, t + kEatingMs);
  t += kDyingMs;
  for (const char* letter : {"M", "A", "X"}) s.key(t += kGap, letter);
  s.key(t += kGap, "F1");  // the name is accepted
  s.close(t + 600);
  const test::ProgramResult result = test::runProgram(kProgram, folder.path(), s.text(), {}, {}, 120);
  ASSERT_EQ(result.exitCode, 0) << result.errors;
  EXPECT_EQ(result.errors, "");
  const std::string record = saved::firstRecord(folder.file("glimmerhut/registry.db"), u"gobblerhs0");
  EXPECT_EQ(firstRow(record), std::make_pair(std::string("max"), gamelib::kHighestScore));
}
