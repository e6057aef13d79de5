// The in-game menu flow the games share, on the real texts: entry texts with and without a paused game,
// a game's own entries between the standard ones, sound levels that wrap and are kept, the high score
// offered and stored, and the key set-up's step when there is none.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamelib/CustomControls.h"
#include "gamelib/GameMenu.h"
#include "gamelib/MenuFixture.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "platform/api/waveout.h"
#include "sound/DManager.h"

namespace {

using gamelib::GameMenu;
using gamelib::GameMenuPtr;
using gamelib::MenuEntry;
using gamelib::MenuEntryKeys;
using gamelib::MenuFlow;
using gamelib::SoundManager;
using gltest::narrow;

class MenuFlowTest : public gltest::MenuFixture {
 protected:
  void SetUp() override {
    MenuFixture::SetUp();
    // The sound levels live in the mixer.
    platform::setAudioDriver("null");
    nuv::microedition::media::DManager::initSound();
    menu = new GameMenu();
    table = new GameMenu();
  }
  void TearDown() override {
    menu = nullptr;
    table = nullptr;
    nuv::microedition::media::DManager::doneSound();
    MenuFixture::TearDown();
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (int32_t i = 0; i < menu->items->length; ++i) out.push_back(narrow((*menu->items)[i]));
    return out;
  }
  GameMenuPtr menu;
  GameMenuPtr table;
};

// A game with an option of its own between the music level and the key set-up.
constexpr MenuEntryKeys kWithOption[] = {{MenuEntry::Start, u"start", u"continue"},
                                         {MenuEntry::SfxLevel, nullptr, nullptr},
                                         {MenuEntry::MusicLevel, nullptr, nullptr},
                                         {MenuEntry::Own, u"levelsoriginal", u"levelsoriginal"},
                                         {MenuEntry::Exit, u"exit", u"mainmenu"}};

TEST_F(MenuFlowTest, EntriesShowTheirTextsAndTheSoundLevelsAsTheyAre) {
  SoundManager::setSfxLevel(3);
  SoundManager::setMusicLevel(0);
  struct Case {
    bool paused;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {false, {"Start", "Sound: High", "Music: Off", "Levels: Original", "Exit"}},
      {true, {"Continue", "Sound: High", "Music: Off", "Levels: Original", "Main Menu"}},
  };
  for (const Case& c : cases) {
    menu->selected = 3;
    MenuFlow::showEntries(*menu, kWithOption, c.paused);
    EXPECT_EQ(texts(), c.expected) << c.paused;
    EXPECT_EQ(menu->selected, 0);
  }
}

TEST_F(MenuFlowTest, SoundLevelsWrapAfterTheHighestAndAreKeptAsTheGamesOption) {
  SoundManager::setSfxLevel(3);
  SoundManager::setMusicLevel(1);
  MenuFlow::showEntries(*menu, kWithOption, false);
  MenuFlow::cycleSoundLevel(*menu, 1, MenuEntry::SfxLevel, u"flowtest");
  MenuFlow::cycleSoundLevel(*menu, 2, MenuEntry::MusicLevel, u"flowtest");
  EXPECT_EQ(SoundManager::getSfxLevel(), 0);
  EXPECT_EQ(SoundManager::getMusicLevel(), 2);
  EXPECT_EQ(texts()[1], narrow(GameMenu::getSfxLevelText(0)));
  EXPECT_EQ(texts()[2], narrow(GameMenu::getMusicLevelText(2)));
  // The next start of the game finds them.
  SoundManager::setSfxLevel(3);
  SoundManager::setMusicLevel(3);
  MenuFlow::loadSoundLevels(u"flowtest");
  EXPECT_EQ(SoundManager::getSfxLevel(), 0);
  EXPECT_EQ(SoundManager::getMusicLevel(), 2);
}

TEST_F(MenuFlowTest, AScoreThatEntersTheTableIsOfferedAndStoredUnderTheTypedName) {
  // The default table holds eight scores of 0: any positive score enters it.
  EXPECT_FALSE(MenuFlow::offerHighScore(*menu, *table, 1, u"flowtest", 0));
  EXPECT_NE(menu->mode, GameMenu::MODE_NAME_ENTRY);
  ASSERT_TRUE(MenuFlow::offerHighScore(*menu, *table, 1, u"flowtest", 1234));
  EXPECT_EQ(menu->mode, GameMenu::MODE_NAME_ENTRY);
  EXPECT_FALSE(MenuFlow::nameTyped(*menu));

  GameMenu::enteredName = u"ZED";
  GameMenu::nameEntered = true;
  ASSERT_TRUE(MenuFlow::nameTyped(*menu));
  MenuFlow::storeHighScore(*menu, *table, 1, u"flowtest", 1234);
  EXPECT_EQ(menu->mode, GameMenu::MODE_LIST);
  EXPECT_FALSE(GameMenu::nameEntered);
  GameMenuPtr reread = new GameMenu();
  reread->loadHighScores(1, u"flowtest");
  EXPECT_EQ(narrow((*reread->items)[0]), "ZED");
  EXPECT_EQ((*reread->scores)[0], 1234);
}

TEST_F(MenuFlowTest, WithoutAKeySetUpItsStepClosesAtOnceAndClearsInput) {
  gamelib::CustomControls::current = nullptr;
  gamelib::ScreenCanvas::held[gamelib::GameAction::Fire] = true;
  EXPECT_TRUE(MenuFlow::keySetupClosed());
  EXPECT_FALSE(gamelib::ScreenCanvas::held[gamelib::GameAction::Fire]);
}

}  // namespace
