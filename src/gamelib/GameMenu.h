// The in-game menu every game owns: an entry list over a shaded picture of the game, the high-score table,
// the help page and the name entry, plus the class-wide services the games share: the loading bar, the
// menu pictures, the level texts, and the option and high-score stores.
#pragma once

#include <cstdint>
#include <limits>

#include "core/lang/DObject.h"
#include "core/lang/DObjectArray.h"
#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DintArray.h"
#include "gamelib/GameImage.h"
#include "gamelib/PageLayout.h"
#include "gamelib/VirtualKeyboard.h"
#include "shell/lcdui/DFont.h"
#include "shell/lcdui/DImage.h"

namespace gamelib {

class GameMenu;
using GameMenuPtr = nuv::lang::DPtr<GameMenu>;

class GameMenu : public nuv::lang::DObject {
 public:
  // Pages, written by the games into `mode`.
  static constexpr int32_t MODE_FRESH = 0;
  static constexpr int32_t MODE_LIST = 1;
  static constexpr int32_t MODE_TABLE = 2;
  static constexpr int32_t MODE_HELP = 3;
  static constexpr int32_t MODE_NAME_ENTRY = 4;
  // The darkened bands the games put over their pictures.
  static constexpr int32_t kListShade = gamelib::kListShade;
  static constexpr int32_t kPageShade = gamelib::kPageShade;

  // Laid out from the current screen size and font 0.
  GameMenu();
  ~GameMenu() override;
  const char* getClassName() const override { return "GameMenu"; }

  // The table shown on the high-score page (and written by saveHighScores).
  virtual void setHighScores(nuv::lang::DStringArrayPtr names, nuv::lang::DintArrayPtr newScores);
  // Inserts after every entry that is not lower; the last entry drops out. Not saved.
  virtual void addHighScore(nuv::lang::DStringPtr name, int32_t score);
  virtual void paint();
  // One game step: reports `chosen` and `closed`; input is taken at most once per 200 ms.
  virtual void update();
  virtual void releaseImage();
  // The stored table, or the default table of 8, which is saved at once. A damaged table keeps the rows
  // that can be read, and has at least 8; the damage is told once on stderr.
  virtual void loadHighScores(int32_t table, nuv::lang::DStringPtr gameKey);
  // At most the 255 rows the count can say.
  virtual void saveHighScores(int32_t table, nuv::lang::DStringPtr gameKey);
  // Reads the help paragraphs and breaks them into lines; "%n" paragraphs are animations[n].
  virtual void loadHelp(nuv::lang::DStringPtr path, nuv::lang::DObjectArrayPtr animations);
  virtual void paintHelp();

  void setItems(nuv::lang::DStringArrayPtr newItems);
  // A darkened band over the picture behind the list; kListShade also widens the list.
  void setBackground(nuv::microedition::lcdui::DImagePtr picture, int32_t level);
  // Opens the on-screen keyboard for a new high score's name.
  void showNameEntry();
  // True when some entry of the table is strictly lower.
  bool isHighScore(int32_t score);

  // Strictly inside the rectangle.
  static bool isPointerIn(int32_t left, int32_t top, int32_t right, int32_t bottom);
  // A copy of the picture with columns fromX..toX blended towards black (level < 0) or white at
  // alpha |level|.
  static nuv::microedition::lcdui::DImagePtr shadeImage(nuv::microedition::lcdui::DImagePtr picture, int32_t level,
                                                        int32_t fromX, int32_t toX);
  // The shared pictures; those that do not load stay null and are not drawn.
  static void loadImages();
  static void startProgress(int32_t y, int32_t start, int32_t step, int32_t backColor, int32_t barColor);
  static void advanceProgress();
  // The loading bar of a game's set-up, near the bottom, shown at once; advance moves it on and shows it.
  static void startLoading();
  static void advanceLoading();
  // Texts of the levels 0..3; empty for any other level.
  static nuv::lang::DStringPtr getSfxLevelText(int32_t level);
  static nuv::lang::DStringPtr getMusicLevelText(int32_t level);
  static nuv::lang::DStringPtr getSfxLevelKey(int32_t level);
  static nuv::lang::DStringPtr getMusicLevelKey(int32_t level);
  // Options: one int in record 1 of the store "op_" + key. Failures keep the store as it was.
  static void saveOption(nuv::lang::DStringPtr key, int32_t value);
  static int32_t loadOption(nuv::lang::DStringPtr key, int32_t defaultValue);
  // What a stored value outside its range reads as: the default, or the nearer bound.
  enum class OutOfRange { Default, Nearest };
  // A stored value outside lowest..highest is damage: told once ("above" or "below" the bound it breaks), and
  // read as `outside` says. Values above highest up to quietHighest, which the game stores itself, read as
  // highest without a word.
  static int32_t loadOption(nuv::lang::DStringPtr key, int32_t defaultValue, int32_t lowest, int32_t highest,
                            OutOfRange outside = OutOfRange::Default,
                            int32_t quietHighest = std::numeric_limits<int32_t>::min());

  // The entries of the list, or the names of the table: whichever was set last.
  nuv::lang::DStringArrayPtr items;
  nuv::lang::DintArrayPtr scores;
  int32_t backColor = 0xF6B708;
  int32_t mode = MODE_LIST;
  GameImagePtr titleImage;
  nuv::microedition::lcdui::DImagePtr background;
  int32_t left = 0;
  int32_t top = 0;
  int32_t height = 0;
  int32_t border = 2;
  bool drawBox = true;
  int32_t itemColor = 0xFFFFFF;
  int32_t frameColor = 0x000000;
  int32_t boxColor = 0xFFFFFF;
  int32_t tableColor = 0x000000;
  int32_t selected = 0;
  int32_t itemHeight = 0;
  int32_t first = 0;
  int32_t visibleRows = 0;
  nuv::microedition::lcdui::DFontPtr font;
  // A one-step pulse.
  bool chosen = false;
  // Stays set until the game clears it.
  bool closed = false;
  int32_t lastHelpLine = 0;

  // Class-wide state, shared by every menu and released with the application's globals.
  static inline nuv::microedition::lcdui::DImagePtr arrowUp;
  static inline nuv::microedition::lcdui::DImagePtr arrowDown;
  static inline nuv::microedition::lcdui::DImagePtr pauseImage;
  static inline nuv::microedition::lcdui::DImagePtr selectedImage;
  // Of the last handled input; 0 or less: not started.
  static inline int64_t inputClock = 0;

  static inline int32_t progressX = 0;
  static inline int32_t progressY = 0;
  static inline int32_t progressPercent = 0;
  static inline int32_t progressStep = 0;
  static inline int32_t progressBackColor = 0;
  static inline int32_t progressBarColor = 0;

  static inline VirtualKeyboardPtr keyboard;
  static inline bool nameEntered = false;
  // The last accepted name; the next name entry starts with it.
  static inline nuv::lang::DStringPtr enteredName;

  // Each line a DString, an Animation, or null for a blank line.
  static inline nuv::lang::DObjectArrayPtr helpLines;
  static inline int32_t helpLineCount = 0;
  static inline int32_t helpTop = 0;
  static inline int32_t helpBottom = 0;
  static inline int32_t helpLineHeight = 0;
  static inline int32_t helpMinChars = 0;

 private:
  void updateNameEntry();
  // Handles the first input present; false when there was none to handle (the clock stays).
  bool handleInput(int64_t now);
  void moveUp();
  void moveDown();
  void tapList(int64_t now);
  void tapHelp();
  void helpPageDown();
  void paintList();
  void paintBackground();
  // The help text broken into lines of at most maxWidth pixels in font 6.
  void layoutHelp(nuv::lang::DStringPtr text, nuv::lang::DObjectArrayPtr animations);
  void addHelpLine(nuv::lang::DStringPtr line, nuv::lang::DObjectArrayPtr animations, bool opensParagraph);
};

}  // namespace gamelib
