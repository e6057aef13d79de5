// The river-flying shooter's state machine: the menu pages and their entries, the level choice, pausing,
// the get-ready, level-end, game-over and game-complete screens, the high-score hand-over and the key
// set-up.
#include "games/canyon/CanyonGame.h"

#include "core/lang/DExceptionBase.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"

namespace canyon {

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

constexpr int64_t kGetReadyMs = 1500;
constexpr int64_t kEndScreenMs = 2000;

int64_t now() { return nuv::lang::DSystem::currentTimeMillis(); }
bool waited(int64_t ms) { return now() - stateTime > ms; }

// The start and pause pages are the standard ones.
constexpr std::span<const gamelib::MenuEntryKeys> kMenu = gamelib::kStandardMenu;

bool pausePictureTapped() {
  if (pausePicture.isNull() || !ScreenCanvas::pointerDown) return false;
  const int32_t x = ScreenCanvas::pointerX, y = ScreenCanvas::pointerY;
  return x >= 0 && x <= pausePicture->getWidth() && y >= 0 && y <= pausePicture->getHeight();
}

}  // namespace

void CanyonGame::setState(int32_t state) {
  gameState = state;
  if (state == STATE_GAME_OVER) {
    gameOverPicture = nullptr;
    gamelib::ResourceDamage::skipMissing(nuv::lang::ExceptionCode::Exception,
                                         [] { gameOverPicture = GameLib::loadImage(data::kGameOver); });
  }
  if (state == STATE_GAME_OVER || state == STATE_GAME_COMPLETE) {
    stateTime = now();
    SoundManager::stopAll();
  } else if (state == STATE_GET_READY) {
    stateTime = now();
    presencePercent = 10 + levelIndex * 60 / levels->length;
    ScreenCanvas::resetInput();
  }
}

void CanyonGame::update() {
  switch (gameState) {
    case STATE_MENU:
      handleMenu();
      break;
    case STATE_PLAYING:
      if (ScreenCanvas::select || ScreenCanvas::back || ScreenCanvas::held[GameAction::Pause]) {
        MenuFlow::pausePlay();
        setState(STATE_MENU);
        buildMenu(MENU_PAUSE);
      } else if (pausePictureTapped()) {
        // A tap leaves the input as it is.
        setState(STATE_MENU);
        buildMenu(MENU_PAUSE);
        SoundManager::pauseAll();
      }
      updateWorld();
      break;
    case STATE_GAME_OVER:
    case STATE_GAME_COMPLETE:
      updateTimedEnd();
      break;
    case STATE_GET_READY:
      updateGetReady();
      break;
    case STATE_KEY_SETUP:
      if (MenuFlow::keySetupClosed()) {
        gameState = STATE_MENU;
        GameMenu::inputClock = now();
      }
      break;
    case STATE_LEVEL_END:
      updateLevelEnd();
      break;
    default:
      break;
  }
}

void CanyonGame::updateTimedEnd() {
  if (!waited(kEndScreenMs)) return;
  gameOverPicture = nullptr;
  if (MenuFlow::offerHighScore(*menu, *menu, kHighScoreTable, gameKey, score)) {
    menuKind = previousKind = MENU_MAIN;
    GameLib::graphics->setClip(0, 0, GameLib::screenWidth, GameLib::screenHeight);
  } else {
    buildMenu(MENU_MAIN);
  }
  setState(STATE_MENU);
  ScreenCanvas::anyKey = false;
}

void CanyonGame::updateGetReady() {
  if (!waited(kGetReadyMs)) return;
  // A level the river screens cannot make has sent the game back to its menu.
  if (!startRun()) return;
  setState(STATE_PLAYING);
  SoundManager::stopAll();
  if (!SoundManager::players.isNull()) SoundManager::play(SOUND_GAME, -1, 0);
  stateTime = now();
  ScreenCanvas::anyKey = false;
  ScreenCanvas::pointerDown = false;
  ScreenCanvas::held[GameAction::Fire] = false;
}

void CanyonGame::updateLevelEnd() {
  if (viewTop - planeY - planeImage->h >= 0) {
    // Still in view: the plane flies out over the top.
    planeY += 2 * baseSpeed;
    return;
  }
  levelIndex += 1;
  if (levelIndex < levels->length) {
    if (openLevel < levelIndex + 1) {
      openLevel = levelIndex + 1;
      GameMenu::saveOption(gameKey + u"openlevel", openLevel);
    }
    setState(STATE_GET_READY);
  } else {
    levelIndex = 0;
    setState(STATE_GAME_COMPLETE);
  }
}

void CanyonGame::handleMenu() {
  menu->update();
  switch (menuKind) {
    case MENU_MAIN:
    case MENU_PAUSE:
      if (menu->chosen) chooseMenuItem(menu->selected);
      // "exit" has left the game: its globals are gone.
      if (menu.isNull() || gameState != STATE_MENU) return;
      if (MenuFlow::nameTyped(*menu)) storeHighScore();
      break;
    case MENU_HELP:
      if (menu->closed) buildMenu(previousKind);
      break;
    case MENU_HIGH_SCORES:
      if (ScreenCanvas::held[GameAction::Fire] || ScreenCanvas::pointerDown) buildMenu(previousKind);
      break;
    case MENU_LEVELS:
      if (menu->chosen) chooseLevel();
      break;
    default:
      break;
  }
}

void CanyonGame::chooseMenuItem(int32_t item) {
  const MenuEntry kind = kMenu[item].kind;
  const bool paused = menuKind == MENU_PAUSE;
  switch (kind) {
    case MenuEntry::Start:
      if (paused) {
        MenuFlow::resumePlay();
        setState(STATE_PLAYING);
      } else if (openLevel == 1) {
        startLevel(0);
      } else {
        buildMenu(MENU_LEVELS);
      }
      break;
    case MenuEntry::HighScores:
      buildMenu(MENU_HIGH_SCORES);
      break;
    case MenuEntry::Help:
      buildMenu(MENU_HELP);
      ScreenCanvas::anyKey = false;
      break;
    case MenuEntry::SfxLevel:
    case MenuEntry::MusicLevel:
      MenuFlow::cycleSoundLevel(*menu, item, kind, gameKey);
      break;
    case MenuEntry::Keys:
      gameState = STATE_KEY_SETUP;
      ScreenCanvas::clearKeys();
      break;
    case MenuEntry::Exit:
      if (paused) {
        buildMenu(MENU_MAIN);
      } else {
        GameLib::showMainMenu();
      }
      break;
    default:
      break;
  }
}

void CanyonGame::chooseLevel() {
  if (menu->closed) {
    buildMenu(MENU_MAIN);
    return;
  }
  startLevel(openLevel - menu->selected - 1);
}

void CanyonGame::startLevel(int32_t index) {
  levelIndex = index;
  score = 0;
  lives = kStartLives;
  setState(STATE_GET_READY);
  GameLib::canvas->selectKeyMap(MenuFlow::kPlayKeyMap);
}

void CanyonGame::storeHighScore() {
  MenuFlow::storeHighScore(*menu, *menu, kHighScoreTable, gameKey, score);
  menu->closed = false;
  ScreenCanvas::held[GameAction::Fire] = false;
  ScreenCanvas::anyKey = false;
  buildMenu(MENU_HIGH_SCORES);
}

void CanyonGame::buildMenu(int32_t kind) {
  previousKind = menuKind;
  menuKind = kind;
  menu->first = 0;
  menu->selected = 0;
  menu->closed = false;
  switch (kind) {
    case MENU_MAIN:
    case MENU_PAUSE:
      MenuFlow::showEntries(*menu, kMenu, kind == MENU_PAUSE);
      menu->mode = GameMenu::MODE_LIST;
      break;
    case MENU_HELP:
      menu->loadHelp(MenuFlow::helpPath(data::kHelpFolder), nullptr);
      menu->mode = GameMenu::MODE_HELP;
      break;
    case MENU_HIGH_SCORES:
      menu->loadHighScores(kHighScoreTable, gameKey);
      menu->mode = GameMenu::MODE_TABLE;
      GameMenu::inputClock = 0;
      ScreenCanvas::anyKey = false;
      ScreenCanvas::held[GameAction::Fire] = false;
      ScreenCanvas::pointerDown = false;
      break;
    case MENU_LEVELS: {
      // The highest level first, "exit" last.
      DStringArrayPtr items = new DStringArray(openLevel + 1);
      for (int32_t i = 0; i < openLevel; ++i) (*items)[i] = TextTable::getString(u"level") + u" " + (openLevel - i);
      (*items)[openLevel] = TextTable::getString(u"exit");
      menu->setItems(items);
      menu->mode = GameMenu::MODE_LIST;
      break;
    }
    default:
      break;
  }
}

}  // namespace canyon
