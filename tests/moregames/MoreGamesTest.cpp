// The more-games screen on the real game data at 240 x 320: nine entries stacked in a centred list whatever
// the texts hold, the keys moving the focus and the list, choosing an entry opening its address while the
// program goes on, entries without an address or an icon, and the back key returning to the main menu.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/io/D7zipInputStream.h"
#include "core/lang/DString.h"
#include "gamelib/GameLib.h"
#include "gamelib/MainMenu.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/TextTable.h"
#include "gui/GUIEngine.h"
#include "gui/GUIText.h"
#include "gui/GUITextChunk.h"
#include "gui/GUIVScrollBar.h"
#include "moregames/MoreGames.h"
#include "moregames/MoreGamesFixture.h"
#include "moregames/MoreGamesLook.h"
#include "platform/api/shell.h"
#include "platform/seam/capture.h"
#include "support/Archives.h"

namespace {

namespace fs = std::filesystem;

using gamelib::GameLib;
using gamelib::GUIEngine;
using gamelib::GUITextChunk;
using gamelib::GUIWidget;
using gamelib::GUIWidgetPtr;
using gamelib::TextTable;
using moregames::MoreGames;
using nuv::lang::DString;

constexpr int32_t kWidth = 240;
constexpr int32_t kHeight = 320;
// The screen lists games 0 to 8, whatever the text table holds.
constexpr int32_t kEntries = 9;

class MoreGamesTest : public moregamestest::MoreGamesFixture {
 protected:
  void SetUp() override {
    MoreGamesFixture::SetUp();
    platform::setBrowserObserver([this](const std::u16string& address) {
      opened.push_back(address);
      return true;
    });
  }
  void TearDown() override {
    platform::setBrowserObserver(nullptr);
    MoreGamesFixture::TearDown();
  }
  // A key pressed for a step and let go.
  void key(int32_t code) {
    GameLib::canvas->keyPressed(code);
    steps(1);
    GameLib::canvas->keyReleased(code);
    steps(1);
  }
  // The words of an entry's text, and "[picture]" for its icon.
  std::string words(int32_t n) {
    std::string out;
    GUITextChunk& root = *entry(n)->getText()->getRoot();
    for (int32_t i = 0; i < root.childCount(); ++i) {
      GUITextChunk& c = *root.child(i);
      if (c.type == GUITextChunk::WORD) out += gltest::narrow(nuv::lang::dynamicCast<DString>(c.content)) + " ";
      if (c.type >= GUITextChunk::ANIMATION && c.type <= GUITextChunk::FLOATING_PICTURE) out += "[picture] ";
    }
    return out;
  }

  std::vector<std::u16string> opened;
};

TEST_F(MoreGamesTest, NineEntriesStackedInACentredList) {
  open();
  steps(1);
  GUIWidgetPtr l = list();
  ASSERT_EQ(l->layerChildren(0).size(), kEntries);
  EXPECT_EQ((std::array{l->w, l->h}), (std::array{4 * kWidth / 5, 4 * kHeight / 5}));
  gamelib::GUIPoint at = l->getScreenPosition({});
  EXPECT_EQ((std::array{at.x, at.y}), (std::array{(kWidth - l->w) / 2, (kHeight - l->h) / 2}));
  int32_t y = 0;
  for (int32_t n = 0; n < kEntries; ++n) {
    GUIWidgetPtr e = entry(n);
    int32_t textHeight = e->getText()->getHeight(l->w - 6);
    EXPECT_EQ((std::array{e->x, e->y, e->w, e->h}), (std::array{0, y, l->w, textHeight + 6})) << n;
    EXPECT_EQ((std::array{e->clientX, e->clientY, e->clientW, e->clientH}), (std::array{3, 3, l->w - 6, textHeight}))
        << n;
    EXPECT_EQ(words(n).rfind("[picture] ", 0), 0u) << n << ": " << words(n);
    y += e->h;
  }
  EXPECT_EQ(words(0),
            "[picture] Pond Hopper Guide a frog across a busy road and a river of drifting logs to the "
            "lily pads. ");
  EXPECT_EQ(focused(), 0);
  // The scroll bar at the right edge, as high as the list.
  GUIWidgetPtr bar =
      static_cast<GUIWidget*>(GUIEngine::getInstance()->getCurrentScreen()->layerChildren(1).elementAt(0));
  gamelib::GUIPoint barAt = bar->getScreenPosition({});
  EXPECT_EQ(barAt.x + bar->w, kWidth);
  EXPECT_EQ(bar->h, l->h);
}

TEST_F(MoreGamesTest, TheListHasNineEntriesWhateverTheTextsHold) {
  TextTable::table->clear();
  open();
  steps(2);
  ASSERT_EQ(list()->layerChildren(0).size(), kEntries);
  EXPECT_EQ(words(4), "MORE_GAME4 ");  // a missing text shows its key
  // Without addresses, choosing opens nothing and the screen stays.
  key(gltest::kKeyAction);
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(GameLib::currentScreen.get(), screen.get());
}

TEST_F(MoreGamesTest, DownAndUpMoveTheFocusAndBringItIntoView) {
  open();
  steps(2);
  std::vector<int32_t> seen;
  for (int i = 0; i < 3; ++i) {
    wait(250);  // past the key repeat time of the widgets
    key(gltest::kKeyDown);
    seen.push_back(focused());
  }
  EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 3}));
  steps(40);
  // The focused entry lies wholly inside the list's view.
  GUIWidgetPtr l = list(), e = entry(3);
  EXPECT_GE(e->y - l->scrollY, 0);
  EXPECT_LE(e->y + e->h - l->scrollY, l->h);
  EXPECT_GT(l->scrollY, 0);
  wait(250);
  key(gltest::kKeyUp);
  EXPECT_EQ(focused(), 2);
  // Up from the first wraps to the last.
  for (int i = 0; i < 2; ++i) {
    wait(250);
    key(gltest::kKeyUp);
  }
  wait(250);
  key(gltest::kKeyUp);
  EXPECT_EQ(focused(), 8);
}

TEST_F(MoreGamesTest, AKeyHeldOnScrollsTheListByAnEighthOfTheScreen) {
  open();
  steps(2);
  // Past the widgets' key repeat time, the first step moves the highlight; the next, inside the list's
  // repeat time, reaches the screen.
  wait(250);
  GameLib::canvas->keyPressed(gltest::kKeyDown);
  steps(2);
  GameLib::canvas->keyReleased(gltest::kKeyDown);
  steps(1);
  EXPECT_EQ(focused(), 1);
  GUIWidgetPtr l = list(), e = entry(1);
  EXPECT_EQ(l->scrollTargetY, kHeight / 8);
  // The highlighted entry was whole there already: nothing more is scrolled.
  EXPECT_GE(e->y - l->scrollTargetY, 0);
  EXPECT_LE(e->y + e->h - l->scrollTargetY, l->clientH);
}

TEST_F(MoreGamesTest, ChoosingAnEntryOpensItsAddressAndTheProgramGoesOn) {
  open();
  steps(2);
  wait(250);
  key(gltest::kKeyDown);
  wait(250);
  key(gltest::kKeySoftLeft);  // the left soft key fires the screen, and so the focused entry
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(gltest::narrow(new DString(std::u16string_view(opened[0]))),
            "https://example.com/glimmerhut/en/worm-warren");
  EXPECT_EQ(app->running, 1);
  EXPECT_EQ(GameLib::currentScreen.get(), screen.get());
  EXPECT_FALSE(entry(1)->hasState(GUIWidget::STATE_PRESSED));  // pressed falls back

  // A tap on an entry chooses it at once.
  gamelib::GUIPoint at = entry(0)->getScreenPosition({});
  GameLib::canvas->pointerPressed(at.x + 10, at.y + 10);
  steps(1);
  GameLib::canvas->pointerReleased(at.x + 10, at.y + 10);
  steps(1);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(gltest::narrow(new DString(std::u16string_view(opened[1]))),
            "https://example.com/glimmerhut/en/pond-hopper");
  EXPECT_EQ(focused(), 0);
  EXPECT_EQ(app->running, 1);
}

TEST_F(MoreGamesTest, AnEntryWithoutAnAddressOpensNothing) {
  TextTable::table->remove(new DString(u"MORE_GAME_URL0"));
  TextTable::table->put(new DString(u"MORE_GAME_URL1"), new DString(u"  "));
  open();
  steps(2);
  for (int i = 0; i < 2; ++i) {
    wait(250);
    key(gltest::kKeyAction);
    wait(250);
    key(gltest::kKeyDown);
  }
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(app->running, 1);
  wait(250);
  key(gltest::kKeyAction);
  EXPECT_EQ(opened.size(), 1u);  // entry 2 has its address
}

TEST_F(MoreGamesTest, TheBackKeyClosesTheScreenAndReturnsToTheMainMenu) {
  open();
  steps(2);
  // Back first pops the screen, then returns to the main menu.
  gamelib::GUIActionPtr chain = GUIEngine::getInstance()->getCurrentScreen()->getAction(GUIWidget::EVENT_BACK);
  ASSERT_FALSE(chain.isNull());
  EXPECT_EQ(chain->type, gamelib::GUIAction::POP_SCREEN);
  ASSERT_FALSE(chain->next.isNull());
  EXPECT_EQ(chain->next->type, MoreGames::BACK_TO_MAIN_MENU);
  chain = nullptr;
  wait(250);
  key(gltest::kKeySoftRight);
  EXPECT_NE(dynamic_cast<gamelib::MainMenu*>(GameLib::currentScreen.get()), nullptr);
  EXPECT_FALSE(GUIEngine::hasInstance());  // every widget released with the engine
  // A second visit builds everything afresh.
  open();
  steps(2);
  EXPECT_EQ(list()->layerChildren(0).size(), kEntries);
}

TEST_F(MoreGamesTest, AMissingIconLeavesItsEntryWithoutAPicture) {
  // The screen's pictures without entry 4's icon, in an archive of their own.
  const fs::path staged = fs::path(GH_GAME_DAT).parent_path() / "data" / "archive";
  test::ArchiveFiles files;
  for (const char* name :
       {"menu/back", "button", "arrowUp", "arrowDown", "moregames/game_0", "moregames/game_1", "moregames/game_2",
        "moregames/game_3", "moregames/game_5", "moregames/game_6", "moregames/game_7", "moregames/game_8"}) {
    std::string entry = std::string("graphics/240x320/") + name + ".png";
    std::ifstream in(staged / entry, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    files[entry] = bytes.str();
  }
  nuv::io::D7zipInputStream::closeArchive();
  openArchive(files);
  open();
  steps(2);
  EXPECT_EQ(words(4).find("%ICON%"), std::string::npos) << words(4);
  EXPECT_EQ(words(4).rfind("[picture] Moonlit Golf", 0), 0u) << words(4);  // an empty stand-in
  EXPECT_EQ(entry(4)->getText()->getRoot()->child(0)->w, 4);               // only its margin
  EXPECT_GT(entry(3)->getText()->getRoot()->child(0)->w, 4);
}

TEST_F(MoreGamesTest, ThePaintCoversTheScreenAndHighlightsTheFocusedEntry) {
  open();
  steps(2);
  gltest::MenuFixture::clearScreen(0xFF00FF);
  screen->paint();
  EXPECT_EQ(gltest::countCanvasPixels(0xF81F), 0);
  // Around the list, the menus' background picture, centred.
  platform::Picture back;
  ASSERT_TRUE(platform::readPng(
      (fs::path(GH_GAME_DAT).parent_path() / "data/archive/graphics/240x320/menu/back.png").string(), back));
  const int32_t left = (kWidth - back.width) / 2, top = (kHeight - back.height) / 2;
  for (auto [x, y] : {std::pair{4, 100}, {120, 12}, {12, 200}}) {
    EXPECT_EQ(gltest::canvasPixel(x, y),
              gltest::rgb565(back.pixels[static_cast<size_t>((y - top) * back.width + (x - left))]))
        << x << " " << y;
  }
  // The highlight of the focused entry inside its border.
  gamelib::GUIPoint at = entry(0)->getScreenPosition({});
  EXPECT_EQ(gltest::canvasPixel(at.x + 1, at.y + 1), gltest::rgb565(moregames::kHighlightFill));
}

}  // namespace
