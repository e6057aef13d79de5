// The tunnel-digging game's screen: the state machine run on every second step, the state changes, the
// in-game menu's entries, the level list, new games, and the end of a game with its high score.
#include "games/burrow/BurrowGame.h"

#include <span>

#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"

namespace burrow {

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
static_assert(kMenu.size() == BurrowGame::kItemCount);
static_assert(kMenu[BurrowGame::ITEM_START].kind == MenuEntry::Start &&
              kMenu[BurrowGame::ITEM_EXIT].kind == MenuEntry::Exit);

// The state changes clear the held flags of the movement, fire and corner actions.
constexpr int32_t kClearedActions = 9;

int64_t now() { return nuv::lang::DSystem::currentTimeMillis(); }

bool waited(int64_t ms) { return now() - stateTime > ms; }

}  // namespace

void BurrowGame::update() {
  // The game runs at half the library's pace: one play step every 60 ms.
  if (++stepParity == 2) {
    stepParity = 0;
    return;
  }
  switch (gameState) {
    case PLAY:
      playStep();
      break;
    case MENU:
    case PAUSE_MENU:
      updateMenu();
      break;
    case LEVEL_SELECT:
      updateLevelSelect();
      break;
    case HIGH_SCORES:
      gameMenu->update();
      if (gameMenu->closed) {
        gameMenu->closed = false;
        ScreenCanvas::pointerDown = false;
        setState(gamePaused ? PAUSE_MENU : MENU);
      }
      break;
    case GAME_OVER:
      if (!waited(kGameOverMs)) break;
      SoundManager::stopAll();
      GameLib::canvas->selectKeyMap(MenuFlow::kMenuKeyMap);
      finishGame(MENU);
      break;
    case HELP:
      gameMenu->update();
      if (ScreenCanvas::select || gameMenu->closed) {
        gameMenu->closed = false;
        setState(previousState);
      }
      break;
    case LEVEL_INTRO:
      if (!waited(kLevelIntroMs)) break;
      setState(PLAY);
      Level::paintAll();
      break;
    case KEY_SETUP:
      if (MenuFlow::keySetupClosed()) setState(previousState);
      break;
    default:
      break;
  }
}

void BurrowGame::setMenuTexts() {
  menuItems = MenuFlow::entryTexts(kMenu, gameState == PAUSE_MENU);
  gameMenu->setItems(menuItems);
}

void BurrowGame::setState(int32_t state) {
  previousState = gameState;
  gameState = state;
  for (int32_t a = 0; a < kClearedActions; ++a) ScreenCanvas::held[a] = false;
  ScreenCanvas::select = false;
  // The menu is made after the objects of play; until then a state change leaves it alone.
  GameMenu* menu = gameMenu.get();
  if (menu != nullptr) {
    menu->first = 0;
    menu->selected = 0;
    menu->mode = GameMenu::MODE_LIST;
  }
  switch (state) {
    case PLAY:
      GameLib::graphics->setColor(0x000000);
      GameLib::graphics->fillRect(0, 0, GameLib::screenWidth, GameLib::screenHeight);
      SoundManager::stop(SOUND_MENU);
      if (previousState == PAUSE_MENU) {
        SoundManager::resumeAll();
      } else if (!SoundManager::players.isNull()) {
        SoundManager::play(SOUND_GAME, -1, 0);
      }
      break;
    case MENU:
    case PAUSE_MENU:
      if (menu != nullptr) setMenuTexts();
      break;
    case LEVEL_SELECT: {
      if (menu == nullptr) break;
      // The highest level first, level 1 last, then "exit".
      DStringArrayPtr items = new DStringArray(openLevel + 1);
      for (int32_t i = 0; i < openLevel; ++i) (*items)[i] = TextTable::getString(u"level") + u" " + (openLevel - i);
      (*items)[openLevel] = TextTable::getString(u"exit");
      menu->setItems(items);
      break;
    }
    case HIGH_SCORES:
      if (menu == nullptr) break;
      menu->loadHighScores(kHighScoreTable, gameKey);
      menu->mode = GameMenu::MODE_TABLE;
      break;
    case HELP:
      if (menu != nullptr) menu->mode = GameMenu::MODE_HELP;
      break;
    case LEVEL_INTRO:
      stateTime = now();
      break;
    default:
      break;
  }
}

void BurrowGame::updateMenu() {
  gameMenu->update();
  if (gameMenu->chosen) {
    gameMenu->chosen = false;
    chooseMenuItem(gameMenu->selected);
    // "exit" has left the game: its globals are gone.
    if (gameMenu.isNull()) return;
    ScreenCanvas::held[GameAction::Fire] = false;
  }
  if ((gameState == MENU || gameState == PAUSE_MENU) && MenuFlow::nameTyped(*gameMenu)) storeHighScore();
}

void BurrowGame::chooseMenuItem(int32_t item) {
  const MenuEntry kind = kMenu[item].kind;
  const bool paused = gameState == PAUSE_MENU;
  switch (kind) {
    case MenuEntry::Start:
      if (paused) {
        GameLib::canvas->selectKeyMap(MenuFlow::kPlayKeyMap);
        gamePaused = false;
        setState(PLAY);
        Level::paintAll();
      } else if (openLevel < 2) {
        startGame(1);
      } else {
        setState(LEVEL_SELECT);
      }
      break;
    case MenuEntry::HighScores:
      setState(HIGH_SCORES);
      break;
    case MenuEntry::Help:
      setState(HELP);
      gameMenu->closed = false;
      break;
    case MenuEntry::SfxLevel:
    case MenuEntry::MusicLevel:
      MenuFlow::cycleSoundLevel(*gameMenu, item, kind, gameKey);
      break;
    case MenuEntry::Keys:
      setState(KEY_SETUP);
      ScreenCanvas::clearKeys();
      break;
    case MenuEntry::Exit:
      SoundManager::stopAll();
      ScreenCanvas::held[GameAction::Fire] = false;
      gamePaused = false;
      if (paused) {
        setState(MENU);
      } else {
        GameLib::showMainMenu();
      }
      break;
    default:
      break;
  }
}

void BurrowGame::updateLevelSelect() {
  gameMenu->update();
  if (!gameMenu->chosen) return;
  gameMenu->chosen = false;
  const int32_t index = gameMenu->selected;
  if (index < gameMenu->items->length - 1) {
    startGame(openLevel - index);
  } else {
    setState(MENU);
  }
}

void BurrowGame::startGame(int32_t level) {
  GameLib::canvas->selectKeyMap(MenuFlow::kPlayKeyMap);
  gamePaused = false;
  levelNumber = level;
  if (newLevel()) setState(LEVEL_INTRO);
}

bool BurrowGame::newLevel() {
  if (Level::load(Level::fileName(levelNumber)) != 0) {
    // Nothing of an earlier game may count for this one.
    player->newGame();
    reportMissingLevel();
    return false;
  }
  if (openLevel < levelNumber) {
    openLevel = levelNumber;
    GameMenu::saveOption(gameKey + u"openlevel", openLevel);
  }
  earthSet = ((levelNumber - 1) & 3) + 1;
  Level::startLevel(levelNumber);
  player->newGame();
  fieldDirty = true;
  Level::updateMonsterLimit();
  return true;
}

void BurrowGame::reportMissingLevel() {
  SoundManager::stopAll();
  endCaption = u"levelmissing";
  setState(GAME_OVER);
  stateTime = now();
}

bool BurrowGame::isHighScore(int32_t score) {
  scoreTable->loadHighScores(kHighScoreTable, gameKey);
  return scoreTable->isHighScore(score);
}

void BurrowGame::finishGame(int32_t otherwise) {
  gamePaused = false;
  const bool entered = MenuFlow::offerHighScore(*gameMenu, *scoreTable, kHighScoreTable, gameKey, player->score);
  const int32_t mode = gameMenu->mode;
  setState(entered ? MENU : otherwise);
  // The name entry opened by the offer stays open over the menu.
  if (entered) gameMenu->mode = mode;
  previousState = MENU;
}

void BurrowGame::storeHighScore() {
  MenuFlow::storeHighScore(*gameMenu, *scoreTable, kHighScoreTable, gameKey, player->score);
  gameMenu->closed = false;
  ScreenCanvas::held[GameAction::Fire] = false;
  setState(HIGH_SCORES);
}

}  // namespace burrow
