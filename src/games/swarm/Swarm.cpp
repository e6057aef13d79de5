// The alien-formation game's screen: the state machine, the in-game menu with its entries and pages, the
// timed states between waves and at the game's end, and the key set-up.
#include "games/swarm/Swarm.h"

#include <span>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"

namespace swarm {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::MenuEntry;
using gamelib::MenuFlow;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
namespace GameAction = gamelib::GameAction;

namespace {

// The game's menus are the standard ones.
constexpr std::span<const gamelib::MenuEntryKeys> kMenu = gamelib::kStandardMenu;
static_assert(kMenu.size() == Swarm::kItemCount);
static_assert(kMenu[Swarm::ITEM_START].kind == MenuEntry::Start && kMenu[Swarm::ITEM_EXIT].kind == MenuEntry::Exit);

}  // namespace

void Swarm::update() {
  switch (gameState) {
    case STATE_MENU:
      updateMenu();
      break;
    case STATE_PLAY:
      playStep();
      break;
    case STATE_WAVE_INTRO:
      if (stateTimer < 1) {
        gameState = STATE_PLAY;
      } else {
        stateTimer -= STEP_MS;
      }
      break;
    case STATE_LAST_SHIP_LOST:
      if (stateTimer >= 1) {
        stateTimer -= STEP_MS;
        break;
      }
      gameState = STATE_GAME_OVER;
      stateTimer = GAME_OVER_TIME;
      // Without the picture the level's stays behind the texts.
      gamelib::ResourceDamage::skipMissing(nuv::lang::ExceptionCode::Exception, [] {
        nuv::microedition::lcdui::DImagePtr picture = GameLib::loadImage(data::kGameOver);
        if (!picture.isNull()) backgroundImage = picture;
      });
      break;
    case STATE_GAME_OVER:
      if (stateTimer < 1) {
        endGame();
      } else {
        stateTimer -= STEP_MS;
      }
      break;
    case STATE_WAVE_CLEARED:
      if (stateTimer > 0) {
        stateTimer -= STEP_MS;
      } else {
        level += 1;
        setupWave();
      }
      break;
    case STATE_KEY_SETUP:
      updateKeySetup();
      break;
    default:
      break;
  }
  penWasDown = ScreenCanvas::pointerDown;
  seenPressTime = ScreenCanvas::lastPressTime;
}

bool Swarm::penLifted() {
  return !ScreenCanvas::pointerDown && (penWasDown || ScreenCanvas::lastPressTime != seenPressTime);
}

void Swarm::buildMenu(int32_t kind) {
  menuToRestore = menuKind;
  menuKind = kind;
  GameMenu& menu = *gameMenu;
  menu.selected = 0;
  menu.first = 0;
  // A page left open by an earlier choice does not close the new one.
  menu.closed = false;
  switch (kind) {
    case MENU_START:
    case MENU_PAUSE:
      menuItemTexts = MenuFlow::entryTexts(kMenu, kind == MENU_PAUSE);
      menu.setItems(menuItemTexts);
      menu.mode = GameMenu::MODE_LIST;
      break;
    case MENU_HELP:
      menu.loadHelp(MenuFlow::helpPath(data::kHelpFolder), nullptr);
      menu.mode = GameMenu::MODE_HELP;
      break;
    case MENU_TABLE:
      menu.setItems(nullptr);
      menu.loadHighScores(kHighScoreTable, gameKey);
      menu.mode = GameMenu::MODE_TABLE;
      GameMenu::inputClock = 0;
      break;
    default:
      break;
  }
  // The key that opened the menu does not act on it again.
  ScreenCanvas::held[GameAction::Fire] = false;
}

void Swarm::updateMenu() {
  if (MenuFlow::nameTyped(*gameMenu)) storeHighScore();
  gameMenu->update();
  if (gameMenu->chosen && (menuKind == MENU_START || menuKind == MENU_PAUSE)) chooseMenuItem(gameMenu->selected);
  // "exit" has left the game: its globals are gone.
  if (gameMenu.isNull() || gameState != STATE_MENU) return;
  if ((menuKind == MENU_HELP || menuKind == MENU_TABLE) && gameMenu->closed) {
    GameMenu::helpLines = nullptr;
    GameMenu::helpLineCount = 0;
    buildMenu(menuToRestore);
    gameMenu->closed = false;
  }
}

void Swarm::chooseMenuItem(int32_t item) {
  const MenuEntry kind = kMenu[item].kind;
  switch (kind) {
    case MenuEntry::Start:
      if (menuKind == MENU_PAUSE) {
        MenuFlow::resumePlay();
        gameState = STATE_PLAY;
        SoundManager::stop(SOUND_MENU);
        break;
      }
      GameLib::canvas->selectKeyMap(MenuFlow::kPlayKeyMap);
      level = 1;
      setupWave();
      gameState = STATE_WAVE_INTRO;
      ScreenCanvas::held[GameAction::Fire] = false;
      stateTimer = WAVE_INTRO_TIME;
      SoundManager::stopAll();
      playSound(SOUND_LEVEL_BEGIN);
      if (!SoundManager::players.isNull()) SoundManager::play(SOUND_GAME, -1, 0);
      break;
    case MenuEntry::HighScores:
      buildMenu(MENU_TABLE);
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
      if (menuKind == MENU_START) {
        GameLib::showMainMenu();
        break;
      }
      // The paused game is abandoned.
      SoundManager::stopAll();
      buildMenu(MENU_START);
      break;
    default:
      break;
  }
}

void Swarm::storeHighScore() {
  MenuFlow::storeHighScore(*gameMenu, *gameMenu, kHighScoreTable, gameKey, score);
  buildMenu(MENU_TABLE);
  ScreenCanvas::held[GameAction::Fire] = false;
  ScreenCanvas::pointerDown = false;
  ScreenCanvas::dragging = false;
  // Closing the table leads to the start menu.
  menuToRestore = MENU_START;
}

void Swarm::endGame() {
  gameState = STATE_MENU;
  buildMenu(MENU_TABLE);
  if (!MenuFlow::offerHighScore(*gameMenu, *gameMenu, kHighScoreTable, gameKey, score)) buildMenu(MENU_START);
}

void Swarm::updateKeySetup() {
  if (!MenuFlow::keySetupClosed()) return;
  gameState = STATE_MENU;
  GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis();
}

}  // namespace swarm
