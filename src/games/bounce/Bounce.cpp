// The brick-and-paddle game's screen: the state machine, the in-game menu and its entries, starting and
// pausing a game, the round intro and the cleared round, the game's end and the input of a playing step.
#include "games/bounce/Bounce.h"

#include "core/io/DDataInputStream.h"
#include "gamelib/GameApi.h"

namespace bounce {

using namespace gamelib::api;

namespace {

constexpr int64_t kRoundIntroMs = 1500;
constexpr int64_t kGameCompleteMs = 3000;
// Stylus positions this close to the paddle's centre leave it where it is.
constexpr int32_t kStylusDeadZone = 3;
constexpr int32_t kRays = Bounce::kRays;

int64_t now() { return DSystem::currentTimeMillis(); }

// The game's menus are the standard ones, and the round chooser is its own page.
constexpr std::span<const MenuEntryKeys> kMenu = gamelib::kStandardMenu;
static_assert(kMenu.size() == Bounce::kItemCount);
static_assert(kMenu[Bounce::ITEM_START].kind == MenuEntry::Start && kMenu[Bounce::ITEM_EXIT].kind == MenuEntry::Exit);

// The state of each page.
constexpr MenuPageNumber kStates[] = {
    {MenuPage::Start, Bounce::STATE_MENU},     {MenuPage::Pause, Bounce::STATE_MENU},
    {MenuPage::Help, Bounce::STATE_HELP},      {MenuPage::Table, Bounce::STATE_HIGH_SCORES},
    {MenuPage::Keys, Bounce::STATE_KEY_SETUP}, {MenuPage::Levels, Bounce::STATE_ROUND_CHOOSER},
};

}  // namespace

Bounce::Bounce() {
  makeScratch();
  instance = this;
}

Bounce::~Bounce() = default;

void Bounce::makeScratch() {
  crossX = crossY = 0;
  for (DintArrayPtr* a :
       {&rayStartX, &rayStartY, &rayEndX, &rayEndY, &hitX, &hitY, &hitColumn, &hitRow, &hitDistance}) {
    *a = new DintArray(kRays);
  }
  noHit = new nuv::lang::DboolArray(kRays);
  verticalEdge = new nuv::lang::DboolArray(kRays);
}

void Bounce::releaseScratch() {
  for (DintArrayPtr* a :
       {&rayStartX, &rayStartY, &rayEndX, &rayEndY, &hitX, &hitY, &hitColumn, &hitRow, &hitDistance}) {
    *a = nullptr;
  }
  noHit = nullptr;
  verticalEdge = nullptr;
}

bool Bounce::waited(int64_t ms) const { return now() - stateTime > ms; }

void Bounce::update() {
  switch (gameState) {
    case STATE_LOADING:
      finishLoading();
      break;
    case STATE_MENU:
    case STATE_HIGH_SCORES:
    case STATE_HELP:
    case STATE_ROUND_CHOOSER:
    case STATE_KEY_SETUP:
      menuFlow->update();
      break;
    case STATE_PLAYING:
      if (MenuFlow::pauseRequested(PauseSign::topRight(GameMenu::pauseImage))) {
        menuFlow->pause();
      } else {
        handleInput();
        // The hidden round select may have started an intro.
        if (gameState == STATE_PLAYING) playStep();
      }
      break;
    case STATE_GAME_COMPLETE:
      if (waited(kGameCompleteMs)) gameOver();
      break;
    case STATE_ROUND_INTRO:
      if (!waited(kRoundIntroMs)) break;
      gameState = STATE_PLAYING;
      if (lives < 1) {
        gamePaused = false;
        buildMenu();
        gameOver();
      } else {
        ScreenCanvas::anyKey = false;
        stateTime = now();
      }
      break;
    case STATE_ROUND_CLEARED:
      updateRoundCleared();
      break;
    default:
      break;
  }
}

void Bounce::buildMenu() { menuFlow->showEntries(gamePaused); }

void Bounce::makeMenuFlow() {
  MenuHooks hooks;
  hooks.start = [this](int32_t startRound) { startFromMenu(startRound); };
  hooks.resume = [this] {
    gameState = STATE_PLAYING;
    gamePaused = false;
    buildMenu();
  };
  // The key set-up takes all input, the pen's places and the hidden sequence's progress too.
  hooks.built = [](MenuPage page) {
    if (page == MenuPage::Keys) ScreenCanvas::resetInput();
  };
  // The help is laid out once; the table has a menu of its own, kept up to date by the end of each game. A
  // closed page leaves the list as it was, its entry highlighted.
  const MenuPages pages = {.picture = splashImage,
                           .helpFolder = data::kHelpFolder,
                           .help = HelpLayout::OnEntering,
                           .table = kHighScoreTable,
                           .tableHasItsMenu = true,
                           .remappableActions = data::kRemappableActions};
  menuFlow = new MenuFlow(gameKey, kMenu, pages, hooks, {.pagesKeepTheList = true});
  menuFlow->words = {.state = &gameState, .states = kStates, .paused = &gamePaused, .highestLevel = &openLevel};
}

void Bounce::startFromMenu(int32_t startRound) {
  gamePaused = false;
  buildMenu();
  for (int32_t s = 0; s < ballSlots; ++s) {
    if (!(*balls)[s].isNull()) (*balls)[s]->setActive(false);
  }
  lives = kStartLives;
  startGame(startRound);
}

void Bounce::startGame(int32_t startRound) {
  GameLib::canvas->selectKeyMap(ScreenCanvas::kPlayKeyMap);
  round = startRound;
  brickList->score = 0;
  resetPlay();
  loadRound(round);
  gameState = STATE_ROUND_INTRO;
  stateTime = now();
  ScreenCanvas::anyKey = false;
  SoundManager::stopAll();
  playSound(SOUND_RESPAWN);
  SoundManager::play(SOUND_GAME, -1, 0);
}

bool Bounce::loadRound(int32_t number) {
  return gamelib::ResourceDamage::skipMissing(ExceptionCode::Exception, [&] { brickList->loadRound(number); });
}

void Bounce::updateRoundCleared() {
  int32_t sum = countRemaining();
  if (sum > 0) {
    brickList->remaining = sum;
    // Bricks still on their way out (a fuse, a detonation) keep the field moving until they are gone;
    // standing bricks that still count then send the game back to play.
    fieldSettling_ = fieldStillMoving();
    if (!fieldSettling_) gameState = STATE_PLAYING;
    return;
  }
  fieldSettling_ = false;
  for (int32_t s = 0; s < ballSlots; ++s) {
    if (!(*balls)[s].isNull()) (*balls)[s]->setActive(false);
  }
  if (round >= lastRound) {
    gameState = STATE_GAME_COMPLETE;
    stateTime = now();
    return;
  }
  round += 1;
  ScreenCanvas::anyKey = false;
  gameState = STATE_ROUND_INTRO;
  openLevel.reach(round);
  resetPlay();
  loadRound(round);
  stateTime = now();
}

namespace {

// Kinds whose value never counts for clearing a round: regenerating bricks, indestructible ones, and a
// regenerating brick while it is gone or coming back.
bool countsForClearing(int32_t kind) {
  return kind != Brick::KIND_REGENERATING && kind != Brick::KIND_INDESTRUCTIBLE && kind != Brick::KIND_GONE &&
         kind != Brick::KIND_RETURNING;
}

}  // namespace

int32_t Bounce::countRemaining() {
  int32_t sum = 0;
  for (int32_t r = 0; r < fieldRows; ++r) {
    for (int32_t c = 0; c < fieldColumns; ++c) {
      Brick* b = brickList->brickAt(c, r);
      if (b != nullptr && countsForClearing(b->kind)) sum += b->value;
    }
  }
  return sum;
}

bool Bounce::fieldStillMoving() {
  for (int32_t r = 0; r < fieldRows; ++r) {
    for (int32_t c = 0; c < fieldColumns; ++c) {
      Brick* b = brickList->brickAt(c, r);
      if (b != nullptr && b->kind < 0 && countsForClearing(b->kind) && b->value > 0) return true;
    }
  }
  return false;
}

void Bounce::gameOver() {
  const int32_t score = brickList->score;
  // The flow keeps the score for the name entry; the next game starts afresh.
  brickList->score = 0;
  round = 1;
  lives = kStartLives;
  menuFlow->endGame(score);
}

void Bounce::handleInput() {
  stateTime = now();
  const bool* held = ScreenCanvas::held;
  if (held[GameAction::Right] || held[GameAction::Special1]) {
    platform->move(1);
  } else if (held[GameAction::Left] || held[GameAction::Special2]) {
    platform->move(0);
  }
  if (ScreenCanvas::pointerDown) {
    if (ScreenCanvas::pointerX - platform->x > kStylusDeadZone) platform->move(1);
    if (ScreenCanvas::pointerX - platform->x < -kStylusDeadZone) platform->move(0);
  }
  if (held[GameAction::Up] || held[GameAction::Fire] || ScreenCanvas::doubleTap) {
    ScreenCanvas::anyKey = false;
    ScreenCanvas::doubleTap = false;
    for (int32_t s = 0; s < ballSlots; ++s) {
      if (!(*balls)[s].isNull()) (*balls)[s]->released = true;
    }
    if (platform->state == Platform::STATE_ARMED) platform->prepareShot();
    platform->shoot();
  }
  if (ScreenCanvas::sequenceDone) {
    ScreenCanvas::sequenceDone = false;
    selectRound(ScreenCanvas::sequenceNumber);
  }
}

void Bounce::selectRound(int32_t number) {
  // A round that is not there leaves the game as it is: no open level past the last round. One that is
  // there but damaged is reported by its load, which changes nothing of the field first.
  if (number < 1 || number > lastRound || !loadRound(number)) return;
  round = number;
  gameState = STATE_ROUND_INTRO;
  lives = kStartLives;
  ScreenCanvas::anyKey = false;
  resetPlay();
  openLevel.reach(round);
  stateTime = now();
}

}  // namespace bounce
