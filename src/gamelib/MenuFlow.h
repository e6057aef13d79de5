// The in-game menu flow the games share: the start and pause pages with their entries, the help and
// high-score pages and the way back from them, the sound and music levels, the key set-up, pausing, the end
// of a game with its name entry, and leaving or abandoning. A game hands over its entry table, hooks for
// what is its own (starting, continuing, abandoning, its own entries and pages) and its state words, and
// calls `update` with the page its state shows. The static helpers serve the games' set-up and play.
#pragma once

#include <cstdint>
#include <functional>
#include <iterator>
#include <span>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "gamelib/GameMenu.h"
#include "shell/lcdui/DImage.h"

namespace gamelib {

// What an entry of a game's start or pause page does.
enum class MenuEntry : int32_t {
  Start,       // a new game; "continue" while one is paused
  HighScores,  // the high-score table
  Help,        // the help pages
  SfxLevel,    // cycles the effects level; its text shows the level
  MusicLevel,  // cycles the music level
  Keys,        // the key set-up
  Exit,        // back to the main menu; "mainmenu" abandons a paused game
  Own,         // the game's own entry (an option, a page of its own)
};

struct MenuEntryKeys {
  MenuEntry kind;
  const char16_t* key;        // text key on the start page; unused for the sound levels
  const char16_t* pausedKey;  // text key while a game is paused
};

// The entries most games show, in their order.
inline constexpr MenuEntryKeys kStandardMenu[] = {
    {MenuEntry::Start, u"start", u"continue"}, {MenuEntry::HighScores, u"highscores", u"highscores"},
    {MenuEntry::Help, u"help", u"help"},       {MenuEntry::SfxLevel, nullptr, nullptr},
    {MenuEntry::MusicLevel, nullptr, nullptr}, {MenuEntry::Keys, u"cfg_keys", u"cfg_keys"},
    {MenuEntry::Exit, u"exit", u"mainmenu"}};

// The places of the standard entries, for a game's screen class to take as a base.
struct StandardMenuItems {
  static constexpr int32_t ITEM_START = 0;
  static constexpr int32_t ITEM_HIGH_SCORES = 1;
  static constexpr int32_t ITEM_HELP = 2;
  static constexpr int32_t ITEM_SFX_LEVEL = 3;
  static constexpr int32_t ITEM_MUSIC_LEVEL = 4;
  static constexpr int32_t ITEM_KEYS = 5;
  static constexpr int32_t ITEM_EXIT = 6;
  static constexpr int32_t kItemCount = 7;
};
static_assert(std::size(kStandardMenu) == StandardMenuItems::kItemCount &&
              kStandardMenu[StandardMenuItems::ITEM_SFX_LEVEL].kind == MenuEntry::SfxLevel &&
              kStandardMenu[StandardMenuItems::ITEM_EXIT].kind == MenuEntry::Exit);

// A page of the in-game menu. The flow builds the first five; from Own on they are the game's own lists (a
// level list, a set-up page), whose entries it fills and whose choices it takes.
enum class MenuPage : int32_t { Start, Pause, Help, Table, Keys, Own };

// The game's n-th page of its own.
constexpr MenuPage ownPage(int32_t n) { return static_cast<MenuPage>(static_cast<int32_t>(MenuPage::Own) + n); }

// A game's own number for a page (its menu mode, menu kind or state), in a table the game keeps.
struct MenuPageNumber {
  MenuPage page;
  int32_t number;
};

// The page of a number, and the number of a page; the table's first entry when it has none.
MenuPage pageOfNumber(std::span<const MenuPageNumber> table, int32_t number);
int32_t numberOfPage(std::span<const MenuPageNumber> table, MenuPage page);

// The words a game keeps for its menu, when they are these: a state word with one value for the menu's pages
// and one for the key set-up, and page words (its menu mode or kind, and the one built before it) numbered
// by the game's table. The key set-up changes no page word.
struct MenuWords {
  int32_t* state = nullptr;
  int32_t menuState = 0;
  int32_t keysState = 0;
  std::span<const MenuPageNumber> pages;
  int32_t* page = nullptr;
  int32_t* previousPage = nullptr;
};

// What a game does itself.
struct MenuHooks {
  std::function<void()> start;    // "start" on the start page
  std::function<void()> resume;   // "continue" on the pause page
  std::function<void()> abandon;  // "mainmenu" on the pause page: the paused game is given up
  // An entry of kind Own, or any choice on one of the game's own pages.
  std::function<void(MenuPage page, int32_t item)> own;
  // Optional: the page shows now; the game's state words that are not MenuWords follow it.
  std::function<void(MenuPage page)> shown;
  // Optional: the page has just been built afresh (before `shown`): the game's own entries on its own pages,
  // and what else its rules do then.
  std::function<void(MenuPage page)> built;
};

// Where a game's rules make its flow differ from the others'.
struct MenuStyle {
  // A closed help or table page leaves the list as it was, with the page's entry highlighted again, instead
  // of building it afresh.
  bool pagesKeepTheList = false;
  // The same after the key set-up; and whether the list then waits its 200 ms before taking input.
  bool keysKeepTheList = true;
  bool keysRestartTheClock = false;
  // The table closes on fire or a tap only, not on the other keys that close a menu page.
  bool tableClosesOnFireOrTap = false;
  // A page built afresh takes the fire key, so that the press that opened it does not act on it.
  bool pagesTakeFire = false;
  // The table ignores input for its first 200 ms.
  bool tableWaits = false;
};

class MenuFlow;
using MenuFlowPtr = nuv::lang::DPtr<MenuFlow>;

class MenuFlow : public nuv::lang::DObject {
 public:
  // Key maps of the screen canvas: the defaults while a menu shows, the game's own set-up in play.
  static constexpr int32_t kMenuKeyMap = 0;
  static constexpr int32_t kPlayKeyMap = 1;
  static constexpr int32_t kSoundLevels = 4;
  static constexpr int32_t kDefaultSoundLevel = 2;

  // The menu shows the entries, the help and the table; `table` is the number of the game's high-score table.
  MenuFlow(nuv::lang::DStringPtr gameKey, std::span<const MenuEntryKeys> entries, GameMenuPtr menu, int32_t table,
           MenuHooks hooks, MenuStyle style = {});
  const char* getClassName() const override { return "MenuFlow"; }

  // The menu that shows the entries.
  GameMenu& menu() const { return *menu_; }

  // One step of the page the game's state shows: the menu's input, the entry chosen, a page closed, a typed
  // name stored.
  void update(MenuPage page);
  // The page built afresh and shown; a help, table or key set-up page shown over a list goes back to it.
  void show(MenuPage page);
  // The start or pause entries again, the first one highlighted, without changing page.
  void showEntries(bool paused);
  // Play stops for the pause page: input cleared, menu keys, sound held.
  void pause();
  // The end of a game: sound stopped, the table loaded, menu keys. When the score enters the table the name
  // entry opens over the start page and true is answered; otherwise the start page shows.
  bool endGame(int32_t score);
  // A typed name with the score of the ended game into the table, which is saved and shown; closing it leads
  // to the start page. False when no name waits.
  bool storeTypedName();

  // Pages that need a menu of their own (null: the list's); the menu that keeps the table for the offer and
  // the typed name; the help folder, when the flow loads the help as its page opens (null: the game has
  // loaded it).
  GameMenuPtr tableMenu;
  GameMenuPtr helpMenu;
  GameMenuPtr scoreMenu;
  const char16_t* helpFolder = nullptr;
  // The array the start and pause entries are written into, for a game that keeps one (null: a new one each
  // time).
  nuv::lang::DStringArrayPtr entryArray;
  // The game's words the flow keeps.
  MenuWords words;
  // The table the table page shows and a typed name goes into.
  int32_t table;

  // A level list: "level" and a number from the highest down to 1, then "exit".
  static nuv::lang::DStringArrayPtr levelEntries(int32_t highest);
  // The game's stored effects and music levels into the sound service.
  static void loadSoundLevels(const nuv::lang::DStringPtr& gameKey);
  // The game's key set-up becomes the current one, over the picture shaded as a page; its stored keys are the
  // play key map from now on.
  static void installKeySetup(int32_t remappableActions, const nuv::lang::DStringPtr& gameKey,
                              const nuv::microedition::lcdui::DImagePtr& background);
  // Whether the player asks for the pause page: select, back, the pause action or a tap on the pause picture.
  static bool pauseRequested();
  // Input cleared, menu keys, sound held.
  static void pausePlay();
  // Play keys, movement and fire released, sound going on.
  static void resumePlay();

  // The code of the chosen language; English until one is chosen.
  static nuv::lang::DStringPtr languageCode();
  // folder + language code + "_help.txt", e.g. "/txt/bnc/en_help.txt".
  static nuv::lang::DStringPtr helpPath(const char16_t* folder);
  // The language's own texts, which an animation list read through the text table replaces.
  static void reloadTexts();

  // The loading bar of a game's set-up, near the bottom, shown at once; advance moves it on and shows it.
  static void startLoading();
  static void advanceLoading();

 private:
  GameMenu& menuOf(MenuPage page) const;
  // The entries' texts, in the game's array when it keeps one.
  nuv::lang::DStringArrayPtr entries(bool paused);
  // The texts of the entries, with the sound levels as they are now.
  static nuv::lang::DStringArrayPtr entryTexts(std::span<const MenuEntryKeys> entries, bool paused);
  bool isListPage(MenuPage page) const;
  // Whether the help or table page showing closes after its step.
  bool closes(const GameMenu& menu) const;
  // The start or pause entry chosen.
  void choose(int32_t item);
  // The page's content, then the game's hooks.
  void build(MenuPage page);
  // The content of a page of the list's menu (an own page's entries are the game's); a page with a menu of
  // its own is only opened again.
  void fill(MenuPage page);
  // The page shows now: the game's words follow it.
  void enter(MenuPage page);
  void back();
  void keysClosed();
  void cycleSoundLevel(int32_t item, MenuEntry kind);
  // The list after it was left as it was: the given entry highlighted.
  void returnTo(MenuPage page, int32_t item);
  // Called when a name was typed into the menu.
  bool nameTyped() const;

  nuv::lang::DStringPtr gameKey_;
  std::span<const MenuEntryKeys> entries_;
  GameMenuPtr menu_;
  MenuHooks hooks_;
  MenuStyle style_;
  MenuPage page_ = MenuPage::Start;
  // The list page a help, table or key set-up page goes back to.
  MenuPage returnPage_ = MenuPage::Start;
  // The score of the ended game, kept for the name being typed.
  int32_t score_ = 0;
};

}  // namespace gamelib
