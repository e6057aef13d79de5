// The real program on the real game.dat, headless: the tunnel game from the main menu's fourth icon, level 1
// played by keys: the miner digs, eats crystals, leads the monsters under a row of bags and drops one on
// them, is caught again and again until the game is over, and types a name into the high-score table,
// which is still there after a restart.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/seam/capture.h"
#include "program/Frames.h"
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

// The field of 15 x 10 cells of 15 pixels, centred; the score at the right of the heads-up row under it,
// the lives left of it; the high-score table's rows.
constexpr Rect kField{7, 85, 225, 150};
constexpr Rect kScore{150, 265, 86, 24};
constexpr Rect kLives{26, 265, 50, 24};
constexpr Rect kTable{20, 40, 200, 40};
// A squashed monster is lime all over; a living one shows two lime feelers at most.
constexpr uint32_t kLime = 0x8CE040;
constexpr int kSquashedLime = 20;

// The fourth icon (under the first) is the tunnel game, which opens on its menu.
const std::string kToTheGame = start::toTheGame({"Down"}, 21000);

// The miner's way on level 1: right along the bottom row to meet the monsters' shaft, up under the row of
// bags, then left beneath them with the monsters behind. Key times are whole play steps of 60 ms.
struct Move {
  const char* key;
  int from, ms;
};
constexpr Move kMoves[] = {{"Right", 27500, 1800}, {"Up", 29400, 1800}, {"Left", 32000, 3600}};

// Frames every half second from the first move to the name entry, and faster ones while the bags fall.
constexpr int kPlayFrom = 27500;
constexpr int kPlayTo = 86000;
constexpr int kFrameStep = 500;
constexpr int kBagsFrom = 32000;
constexpr int kBagsTo = 36000;
constexpr int kBagsStep = 150;

std::string frameName(const char* prefix, int t) { return prefix + std::to_string(t) + ".png"; }

std::string firstRunScript() {
  std::string s = kToTheGame;
  s += "24000 capture menu.png\n"
       "25500 key down Enter\n25550 key up Enter\n"  // start: level 1
       "26000 capture intro.png\n"
       "27400 capture play0.png\n";
  for (const Move& m : kMoves)
    s += std::to_string(m.from) + " key down " + m.key + "\n" + std::to_string(m.from + m.ms) + " key up " + m.key +
         "\n";
  for (int t = kPlayFrom; t < kPlayTo; t += kFrameStep)
    s += std::to_string(t + 10) + " capture " + frameName("f", t) + "\n";
  for (int t = kBagsFrom; t < kBagsTo; t += kBagsStep)
    s += std::to_string(t + 5) + " capture " + frameName("b", t) + "\n";
  s += "90000 capture name.png\n"
       "90300 key down D\n90350 key up D\n"
       "90600 key down I\n90650 key up I\n"
       "90900 key down G\n90950 key up G\n"
       "91200 key down F1\n91250 key up F1\n"  // the name is accepted
       "92500 capture table1.png\n"
       "93000 close\n";
  return s;
}

// The menu's second entry is the high-score table.
std::string tableScript(const char* capture) {
  return kToTheGame + "24000 key down Down\n24050 key up Down\n24400 key down Enter\n24450 key up Enter\n" +
         "25000 capture " + capture + "\n25500 close\n";
}

int limePixels(const platform::Picture& p) {
  int n = 0;
  for (int y = kField.y; y < kField.y + kField.h; ++y)
    for (int x = kField.x; x < kField.x + kField.w; ++x) n += near(at(p, x, y), kLime) ? 1 : 0;
  return n;
}

bool fieldIsBlack(const platform::Picture& p) {
  int black = 0;
  for (int y = kField.y; y < kField.y + kField.h; y += 3)
    for (int x = kField.x; x < kField.x + kField.w; x += 3) black += at(p, x, y) == 0 ? 1 : 0;
  return black > 3000;
}

platform::Picture load(const test::TempFolder& folder, const std::string& file) {
  platform::Picture p;
  EXPECT_TRUE(platform::readPng(folder.file(file), p)) << file;
  return p;
}

TEST(BurrowPathTest, DigDropABagOnTheMonstersLoseEveryLifeAndKeepTheHighScore) {
  test::TempFolder folder;
  fs::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  test::ProgramResult run = test::runProgram(kProgram, folder.path(), firstRunScript());
  ASSERT_EQ(run.exitCode, 0) << run.errors;

  const platform::Picture main = load(folder, "main.png"), menu = load(folder, "menu.png");
  const platform::Picture intro = load(folder, "intro.png"), play0 = load(folder, "play0.png");
  // The main menu gave way to the game's menu over its splash, then the level's caption on black.
  EXPECT_GT(differing(main, menu, {0, 0, kWidth, kHeight}), kWidth * kHeight / 2);
  EXPECT_TRUE(fieldIsBlack(intro));
  EXPECT_FALSE(fieldIsBlack(play0));

  // Play: the field changes as the miner digs, the score rises from crystals, the lives go.
  std::vector<platform::Picture> play;
  for (int t = kPlayFrom; t < kPlayTo; t += kFrameStep) play.push_back(load(folder, frameName("f", t)));
  bool dug = false, scored = false, lifeLost = false;
  int gameOver = -1;
  for (int i = 0; i < static_cast<int>(play.size()); ++i) {
    if (fieldIsBlack(play[static_cast<size_t>(i)])) {
      gameOver = i;
      break;
    }
    dug |= differing(play0, play[static_cast<size_t>(i)], kField) > 2000;
    scored |= differing(play0, play[static_cast<size_t>(i)], kScore) > 0;
    lifeLost |= differing(play0, play[static_cast<size_t>(i)], kLives) > 0;
  }
  EXPECT_TRUE(dug);
  EXPECT_TRUE(scored);
  EXPECT_TRUE(lifeLost);

  // While the bags fall behind the miner, one of them squashes a monster.
  int squashed = 0;
  for (int t = kBagsFrom; t < kBagsTo; t += kBagsStep)
    squashed += limePixels(load(folder, frameName("b", t))) > kSquashedLime;
  EXPECT_GT(squashed, 0);

  // The last life lost: the game-over caption, then the name entry over the menu's picture.
  ASSERT_GT(gameOver, 0) << "the game did not end";
  const platform::Picture name = load(folder, "name.png");
  EXPECT_GT(differing(name, play[static_cast<size_t>(gameOver)], {0, 0, kWidth, kHeight}), kWidth * kHeight / 4);
  const platform::Picture table1 = load(folder, "table1.png");
  EXPECT_GT(differing(table1, name, kTable), 0);

  // After a restart the table still shows the name; a fresh table does not.
  test::ProgramResult again = test::runProgram(kProgram, folder.path(), tableScript("table2.png"));
  ASSERT_EQ(again.exitCode, 0) << again.errors;
  EXPECT_EQ(differing(table1, load(folder, "table2.png"), kTable), 0);
  test::TempFolder fresh;
  fs::copy_file(GH_GAME_DAT, fresh.file("game.dat"));
  test::ProgramResult first = test::runProgram(kProgram, fresh.path(), tableScript("table0.png"));
  ASSERT_EQ(first.exitCode, 0) << first.errors;
  EXPECT_GT(differing(table1, load(fresh, "table0.png"), kTable), 0);
}

}  // namespace
