// The shared menus in a test: the fixture of the game library over the real game.dat at 240 x 320 (or the
// size a test chooses), with its fonts, the English texts, and a registry of the test's own; plus input
// and frame helpers.
#pragma once

#include <cstdint>
#include <optional>

#include "gamelib/GameInterface.h"
#include "gamelib/GameLibFixture.h"
#include "platform/device/device.h"

namespace gltest {

class MenuFixture : public GameLibFixture {
 public:
  struct ScreenSize {
    int32_t width, height;
  };

 protected:
  void SetUp() override;
  void TearDown() override;

  // The device's screen and the data's set for it; a test sets it before SetUp.
  ScreenSize screenSize{240, 320};

  // A key press as the shell delivers it, taken into the action flags at once.
  static void press(int32_t code);
  // A pen press at (x, y).
  static void tap(int32_t x, int32_t y);
  // The clock moves on.
  static void wait(int64_t ms);
  // Fills the screen with one colour, so that a paint shows what it covers.
  static void clearScreen(uint32_t rgb);
  // One 30 ms step of a game screen as the library's frame runs it: clock, input, update.
  static void stepScreen(gamelib::GameInterface& screen);
  // The screen's paint into the library's graphics.
  static void paintScreen(gamelib::GameInterface& screen);

 private:
  // The device in force before another screen size replaced it.
  std::optional<platform::Device> savedDevice_;
};

// Pixels of the back buffer in a rectangle that differ from the colour.
int countOtherPixels(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour);
// The first and last columns of a rectangle of the back buffer that hold a pixel other than the colour; -1
// for both when there is none.
struct Columns {
  int32_t first, last;
};
Columns inkColumns(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour);

// Key codes of the shell.
inline constexpr int32_t kKeyUp = 38;
inline constexpr int32_t kKeyDown = 40;
inline constexpr int32_t kKeyLeft = 37;
inline constexpr int32_t kKeyRight = 39;
inline constexpr int32_t kKeyAction = 10002;
inline constexpr int32_t kKeySoftLeft = 10000;
inline constexpr int32_t kKeySoftRight = 10001;

}  // namespace gltest
