// The ladders-and-bricks game's state machine: the in-game menu and its entries, the level choice,
// starting a game, the level intro, game over with the high-score offer, and the key set-up.
#include "games/climber/Climber.h"

#include "gamelib/GameApi.h"

namespace climber {

using namespace gamelib::api;

namespace {

// The game's menus are the standard ones.
constexpr std::span<const MenuEntryKeys> kMenu = gamelib::kStandardMenu;
static_assert(kMenu.size() == kItemCount);
static_assert(kMenu[ITEM_START].kind == MenuEntry::Start && kMenu[ITEM_EXIT].kind == MenuEntry::Exit);

// The flow's page of each menu mode; the level list is the game's own page.
constexpr MenuPageNumber kModes[] = {{MenuPage::Start, MENU_START},
                                     {MenuPage::Pause, MENU_PAUSE},
                                     {MenuPage::Help, MENU_HELP},
                                     {MenuPage::Table, MENU_HIGH_SCORES},
                                     {MenuPage::Levels, MENU_LEVELS}};
// Every page is the menu state but the key set-up.
constexpr MenuPageNumber kStates[] = {{MenuPage::Start, STATE_MENU}, {MenuPage::Keys, STATE_KEY_SETUP}};

}  // namespace

void Climber::update() {
  switch (gameState) {
    case STATE_MENU:
    case STATE_KEY_SETUP:
      menuFlow->update();
      break;
    case STATE_PLAYING:
      updatePlaying();
      break;
    case STATE_LEVEL_INTRO:
      stateTimer -= GameLib::kStepMs;
      if (stateTimer < 1) {
        GameLib::canvas->selectKeyMap(ScreenCanvas::kPlayKeyMap);
        gameState = STATE_PLAYING;
      }
      break;
    case STATE_GAME_OVER:
      updateGameOver();
      break;
    default:
      break;
  }
}

void Climber::buildMenu(int32_t mode) { menuFlow->show(pageOfNumber(kModes, mode)); }

void Climber::makeMenuFlow(const DImagePtr& splash) {
  MenuHooks hooks;
  hooks.start = [](int32_t level) { startGame(level); };
  hooks.resume = [] { gameState = STATE_PLAYING; };
  const MenuPages pages = {.picture = splash,
                           .helpFolder = data::kHelpFolder,
                           .table = kHighScoreTable,
                           .remappableActions = data::kRemappableActions};
  menuFlow = new MenuFlow(gameKey, kMenu, pages, hooks, {.inputClockRestarts = true, .pagesTakeFire = true});
  menuFlow->words = {.state = &gameState,
                     .states = kStates,
                     .page = &menuMode,
                     .pages = kModes,
                     .previousPage = &previousMenuMode,
                     .highestLevel = &openLevel};
  // One array for both menus: the start and the pause entries are written into it.
  menuFlow->entryArray = menuItemTexts;
}

void Climber::startGame(int32_t startLevel) {
  gameState = STATE_LEVEL_INTRO;
  stateTimer = introTime;
  ScreenCanvas::held[GameAction::Fire] = false;
  SoundManager::stopCurrent();
  playSound(SOUND_LEVEL_BEGIN);
  level = startLevel;
  lives = kStartLives;
  score = 0;
  badLevel = 0;
  if (enterLevel(startLevel)) playSound(SOUND_GAME);
}

void Climber::updateGameOver() {
  stateTimer -= GameLib::kStepMs;
  if (stateTimer <= 0) endGame();
}

void Climber::endGame() {
  badLevel = 0;
  menuFlow->endGame(score);
}

}  // namespace climber
