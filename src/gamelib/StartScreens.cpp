// Stand-ins for the menus the start opens, until the menus exist: one language (the first of the list),
// sound taken as answered, and a main menu that shows nothing, so the start stops on its loading screen.
#include "gamelib/StartScreens.h"

#include <algorithm>

#include "gamelib/GameLib.h"
#include "gamelib/TextTable.h"

namespace gamelib::start {

namespace {

// The loading bar's frame; the bar fills its inside.
constexpr int32_t kBarFrameWidth = 108;
constexpr int32_t kBarFrameHeight = 10;
constexpr int32_t kBarInset = 2;
constexpr int32_t kBarWidth = 104;
constexpr int32_t kBarHeight = 6;

int32_t progressY = 0;
int32_t progressPercent = 0;
int32_t progressStep = 0;
int32_t progressBackColor = 0;
int32_t progressBarColor = 0;

}  // namespace

void makeMazeGameMenu() {}

GameInterfacePtr makeLanguageMenu() {
  TextTable::load(u"/txt/lang", true);
  GameLib::languageNames = TextTable::split(TextTable::getString(u"LANGS"), u';');
  GameLib::languageCodes = TextTable::split(TextTable::getString(u"SNAMES"), u';');
  GameLib::languageCount = GameLib::languageNames->length;
  GameLib::languageIndex = 0;
  return nullptr;
}

bool soundQuestionAnswered() { return true; }

GameInterfacePtr makeSoundMenu(nuv::lang::DStringArrayPtr) { return nullptr; }

void loadMenuImages() {}

GameInterfacePtr makeMainMenu() { return new GameInterface(); }

void startProgress(int32_t y, int32_t start, int32_t step, int32_t backColor, int32_t barColor) {
  progressY = y;
  progressPercent = start;
  progressStep = step;
  progressBackColor = backColor;
  progressBarColor = barColor;
  advanceProgress();
}

void advanceProgress() {
  progressPercent = std::clamp(progressPercent + progressStep, 0, 100);
  int32_t x = (GameLib::screenWidth - kBarFrameWidth) >> 1;
  GameLib::graphics->setColor(progressBackColor);
  GameLib::graphics->drawRect(x, progressY, kBarFrameWidth, kBarFrameHeight);
  GameLib::graphics->setColor(progressBarColor);
  GameLib::graphics->fillRect(x + kBarInset, progressY + kBarInset, progressPercent * kBarWidth / 100, kBarHeight);
}

}  // namespace gamelib::start
