// The more-games list keeps the highlighted entry whole in view while the keys move the highlight, as a
// player presses them: each key held for a few steps, in every language of the real data, and on a layout
// whose entries are nearly as tall as the list.
#include <gtest/gtest.h>

#include <string>

#include "core/lang/DString.h"
#include "gamelib/GameLib.h"
#include "gamelib/TextTable.h"
#include "moregames/MoreGames.h"
#include "moregames/MoreGamesFixture.h"

namespace {

using gamelib::GameLib;
using gamelib::GUIWidgetPtr;
using gamelib::TextTable;
using moregames::MoreGames;
using nuv::lang::DString;
using nuv::lang::DStringPtr;

// A press as a player makes it: held for about a tenth of a second.
constexpr int kHeldSteps = 4;
// Long enough for the list to settle, and past the widgets' key repeat time before the next press.
constexpr int kSettleSteps = 40;
constexpr int64_t kRepeatMs = 250;

class MoreGamesView : public moregamestest::MoreGamesFixture {
 protected:
  void open() {
    MoreGamesFixture::open();
    steps(2);
  }
  void hold(int32_t code) {
    wait(kRepeatMs);
    GameLib::canvas->keyPressed(code);
    steps(kHeldSteps);
    GameLib::canvas->keyReleased(code);
    steps(kSettleSteps);
  }
  // Down through every entry and on round to the first, then up round to the last: after each press the
  // next entry is highlighted and lies wholly inside the list's view.
  void walkThroughTheList(const std::string& where) {
    open();
    auto check = [&](int32_t expected, const char* key) {
      ASSERT_EQ(focused(), expected) << where << ", " << key;
      GUIWidgetPtr l = list(), e = entry(expected);
      ASSERT_LE(e->h, l->clientH) << where << ": entry " << expected << " is taller than the list";
      EXPECT_GE(e->y - l->scrollY, 0) << where << ", " << key << " to entry " << expected << ": its top is cut";
      EXPECT_LE(e->y + e->h - l->scrollY, l->clientH)
          << where << ", " << key << " to entry " << expected << ": its bottom is cut";
    };
    for (int32_t n = 1; n <= MoreGames::kEntryCount; ++n) {
      hold(gltest::kKeyDown);
      check(n % MoreGames::kEntryCount, "down");
    }
    for (int32_t n = MoreGames::kEntryCount - 1; n >= 0; --n) {
      hold(gltest::kKeyUp);
      check(n, "up");
    }
  }
};

TEST_F(MoreGamesView, EveryLanguageShowsTheHighlightedEntryWhole) {
  for (const char16_t* language : {u"/txt/res_en", u"/txt/res_de", u"/txt/res_fr"}) {
    TextTable::load(language, true);
    walkThroughTheList(gltest::narrow(DStringPtr(language)));
    screen->leave();
  }
}

TEST_F(MoreGamesView, EntriesNearlyAsTallAsTheListStayWholeInView) {
  // Every third entry long enough to take most of the list's height.
  std::u16string words;
  for (int i = 0; i < 30; ++i) words += u"word ";
  for (int32_t n = 0; n < MoreGames::kEntryCount; n += 3)
    TextTable::table->put(DStringPtr(u"MORE_GAME") + n, new DString(u"<img src=%ICON% align=left>" + words));
  open();
  ASSERT_GT(entry(0)->h, list()->clientH / 2);
  screen->leave();
  walkThroughTheList("tall entries");
}

}  // namespace
