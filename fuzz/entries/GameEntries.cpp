// Every game's level and stage files: the game made and started as the main menu starts it, over the real
// game data; then for each input an archive holding the level file alone, the level started as the game
// starts it, and some steps of play with the keys held in turn.
#include <algorithm>

#include "Entries.h"
#include "core/lang/DSystem.h"
#include "core/util/DRandom.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "games/bounce/Bounce.h"
#include "games/burrow/BurrowGame.h"
#include "games/burrow/BurrowGlobals.h"
#include "games/canyon/CanyonGame.h"
#include "games/canyon/CanyonGlobals.h"
#include "games/climber/Climber.h"
#include "games/climber/ClimberGlobals.h"
#include "games/gobbler/Gobbler.h"
#include "games/gobbler/GobblerGame.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/tanks/GameMain.h"
#include "games/tanks/GameTanks.h"
#include "games/tanks/TanksGlobals.h"
#include "platform/seam/clock.h"

namespace fuzz {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
namespace GameAction = gamelib::GameAction;

namespace {

// Every input starts at the same moment with the same random numbers, so that one input alone repeats
// what it did among others.
constexpr uint64_t kInputStart = 1'000'000;
// Past the longest caption or get-ready wait of the games.
constexpr uint64_t kIntroMs = 1501;
constexpr int32_t kPlaySteps = 120;
// Painting is most of a step's time; every third step shows enough of what play moved.
constexpr int32_t kPaintEvery = 3;
// Keys are held in turn for this many steps each.
constexpr int32_t kHoldSteps = 12;
constexpr int32_t kHeld[][2] = {{GameAction::Right, -1},
                                {GameAction::Left, GameAction::Fire},
                                {GameAction::Up, -1},
                                {GameAction::Down, GameAction::Fire},
                                {GameAction::Left, GameAction::Up},
                                {GameAction::Right, GameAction::Down}};

// The game as the main menu makes it, initialised over the real game data and past its loading screen.
template <class Game>
nuv::lang::DPtr<Game> startScreen() {
  useGameLibrary();
  openGameData();
  nuv::lang::DPtr<Game> game = new Game();
  GameLib::currentScreen = game;
  game->init();
  platform::advanceManualClock(kIntroMs);
  step(*game);
  return game;
}

void startInput(const std::vector<StoredEntry>& levelFiles) {
  platform::setManualClock(kInputStart);
  GameLib::random = new nuv::util::DRandom();
  GameMenu::inputClock = 0;
  ScreenCanvas::resetInput();
  openArchive(levelFiles);
}

// Fire on an entry of the menu, as a player's press reaches it.
void choose(gamelib::GameInterface& game, GameMenu& menu, int32_t item) {
  menu.selected = item;
  menu.closed = false;
  ScreenCanvas::held[GameAction::Fire] = true;
  ScreenCanvas::anyKey = true;
  // The menu takes input at most every 200 ms, counted from its first update.
  if (GameMenu::inputClock <= 0) GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis();
  platform::advanceManualClock(250);
  game.update();
  ScreenCanvas::resetInput();
}

void play(gamelib::GameInterface& game) {
  platform::advanceManualClock(kIntroMs);
  for (int32_t i = 0; i < kPlaySteps; ++i) {
    ScreenCanvas::resetInput();
    for (int32_t action : kHeld[(i / kHoldSteps) % std::size(kHeld)]) {
      if (action >= 0) ScreenCanvas::held[action] = true;
    }
    ScreenCanvas::anyKey = true;
    step(game, i % kPaintEvery == 0);
  }
  ScreenCanvas::resetInput();
}

}  // namespace

void bounceRound(Input input) {
  static const bounce::BouncePtr game = startScreen<bounce::Bounce>();
  startInput({{"data/bnc/data/round01.txt", bytes(input)}});
  refusalsAllowed([&] {
    bounce::gamePaused = false;
    bounce::openLevel = 1;
    game->buildMenu();
    bounce::gameState = bounce::Bounce::STATE_MENU;
    bounce::menuFlow->menu().mode = GameMenu::MODE_LIST;
    choose(*game, bounce::menuFlow->menu(), bounce::Bounce::ITEM_START);
    play(*game);
  });
}

void burrowLevels(Input input) {
  static const burrow::BurrowGamePtr game = startScreen<burrow::BurrowGame>();
  startInput({{"data/bur/data/1.txt", bytes(input)}});
  refusalsAllowed([&] {
    burrow::gamePaused = false;
    burrow::openLevel = 1;
    burrow::BurrowGame::setState(burrow::BurrowGame::MENU);
    // The game runs every other library step; this one is its own.
    burrow::stepParity = 0;
    choose(*game, burrow::menuFlow->menu(), burrow::BurrowGame::ITEM_START);
    play(*game);
  });
}

void canyonScreens(Input input) {
  static const canyon::CanyonGamePtr game = startScreen<canyon::CanyonGame>();
  startInput({{"data/cy/screens.bin", bytes(input)}});
  // The screens are read once per visit of the game; each input is a new file.
  canyon::screenTerrain = nullptr;
  refusalsAllowed([&] { game->loadScreens(); });
  if (canyon::levels.isNull()) return;
  // The first and the last level of the file.
  for (int32_t level : {0, canyon::levels->length - 1}) {
    refusalsAllowed([&] {
      canyon::levelIndex = std::max(level, 0);
      canyon::lives = canyon::kStartLives;
      if (!game->startRun()) return;
      game->setState(canyon::STATE_PLAYING);
      play(*game);
    });
  }
}

void climberLevel(Input input) {
  static const climber::ClimberPtr game = startScreen<climber::Climber>();
  startInput({{"data/clmb/maps/1.txt", bytes(input)}});
  refusalsAllowed([&] {
    climber::Climber::startGame(1);
    if (climber::gameState != climber::STATE_LEVEL_INTRO) return;
    climber::gameState = climber::STATE_PLAYING;
    play(*game);
  });
}

void gobblerMap(Input input) {
  static const gobbler::GobblerPtr game = startScreen<gobbler::Gobbler>();
  startInput({{"data/gob/maps/map00.txt", bytes(input)}});
  refusalsAllowed([&] {
    // The screen measures its grid from the first map as it starts, and plays that map first.
    gobbler::Gobbler::measureMaze();
    gobbler::gamePaused = false;
    gobbler::screenState = gobbler::Gobbler::STATE_MENU;
    gobbler::Gobbler::buildMenu(gobbler::Gobbler::PAGE_SETUP);
    // Each mode lays the map out in its own way; the input's length chooses one.
    gobbler::gameMode = static_cast<int32_t>(input.size() % gobbler::GobblerGame::kModes);
    choose(*game, gobbler::menuFlow->menu(), gobbler::Gobbler::SETUP_START);
    play(*game);
  });
}

void tanksStages(Input input) {
  static const tanks::GameMainPtr game = startScreen<tanks::GameMain>();
  startInput({{"data/tanks/dat/mapbcl.bin", bytes(input)}});
  // Stage 20 is the file's first record, stage 1 its second: the one read at once and the one reached by
  // skipping a record.
  for (int32_t stage : {20, 1}) {
    refusalsAllowed([&] {
      tanks::freshGame = true;
      tanks::paused = false;
      game->beginStage(stage);
      if (tanks::state != tanks::GameMain::STATE_INTRO) return;
      play(*game);
    });
  }
}

}  // namespace fuzz
