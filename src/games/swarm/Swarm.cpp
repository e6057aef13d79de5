// The alien-formation game's screen: the state machine, the in-game menu with its entries and pages, the
// timed states between waves and at the game's end, and the key set-up.
#include "games/swarm/Swarm.h"

#include <span>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"

namespace swarm {

using namespace gamelib::api;

namespace {

// The game's menus are the standard ones.
constexpr std::span<const MenuEntryKeys> kMenu = gamelib::kStandardMenu;
static_assert(kMenu.size() == Swarm::kItemCount);
static_assert(kMenu[Swarm::ITEM_START].kind == MenuEntry::Start && kMenu[Swarm::ITEM_EXIT].kind == MenuEntry::Exit);

// The flow's page of each kind of menu.
constexpr MenuPageNumber kKinds[] = {{MenuPage::Start, Swarm::MENU_START},
                                     {MenuPage::Pause, Swarm::MENU_PAUSE},
                                     {MenuPage::Help, Swarm::MENU_HELP},
                                     {MenuPage::Table, Swarm::MENU_TABLE}};
// Every page is the menu state but the key set-up.
constexpr MenuPageNumber kStates[] = {{MenuPage::Start, Swarm::STATE_MENU}, {MenuPage::Keys, Swarm::STATE_KEY_SETUP}};

}  // namespace

void Swarm::update() {
  switch (gameState) {
    case STATE_MENU:
    case STATE_KEY_SETUP:
      menuFlow->update();
      break;
    case STATE_PLAY:
      playStep();
      break;
    case STATE_WAVE_INTRO:
      if (stateTimer < 1) {
        gameState = STATE_PLAY;
      } else {
        stateTimer -= GameLib::kStepMs;
      }
      break;
    case STATE_LAST_SHIP_LOST:
      if (stateTimer >= 1) {
        stateTimer -= GameLib::kStepMs;
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
        stateTimer -= GameLib::kStepMs;
      }
      break;
    case STATE_WAVE_CLEARED:
      if (stateTimer > 0) {
        stateTimer -= GameLib::kStepMs;
      } else {
        level += 1;
        setupWave();
      }
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

void Swarm::buildMenu(int32_t kind) { menuFlow->show(pageOfNumber(kKinds, kind)); }

void Swarm::makeMenuFlow(const DImagePtr& splash) {
  MenuHooks hooks;
  hooks.start = [this](int32_t) {
    GameLib::canvas->selectKeyMap(ScreenCanvas::kPlayKeyMap);
    level = 1;
    setupWave();
    gameState = STATE_WAVE_INTRO;
    ScreenCanvas::held[GameAction::Fire] = false;
    stateTimer = WAVE_INTRO_TIME;
    SoundManager::stopAll();
    playSound(SOUND_LEVEL_BEGIN);
    SoundManager::play(SOUND_GAME, -1, 0);
  };
  hooks.resume = [] {
    gameState = STATE_PLAY;
    SoundManager::stop(SOUND_MENU);
  };
  // A typed name is stored at the start of the next step, before the menu's.
  const MenuPages pages = {.picture = splash,
                           .helpFolder = data::kHelpFolder,
                           .table = kHighScoreTable,
                           .remappableActions = data::kRemappableActions};
  menuFlow = new MenuFlow(gameKey, kMenu, pages, hooks,
                          {.inputClockRestarts = true, .pagesTakeFire = true, .nameStoredNextStep = true});
  menuFlow->words = {
      .state = &gameState, .states = kStates, .page = &menuKind, .pages = kKinds, .previousPage = &menuToRestore};
}

void Swarm::endGame() {
  buildMenu(MENU_TABLE);
  menuFlow->endGame(score);
}

}  // namespace swarm
