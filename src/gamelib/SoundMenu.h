// The sound question at start: "yes" or "no" in a list box; the answer becomes the effect and music level
// of every game, and the start goes on.
#pragma once

#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "gamelib/ChoiceBox.h"
#include "gamelib/GameInterface.h"
#include "shell/lcdui/DGraphics.h"

namespace soundmenu {

class SoundMenu : public gamelib::GameInterface {
 public:
  // The question counts as not answered.
  SoundMenu();
  const char* getClassName() const override { return "SoundMenu"; }

  void update() override;
  void paint() override;
  // Lets go of the texts and the picture.
  void leave() override;
  // The texts of the chosen language, the keys of the games whose levels the answer sets, and the layout.
  virtual void setup(nuv::lang::DStringArrayPtr gameKeys);
  virtual void paintMenu(nuv::microedition::lcdui::DGraphicsPtr g);

  // Every game's "sfx_level" and "music_level" option: 1 with sound on, else 0.
  void applyAnswer();

  nuv::lang::DStringPtr question;
  nuv::lang::DStringPtr yesText;
  nuv::lang::DStringPtr noText;
  nuv::lang::DStringArrayPtr keys;
  gamelib::ChoiceBox box;

  // The answer.
  static inline bool soundOn = false;
  // Set once the user has confirmed; the start shows the question while it is clear.
  static inline bool done = false;
};

using SoundMenuPtr = nuv::lang::DPtr<SoundMenu>;

}  // namespace soundmenu
