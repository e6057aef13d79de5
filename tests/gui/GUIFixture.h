// The GUI engine in a test: the game library's fixture at 240 x 320, a fresh engine, a bitmap font made in
// code (every glyph 4 pixels wide, the space 3, lines 8 high), and helpers that run the engine's step and
// paint as a host screen does.
#pragma once

#include <cstdint>
#include <vector>

#include "gamelib/GameLibFixture.h"
#include "gamelib/ImageFont.h"
#include "gui/GUIEngine.h"
#include "gui/GUIWidget.h"

namespace guitest {

inline constexpr int32_t kGlyph = 4;
inline constexpr int32_t kSpace = 3;
inline constexpr int32_t kLine = 8;

// A font of one page: the space, then letters, digits and punctuation of equal width.
gamelib::ImageFontPtr makeFont(int32_t glyphWidth, int32_t spaceWidth, int32_t height);

class GUIFixture : public gltest::GameLibFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One step of a host: the engine's update, then the queue drained through the interpreter.
  void step();
  void steps(int n);
  // Drains the queue without an update; returns the number of actions executed.
  int drain();
  void paint();
  static void advance(int64_t ms);
  // A widget of that size at that place in its parent.
  static gamelib::GUIWidgetPtr widget(int32_t x, int32_t y, int32_t w, int32_t h, int32_t id = -1);
  // A full-screen widget pushed as the current screen.
  gamelib::GUIWidgetPtr pushScreen();

  gamelib::GUIEnginePtr engine;
  gamelib::ImageFontPtr font;
};

// A colour as the back buffer holds it.
uint16_t to565(uint32_t rgb);
// The back buffer's pixel.
uint16_t pixel(int32_t x, int32_t y);
// Pixels of the rectangle that differ from the colour.
int countOther(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour);
// Paints the screen one colour.
void clearScreen(uint32_t rgb);

// Records the events a widget receives, through callbacks of actions bound to each code.
struct EventLog {
  std::vector<int32_t> codes;
  std::vector<std::vector<int32_t>> data;
  // Binds an action of type 0 with a callback to each code.
  void watch(const gamelib::GUIWidgetPtr& w, std::initializer_list<int32_t> codes);
  void clear() {
    codes.clear();
    data.clear();
  }
};
// The log the callbacks write into.
EventLog& currentLog();

}  // namespace guitest
