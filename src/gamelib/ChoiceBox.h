// The look the language and sound questions share: a black screen, the menu background, a centred list
// box with a highlight bar, and an "OK" label in the bottom-left corner; and their pen handling.
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"

namespace gamelib {

struct ChoiceBox {
  static constexpr int32_t kHighlightColour = 0x7381a9;
  static constexpr int64_t kTapGapMs = 200;

  // Sized for the rows from the screen and font 0; loads the background and resets the tap time.
  void layOut(int32_t rowCount);
  // The black screen, the background and the highlight bar on the row (none when negative).
  void paintFrame(nuv::microedition::lcdui::DGraphics& g, int32_t highlightedRow);
  // A row's text centred in its row, in the font.
  void paintRow(int32_t font, nuv::lang::DStringPtr text, int32_t row);
  void paintLabel();
  // A pen tap: the row it picks (-1 for none; a picked row counts as the accepted tap), and whether it
  // hit the "OK" label. Taps within 200 ms of the last accepted one are ignored.
  int32_t tapRow(bool& onLabel);

  int64_t lastTapTime = 0;
  int32_t rowHeight = 0;
  nuv::microedition::lcdui::DImagePtr background;
  int32_t boxX = 0;
  int32_t boxY = 0;
  int32_t boxWidth = 0;
  int32_t boxHeight = 0;
  int32_t rows = 0;
  nuv::lang::DStringPtr label;
};

}  // namespace gamelib
