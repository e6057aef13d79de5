// What the start needs of the menus: the language and sound questions, the menu pictures, the main menu
// and the loading bar.
#include "gamelib/StartScreens.h"

#include "gamelib/GameMenu.h"
#include "gamelib/LangMenu.h"
#include "gamelib/MainMenu.h"
#include "gamelib/SoundMenu.h"

namespace gamelib::start {

GameInterfacePtr makeLanguageMenu() {
  langmenu::LangMenuPtr menu = new langmenu::LangMenu();
  menu->init();
  return menu;
}

bool soundQuestionAnswered() { return soundmenu::SoundMenu::done; }

GameInterfacePtr makeSoundMenu(nuv::lang::DStringArrayPtr gameKeys) {
  soundmenu::SoundMenuPtr menu = new soundmenu::SoundMenu();
  menu->setup(std::move(gameKeys));
  return menu;
}

void loadMenuImages() { GameMenu::loadImages(); }

GameInterfacePtr makeMainMenu() { return new MainMenu(); }

bool isMainMenu(const GameInterfacePtr& screen) { return dynamic_cast<const MainMenu*>(screen.get()) != nullptr; }

bool isQuestion(const GameInterfacePtr& screen) {
  return dynamic_cast<const langmenu::LangMenu*>(screen.get()) != nullptr ||
         dynamic_cast<const soundmenu::SoundMenu*>(screen.get()) != nullptr;
}

void startProgress(int32_t y, int32_t start, int32_t step, int32_t backColor, int32_t barColor) {
  GameMenu::startProgress(y, start, step, backColor, barColor);
}

void advanceProgress() { GameMenu::advanceProgress(); }

}  // namespace gamelib::start
