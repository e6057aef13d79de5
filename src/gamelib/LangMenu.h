// The language question at start: the languages of "/txt/lang" in a list box; the choice sets the
// language of every text, and the start goes on.
#pragma once

#include "gamelib/ChoiceBox.h"
#include "gamelib/GameInterface.h"
#include "shell/lcdui/DGraphics.h"

namespace langmenu {

class LangMenu : public gamelib::GameInterface {
 public:
  // No language is chosen yet.
  LangMenu();
  const char* getClassName() const override { return "LangMenu"; }

  // Reads the language lists; with one language (or lists that do not match) the first is chosen at once.
  void init() override;
  void update() override;
  void paint() override;
  // Lets go of the picture and the language lists.
  void leave() override;
  virtual void paintMenu(nuv::microedition::lcdui::DGraphicsPtr g);

  gamelib::ChoiceBox box;
  // The choice was handed to the start.
  bool answered = false;
};

using LangMenuPtr = nuv::lang::DPtr<LangMenu>;

}  // namespace langmenu
