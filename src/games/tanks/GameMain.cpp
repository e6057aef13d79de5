// The tanks game's state machine: its menus and their entries, the stage intro, play with its pause, the
// stage result and the end of a game with its high score.
#include "games/tanks/GameMain.h"

#include "core/io/DPrintStream.h"
#include "core/lang/DSystem.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"

namespace tanks {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::MenuEntry;
using gamelib::MenuFlow;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using gamelib::TextTable;
using nuv::lang::DStringArray;
using nuv::lang::DStringPtr;
namespace GameAction = gamelib::GameAction;

namespace {

// The game's start and pause menus are the standard ones.
constexpr std::span<const gamelib::MenuEntryKeys> kMenu = gamelib::kStandardMenu;
static_assert(kMenu.size() == GameMain::ITEM_EXIT + 1);
static_assert(kMenu[GameMain::ITEM_SFX_LEVEL].kind == MenuEntry::SfxLevel &&
              kMenu[GameMain::ITEM_MUSIC_LEVEL].kind == MenuEntry::MusicLevel);

// Points per kill of type & 3 = k are kPointsPerType * (k + 1).
constexpr int32_t kPointsPerType = 10;
constexpr int32_t kKillTypes = 4;

int64_t now() { return nuv::lang::DSystem::currentTimeMillis(); }

void playSound(int32_t id, int32_t loops) {
  if (!SoundManager::players.isNull()) SoundManager::play(id, loops, 0);
}

}  // namespace

GameMain::~GameMain() {
  items = nullptr;
  playfield = nullptr;
  splash = nullptr;
}

void GameMain::clearKeys() {
  for (int32_t a = GameAction::Up; a <= GameAction::LowerRight; ++a) ScreenCanvas::held[a] = false;
  ScreenCanvas::select = false;
  ScreenCanvas::back = false;
  ScreenCanvas::pointerDown = false;
  ScreenCanvas::doubleTap = false;
}

void GameMain::buildMenu(int32_t newState) {
  prevState = state;
  state = newState;
  mainMenu->selected = 0;
  if (newState == STATE_MENU || newState == STATE_PAUSED) {
    items = MenuFlow::entryTexts(kMenu, newState == STATE_PAUSED);
    mainMenu->setItems(items);
    mainMenu->first = 0;
    mainMenu->closed = false;
  } else if (newState == STATE_LEVELS) {
    nuv::lang::DStringArrayPtr levels = new DStringArray(openlevel + 1);
    for (int32_t i = 0; i < openlevel; ++i) (*levels)[i] = TextTable::getString(u"level") + u" " + (openlevel - i);
    (*levels)[openlevel] = TextTable::getString(u"exit");
    mainMenu->setItems(levels);
    mainMenu->first = 0;
    mainMenu->closed = false;
  }
}

void GameMain::beginStage(int32_t number) {
  GameLib::canvas->selectKeyMap(MenuFlow::kPlayKeyMap);
  playfield->stage = number;
  playfield->loadStage();
  if (stageFailed()) return;
  state = STATE_INTRO;
  stageClock = now();
  SoundManager::stopAll();
  playSound(SOUND_GAME, -1);
  playSound(SOUND_STAGE, 1);
}

bool GameMain::stageFailed() {
  if (stageLoaded) return false;
  DStringPtr why = playfield->loadError.isNull() ? DStringPtr(u"the stage did not load") : playfield->loadError;
  nuv::lang::DSystem::out->println(DStringPtr(u"GlimmerHut: tanks: ") + why);
  GameLib::canvas->selectKeyMap(MenuFlow::kMenuKeyMap);
  paused = false;
  buildMenu(STATE_MENU);
  return true;
}

void GameMain::update() {
  switch (state) {
    case STATE_MENU:
    case STATE_PAUSED:
      updateMenu();
      break;
    case STATE_HIGH_SCORES:
      scoreMenu->update();
      if (scoreMenu->closed) buildMenu(paused ? STATE_PAUSED : STATE_MENU);
      break;
    case STATE_HELP:
      helpMenu->update();
      if (helpMenu->closed) buildMenu(paused ? STATE_PAUSED : STATE_MENU);
      break;
    case STATE_LEVELS:
      mainMenu->update();
      if (mainMenu->closed) {
        buildMenu(STATE_MENU);
      } else if (mainMenu->chosen) {
        beginStage(openlevel - mainMenu->selected);
      }
      break;
    case STATE_INTRO:
      if (now() - stageClock > kIntroMs) {
        state = STATE_PLAYING;
        clearKeys();
      }
      break;
    case STATE_PLAYING:
      updatePlaying();
      break;
    case STATE_RESULT:
      updateResult();
      break;
    case STATE_KEYS:
      if (MenuFlow::keySetupClosed()) {
        buildMenu(prevState);
        GameMenu::inputClock = now();
      }
      break;
    default:
      break;
  }
}

void GameMain::updateMenu() {
  mainMenu->update();
  if (mainMenu->chosen) chooseEntry(mainMenu->selected);
  if (state != STATE_MENU && state != STATE_PAUSED) return;
  if (mainMenu->closed) {
    SoundManager::stopAll();
    clearKeys();
    if (!imagesLoaded || !paused) {
      GameLib::showMainMenu();
      return;
    }
    // The interrupted stage is abandoned.
    paused = false;
    GameLib::canvas->selectKeyMap(MenuFlow::kMenuKeyMap);
    buildMenu(STATE_MENU);
    return;
  }
  if (MenuFlow::nameTyped(*mainMenu)) {
    MenuFlow::storeHighScore(*mainMenu, *scoreMenu, kHighScoreTable, gameKey, playfield->score);
    state = STATE_HIGH_SCORES;
    scoreMenu->closed = false;
    GameMenu::inputClock = 0;
  }
}

void GameMain::chooseEntry(int32_t entry) {
  switch (entry) {
    case ITEM_START:
      clearKeys();
      if (!paused) {
        playfield->newGame();
        if (openlevel <= 1) {
          beginStage(1);
        } else {
          buildMenu(STATE_LEVELS);
        }
      } else {
        GameLib::canvas->selectKeyMap(MenuFlow::kPlayKeyMap);
        paused = false;
        state = STATE_PLAYING;
        SoundManager::resumeAll();
      }
      break;
    case ITEM_HIGH_SCORES:
      state = STATE_HIGH_SCORES;
      scoreMenu->closed = false;
      GameMenu::inputClock = 0;
      break;
    case ITEM_HELP:
      state = STATE_HELP;
      helpMenu->closed = false;
      break;
    case ITEM_SFX_LEVEL:
    case ITEM_MUSIC_LEVEL:
      MenuFlow::cycleSoundLevel(*mainMenu, entry, kMenu[entry].kind, gameKey);
      break;
    case ITEM_KEYS:
      buildMenu(STATE_KEYS);
      ScreenCanvas::clearKeys();
      break;
    default:
      break;
  }
}

void GameMain::updatePlaying() {
  if (playfield->tick() == 0) {
    state = STATE_RESULT;
    playfield->score += stageBonus(playfield->killCounters);
    clearKeys();
  }
  const int32_t w = panelBottomLeft.isNull() ? 0 : panelBottomLeft->getWidth();
  const int32_t h = panelBottomLeft.isNull() ? 0 : panelBottomLeft->getHeight();
  const int32_t screenH = GameLib::screenHeight;
  const int32_t px = ScreenCanvas::pointerX;
  const int32_t py = ScreenCanvas::pointerY;
  const bool tap = ScreenCanvas::pointerDown && px >= 0 && px <= w - (w >> 2) && py >= screenH - h && py <= screenH;
  if (ScreenCanvas::select || ScreenCanvas::back || ScreenCanvas::held[GameAction::Pause] || tap) pauseStage();
}

void GameMain::pauseStage() {
  ScreenCanvas::resetInput();
  GameLib::canvas->selectKeyMap(MenuFlow::kMenuKeyMap);
  clearKeys();
  paused = true;
  buildMenu(STATE_PAUSED);
  SoundManager::pauseAll();
}

void GameMain::updateResult() {
  if (ScreenCanvas::held[GameAction::Fire] || ScreenCanvas::pointerDown) {
    if (player->lives < 1) {
      MenuFlow::offerHighScore(*mainMenu, *scoreMenu, kHighScoreTable, gameKey, playfield->score);
      buildMenu(STATE_MENU);
    } else {
      playfield->nextBattle();
      playfield->loadStage();
      if (!stageFailed()) {
        state = STATE_INTRO;
        stageClock = now();
      }
    }
  }
  clearKeys();
}

int32_t GameMain::stageBonus(int32_t killCounters) {
  int32_t sum = 0;
  for (int32_t k = 0; k < kKillTypes; ++k) sum += (k + 1) * ((killCounters >> (8 * k)) & 0xFF);
  return kPointsPerType * sum;
}

DStringPtr GameMain::timeText(int64_t ms) {
  const int32_t minutes = static_cast<int32_t>(ms / 60000);
  const int32_t seconds = static_cast<int32_t>((ms % 60000) / 1000);
  DStringPtr text = (TextTable::getString(u"time") + u" ") + minutes + u":";
  if (seconds < 10) text = text + u"0";
  return text + seconds;
}

}  // namespace tanks
