// The tanks game's state machine: its menus and their entries, the stage intro, play with its pause, the
// stage result and the end of a game with its high score.
#include "games/tanks/GameMain.h"

#include <cstdio>
#include <string>

#include "core/io/DPrintStream.h"
#include "gamelib/GameApi.h"
#include "gamelib/Score.h"

namespace tanks {

using namespace gamelib::api;

namespace {

// The game's start and pause menus are the standard ones.
constexpr std::span<const MenuEntryKeys> kMenu = gamelib::kStandardMenu;
static_assert(kMenu.size() == GameMain::ITEM_EXIT + 1);
static_assert(kMenu[GameMain::ITEM_SFX_LEVEL].kind == MenuEntry::SfxLevel &&
              kMenu[GameMain::ITEM_MUSIC_LEVEL].kind == MenuEntry::MusicLevel);

// The states that show a page of the in-game menu; the stage list is the game's own page.
constexpr MenuPageNumber kStates[] = {
    {MenuPage::Start, GameMain::STATE_MENU}, {MenuPage::Pause, GameMain::STATE_PAUSED},
    {MenuPage::Help, GameMain::STATE_HELP},  {MenuPage::Table, GameMain::STATE_HIGH_SCORES},
    {MenuPage::Keys, GameMain::STATE_KEYS},  {MenuPage::Levels, GameMain::STATE_LEVELS},
};

// Points per kill of type & 3 = k are kPointsPerType * (k + 1).
constexpr int32_t kPointsPerType = 10;
constexpr int32_t kKillTypes = 4;

int64_t now() { return DSystem::currentTimeMillis(); }

void playSound(int32_t id, int32_t loops) { SoundManager::play(id, loops, 0); }

}  // namespace

GameMain::~GameMain() {
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

void GameMain::buildMenu(int32_t newState) { menuFlow->show(pageOfNumber(kStates, newState)); }

void GameMain::makeMenuFlow(const DImagePtr& splashImage) {
  MenuHooks hooks;
  // "start" makes a new game before the level list shows, or before stage 1 when only it is open.
  hooks.start = [this](int32_t stage) {
    if (state != STATE_LEVELS) newGame();
    beginStage(stage);
  };
  hooks.resume = [this] {
    clearKeys();
    paused = false;
    state = STATE_PLAYING;
  };
  hooks.abandon = [this] {
    SoundManager::stopAll();
    clearKeys();
    // Without its pictures the game cannot go on: it is left.
    if (!imagesLoaded) {
      GameLib::showMainMenu();
      return;
    }
    // The interrupted stage is abandoned.
    paused = false;
    GameLib::canvas->selectKeyMap(ScreenCanvas::kMenuKeyMap);
    buildMenu(STATE_MENU);
  };
  hooks.built = [this](MenuPage page) {
    if (page == MenuPage::Levels) newGame();
  };
  // The help and the table have menus of their own; the help is laid out once.
  const MenuPages pages = {.picture = splashImage,
                           .helpFolder = data::kHelpFolder,
                           .help = HelpLayout::OnEntering,
                           .table = kHighScoreTable,
                           .tableHasItsMenu = true,
                           .helpHasItsMenu = true,
                           .remappableActions = data::kRemappableActions};
  menuFlow = new MenuFlow(gameKey, kMenu, pages, hooks, {.keysKeepTheList = false, .inputClockRestarts = true});
  menuFlow->words = {.state = &state, .states = kStates, .paused = &paused, .highestLevel = &openLevel};
}

void GameMain::newGame() {
  clearKeys();
  playfield->newGame();
}

void GameMain::beginStage(int32_t number) {
  GameLib::canvas->selectKeyMap(ScreenCanvas::kPlayKeyMap);
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
  DSystem::out->println(DStringPtr(u"GlimmerHut: tanks: ") + why);
  // The log is written only when logging is on; the player hears of it as of the other games' levels.
  std::fprintf(stderr, "GlimmerHut: the tanks game cannot play stage %d: %s\n", static_cast<int>(playfield->stage),
               GameLib::narrow(why->chars()).c_str());
  GameLib::canvas->selectKeyMap(ScreenCanvas::kMenuKeyMap);
  paused = false;
  buildMenu(STATE_MENU);
  return true;
}

void GameMain::update() {
  switch (state) {
    case STATE_MENU:
    case STATE_PAUSED:
    case STATE_HIGH_SCORES:
    case STATE_HELP:
    case STATE_LEVELS:
    case STATE_KEYS:
      menuFlow->update();
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
    default:
      break;
  }
}

void GameMain::updatePlaying() {
  if (playfield->tick() == 0) {
    state = STATE_RESULT;
    playfield->score = gamelib::addPoints(playfield->score, stageBonus(playfield->killCounters));
    clearKeys();
  }
  // The pause button is the left three quarters of the bottom-left panel.
  const int32_t w = panelBottomLeft.isNull() ? 0 : panelBottomLeft->getWidth();
  const int32_t h = panelBottomLeft.isNull() ? 0 : panelBottomLeft->getHeight();
  const int32_t screenH = GameLib::screenHeight;
  if (MenuFlow::pauseRequested({0, screenH - h, w - (w >> 2), screenH})) menuFlow->pause();
}

void GameMain::updateResult() {
  if (ScreenCanvas::held[GameAction::Fire] || ScreenCanvas::pointerDown) {
    if (player->lives < 1) {
      menuFlow->endGame(playfield->score);
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
