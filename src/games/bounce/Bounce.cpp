// The brick-and-paddle game's screen: the state machine, the in-game menu and its entries, starting and
// pausing a game, the round intro and the cleared round, the game's end and the input of a playing step.
#include "games/bounce/Bounce.h"

#include <memory>

#include "core/io/DDataInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"

namespace bounce {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ScreenCanvas;
namespace GameAction = gamelib::GameAction;
using gamelib::SoundManager;
using gamelib::TextTable;
using nuv::lang::DExceptionBase;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

constexpr int64_t kRoundIntroMs = 1500;
constexpr int64_t kGameCompleteMs = 3000;
// Stylus positions this close to the paddle's centre leave it where it is.
constexpr int32_t kStylusDeadZone = 3;
constexpr int32_t kSoundLevels = 4;
constexpr int32_t kRays = Bounce::kRays;

int64_t now() { return nuv::lang::DSystem::currentTimeMillis(); }

void selectKeyMap(int32_t id) { GameLib::canvas->selectKeyMap(id); }

// The menu texts of the entries, by entry, without and with a game paused.
constexpr const char16_t* kMenuKeys[Bounce::kItemCount][2] = {
    {u"start", u"continue"}, {u"highscores", u"highscores"}, {u"help", u"help"},    {nullptr, nullptr},
    {nullptr, nullptr},      {u"cfg_keys", u"cfg_keys"},     {u"exit", u"mainmenu"}};

}  // namespace

Bounce::Bounce() {
  makeScratch();
  instance = this;
}

Bounce::~Bounce() = default;

void Bounce::makeScratch() {
  crossX = crossY = 0;
  for (nuv::lang::DintArrayPtr* a :
       {&rayStartX, &rayStartY, &rayEndX, &rayEndY, &hitX, &hitY, &hitColumn, &hitRow, &hitDistance}) {
    *a = new nuv::lang::DintArray(kRays);
  }
  noHit = new nuv::lang::DboolArray(kRays);
  verticalEdge = new nuv::lang::DboolArray(kRays);
}

void Bounce::releaseScratch() {
  for (nuv::lang::DintArrayPtr* a :
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
      updateMenu();
      break;
    case STATE_HIGH_SCORES:
      scoreMenu->closed = false;
      scoreMenu->update();
      if (scoreMenu->closed) {
        gameState = STATE_MENU;
        menu->closed = false;
        menu->mode = GameMenu::MODE_LIST;
        menu->selected = ITEM_HIGH_SCORES;
      }
      break;
    case STATE_HELP:
      menu->update();
      if (menu->closed) {
        menu->closed = false;
        gameState = STATE_MENU;
        menu->mode = GameMenu::MODE_LIST;
        menu->selected = ITEM_HELP;
        menu->first = 0;
      }
      break;
    case STATE_ROUND_CHOOSER:
      updateRoundChooser();
      break;
    case STATE_PLAYING:
      if (pauseRequested()) {
        pauseGame();
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
    case STATE_KEY_SETUP:
      if (!gamelib::CustomControls::current.isNull() &&
          gamelib::CustomControls::current->update() == gamelib::CustomControls::STILL_OPEN) {
        break;
      }
      gameState = STATE_MENU;
      ScreenCanvas::resetInput();
      break;
    default:
      break;
  }
}

void Bounce::buildMenu() {
  int32_t paused = gamePaused ? 1 : 0;
  DStringArrayPtr items = new DStringArray(kItemCount);
  for (int32_t i = 0; i < kItemCount; ++i) {
    if (kMenuKeys[i][paused] != nullptr) (*items)[i] = TextTable::getString(kMenuKeys[i][paused]);
  }
  (*items)[ITEM_SFX_LEVEL] = GameMenu::getSfxLevelText(SoundManager::getSfxLevel());
  (*items)[ITEM_MUSIC_LEVEL] = GameMenu::getMusicLevelText(SoundManager::getMusicLevel());
  menu->setItems(items);
  menu->first = 0;
  menu->selected = 0;
}

void Bounce::updateMenu() {
  menu->update();
  if (menu->chosen) chooseMenuItem(menu->selected);
  // "exit" has left the game: its globals are gone.
  if (gameState != STATE_MENU || menu.isNull()) return;
  if (menu->mode == GameMenu::MODE_NAME_ENTRY && GameMenu::nameEntered) storeHighScore();
}

void Bounce::chooseMenuItem(int32_t item) {
  switch (item) {
    case ITEM_START:
      if (gamePaused) {
        selectKeyMap(kPlayKeyMap);
        ScreenCanvas::held[GameAction::Right] = false;
        ScreenCanvas::held[GameAction::Fire] = false;
        ScreenCanvas::held[GameAction::Left] = false;
        ScreenCanvas::select = false;
        ScreenCanvas::back = false;
        gameState = STATE_PLAYING;
        gamePaused = false;
        buildMenu();
        SoundManager::resumeAll();
        break;
      }
      gamePaused = false;
      buildMenu();
      for (int32_t s = 0; s < ballSlots; ++s) {
        if (!(*balls)[s].isNull()) (*balls)[s]->setActive(false);
      }
      lives = kStartLives;
      if (openLevel <= 1) {
        startGame(1);
      } else {
        openRoundChooser();
      }
      break;
    case ITEM_HIGH_SCORES:
      gameState = STATE_HIGH_SCORES;
      break;
    case ITEM_HELP:
      gameState = STATE_HELP;
      menu->mode = GameMenu::MODE_HELP;
      break;
    case ITEM_SFX_LEVEL:
    case ITEM_MUSIC_LEVEL:
      cycleSoundLevel(item);
      break;
    case ITEM_KEYS:
      gameState = STATE_KEY_SETUP;
      ScreenCanvas::resetInput();
      break;
    case ITEM_EXIT:
      if (!gamePaused) {
        GameLib::showMainMenu();
        break;
      }
      // The paused game is abandoned.
      SoundManager::stopAll();
      menu->closed = true;
      gamePaused = false;
      buildMenu();
      gameState = STATE_MENU;
      break;
    default:
      break;
  }
}

void Bounce::cycleSoundLevel(int32_t item) {
  bool sfx = item == ITEM_SFX_LEVEL;
  int32_t level = ((sfx ? SoundManager::getSfxLevel() : SoundManager::getMusicLevel()) + 1) % kSoundLevels;
  (*menu->items)[item] = sfx ? GameMenu::getSfxLevelText(level) : GameMenu::getMusicLevelText(level);
  if (sfx) {
    SoundManager::setSfxLevel(level);
  } else {
    SoundManager::setMusicLevel(level);
  }
  GameMenu::saveOption(gameKey + (sfx ? u"sfx_level" : u"music_level"), level);
}

void Bounce::storeHighScore() {
  scoreMenu->loadHighScores(kHighScoreTable, gameKey);
  scoreMenu->addHighScore(GameMenu::enteredName, brickList->score);
  scoreMenu->saveHighScores(kHighScoreTable, gameKey);
  GameMenu::nameEntered = false;
  menu->mode = GameMenu::MODE_LIST;
  brickList->score = 0;
  round = 1;
  lives = kStartLives;
  gameState = STATE_HIGH_SCORES;
  scoreMenu->closed = false;
  ScreenCanvas::held[GameAction::Fire] = false;
}

void Bounce::openRoundChooser() {
  gameState = STATE_ROUND_CHOOSER;
  DStringArrayPtr items = new DStringArray(openLevel + 1);
  for (int32_t k = 0; k < openLevel; ++k) (*items)[k] = TextTable::getString(u"level") + u" " + (openLevel - k);
  (*items)[openLevel] = TextTable::getString(u"exit");
  menu->setItems(items);
  menu->closed = false;
  menu->mode = GameMenu::MODE_LIST;
}

void Bounce::updateRoundChooser() {
  menu->update();
  if (!menu->chosen) return;
  if (menu->selected >= menu->items->length - 1) {
    buildMenu();
    gameState = STATE_MENU;
    return;
  }
  startGame(openLevel - menu->selected);
  buildMenu();
}

void Bounce::startGame(int32_t startRound) {
  selectKeyMap(kPlayKeyMap);
  round = startRound;
  brickList->score = 0;
  resetPlay();
  loadRound(round);
  gameState = STATE_ROUND_INTRO;
  stateTime = now();
  ScreenCanvas::anyKey = false;
  SoundManager::stopAll();
  playSound(SOUND_RESPAWN);
  if (!SoundManager::players.isNull()) SoundManager::play(SOUND_GAME, -1, 0);
}

bool Bounce::loadRound(int32_t number) {
  try {
    brickList->loadRound(number);
    return true;
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> dropped = nuv::lang::catchException(e, ExceptionCode::Exception);
    return false;
  }
}

bool Bounce::pauseRequested() const {
  if (ScreenCanvas::select || ScreenCanvas::back || ScreenCanvas::held[GameAction::Pause]) return true;
  const auto& icon = GameMenu::pauseImage;
  return ScreenCanvas::pointerDown && !icon.isNull() &&
         ScreenCanvas::pointerX > GameLib::screenWidth - icon->getWidth() && ScreenCanvas::pointerY < icon->getHeight();
}

void Bounce::pauseGame() {
  ScreenCanvas::resetInput();
  selectKeyMap(kMenuKeyMap);
  gamePaused = true;
  buildMenu();
  gameState = STATE_MENU;
  SoundManager::pauseAll();
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
  if (round > openLevel) {
    openLevel = round;
    GameMenu::saveOption(gameKey + u"openlevel", openLevel);
  }
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
  SoundManager::stopAll();
  scoreMenu->loadHighScores(kHighScoreTable, gameKey);
  selectKeyMap(kMenuKeyMap);
  if (scoreMenu->isHighScore(brickList->score)) {
    menu->showNameEntry();
  } else {
    brickList->score = 0;
    round = 1;
    lives = kStartLives;
    gamePaused = false;
    buildMenu();
  }
  gameState = STATE_MENU;
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

bool Bounce::roundFileIsSound(int32_t number) {
  if (number < 1 || number > lastRound) return false;
  try {
    nuv::io::DInputStreamPtr stream = GameLib::loadFile(BrickList::roundFileName(number));
    if (stream.isNull()) return false;
    nuv::io::DDataInputStreamPtr in = new nuv::io::DDataInputStream(stream);
    bool sound = true;
    for (int32_t r = 0; r < fieldRows && sound; ++r) {
      DStringPtr line = brickList->readLine(in);
      sound = !line.isNull() && line->length() >= fieldColumns;
    }
    in->close();
    return sound;
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> dropped = nuv::lang::catchException(e, ExceptionCode::Exception);
    return false;
  }
}

void Bounce::selectRound(int32_t number) {
  // A round that would not load leaves the game as it is: no half-filled field, no open level past the
  // last round.
  if (!roundFileIsSound(number) || !loadRound(number)) return;
  round = number;
  gameState = STATE_ROUND_INTRO;
  lives = kStartLives;
  ScreenCanvas::anyKey = false;
  resetPlay();
  if (round > openLevel) {
    openLevel = round;
    GameMenu::saveOption(gameKey + u"openlevel", openLevel);
  }
  stateTime = now();
}

}  // namespace bounce
