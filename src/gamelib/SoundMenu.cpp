// The sound question: toggling the answer, taps, storing it for every game, and handing back to the start.
#include "gamelib/SoundMenu.h"

#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/TextTable.h"

namespace soundmenu {

using gamelib::GameLib;
using gamelib::ScreenCanvas;
namespace GameAction = gamelib::GameAction;
using gamelib::TextTable;
using nuv::lang::DStringArrayPtr;
using nuv::microedition::lcdui::DGraphicsPtr;

namespace {

constexpr int32_t kQuestionRow = 0;
constexpr int32_t kYesRow = 1;
constexpr int32_t kNoRow = 2;
constexpr int32_t kRows = 3;
constexpr int32_t kLevelOn = 1;
constexpr int32_t kLevelOff = 0;

}  // namespace

SoundMenu::SoundMenu() { done = false; }

void SoundMenu::setup(DStringArrayPtr gameKeys) {
  // Without its text file the language keeps the texts it has.
  GameLib::loadChosenTexts();
  keys = std::move(gameKeys);
  question = TextTable::getString(u"enable_sound");
  yesText = TextTable::getString(u"yes");
  noText = TextTable::getString(u"no");
  box.layOut(kRows);
}

void SoundMenu::update() {
  if (!ScreenCanvas::anyKey && !ScreenCanvas::pointerDown) return;
  const bool* held = ScreenCanvas::held;
  if (held[GameAction::Up] || held[GameAction::Down] || held[GameAction::Special1] || held[GameAction::Special2]) {
    soundOn = !soundOn;
  }
  if (ScreenCanvas::pointerDown) {
    bool onLabel = false;
    int32_t row = box.tapRow(onLabel);
    if (row == kYesRow || row == kNoRow) {
      soundOn = row == kYesRow;
      ScreenCanvas::held[GameAction::Fire] = true;
    }
    if (onLabel) ScreenCanvas::select = true;
    ScreenCanvas::pointerDown = false;
  }
  if (held[GameAction::Fire] || ScreenCanvas::select) {
    done = true;
    paintMenu(GameLib::graphics);
    GameLib::canvas->flush();
    applyAnswer();
    ScreenCanvas::clearKeys();
    GameLib::instance->startApp();
    return;
  }
  ScreenCanvas::clearKeys();
}

void SoundMenu::applyAnswer() {
  if (keys.isNull()) return;
  int32_t level = soundOn ? kLevelOn : kLevelOff;
  for (int32_t i = 0; i < keys->length; ++i) {
    gamelib::GameMenu::saveOption((*keys)[i] + u"sfx_level", level);
    gamelib::GameMenu::saveOption((*keys)[i] + u"music_level", level);
  }
}

// Once answered, the start has the screen: its logo and loading bar must not be painted over.
void SoundMenu::paint() {
  if (!done) paintMenu(GameLib::graphics);
}

void SoundMenu::paintMenu(DGraphicsPtr g) {
  box.paintFrame(*g, soundOn ? kYesRow : kNoRow);
  box.paintRow(GameLib::FONT_HUD0, question, kQuestionRow);
  box.paintRow(GameLib::FONT_MENU, yesText, kYesRow);
  box.paintRow(GameLib::FONT_MENU, noText, kNoRow);
  box.paintLabel();
}

void SoundMenu::leave() {
  question = yesText = noText = nullptr;
  box.label = nullptr;
  box.background = nullptr;
}

}  // namespace soundmenu
