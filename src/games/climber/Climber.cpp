// The ladders-and-bricks game's state machine: the in-game menu and its entries, the level choice,
// starting a game, the level intro, game over with the high-score offer, and the key set-up.
#include "games/climber/Climber.h"

#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"

namespace climber {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::MenuEntry;
using gamelib::MenuFlow;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using gamelib::TextTable;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
namespace GameAction = gamelib::GameAction;

namespace {

// The game's menus are the standard ones.
constexpr std::span<const gamelib::MenuEntryKeys> kMenu = gamelib::kStandardMenu;
static_assert(kMenu.size() == kItemCount);
static_assert(kMenu[ITEM_START].kind == MenuEntry::Start && kMenu[ITEM_EXIT].kind == MenuEntry::Exit);

constexpr int32_t kStepMs = GameLib::kStepMs;

}  // namespace

void Climber::update() {
  switch (gameState) {
    case STATE_MENU:
      updateMenu();
      break;
    case STATE_PLAYING:
      updatePlaying();
      break;
    case STATE_LEVEL_INTRO:
      stateTimer -= kStepMs;
      if (stateTimer < 1) {
        GameLib::canvas->selectKeyMap(MenuFlow::kPlayKeyMap);
        gameState = STATE_PLAYING;
      }
      break;
    case STATE_GAME_OVER:
      updateGameOver();
      break;
    case STATE_KEY_SETUP:
      if (MenuFlow::keySetupClosed()) {
        gameState = STATE_MENU;
        GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis();
      }
      break;
    default:
      break;
  }
}

void Climber::buildMenu(int32_t mode) {
  previousMenuMode = menuMode;
  menuMode = mode;
  GameMenu& menu = *gameMenu;
  menu.selected = 0;
  menu.first = 0;
  switch (mode) {
    case MENU_START:
    case MENU_PAUSE: {
      // One array for both menus: only the first and last entries change between them.
      const bool paused = mode == MENU_PAUSE;
      (*menuItemTexts)[ITEM_START] = TextTable::getString(paused ? kMenu[ITEM_START].pausedKey : kMenu[ITEM_START].key);
      (*menuItemTexts)[ITEM_EXIT] = TextTable::getString(paused ? kMenu[ITEM_EXIT].pausedKey : kMenu[ITEM_EXIT].key);
      menu.setItems(menuItemTexts);
      menu.mode = GameMenu::MODE_LIST;
      break;
    }
    case MENU_HELP:
      menu.loadHelp(MenuFlow::helpPath(data::kHelpFolder), nullptr);
      menu.closed = false;
      menu.mode = GameMenu::MODE_HELP;
      break;
    case MENU_HIGH_SCORES:
      menu.setItems(nullptr);
      menu.loadHighScores(kHighScoreTable, gameKey);
      GameMenu::inputClock = 0;
      menu.closed = false;
      menu.mode = GameMenu::MODE_TABLE;
      break;
    case MENU_LEVELS: {
      // From the highest level reached down to 1, then "exit".
      DStringArrayPtr items = new DStringArray(openLevel + 1);
      for (int32_t i = 0; i < openLevel; ++i) (*items)[i] = TextTable::getString(u"level") + u" " + (openLevel - i);
      (*items)[openLevel] = TextTable::getString(u"exit");
      menu.setItems(items);
      menu.closed = false;
      menu.mode = GameMenu::MODE_LIST;
      break;
    }
    default:
      break;
  }
  // The press that opened the menu chooses nothing in it.
  ScreenCanvas::held[GameAction::Fire] = false;
}

void Climber::updateMenu() {
  GameMenu& menu = *gameMenu;
  menu.update();
  if (menu.chosen) {
    if (menuMode == MENU_LEVELS) {
      if (menu.selected >= menu.items->length - 1) {
        buildMenu(MENU_START);
      } else {
        startGame(openLevel - menu.selected);
      }
    } else if (menuMode == MENU_START || menuMode == MENU_PAUSE) {
      chooseEntry(menu.selected);
      // "exit" has left the game: its globals are gone.
      if (gameMenu.isNull()) return;
    }
  }
  if ((menuMode == MENU_HELP || menuMode == MENU_HIGH_SCORES) && gameMenu->closed) {
    buildMenu(previousMenuMode);
    gameMenu->closed = false;
  }
  if (MenuFlow::nameTyped(*gameMenu)) {
    MenuFlow::storeHighScore(*gameMenu, *gameMenu, kHighScoreTable, gameKey, score);
    menuMode = MENU_START;
    buildMenu(MENU_HIGH_SCORES);
    // Back from the table leads to the start menu.
    previousMenuMode = MENU_START;
  }
}

void Climber::chooseEntry(int32_t item) {
  const MenuEntry kind = kMenu[item].kind;
  const bool paused = menuMode == MENU_PAUSE;
  switch (kind) {
    case MenuEntry::Start:
      if (paused) {
        MenuFlow::resumePlay();
        gameState = STATE_PLAYING;
      } else if (openLevel == 1) {
        startGame(1);
      } else {
        buildMenu(MENU_LEVELS);
      }
      break;
    case MenuEntry::HighScores:
      buildMenu(MENU_HIGH_SCORES);
      break;
    case MenuEntry::Help:
      buildMenu(MENU_HELP);
      break;
    case MenuEntry::SfxLevel:
    case MenuEntry::MusicLevel:
      MenuFlow::cycleSoundLevel(*gameMenu, item, kind, gameKey);
      break;
    case MenuEntry::Keys:
      gameState = STATE_KEY_SETUP;
      ScreenCanvas::clearKeys();
      break;
    case MenuEntry::Exit:
      if (!paused) {
        GameLib::showMainMenu();
        break;
      }
      // The running game is abandoned.
      buildMenu(MENU_START);
      SoundManager::stopAll();
      break;
    default:
      break;
  }
}

void Climber::startGame(int32_t startLevel) {
  gameState = STATE_LEVEL_INTRO;
  stateTimer = introTime;
  ScreenCanvas::held[GameAction::Fire] = false;
  if (!SoundManager::players.isNull()) SoundManager::stopCurrent();
  playSound(SOUND_LEVEL_BEGIN);
  level = startLevel;
  lives = kStartLives;
  score = 0;
  badLevel = 0;
  if (enterLevel(startLevel)) playSound(SOUND_GAME);
}

void Climber::updateGameOver() {
  stateTimer -= kStepMs;
  if (stateTimer <= 0) endGame();
}

void Climber::endGame() {
  gameState = STATE_MENU;
  badLevel = 0;
  if (!MenuFlow::offerHighScore(*gameMenu, *gameMenu, kHighScoreTable, gameKey, score)) buildMenu(MENU_START);
}

}  // namespace climber
