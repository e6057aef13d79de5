// The help page: paragraphs broken into lines, animation lines, damaged help files, scrolling by line and by
// page, taps, and the scroll bar on texts shorter than a page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextTables.h"
#include "core/lang/DObjectArray.h"
#include "gamelib/Animation.h"
#include "gamelib/GameMenu.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/TextTable.h"
#include "support/Exceptions.h"

namespace {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::GameMenuPtr;
using gamelib::ScreenCanvas;
using gamelib::GameAction::Down;
using gamelib::GameAction::Fire;
using gamelib::GameAction::Up;
using gltest::narrow;
using nuv::lang::DObject;
using nuv::lang::DObjectArray;
using nuv::lang::DObjectArrayPtr;

class HelpPageTest : public gltest::MenuFixture {
 protected:
  void SetUp() override {
    MenuFixture::SetUp();
    menu = new GameMenu();
    GameMenu::inputClock = 1;
  }
  // Writes the help source beside the program and loads it.
  void load(const std::string& source, DObjectArrayPtr animations = nullptr) {
    datakit::Bytes bytes = datakit::writeHelp(source, "help");
    writeBeside("help.txt", std::string(bytes.begin(), bytes.end()));
    menu->loadHelp(u"/help.txt", animations);
    menu->mode = GameMenu::MODE_HELP;
  }
  std::vector<std::string> lines() {
    std::vector<std::string> out;
    for (int32_t i = 0; i < GameMenu::helpLineCount; ++i) {
      DObject* line = (*GameMenu::helpLines)[i].get();
      out.push_back(line == nullptr ? "(blank)" : narrow(line->toString()));
    }
    return out;
  }
  int32_t width(const std::string& text) {
    return (*GameLib::fonts)[GameLib::FONT_SMALL]->stringWidth(
        nuv::lang::DStringPtr(new nuv::lang::DString(text.c_str())));
  }
  void stepWith(const std::function<void()>& input) {
    wait(201);
    input();
    menu->update();
    ScreenCanvas::resetInput();
  }
  // Help lines "line 0" to "line n-1".
  void loadNumbered(int32_t n) {
    std::string source;
    for (int32_t i = 0; i < n; ++i) source += "line " + std::to_string(i) + "\n";
    load(source);
  }
  GameMenuPtr menu;
};

TEST_F(HelpPageTest, ParagraphsBreakAtTheLastSpaceThatFits) {
  const int32_t maxWidth = 240 - 2 * menu->left - 4;
  std::string longParagraph;
  for (int i = 0; i < 30; ++i) longParagraph += "word" + std::to_string(i) + " ";
  longParagraph += "end";
  load("Short line.\n\nAfter a blank.\n" + longParagraph);
  std::vector<std::string> got = lines();
  ASSERT_GT(got.size(), 4u);
  EXPECT_EQ(got[0], "Short line.");
  EXPECT_EQ(got[1], "");
  EXPECT_EQ(got[2], "After a blank.");
  std::string joined;
  for (size_t i = 3; i < got.size(); ++i) {
    EXPECT_LE(width(got[i]), maxWidth) << got[i];
    EXPECT_NE(got[i].front(), ' ');
    EXPECT_NE(got[i].back(), ' ');
    joined += (i > 3 ? " " : "") + got[i];
    // A line ends where the next word would no longer fit.
    if (i + 1 < got.size()) {
      std::string next = got[i + 1].substr(0, got[i + 1].find(' '));
      EXPECT_GT(width(got[i] + " " + next), maxWidth) << got[i];
    }
  }
  EXPECT_EQ(joined, longParagraph);
}

// French sets a space before ":", ";", "!" and "?". A no-break one there keeps the mark with its word when
// the line is full, and takes a space's room; a plain one lets the mark begin the next line.
TEST_F(HelpPageTest, ANoBreakSpaceKeepsAMarkWithItsWord) {
  const int32_t maxWidth = 240 - 2 * menu->left - 4;
  auto u16 = [](const std::string& s) { return std::u16string(s.begin(), s.end()); };
  auto measure = [&](const std::u16string& s) {
    return (*GameLib::fonts)[GameLib::FONT_SMALL]->stringWidth(nuv::lang::DStringPtr(new nuv::lang::DString(s)));
  };
  // Filler words ending where " mot:" still fits the line and " mot :" no longer does.
  std::u16string filler;
  for (int w = 0; filler.empty() && w < 30; ++w)
    for (int i = 0; i < 30; ++i) {
      const std::u16string words = u16(std::string(static_cast<size_t>(w), 'W') + " " + std::string(i, 'i'));
      if (measure(words + u" mot:") <= maxWidth && measure(words + u" mot :") > maxWidth) {
        filler = words;
        break;
      }
    }
  ASSERT_FALSE(filler.empty());
  struct Case {
    const char* what;
    std::u16string paragraph;
    std::vector<std::u16string> lines;
  } cases[] = {
      {"a no-break space at the line's end", filler + u" mot\u00A0:", {filler, u"mot\u00A0:"}},
      {"a narrow no-break space at the line's end", filler + u" mot\u202F!", {filler, u"mot\u202F!"}},
      {"a plain space at the line's end", filler + u" mot :", {filler + u" mot", u":"}},
      {"a no-break space inside the line", u"Bravo\u00A0! Mode\u00A0: chasse", {u"Bravo\u00A0! Mode\u00A0: chasse"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    load(datakit::toUtf8(c.paragraph) + "\n");
    std::vector<std::u16string> got;
    for (int32_t i = 0; i < GameMenu::helpLineCount; ++i)
      got.push_back(std::u16string((*GameMenu::helpLines)[i]->toString()->view()));
    EXPECT_EQ(got, c.lines);
  }
}

TEST_F(HelpPageTest, AWordLongerThanALineIsCutAfterTheMinimumCharacters) {
  std::string word(3 * 60, 'W');
  load(word + "\n");
  std::vector<std::string> got = lines();
  ASSERT_GE(got.size(), 3u);
  EXPECT_EQ(got[0].size(), static_cast<size_t>(GameMenu::helpMinChars));
  std::string joined;
  for (const std::string& line : got) joined += line;
  EXPECT_EQ(joined, word);
}

TEST_F(HelpPageTest, PercentParagraphsAreTheGamesAnimations) {
  DObjectArrayPtr animations = new DObjectArray(2);
  (*animations)[1] = new gamelib::Animation(1);
  load("Text\n%1\n%\n", animations);
  ASSERT_EQ(GameMenu::helpLineCount, 3);
  EXPECT_EQ((*GameMenu::helpLines)[1].get(), (*animations)[1].get());
  EXPECT_EQ(narrow((*GameMenu::helpLines)[2]->toString()), "%");
}

// A line of a wrapped paragraph may begin with the mark ("50 %" broken before the sign): it stays text.
TEST_F(HelpPageTest, AWrappedLineBeginningWithPercentIsText) {
  DObjectArrayPtr animations = new DObjectArray(2);
  (*animations)[1] = new gamelib::Animation(1);
  load("x\n");  // sets the line's minimum characters
  // A word longer than a line ends in "%1", and "%de" follows it: wrapped lines begin at a sign.
  const std::string word(3 * static_cast<size_t>(GameMenu::helpMinChars), 'W');
  load(word + "%1 %de points\n", animations);
  std::vector<std::string> got = lines();
  ASSERT_GE(got.size(), 2u);
  EXPECT_EQ(got.back(), "%de points") << testing::PrintToString(got);
  for (int32_t i = 0; i < GameMenu::helpLineCount; ++i)
    EXPECT_NE((*GameMenu::helpLines)[i].get(), (*animations)[1].get());
}

// A "%" line that names no animation, or a help file that ends inside a paragraph, is damage to the help
// file: reported with its name when the page opens.
TEST_F(HelpPageTest, DamagedHelpFilesAreReportedByName) {
  auto help = [](const char* source) {
    datakit::Bytes bytes = datakit::writeHelp(source, "help");
    return std::string(bytes.begin(), bytes.end());
  };
  const std::string whole = help("First paragraph.\nSecond paragraph.\n");
  DObjectArrayPtr two = new DObjectArray(2);
  struct Case {
    const char* what;
    std::string bytes;
    DObjectArrayPtr animations;
    const char* why;
  } cases[] = {
      {"a percent sign and no number", help("50\n% de points\n"), two,
       "a line starting with % names no animation: % de points"},
      {"a number past the animations", help("%2\n"), two, "a line starting with % names no animation: %2"},
      {"no animations at all", help("%0\n"), nullptr, "a line starting with % names no animation: %0"},
      {"a paragraph cut short", whole.substr(0, whole.size() - 3), two, "EOFException"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeBeside("help.txt", c.bytes);
    EXPECT_THAT(test::thrownMessage([&] { menu->loadHelp(u"/help.txt", c.animations); }),
                testing::EndsWith(std::string(": help.txt: ") + c.why));
  }
}

TEST_F(HelpPageTest, EmptyOrOnePageTextsPaintWithoutDividingByZero) {
  menu->loadHelp(u"/no such help.txt", nullptr);
  menu->mode = GameMenu::MODE_HELP;
  EXPECT_EQ(GameMenu::helpLineCount, 0);
  menu->update();
  clearScreen(0);
  menu->paint();
  int32_t rows = (GameMenu::helpBottom - GameMenu::helpTop) / GameMenu::helpLineHeight;
  loadNumbered(rows);
  menu->update();
  menu->paint();
  // The thumb fills the track.
  EXPECT_EQ(gltest::canvasPixel(240 - 8 + 3, GameMenu::helpBottom - 2), 0xFFFF);
}

TEST_F(HelpPageTest, ScrollingByLineAndByPage) {
  loadNumbered(40);
  menu->update();
  const int32_t rows = menu->visibleRows;
  ASSERT_GT(rows, 3);
  ASSERT_LT(rows, 20);
  menu->paint();
  EXPECT_EQ(menu->lastHelpLine, rows - 1);
  // Page down: the last line of the page becomes the first.
  stepWith([] { ScreenCanvas::held[gamelib::GameAction::Fire] = true; });
  EXPECT_EQ(menu->first, rows - 1);
  stepWith([] { ScreenCanvas::held[gamelib::GameAction::Up] = true; });
  EXPECT_EQ(menu->first, rows - 2);
  stepWith([] { ScreenCanvas::held[gamelib::GameAction::Down] = true; });
  EXPECT_EQ(menu->first, rows - 1);
  // Less than a page left below: the last line ends at the bottom of the page; then nothing moves.
  menu->first = 40 - rows - 2;
  menu->paint();
  stepWith([] { ScreenCanvas::back = true; });
  EXPECT_EQ(menu->first, 40 - rows);
  menu->paint();
  stepWith([] { ScreenCanvas::held[gamelib::GameAction::Fire] = true; });
  stepWith([] { ScreenCanvas::held[gamelib::GameAction::Down] = true; });
  EXPECT_EQ(menu->first, 40 - rows);
  EXPECT_FALSE(menu->closed);
}

TEST_F(HelpPageTest, TapsScrollInTheTextAndActOnTheLabels) {
  loadNumbered(40);
  menu->update();
  menu->paint();
  const int32_t rows = menu->visibleRows;
  menu->first = 5;
  struct Case {
    int32_t x, y, wantFirst;
    bool closes;
  } cases[] = {
      {100, 250, 6, false},         // lower half of the text: one line down
      {100, 100, 4, false},         // upper half: one line up
      {3, 318, 5, true},            // "quit"
      {236, 318, 4 + rows, false},  // "down": the last line shown comes to the top
  };
  for (const Case& c : cases) {
    menu->paint();
    stepWith([&] { tap(c.x, c.y); });
    EXPECT_EQ(menu->first, c.wantFirst) << c.x << "," << c.y;
    EXPECT_EQ(menu->closed, c.closes) << c.x << "," << c.y;
    menu->first = 5;
    menu->closed = false;
  }
  // Select closes and clears all input.
  wait(201);
  ScreenCanvas::select = true;
  ScreenCanvas::anyKey = true;
  ScreenCanvas::lastKeyCode = 99;
  menu->update();
  EXPECT_TRUE(menu->closed);
  EXPECT_FALSE(ScreenCanvas::anyKey);
  EXPECT_EQ(ScreenCanvas::lastKeyCode, 0);
}

TEST_F(HelpPageTest, TheLabelsTakeTapsOnEveryColumnTheyShow) {
  loadNumbered(40);
  menu->boxColor = 0x000000;
  menu->update();
  menu->paint();
  const int32_t rows = menu->visibleRows, h = GameLib::font(GameLib::FONT_HUD0)->getHeight();
  const gltest::Columns quit = gltest::inkColumns(0, 320 - h, 120, h, 0);
  const gltest::Columns down = gltest::inkColumns(120, 320 - h, 120, h, 0);
  ASSERT_GE(quit.first, 0);
  ASSERT_GE(down.first, 0);
  struct Case {
    int32_t x, wantFirst;
    bool closes;
  } cases[] = {
      {quit.first, 5, true}, {quit.last, 5, true}, {down.first, 4 + rows, false}, {down.last, 4 + rows, false}};
  for (const Case& c : cases) {
    menu->first = 5;
    menu->closed = false;
    menu->paint();
    stepWith([&] { tap(c.x, 320 - h / 2); });
    EXPECT_EQ(menu->first, c.wantFirst) << c.x;
    EXPECT_EQ(menu->closed, c.closes) << c.x;
  }
}

TEST_F(HelpPageTest, LongTextsKeepEveryLine) {
  loadNumbered(300);
  EXPECT_EQ(GameMenu::helpLineCount, 300);
  EXPECT_EQ(lines().back(), "line 299");
}

}  // namespace
