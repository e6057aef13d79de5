// The on-screen keyboard of the name entry: a grid of keys typed with the direction keys and fire, a
// hardware keyboard or the pen. Its look is rendered once per entry into a full-screen panel.
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "gamelib/GameInterface.h"
#include "shell/lcdui/DFont.h"
#include "shell/lcdui/DImage.h"

namespace gamelib {

class VirtualKeyboard : public GameInterface {
 public:
  static constexpr int32_t kMaxLength = 9;

  VirtualKeyboard();
  ~VirtualKeyboard() override;
  const char* getClassName() const override { return "VirtualKeyboard"; }

  // Renders the panel: the background, the three panel pictures, the title and the keys. The caller sets
  // alphabet, columns, the cell size, the colours, x, text and title first.
  void setup(nuv::microedition::lcdui::DImagePtr background);
  // Every key acts once per press; "ok", select or Enter accept a non-empty text.
  void update() override;
  void paint() override;

  int32_t x = 0;
  int32_t y = 0;
  int32_t textX = 0;
  int32_t textY = 0;
  int32_t columns = 0;
  int32_t rows = 0;
  int32_t glyphColor = 0;
  int32_t cursorColor = 0;
  int32_t cellWidth = 0;
  int32_t cellHeight = 0;
  // 0..n-1 a character of the alphabet, n "ok", n + 1 "<-".
  int32_t index = 0;
  int32_t column = 0;
  int32_t row = 0;
  int32_t lastRowCells = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t maxLength = kMaxLength;
  bool done = false;
  bool caretOn = false;
  int64_t caretTime = 0;
  int64_t tapTime = 0;
  nuv::lang::DStringPtr alphabet;
  nuv::lang::DStringPtr text;
  nuv::microedition::lcdui::DFontPtr font;
  nuv::microedition::lcdui::DImagePtr panel;
  nuv::lang::DStringPtr title;

 private:
  int32_t keyCount() const;
  // The key's label: a character, "ok" or "<-".
  nuv::lang::DStringPtr label(int32_t key);
  void tap();
  void append(nuv::lang::DStringPtr c);
  void deleteLast();
  void accept();
  void moveCursor();
};

using VirtualKeyboardPtr = nuv::lang::DPtr<VirtualKeyboard>;

}  // namespace gamelib
