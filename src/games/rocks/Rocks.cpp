// The space-rocks game's screen: the state machine, the start and pause menus with their entries, the help
// and high-score pages, the name entry and the key set-up.
#include "games/rocks/Rocks.h"

#include <span>

#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"

namespace rocks {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::MenuEntry;
using gamelib::MenuFlow;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using gamelib::TextTable;
using nuv::lang::DStringPtr;
namespace GameAction = gamelib::GameAction;

namespace {

// The standard entries with the screen-edge option before the key set-up; its text follows the option.
constexpr gamelib::MenuEntryKeys kMenu[] = {
    {MenuEntry::Start, u"start", u"continue"},   {MenuEntry::HighScores, u"highscores", u"highscores"},
    {MenuEntry::Help, u"help", u"help"},         {MenuEntry::SfxLevel, nullptr, nullptr},
    {MenuEntry::MusicLevel, nullptr, nullptr},   {MenuEntry::Own, data::kBoundsOff, data::kBoundsOff},
    {MenuEntry::Keys, u"cfg_keys", u"cfg_keys"}, {MenuEntry::Exit, u"exit", u"mainmenu"},
};
static_assert(std::size(kMenu) == Rocks::kItemCount);
static_assert(kMenu[Rocks::ITEM_BOUNDS].kind == MenuEntry::Own && kMenu[Rocks::ITEM_EXIT].kind == MenuEntry::Exit);

int64_t now() { return nuv::lang::DSystem::currentTimeMillis(); }

DStringPtr boundsText() { return TextTable::getString(boundsOn ? data::kBoundsOn : data::kBoundsOff); }

}  // namespace

Rocks::Rocks()
    : particleSlots(new nuv::lang::DintArray2d(kBurstRows, 4)),
      particles(new nuv::lang::DintArray2d(kBurstRows * kRecordsPerBurst, 5)),
      shots(new FlyingOArray(kShotPlaces)) {}

Rocks::~Rocks() = default;

void Rocks::playSound(int32_t id, int32_t loops) {
  // Without the game's sounds (they did not load, or a test without them) there is nothing to play.
  const auto& players = SoundManager::players;
  if (players.isNull() || id < 0 || id >= players->length) return;
  SoundManager::play(id, loops, 0);
}

void Rocks::update() {
  switch (gameState) {
    case STATE_MENU:
      updateMenu();
      break;
    case STATE_KEY_SETUP:
      updateKeySetup();
      break;
    default:
      playClock();
      break;
  }
}

void Rocks::buildMenu(int32_t mode) {
  previousMenuMode = menuMode;
  menuMode = mode;
  menu->selected = 0;
  menu->first = 0;
  switch (mode) {
    case MENU_START:
    case MENU_PAUSE:
      MenuFlow::showEntries(*menu, kMenu, mode == MENU_PAUSE);
      (*menu->items)[ITEM_BOUNDS] = boundsText();
      menu->mode = GameMenu::MODE_LIST;
      break;
    case MENU_HELP:
      menu->loadHelp(MenuFlow::helpPath(data::kHelpFolder), nullptr);
      menu->mode = GameMenu::MODE_HELP;
      break;
    case MENU_HIGH_SCORES:
      menu->items = nullptr;
      menu->loadHighScores(kHighScoreTable, gameKey);
      menu->mode = GameMenu::MODE_TABLE;
      GameMenu::inputClock = 0;
      break;
    default:
      break;
  }
  menu->chosen = false;
  // Choosing the list's last entry reports a closed page too; a page opened later must not see it.
  menu->closed = false;
  ScreenCanvas::held[GameAction::Fire] = false;
}

void Rocks::updateMenu() {
  menu->update();
  if (menu->chosen) {
    ScreenCanvas::select = false;
    if (menuMode == MENU_START || menuMode == MENU_PAUSE) chooseEntry(menu->selected);
    // "exit" has left the game: its menu is gone.
    if (menu.isNull()) return;
  }
  if ((menuMode == MENU_HELP || menuMode == MENU_HIGH_SCORES) && menu->closed) {
    menu->releaseImage();
    buildMenu(previousMenuMode);
    menu->closed = false;
  }
  if (MenuFlow::nameTyped(*menu)) storeHighScore();
}

void Rocks::chooseEntry(int32_t item) {
  const bool paused = menuMode == MENU_PAUSE;
  switch (item) {
    case ITEM_START:
      GameLib::canvas->selectKeyMap(MenuFlow::kPlayKeyMap);
      if (paused) {
        MenuFlow::resumePlay();
        gameState = STATE_PLAY;
        stateTimer = 0;
        SoundManager::stop(SOUND_MENU);
      } else {
        startGame();
      }
      ship->changed = true;
      break;
    case ITEM_HIGH_SCORES:
      buildMenu(MENU_HIGH_SCORES);
      break;
    case ITEM_HELP:
      buildMenu(MENU_HELP);
      break;
    case ITEM_SFX_LEVEL:
    case ITEM_MUSIC_LEVEL:
      MenuFlow::cycleSoundLevel(*menu, item, kMenu[item].kind, gameKey);
      break;
    case ITEM_BOUNDS:
      boundsOn = !boundsOn;
      (*menu->items)[item] = boundsText();
      GameMenu::saveOption(gameKey + u"B", boundsOn ? 1 : 0);
      break;
    case ITEM_KEYS:
      gameState = STATE_KEY_SETUP;
      ScreenCanvas::clearKeys();
      break;
    case ITEM_EXIT:
      if (paused) {
        // The paused game is abandoned.
        SoundManager::stopAll();
        buildMenu(MENU_START);
        break;
      }
      GameLib::showMainMenu();
      break;
    default:
      GameLib::showMainMenu();
      break;
  }
}

void Rocks::startGame() {
  score = 0;
  extraLifeMark = 0;
  level = 1;
  startLevel(1, 0);
  gameState = STATE_LEVEL_INTRO;
  SoundManager::stopAll();
  playSound(SOUND_LEVEL);
  stateTimer = kIntroSteps;
  playSound(SOUND_GAME, -1);
}

void Rocks::storeHighScore() {
  MenuFlow::storeHighScore(*menu, *menu, kHighScoreTable, gameKey, score);
  score = 0;
  extraLifeMark = 0;
  level = 1;
  gameState = STATE_MENU;
  buildMenu(MENU_HIGH_SCORES);
  // Closing the table leads to the start menu.
  previousMenuMode = MENU_START;
  menu->closed = false;
  ScreenCanvas::held[GameAction::Fire] = false;
}

void Rocks::updateKeySetup() {
  if (!MenuFlow::keySetupClosed()) return;
  gameState = STATE_MENU;
  GameMenu::inputClock = now();
}

void Rocks::offerHighScore(bool keepBackground) {
  if (MenuFlow::offerHighScore(*menu, *menu, kHighScoreTable, gameKey, score)) {
    if (!keepBackground) background = nullptr;
  } else {
    score = 0;
    level = 1;
    buildMenu(MENU_START);
  }
  GameLib::canvas->selectKeyMap(MenuFlow::kMenuKeyMap);
  gameState = STATE_MENU;
}

bool Rocks::pauseRequested() {
  if (ScreenCanvas::select || ScreenCanvas::back || ScreenCanvas::held[GameAction::Pause]) return true;
  // The pause picture sits in the lower right corner; without it that corner is part of the field.
  const auto& icon = GameMenu::pauseImage;
  return ScreenCanvas::pointerDown && !icon.isNull() &&
         ScreenCanvas::pointerX > GameLib::screenWidth - icon->getWidth() &&
         ScreenCanvas::pointerY > GameLib::screenHeight - icon->getHeight();
}

}  // namespace rocks
