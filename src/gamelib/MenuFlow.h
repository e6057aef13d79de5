// The in-game menu flow the games share: the entries of the start and pause menus, choosing them, the sound
// and music levels, the key set-up, pausing and resuming play, the end of a game with its high score, and
// the loading screen with the paths of the game's texts. Each game keeps its own states and calls these;
// what differs between games is their entry table and their own entries' actions.
#pragma once

#include <cstdint>
#include <span>

#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "gamelib/GameMenu.h"
#include "shell/lcdui/DImage.h"

namespace gamelib {

// What an entry of a game's start or pause menu does.
enum class MenuEntry : int32_t {
  Start,       // a new game; "continue" while one is paused
  HighScores,  // the high-score table
  Help,        // the help pages
  SfxLevel,    // cycles the effects level; its text shows the level
  MusicLevel,  // cycles the music level
  Keys,        // the key set-up
  Exit,        // back to the main menu; "mainmenu" abandons a paused game
  Own,         // the game's own entry (an option, a level choice)
};

struct MenuEntryKeys {
  MenuEntry kind;
  const char16_t* key;        // text key in the start menu; unused for the sound levels
  const char16_t* pausedKey;  // text key while a game is paused
};

// The entries most games show, in their order.
inline constexpr MenuEntryKeys kStandardMenu[] = {
    {MenuEntry::Start, u"start", u"continue"}, {MenuEntry::HighScores, u"highscores", u"highscores"},
    {MenuEntry::Help, u"help", u"help"},       {MenuEntry::SfxLevel, nullptr, nullptr},
    {MenuEntry::MusicLevel, nullptr, nullptr}, {MenuEntry::Keys, u"cfg_keys", u"cfg_keys"},
    {MenuEntry::Exit, u"exit", u"mainmenu"}};

class MenuFlow {
 public:
  MenuFlow() = delete;

  // Key maps of the screen canvas: the defaults while a menu shows, the game's own set-up in play.
  static constexpr int32_t kMenuKeyMap = 0;
  static constexpr int32_t kPlayKeyMap = 1;
  static constexpr int32_t kSoundLevels = 4;
  static constexpr int32_t kDefaultSoundLevel = 2;

  // The texts of the entries, with the sound levels as they are now.
  static nuv::lang::DStringArrayPtr entryTexts(std::span<const MenuEntryKeys> entries, bool paused);
  // The menu shows the entries, the first one selected.
  static void showEntries(GameMenu& menu, std::span<const MenuEntryKeys> entries, bool paused);
  // Next effects or music level (after 3 comes 0): set, shown in the entry and kept as the game's option.
  static void cycleSoundLevel(GameMenu& menu, int32_t item, MenuEntry kind, const nuv::lang::DStringPtr& gameKey);
  // The game's stored effects and music levels into the sound service.
  static void loadSoundLevels(const nuv::lang::DStringPtr& gameKey);

  // The game's key set-up becomes the current one; its stored keys are the play key map from now on.
  static void installKeySetup(int32_t remappableActions, const nuv::lang::DStringPtr& gameKey,
                              const nuv::microedition::lcdui::DImagePtr& background, int32_t shade);
  // One step of the key set-up; true once it has closed (at once when there is none), with the input reset.
  static bool keySetupClosed();

  // Whether the player asks for the pause menu: select, back, the pause action or a tap on the pause picture.
  static bool pauseRequested();
  // Input cleared, menu keys, sound held.
  static void pausePlay();
  // Play keys, movement and fire released, sound going on.
  static void resumePlay();

  // The end of a game: sound stopped, the game's table loaded, menu keys. True when the score enters the
  // table, and then the name entry is open.
  static bool offerHighScore(GameMenu& menu, GameMenu& table, int32_t tableId, const nuv::lang::DStringPtr& gameKey,
                             int32_t score);
  // Whether a name typed for a high score is waiting to be stored.
  static bool nameTyped(const GameMenu& menu);
  // The typed name with the score into the game's table, which is saved; the menu back to its list.
  static void storeHighScore(GameMenu& menu, GameMenu& table, int32_t tableId, const nuv::lang::DStringPtr& gameKey,
                             int32_t score);

  // The code of the chosen language; English until one is chosen.
  static nuv::lang::DStringPtr languageCode();
  // folder + language code + "_help.txt", e.g. "/txt/bnc/en_help.txt".
  static nuv::lang::DStringPtr helpPath(const char16_t* folder);
  // The language's own texts, which an animation list read through the text table replaces.
  static void reloadTexts();

  // The loading bar of a game's set-up, near the bottom, shown at once; advance moves it on and shows it.
  static void startLoading();
  static void advanceLoading();
};

}  // namespace gamelib
