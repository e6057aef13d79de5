// The in-game menu flow the games share: the start and pause pages with their entries, the help and
// high-score pages and the way back from them, the level list, the sound and music levels, the key set-up,
// pausing and continuing, the end of a game with its name entry, and leaving or abandoning. A game hands
// over its entry table, hooks for what is its own (starting, continuing, its own entries and pages) and the
// words in which it keeps its state; each step it calls `update` while a page shows and `paint` to show it.
#pragma once

#include <cstdint>
#include <functional>
#include <iterator>
#include <span>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "gamelib/GameMenu.h"
#include "gamelib/HighestLevel.h"
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

// A page of the in-game menu. The flow builds the first five and the level list; from Own on they are the
// game's own lists (a set-up page, a choice of tables), whose entries the game fills and whose choices it
// takes. The level list is numbered apart from them.
enum class MenuPage : int32_t { Start, Pause, Help, Table, Keys, Own, Levels = 0x100 };

// The game's n-th page of its own.
constexpr MenuPage ownPage(int32_t n) { return static_cast<MenuPage>(static_cast<int32_t>(MenuPage::Own) + n); }

// A game's own number for a page (its state, menu mode or menu kind), in a table the game keeps.
struct MenuPageNumber {
  MenuPage page;
  int32_t number;
};

// The page of a number, and the number of a page; the table's first entry when it has none.
MenuPage pageOfNumber(std::span<const MenuPageNumber> table, int32_t number);
int32_t numberOfPage(std::span<const MenuPageNumber> table, MenuPage page);

// The words in which a game keeps its menu's state: the flow writes them whenever a page shows, and reads in
// them the page that shows; null where the game keeps no such word.
struct MenuWords {
  // The state word, numbered by page (a page the table lacks takes its first entry).
  int32_t* state = nullptr;
  std::span<const MenuPageNumber> states;
  // The page word (a menu mode or kind), numbered by page, and the one it held before the last page built
  // afresh; the key set-up leaves both as they are.
  int32_t* page = nullptr;
  std::span<const MenuPageNumber> pages;
  int32_t* previousPage = nullptr;
  // Set by the pause page, cleared by the start page; it tells the two apart where they share a state and
  // there is no page word.
  bool* paused = nullptr;
  // The highest level reached: with one above 1, "start" offers the level list, from that level down.
  const HighestLevel* highestLevel = nullptr;
};

// What a game does itself.
struct MenuHooks {
  // "start" on the start page, or a level chosen from the level list: a new game from that level (1 when
  // the game has no level list, or only level 1 is open).
  std::function<void(int32_t level)> start;
  // "continue" on the pause page, once the play keys and the sound are back.
  std::function<void()> resume;
  // Optional: "mainmenu" on the pause page gives up the paused game (without it: all sound stops and the
  // start page shows).
  std::function<void()> abandon;
  // Optional: an entry of kind Own, or any choice on one of the game's own pages.
  std::function<void(MenuPage page, int32_t item)> own;
  // Optional: the page has just been built afresh, before its words are written: the game's own entries on
  // its own pages, and what else its rules do then.
  std::function<void(MenuPage page)> built;
};

// Where a game's rules make its flow differ from the others'.
struct MenuStyle {
  // A closed help or table page leaves the list as it was, with the page's entry highlighted again, instead
  // of building it afresh (the brick game).
  bool pagesKeepTheList = false;
  // The same after the key set-up (all but the tunnel and tanks games, which build the list afresh).
  bool keysKeepTheList = true;
  // The menu's input clock starts again as the pages change: an opened table ignores input for its first
  // 200 ms, and the list after the key set-up waits its 200 ms (the river, ladders, rocks, formation and
  // tanks games).
  bool inputClockRestarts = false;
  // The table closes on fire or a tap only, not on the other keys that close a menu page (the river game).
  bool tableClosesOnFireOrTap = false;
  // A page built afresh takes the fire key, so that the press that opened it does not act on it (the maze,
  // ladders, rocks and formation games).
  bool pagesTakeFire = false;
  // A typed name is stored at the start of the next step, before the menu's update, instead of after the
  // update of the step that accepted it (the formation game).
  bool nameStoredNextStep = false;
};

// When a game's help is read and broken into lines.
enum class HelpLayout : int32_t {
  // Each time its page opens.
  OnOpening,
  // Once, as the game is entered, to the width of the list over the picture.
  OnEntering,
  // Once, as the game is entered, to the width of the plain list, before the picture widens it (the tunnel
  // game).
  OnEnteringAtPlainWidth,
};

// What a game hands the flow for its pages as it is entered, beside its entries.
struct MenuPages {
  // The picture its pages lie on (its splash): shaded behind the list, and darker behind the pages with
  // menus of their own and the key set-up. Null: the pages' plain boxes.
  nuv::microedition::lcdui::DImagePtr picture;
  // The folder of its help texts, and when they are laid out.
  const char16_t* helpFolder = nullptr;
  HelpLayout help = HelpLayout::OnOpening;
  // The number of its high-score table.
  int32_t table = 1;
  // The table, and the help, shown on menus of their own instead of the list's (the brick and tanks
  // games; the help only the tanks game). The table's menu keeps the table for the offer and the typed name.
  bool tableHasItsMenu = false;
  bool helpHasItsMenu = false;
  // The game actions its key set-up rebinds.
  int32_t remappableActions = 0;
};

// Where a game's pause sign takes the pen, bounds included; empty without the sign's picture.
struct PauseSign {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = -1;
  int32_t bottom = -1;

  bool contains(int32_t x, int32_t y) const { return x >= left && x <= right && y >= top && y <= bottom; }
  // The shared pause picture in a corner of the screen. A corner sign also takes the pen past the screen's
  // edges there; on the left it reaches the picture's width and, at the top, its height, while on the right
  // it starts a pixel inside the picture and, at the top, ends one short of its height.
  static PauseSign topLeft(const nuv::microedition::lcdui::DImagePtr& picture);
  static PauseSign topRight(const nuv::microedition::lcdui::DImagePtr& picture);
  static PauseSign bottomLeft(const nuv::microedition::lcdui::DImagePtr& picture);
  static PauseSign bottomRight(const nuv::microedition::lcdui::DImagePtr& picture);
};

class MenuFlow;
using MenuFlowPtr = nuv::lang::DPtr<MenuFlow>;

class MenuFlow : public nuv::lang::DObject {
 public:
  // The game entering: its stored sound levels and the chosen language's texts loaded, the list made over
  // its picture, the help and table pages as `pages` says, and its key set-up installed.
  MenuFlow(nuv::lang::DStringPtr gameKey, std::span<const MenuEntryKeys> entries, const MenuPages& pages,
           MenuHooks hooks, MenuStyle style = {});
  const char* getClassName() const override { return "MenuFlow"; }

  // The game leaving: its flow with the menus, the help and the key set-up let go. Nothing without a flow.
  static void leave(MenuFlowPtr& flow);

  // The menu that shows the entries, and the one a page shows on.
  GameMenu& menu() const { return *menu_; }
  GameMenu& menuOf(MenuPage page) const;
  // The page showing, as the game's words say.
  MenuPage page() const;

  // One step of the page showing: the menu's input, the entry chosen, a page closed, a typed name stored.
  void update();
  // The page showing, over the picture of its menu or of the key set-up.
  void paint();
  // The page built afresh and shown; a help, table or key set-up page shown over a list goes back to it.
  void show(MenuPage page);
  // The start or pause entries again, the first one highlighted, without changing page.
  void showEntries(bool paused);
  // Whether the player asks for the pause page in play: select, back, the pause action, or the pen on the
  // game's pause sign.
  static bool pauseRequested(const PauseSign& sign = {});
  // Play stops for the pause page: input cleared, menu keys, sound held.
  void pause();
  // The end of a game: sound stopped, the table loaded, menu keys. When the score enters the table the name
  // entry opens over the start page and true is answered; otherwise the start page shows.
  bool endGame(int32_t score);
  // A typed name with the score of the ended game into the table, which is saved and shown; closing it leads
  // to the start page. False when no name waits.
  bool storeTypedName();

  // The array the start and pause entries are written into, for a game that keeps one (null: a new one each
  // time).
  nuv::lang::DStringArrayPtr entryArray;
  // The game's words the flow keeps.
  MenuWords words;
  // The table the table page shows and a typed name goes into.
  int32_t table;

 private:
  // The game's help into its menu.
  void layOutHelp(GameMenu& menu) const;
  // The page the words name; the page last shown when the game keeps no state word.
  MenuPage pageOfWords() const;
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
  // "continue": play keys, movement and fire released, sound going on, then the game's own.
  void resume();
  void chooseLevel(int32_t item);
  void abandon();

  nuv::lang::DStringPtr gameKey_;
  std::span<const MenuEntryKeys> entries_;
  const char16_t* helpFolder_;
  HelpLayout help_;
  GameMenuPtr menu_;
  // Pages with menus of their own; null: the list's.
  GameMenuPtr tableMenu_;
  GameMenuPtr helpMenu_;
  MenuHooks hooks_;
  MenuStyle style_;
  MenuPage page_ = MenuPage::Start;
  // The list page a help, table or key set-up page goes back to.
  MenuPage returnPage_ = MenuPage::Start;
  // The score of the ended game, kept for the name being typed.
  int32_t score_ = 0;
};

}  // namespace gamelib
