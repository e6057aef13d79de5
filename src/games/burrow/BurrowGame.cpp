// The tunnel-digging game's screen: the state machine run on every second step, the state changes, the
// in-game menu's entries, the level list, new games, and the end of a game with its high score.
#include "games/burrow/BurrowGame.h"

#include <algorithm>
#include <iterator>
#include <span>

#include "gamelib/GameApi.h"

namespace burrow {

using namespace gamelib::api;

namespace {

// The game's menus are the standard ones; the level list is its own page.
constexpr std::span<const MenuEntryKeys> kMenu = gamelib::kStandardMenu;
static_assert(kMenu.size() == BurrowGame::kItemCount);
static_assert(kMenu[BurrowGame::ITEM_START].kind == MenuEntry::Start &&
              kMenu[BurrowGame::ITEM_EXIT].kind == MenuEntry::Exit);

// The states that show a page of the in-game menu.
constexpr MenuPageNumber kStates[] = {
    {MenuPage::Start, BurrowGame::MENU},     {MenuPage::Pause, BurrowGame::PAUSE_MENU},
    {MenuPage::Help, BurrowGame::HELP},      {MenuPage::Table, BurrowGame::HIGH_SCORES},
    {MenuPage::Keys, BurrowGame::KEY_SETUP}, {MenuPage::Levels, BurrowGame::LEVEL_SELECT},
};

bool showsAPage(int32_t state) {
  return std::any_of(std::begin(kStates), std::end(kStates), [&](const auto& s) { return s.number == state; });
}

// The state changes clear the held flags of the movement, fire and corner actions.
constexpr int32_t kClearedActions = 9;

int64_t now() { return DSystem::currentTimeMillis(); }

bool waited(int64_t ms) { return now() - stateTime > ms; }

// The list's wider border.
constexpr int32_t kMenuBorder = 4;

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
      menuFlow->update();
      // A choice takes the fire key with it.
      if (!menuFlow.isNull() && menuFlow->menu().chosen) ScreenCanvas::held[GameAction::Fire] = false;
      break;
    case LEVEL_SELECT:
    case HIGH_SCORES:
    case KEY_SETUP:
      menuFlow->update();
      break;
    case GAME_OVER:
      if (!waited(kGameOverMs)) break;
      SoundManager::stopAll();
      GameLib::canvas->selectKeyMap(ScreenCanvas::kMenuKeyMap);
      finishGame(MENU);
      break;
    case HELP:
      // Select closes the help at once, whatever the menu's input clock says.
      if (ScreenCanvas::select) menuFlow->menu().closed = true;
      menuFlow->update();
      break;
    case LEVEL_INTRO:
      if (!waited(kLevelIntroMs)) break;
      setState(PLAY);
      Level::paintAll();
      break;
    default:
      break;
  }
}

void BurrowGame::makeMenuFlow(const DImagePtr& splash) {
  MenuHooks hooks;
  hooks.start = [](int32_t level) { startGame(level); };
  hooks.resume = [] {
    gamePaused = false;
    setState(PLAY);
    Level::paintAll();
  };
  // A page is a state: its change releases the keys as every change of state does.
  hooks.built = [](MenuPage) { changeState(); };
  // The help is laid out once, as the game is entered, to the width of the list without its picture; every
  // page is built afresh when it shows.
  const MenuPages pages = {.picture = splash,
                           .helpFolder = data::kHelpFolder,
                           .help = HelpLayout::OnEnteringAtPlainWidth,
                           .table = kHighScoreTable,
                           .remappableActions = data::kRemappableActions};
  menuFlow = new MenuFlow(gameKey, kMenu, pages, hooks, {.keysKeepTheList = false});
  menuFlow->words = {.state = &gameState, .states = kStates, .paused = &gamePaused, .highestLevel = &openLevel};
  menuFlow->menu().border = kMenuBorder;
  menuFlow->showEntries(false);
  gameState = MENU;
}

void BurrowGame::setState(int32_t state) {
  // A page of the menu is built by the flow, which then enters its state.
  if (showsAPage(state) && !menuFlow.isNull()) {
    menuFlow->show(pageOfNumber(kStates, state));
  } else {
    enterState(state);
  }
}

void BurrowGame::changeState() {
  // The tap that closed the table is spent.
  if (gameState == HIGH_SCORES) ScreenCanvas::pointerDown = false;
  previousState = gameState;
  for (int32_t a = 0; a < kClearedActions; ++a) ScreenCanvas::held[a] = false;
  ScreenCanvas::select = false;
}

void BurrowGame::enterState(int32_t state) {
  changeState();
  gameState = state;
  // The menu is made after the objects of play; until then a state change leaves it alone.
  GameMenu* menu = menuFlow.isNull() ? nullptr : &menuFlow->menu();
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
      } else {
        SoundManager::play(SOUND_GAME, -1, 0);
      }
      break;
    case LEVEL_INTRO:
      stateTime = now();
      break;
    default:
      break;
  }
}

void BurrowGame::startGame(int32_t level) {
  GameLib::canvas->selectKeyMap(ScreenCanvas::kPlayKeyMap);
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
  openLevel.reach(levelNumber);
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

void BurrowGame::finishGame(int32_t otherwise) {
  gamePaused = false;
  // The name entry opens over the start page without building it: the keys go as with any change of state.
  changeState();
  if (!menuFlow->endGame(player->score) && otherwise != MENU) setState(otherwise);
  previousState = MENU;
}

}  // namespace burrow
