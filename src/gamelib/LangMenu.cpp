// The language question: reading the language lists, moving the highlight, taps, and handing the choice
// back to the start.
#include "gamelib/LangMenu.h"

#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/TextTable.h"

namespace langmenu {

using gamelib::GameLib;
using gamelib::ScreenCanvas;
namespace GameAction = gamelib::GameAction;
using gamelib::TextTable;
using nuv::microedition::lcdui::DGraphicsPtr;

LangMenu::LangMenu() { GameLib::languageIndex = -1; }

void LangMenu::init() {
  GameLib::languageIndex = -1;
  TextTable::load(u"/txt/lang", true);
  GameLib::languageNames = TextTable::split(TextTable::getString(u"LANGS"), u';');
  GameLib::languageCodes = TextTable::split(TextTable::getString(u"SNAMES"), u';');
  GameLib::languageCount = GameLib::languageNames->length;
  if (GameLib::languageCount != GameLib::languageCodes->length || GameLib::languageCount == 1) {
    GameLib::languageIndex = 0;
  }
  box.layOut(GameLib::languageCount);
}

void LangMenu::update() {
  if (GameLib::languageIndex < 0) GameLib::languageIndex = 0;
  if (!ScreenCanvas::anyKey && !ScreenCanvas::pointerDown) return;
  const bool* held = ScreenCanvas::held;
  const int32_t count = GameLib::languageCount;
  if (held[GameAction::Up] || held[GameAction::Special1]) {
    GameLib::languageIndex = GameLib::languageIndex == 0 ? count - 1 : GameLib::languageIndex - 1;
  }
  if (held[GameAction::Down] || held[GameAction::Special2]) {
    GameLib::languageIndex = GameLib::languageIndex >= count - 1 ? 0 : GameLib::languageIndex + 1;
  }
  if (ScreenCanvas::pointerDown) {
    bool onLabel = false;
    int32_t row = box.tapRow(onLabel);
    if (row >= 0) {
      GameLib::languageIndex = row;
      ScreenCanvas::held[GameAction::Fire] = true;
    }
    if (onLabel) ScreenCanvas::select = true;
    ScreenCanvas::pointerDown = false;
  }
  if ((held[GameAction::Fire] || ScreenCanvas::select) && GameLib::languageIndex >= 0) {
    GameLib::canvas->flush();
    ScreenCanvas::clearKeys();
    answered = true;
    GameLib::instance->startApp();
    return;
  }
  ScreenCanvas::clearKeys();
}

// Once answered, the start has the screen: its logo and loading bar must not be painted over.
void LangMenu::paint() {
  if (!answered) paintMenu(GameLib::graphics);
}

void LangMenu::paintMenu(DGraphicsPtr g) {
  box.paintFrame(*g, GameLib::languageIndex);
  for (int32_t i = 0; i < GameLib::languageCount; ++i) {
    box.paintRow(GameLib::FONT_MENU, (*GameLib::languageNames)[i], i);
  }
  box.paintLabel();
}

void LangMenu::leave() {
  box.label = nullptr;
  box.background = nullptr;
  GameLib::languageNames = nullptr;
  GameLib::languageCodes = nullptr;
}

}  // namespace langmenu
