// The tanks game's screen: the state machine over its start, level-list and pause menus, the high-score
// and help pages, the key set-up, the stage intro, play and the stage result. Files: GameMain.cpp (states
// and menus), GameMainSetup.cpp (init and leave), GameMainPaint.cpp (panels, intro and result screens);
// the playfield is GameTanks.
#pragma once

#include <cstdint>

#include "core/lang/DStringArray.h"
#include "gamelib/GameInterface.h"
#include "gamelib/MenuFlow.h"
#include "games/tanks/GameSplash.h"
#include "games/tanks/GameTanks.h"
#include "games/tanks/TanksGlobals.h"

namespace tanks {

// Its in-game menu has the standard entries at their places (StandardMenuItems).
class GameMain : public gamelib::GameInterface, public gamelib::StandardMenuItems {
 public:
  static constexpr int32_t STATE_MENU = 1;
  static constexpr int32_t STATE_HIGH_SCORES = 2;
  static constexpr int32_t STATE_LEVELS = 3;
  static constexpr int32_t STATE_RESULT = 4;
  static constexpr int32_t STATE_PLAYING = 5;
  static constexpr int32_t STATE_HELP = 6;
  static constexpr int32_t STATE_PAUSED = 7;
  static constexpr int32_t STATE_INTRO = 8;
  static constexpr int32_t STATE_KEYS = 9;

  static constexpr int32_t kHighScoreTable = 1;
  static constexpr int64_t kIntroMs = 1500;
  // Sound ids.
  static constexpr int32_t SOUND_MENU = 0;
  static constexpr int32_t SOUND_GAME = 1;
  static constexpr int32_t SOUND_STAGE = 2;

  GameMain() = default;
  ~GameMain() override;
  const char* getClassName() const override { return "GameMain"; }

  void init() override;
  void update() override;
  void paint() override;
  void leave() override;
  // Movement, fire, select, back and the pen's press and double tap forgotten; other actions kept.
  virtual void clearKeys();
  void buildMenu(int32_t newState);
  // Left and right of the field at x.
  void paintPanels(int32_t x);
  // The stage's number into the playfield, loaded, and its intro begun.
  void beginStage(int32_t number);
  // Points of the kills of a finished stage: 10 for type 0 up to 40 for type 3.
  static int32_t stageBonus(int32_t killCounters);
  // "time m:ss" of a play time.
  static nuv::lang::DStringPtr timeText(int64_t ms);

  int64_t stageClock = 0;
  GameSplashPtr splash;
  GameTanksPtr playfield;
  gamelib::HighestLevel openLevel{data::kGameKey};

 private:
  // The menu flow over the splash with the game's hooks: starting and continuing, abandoning a stage, the
  // stage list, and the state of each page.
  void makeMenuFlow(const nuv::microedition::lcdui::DImagePtr& splashImage);
  // Keys released and the playfield's new game, once per game started from the menu.
  void newGame();
  void updatePlaying();
  void updateResult();
  // A stage that did not load is reported and the start menu comes back.
  bool stageFailed();
  void paintIntro();
  void paintResult();
};

using GameMainPtr = nuv::lang::DPtr<GameMain>;

// The in-game menu's flow.
inline gamelib::MenuFlowPtr menuFlow;

}  // namespace tanks
