// The river-flying shooter's screen. CanyonGame.cpp holds the state machine and the menu pages,
// CanyonSetup.cpp the set-up and the release, CanyonRiver.cpp the river screens, the terrain and the river
// buffer, CanyonPlay.cpp the run start and the playing step, CanyonPaint.cpp the drawing. The game's state
// lives in its globals (CanyonGlobals.h); the entities are Entity.cpp.
#pragma once

#include <cstdint>

#include "gamelib/GameInterface.h"
#include "gamelib/MenuFlow.h"
#include "games/canyon/CanyonGlobals.h"
#include "shell/lcdui/DGraphics.h"

namespace canyon {

class CanyonGame;
using CanyonGamePtr = nuv::lang::DPtr<CanyonGame>;

class CanyonGame : public gamelib::GameInterface {
 public:
  // The game keeps one high-score table.
  static constexpr int32_t kHighScoreTable = 1;

  CanyonGame() = default;
  const char* getClassName() const override { return "CanyonGame"; }

  // The splash with the loading bar, options, menus, pictures, sounds, animations, river screens and the
  // key set-up.
  void init() override;
  void update() override;
  void paint() override;
  void leave() override;

  // The lengths of the game from the cell size, the river buffer, the animations, the river screens, the
  // plane's pictures and the shots: what play needs once the image table is loaded.
  void preparePlay();

  virtual void setState(int32_t state);
  virtual void updateWorld();
  // Builds the level's terrain and entities and places the first plane; false (and the game back in its
  // menu) when the river screens cannot make the level.
  virtual bool startRun();
  virtual void resetPlane(int32_t row);
  virtual void handleMenu();
  virtual void buildMenu(int32_t kind);

  // Reads the river screen file once; nothing when the screens are loaded.
  void loadScreens();
  // The shared animations by object code, the explosions, the enemy shot and the points.
  void loadAnimations();
  // count logical rows into the current drawing target, row - 1 at the top, from (x, y) down.
  void drawRows(int32_t x, int32_t y, int32_t row, int32_t count);

  // The level's terrain word of a cell; ArrayIndexOutOfBoundsException outside the level.
  static int32_t terrainAt(int32_t column, int32_t row);
  static bool isWater(int32_t terrain);
  // Whether a corner of the rectangle (world pixels, top-left and size) lies on bank.
  static bool touchesBank(int32_t x, int32_t y, int32_t w, int32_t h);

  // The river buffer filled for a plane at row r: rows r - V .. r.
  void placeRiver(int32_t row);
  // The buffer follows one step of scrolling; false when the level's river has ended.
  bool scrollRiver();
  // The river as the player sees it, through the clip, on the given graphics.
  void showRiver(nuv::microedition::lcdui::DGraphics& g);

 private:
  void deriveLengths();
  void loadPlane();
  void makeShots();
  void updateTimedEnd();
  void updateGetReady();
  void updateLevelEnd();
  // The menu flow with the game's hooks: starting and continuing, the level list, and the menu kind of each
  // page.
  void makeMenuFlow();
  void startLevel(int32_t index);
  // The level's terrain and its entity list for the current level index.
  void buildLevel();
  void buildEntities();
  void steerAndFire();
  void scanEntities();
  void flyPlane();
  void moveShots();

  void paintPlay(nuv::microedition::lcdui::DGraphics& g);
  void paintEntities();
  void paintPlane();
  void paintHud();
  void paintText(nuv::microedition::lcdui::DGraphics& g, nuv::lang::DStringPtr first);
  void paintGetReady(nuv::microedition::lcdui::DGraphics& g);
};

// The in-game menu's flow.
inline gamelib::MenuFlowPtr menuFlow;

}  // namespace canyon
