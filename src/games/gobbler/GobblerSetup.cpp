// The maze game's loading and leaving: the splash with its loading bar, the sound levels, the image table,
// the game object with its pictures, the texts and menus, the maze's size and the key set-up.

#include "gamelib/GameApi.h"
#include "games/gobbler/Gobbler.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/gobbler/MapRows.h"

namespace gobbler {

using gamelib::GameImage;
using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::MenuFlow;
using gamelib::SoundManager;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;
using nuv::microedition::lcdui::DGraphics;
using namespace gamelib::api;

namespace {

// The maze is drawn from one picture of it, border cells included: 128 cells a side keeps that picture
// within 3120 x 3120 pixels (19 MB) at the 24-pixel cells of 480x640, and its cells within 17 000.
constexpr int32_t kMaxMazeSide = 128;

}  // namespace

void Gobbler::init() {
  DImagePtr splash = GameLib::loadImage(data::kSplash);
  GameLib::graphics->drawImage(splash, GameLib::screenWidth / 2, (GameLib::screenHeight - splash->getHeight()) / 2,
                               DGraphics::TOP_CENTRE);
  GameMenu::startLoading();

  GameImage::loadImageTable(data::kImageTable);
  logLine(u"Init image manager passed.");
  GameMenu::advanceLoading();

  game = new GobblerGame();
  logLine(game.isNull() ? u"Scamper game class was not created!" : u"Scamper game class created.");
  panelImage = GameLib::loadImage(data::kPanel);
  logLine(u"Init panels passed.");
  game->load();
  logLine(u"create game passed.");
  GameMenu::advanceLoading();

  logLine(DStringPtr(u"scamper: init string manager:/txt/res_") + GameLib::languageCode());
  makeMenuFlow(splash);
  GameMenu::advanceLoading();

  logLine(u"Sound menu intialization");
  GameMenu::advanceLoading();
  makeTexts();

  buildMenu(PAGE_START);
  screenState = STATE_MENU;
  measureMaze();
  GameMenu::advanceLoading();

  SoundManager::play(GobblerGame::SND_MENU, 1, 0);
}

void Gobbler::makeTexts() {
  if (setupTexts.isNull()) setupTexts = textsOf(setupKeys);
  GameMenu::advanceLoading();
  GameMenu::advanceLoading();
  if (tableTexts.isNull()) {
    DStringArrayPtr texts = new DStringArray(modeKeys->length + 1);
    for (int32_t i = 0; i < modeKeys->length; ++i) (*texts)[i] = TextTable::getString((*modeKeys)[i]);
    (*texts)[modeKeys->length] = TextTable::getString(u"exit");
    tableTexts = texts;
  }
  GameMenu::advanceLoading();
  GameMenu::advanceLoading();
}

void Gobbler::measureMaze() {
  mapColumns = 0;
  mapRows = 1;
  // Without the map the counts stand; a map that cannot be played is reported when a game starts. A
  // damaged one is reported by the archive.
  nuv::io::DInputStreamPtr file = GameLib::loadFile(data::kMapFiles[0]);
  if (file.isNull()) return;
  int32_t columns = 0;
  // Refused as soon as it is too large, before the grid or its picture is made.
  const int32_t rows = readMapRows(file, data::kMapFiles[0], columns, [](int32_t column, int32_t row, int32_t) {
    if (column > kMaxMazeSide || row > kMaxMazeSide) {
      ResourceDamage::refuse(data::kMapFiles[0], (DStringPtr(u"the maze is larger than ") + kMaxMazeSide) +
                                                     (DStringPtr(u" x ") + kMaxMazeSide) + u" cells");
    }
  });
  file->close();
  mapColumns = columns;
  mapRows = rows;
}

void Gobbler::leave() {
  SoundManager::stopAll();
  MenuFlow::leave(menuFlow);
}

}  // namespace gobbler
