// The game library in a test: a program folder with its own game.dat, the application object, a display
// without a screen, the screen canvas, and the global tables the start would make.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/lang/DString.h"
#include "gamelib/GameLib.h"
#include "shell/lcdui/DDisplay.h"
#include "support/Archives.h"
#include "support/NullSound.h"
#include "support/TempFolder.h"

namespace gltest {

class GameLibFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Packs the files into the folder's game.dat and opens it.
  void openArchive(const test::ArchiveFiles& files);
  // Writes a file beside the program.
  void writeBeside(const std::string& name, const std::string& bytes);
  // pathList from a "PATH" value.
  void setPath(const char16_t* value);
  // The sound system on the null audio device until the tear-down, which lets the game library's sounds
  // go before it stops.
  void startSound() { sound.emplace(); }

  test::TempFolder folder;
  gamelib::GameLibPtr app;
  nuv::microedition::lcdui::DDisplayPtr display;
  std::optional<test::NullSound> sound;
};

// Resets every global of the game library to its first value.
void resetGameLibGlobals();

// Pixels of the screen canvas's back buffer in the RGB565 colour.
int countCanvasPixels(uint16_t colour);
// One pixel of the back buffer.
uint16_t canvasPixel(int32_t x, int32_t y);
// A 0xRRGGBB colour as an RGB565 pixel: each channel's top bits.
uint16_t rgb565(uint32_t rgb);

// Text helpers.
std::string narrow(nuv::lang::DStringPtr text);
// CR LF lines, as the writers of plain tables end them.
std::string crlf(std::initializer_list<const char*> lines);

}  // namespace gltest
