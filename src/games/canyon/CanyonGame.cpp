// The river-flying shooter's state machine: the menu pages and their entries, the level choice, pausing,
// the get-ready, level-end, game-over and game-complete screens, the high-score hand-over and the key
// set-up.
#include "games/canyon/CanyonGame.h"

#include <memory>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"

namespace canyon {

using namespace gamelib::api;

namespace {

constexpr int64_t kGetReadyMs = 1500;
constexpr int64_t kEndScreenMs = 2000;

int64_t now() { return DSystem::currentTimeMillis(); }
bool waited(int64_t ms) { return now() - stateTime > ms; }

// The start and pause pages are the standard ones; the level list is the game's own page.
constexpr std::span<const MenuEntryKeys> kMenu = gamelib::kStandardMenu;

// The flow's page of each menu kind.
constexpr MenuPageNumber kKinds[] = {{MenuPage::Start, MENU_MAIN},
                                     {MenuPage::Pause, MENU_PAUSE},
                                     {MenuPage::Help, MENU_HELP},
                                     {MenuPage::Table, MENU_HIGH_SCORES},
                                     {MenuPage::Levels, MENU_LEVELS}};
// Every page is the menu state but the key set-up.
constexpr MenuPageNumber kStates[] = {{MenuPage::Start, STATE_MENU}, {MenuPage::Keys, STATE_KEY_SETUP}};

// The pause picture in the top-left corner, its edges included.
PauseSign pauseSign() {
  if (pausePicture.isNull()) return {};
  return {0, 0, pausePicture->getWidth(), pausePicture->getHeight()};
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
    case STATE_KEY_SETUP:
      handleMenu();
      break;
    case STATE_PLAYING:
      if (MenuFlow::pauseRequested()) {
        menuFlow->pause();
      } else if (MenuFlow::pauseRequested(pauseSign())) {
        // A tap leaves the input and the play keys as they are.
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
  if (menuFlow->endGame(score)) {
    previousKind = MENU_MAIN;
    GameLib::graphics->setClip(0, 0, GameLib::screenWidth, GameLib::screenHeight);
  }
  ScreenCanvas::anyKey = false;
}

void CanyonGame::updateGetReady() {
  if (!waited(kGetReadyMs)) return;
  // A level the river screens cannot make has sent the game back to its menu.
  if (!startRun()) return;
  setState(STATE_PLAYING);
  SoundManager::stopAll();
  SoundManager::play(SOUND_GAME, -1, 0);
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
    openLevel.reach(levelIndex + 1);
    setState(STATE_GET_READY);
  } else {
    levelIndex = 0;
    setState(STATE_GAME_COMPLETE);
  }
}

void CanyonGame::handleMenu() { menuFlow->update(); }

void CanyonGame::makeMenuFlow() {
  MenuHooks hooks;
  // The levels count from 0 here.
  hooks.start = [this](int32_t level) { startLevel(level - 1); };
  hooks.resume = [this] { setState(STATE_PLAYING); };
  // "mainmenu" leaves the paused sounds as they are.
  hooks.abandon = [this] { buildMenu(MENU_MAIN); };
  hooks.built = [](MenuPage page) {
    if (page == MenuPage::Help) ScreenCanvas::anyKey = false;
    if (page == MenuPage::Table) {
      ScreenCanvas::anyKey = false;
      ScreenCanvas::held[GameAction::Fire] = false;
      ScreenCanvas::pointerDown = false;
    }
  };
  const MenuPages pages = {.picture = splash,
                           .helpFolder = data::kHelpFolder,
                           .table = kHighScoreTable,
                           .remappableActions = data::kRemappableActions};
  menuFlow = new MenuFlow(gameKey, kMenu, pages, hooks, {.inputClockRestarts = true, .tableClosesOnFireOrTap = true});
  menuFlow->words = {.state = &gameState,
                     .states = kStates,
                     .page = &menuKind,
                     .pages = kKinds,
                     .previousPage = &previousKind,
                     .highestLevel = &openLevel};
}

void CanyonGame::startLevel(int32_t index) {
  levelIndex = index;
  score = 0;
  lives = kStartLives;
  setState(STATE_GET_READY);
  GameLib::canvas->selectKeyMap(ScreenCanvas::kPlayKeyMap);
}

void CanyonGame::buildMenu(int32_t kind) { menuFlow->show(pageOfNumber(kKinds, kind)); }

}  // namespace canyon
