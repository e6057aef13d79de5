// What the start needs of the menus: the language and sound questions, the menu pictures, the main menu and
// the loading bar. The menus' part of the library gives these their bodies in StartScreens.cpp.
#pragma once

#include <cstdint>

#include "core/lang/DStringArray.h"
#include "gamelib/GameInterface.h"

namespace gamelib::start {

// The language menu, constructed (languageIndex -1) and initialised: it reads the language lists and
// sets languageIndex to 0 when there is nothing to choose.
GameInterfacePtr makeLanguageMenu();
// Whether the sound question has been answered in this run.
bool soundQuestionAnswered();
// The sound question, set up with the keys of the games.
GameInterfacePtr makeSoundMenu(nuv::lang::DStringArrayPtr gameKeys);
// The in-game menu's shared pictures.
void loadMenuImages();
// A new main menu, not yet initialised.
GameInterfacePtr makeMainMenu();
bool isMainMenu(const GameInterfacePtr& screen);
// The language or the sound question.
bool isQuestion(const GameInterfacePtr& screen);
// The loading bar, drawn into GameLib::graphics; the caller flushes.
void startProgress(int32_t y, int32_t start, int32_t step, int32_t backColor, int32_t barColor);
void advanceProgress();

}  // namespace gamelib::start
