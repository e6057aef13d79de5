// The maze game's screen: one update by state (menu, play every second update, key set-up), the pages of
// its in-game menu and their entries, starting, pausing and ending a game, and the direction the keys and
// the stylus ask for.
#include "games/gobbler/Gobbler.h"

#include <cstdlib>

#include "gamelib/CustomControls.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/gobbler/MazeDrawing.h"

namespace gobbler {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::MenuEntry;
using gamelib::MenuFlow;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using gamelib::TextTable;
namespace GameAction = gamelib::GameAction;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;

namespace {

// The start and pause menus are the standard ones.
constexpr std::span<const gamelib::MenuEntryKeys> kMenu = gamelib::kStandardMenu;
static_assert(kMenu.size() == Gobbler::ITEM_EXIT + 1);
static_assert(kMenu[Gobbler::ITEM_SFX_LEVEL].kind == MenuEntry::SfxLevel &&
              kMenu[Gobbler::ITEM_MUSIC_LEVEL].kind == MenuEntry::MusicLevel);

}  // namespace

Gobbler::~Gobbler() { game = nullptr; }

void Gobbler::paint() {
  switch (screenState) {
    case STATE_MENU:
      gameMenu->paint();
      break;
    case STATE_PLAY:
      game->paint();
      break;
    case STATE_KEYS:
      if (!gamelib::CustomControls::current.isNull()) gamelib::CustomControls::current->paint(GameLib::graphics);
      break;
    default:
      break;
  }
}

void Gobbler::update() {
  pointerCacheValid = true;
  switch (screenState) {
    case STATE_PLAY:
      if (stepToggle == 0) game->roundStep();
      stepToggle = (stepToggle - 1) & 1;
      break;
    case STATE_KEYS:
      if (MenuFlow::keySetupClosed()) screenState = STATE_MENU;
      break;
    default:
      updateMenu();
      break;
  }
}

void Gobbler::updateMenu() {
  GameMenu& menu = *gameMenu;
  menu.update();
  if (menu.chosen) {
    const int32_t item = menu.selected;
    switch (menuPage) {
      case PAGE_START:
      case PAGE_PAUSE:
        chooseOnStartOrPause(item);
        break;
      case PAGE_SETUP:
        chooseOnSetup(item);
        break;
      case PAGE_TABLES:
        chooseOnTables(item);
        break;
      default:
        break;
    }
    // "exit" has left the game for the main menu.
    if (GameLib::currentScreen.get() != this) return;
  }
  if ((menuPage == PAGE_HELP || menuPage == PAGE_TABLE) && menu.closed) {
    GameMenu::helpLines = nullptr;
    GameMenu::helpLineCount = 0;
    buildMenu(previousMenuPage);
    menu.closed = false;
  }
  if (MenuFlow::nameTyped(menu)) {
    MenuFlow::storeHighScore(menu, menu, gameMode, gameKey, score);
    shownTable = gameMode;
    buildMenu(PAGE_TABLE);
    // Its table closes to the start menu.
    previousMenuPage = PAGE_START;
    ScreenCanvas::held[GameAction::Fire] = false;
  }
}

void Gobbler::chooseOnStartOrPause(int32_t item) {
  const bool paused = menuPage == PAGE_PAUSE;
  switch (kMenu[item].kind) {
    case MenuEntry::Start:
      if (paused) {
        continueGame();
      } else {
        buildMenu(PAGE_SETUP);
      }
      break;
    case MenuEntry::HighScores:
      buildMenu(PAGE_TABLES);
      break;
    case MenuEntry::Help:
      buildMenu(PAGE_HELP);
      break;
    case MenuEntry::SfxLevel:
    case MenuEntry::MusicLevel:
      MenuFlow::cycleSoundLevel(*gameMenu, item, kMenu[item].kind, gameKey);
      break;
    case MenuEntry::Keys:
      screenState = STATE_KEYS;
      ScreenCanvas::clearKeys();
      break;
    case MenuEntry::Exit:
      if (paused) {
        // The paused game is abandoned.
        SoundManager::stopAll();
        buildMenu(PAGE_START);
      } else {
        GameLib::showMainMenu();
      }
      break;
    default:
      break;
  }
}

void Gobbler::chooseOnSetup(int32_t item) {
  switch (item) {
    case SETUP_START:
      startGame();
      break;
    case SETUP_LEVELS:
      randomLevels = !randomLevels;
      refreshSetupTexts();
      ScreenCanvas::held[GameAction::Fire] = false;
      break;
    case SETUP_MODE:
      gameMode = (gameMode + 1) % GobblerGame::kModes;
      refreshSetupTexts();
      break;
    case SETUP_EXIT:
      buildMenu(PAGE_START);
      break;
    default:
      break;
  }
}

void Gobbler::chooseOnTables(int32_t item) {
  if (item == TABLES_EXIT) {
    buildMenu(gamePaused ? PAGE_PAUSE : PAGE_START);
    return;
  }
  shownTable = item;
  buildMenu(PAGE_TABLE);
}

void Gobbler::startGame() {
  GameLib::canvas->selectKeyMap(MenuFlow::kPlayKeyMap);
  screenState = STATE_PLAY;
  ScreenCanvas::held[GameAction::Fire] = false;
  gamePaused = false;
  game->newMap();
  // A map that did not load has sent the game back to its menu.
  if (screenState != STATE_PLAY) return;
  SoundManager::stop(GobblerGame::SND_MENU);
  if (!SoundManager::players.isNull()) SoundManager::play(GobblerGame::SND_GAME, -1, 0);
}

void Gobbler::continueGame() {
  MenuFlow::resumePlay();
  screenState = STATE_PLAY;
  fillScreen(game->backColour);
  // The menu covered the panel around the maze: it is drawn again.
  panelDrawn = false;
  gamePaused = false;
}

DStringArrayPtr Gobbler::textsOf(const DStringArrayPtr& keys) {
  DStringArrayPtr texts = new DStringArray(keys->length);
  for (int32_t i = 0; i < keys->length; ++i) (*texts)[i] = TextTable::getString((*keys)[i]);
  return texts;
}

void Gobbler::refreshSetupTexts() {
  (*setupTexts)[SETUP_LEVELS] = TextTable::getString(randomLevels ? u"levelsrandom" : u"levelsoriginal");
  (*setupTexts)[SETUP_MODE] = TextTable::getString((*modeKeys)[gameMode]);
}

void Gobbler::buildMenu(int32_t page) {
  GameMenu& menu = *gameMenu;
  previousMenuPage = menuPage;
  menuPage = page;
  menu.selected = 0;
  menu.first = 0;
  switch (page) {
    case PAGE_START:
    case PAGE_PAUSE:
      menu.mode = GameMenu::MODE_LIST;
      menuTexts = MenuFlow::entryTexts(kMenu, page == PAGE_PAUSE);
      menu.setItems(menuTexts);
      if (page == PAGE_START) gamePaused = false;
      break;
    case PAGE_SETUP:
      // The choices may have changed since the texts were made: a new visit plays the levels in order.
      refreshSetupTexts();
      menu.setItems(setupTexts);
      break;
    case PAGE_HELP:
      menu.loadHelp(MenuFlow::helpPath(data::kHelpFolder), nullptr);
      menu.mode = GameMenu::MODE_HELP;
      menu.closed = false;
      break;
    case PAGE_TABLE:
      menu.setItems(nullptr);
      menu.loadHighScores(shownTable, gameKey);
      menu.mode = GameMenu::MODE_TABLE;
      menu.closed = false;
      break;
    case PAGE_TABLES:
      menu.mode = GameMenu::MODE_LIST;
      menu.setItems(tableTexts);
      menu.closed = false;
      break;
    default:
      break;
  }
  ScreenCanvas::held[GameAction::Fire] = false;
}

bool Gobbler::isRequested(int32_t direction) { return requestedDirection() == direction; }

int32_t Gobbler::requestedDirection() {
  const bool* held = ScreenCanvas::held;
  if (held[GameAction::Right]) return DIR_RIGHT;
  if (held[GameAction::Left]) return DIR_LEFT;
  if (held[GameAction::Up]) return DIR_UP;
  if (held[GameAction::Down]) return DIR_DOWN;
  if (held[GameAction::Fire] || ScreenCanvas::back) return DIR_FIRE;
  if (!ScreenCanvas::pointerDown) return DIR_NONE;
  const int32_t px = ScreenCanvas::pointerX, py = ScreenCanvas::pointerY;
  if (pointerCacheValid && px == lastPointerX && py == lastPointerY) return DIR_NONE;
  pointerCacheValid = false;
  lastPointerX = px;
  lastPointerY = py;
  if (player.isNull()) return DIR_NONE;
  const int32_t dx = px - player->position->x - viewX, dy = py - player->position->y - viewY;
  const int32_t w = player->bounds->right - player->bounds->left, h = player->bounds->bottom - player->bounds->top;
  const bool inRow = 0 < dy && dy < h, inColumn = 0 < dx && dx < w;
  const int32_t horizontal = dx < 1 ? DIR_LEFT : DIR_RIGHT, vertical = dy < 1 ? DIR_UP : DIR_DOWN;
  if (inRow && !inColumn) return horizontal;
  if (inColumn && !inRow) return vertical;
  if (!inRow && !inColumn) return std::abs(dx) <= std::abs(dy) ? vertical : horizontal;
  // A tap on the player asks for nothing.
  ScreenCanvas::pointerDown = false;
  return DIR_NONE;
}

}  // namespace gobbler
