// The more-games list keeps the highlighted entry whole in view while the keys move the highlight, as a
// player presses them: each key held for a few steps, in every language of the real data, and on a layout
// whose entries are nearly as tall as the list.
#include <gtest/gtest.h>

#include <string>

#include "core/lang/DString.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/TextTable.h"
#include "gui/GUIEngine.h"
#include "moregames/MoreGames.h"

namespace {

using gamelib::GameLib;
using gamelib::GUIEngine;
using gamelib::GUIWidget;
using gamelib::GUIWidgetPtr;
using gamelib::ScreenCanvas;
using gamelib::TextTable;
using moregames::MoreGames;
using moregames::MoreGamesPtr;
using nuv::lang::DString;
using nuv::lang::DStringPtr;

// A press as a player makes it: held for about a tenth of a second.
constexpr int kHeldSteps = 4;
// Long enough for the list to settle, and past the widgets' key repeat time before the next press.
constexpr int kSettleSteps = 40;
constexpr int64_t kRepeatMs = 250;

class MoreGamesView : public gltest::MenuFixture {
 protected:
  void SetUp() override {
    MenuFixture::SetUp();
    GameLib::showMoreGames = true;
  }
  void TearDown() override {
    screen = nullptr;
    GameLib::currentScreen = nullptr;
    MenuFixture::TearDown();
  }
  void open() {
    screen = new MoreGames();
    GameLib::currentScreen = screen;
    screen->init();
    steps(2);
  }
  void steps(int n) {
    for (int i = 0; i < n; ++i) {
      ScreenCanvas::pump();
      screen->update();
      screen->paint();
      wait(GameLib::kStepMs);
    }
  }
  void hold(int32_t code) {
    wait(kRepeatMs);
    GameLib::canvas->keyPressed(code);
    steps(kHeldSteps);
    GameLib::canvas->keyReleased(code);
    steps(kSettleSteps);
  }
  GUIWidgetPtr list() {
    return static_cast<GUIWidget*>(GUIEngine::getInstance()->getCurrentScreen()->layerChildren(0).elementAt(0));
  }
  GUIWidgetPtr entry(int32_t n) { return static_cast<GUIWidget*>(list()->layerChildren(0).elementAt(n)); }
  int32_t focused() {
    for (int32_t n = 0; n < MoreGames::kEntryCount; ++n)
      if (entry(n)->hasState(GUIWidget::STATE_FOCUSED)) return n;
    return -1;
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

  MoreGamesPtr screen;
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
