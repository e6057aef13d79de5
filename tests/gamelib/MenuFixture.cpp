// The menus' test fixture over the real game data.
#include "gamelib/MenuFixture.h"

#include <filesystem>
#include <utility>

#include "core/io/D7zipInputStream.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameMenu.h"
#include "gamelib/MainMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundMenu.h"
#include "gamelib/TextTable.h"
#include "platform/host/datafolder.h"
#include "platform/seam/clock.h"

namespace gltest {

using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::ImageFont;
using gamelib::ImageFontArray;
using gamelib::ImageFontPtr;
using gamelib::ScreenCanvas;

namespace {

constexpr const char16_t* kFontNames[GameLib::FONT_COUNT] = {u"menu", u"menusel", u"hud0", u"hud1",
                                                             u"num0", u"num1",    u"small"};

void resetMenuGlobals() {
  GameMenu::inputClock = 0;
  GameMenu::nameEntered = false;
  GameMenu::enteredName = nullptr;
  GameMenu::helpLineCount = 0;
  GameMenu::progressPercent = GameMenu::progressStep = 0;
  soundmenu::SoundMenu::soundOn = false;
  soundmenu::SoundMenu::done = false;
  gamelib::CustomControls::current = nullptr;
}

}  // namespace

void MenuFixture::SetUp() {
  if (platform::device().screenWidth != screenSize.width || platform::device().screenHeight != screenSize.height) {
    savedDevice_ = platform::device();
    platform::Device device = *savedDevice_;
    device.screenWidth = screenSize.width;
    device.screenHeight = screenSize.height;
    platform::setDevice(device);
  }
  GameLibFixture::SetUp();
  resetMenuGlobals();
  platform::setDataFolder(folder.path());
  std::filesystem::copy_file(GH_GAME_DAT, folder.file("game.dat"));
  nuv::io::D7zipInputStream::openArchive(u"game.dat", u"");
  GameLib::resolutionSupported = true;
  gamelib::TextTable::load(GameLib::resolutionFileName(GameLib::screenWidth, GameLib::screenHeight), false);
  GameLib::setPathList(gamelib::TextTable::getString(u"PATH"));
  nuv::lang::DStringPtr prefix = GameLib::findInPath(u"", u"menu/font_0");
  GameLib::fonts = new ImageFontArray(GameLib::FONT_COUNT);
  for (int32_t i = 0; i < GameLib::FONT_COUNT; ++i) {
    ImageFontPtr font = new ImageFont();
    if (i == GameLib::FONT_SMALL) {
      font->spacing = 1;
      font->upperCase = false;
    }
    font->load(prefix + kFontNames[i]);
    (*GameLib::fonts)[i] = font;
  }
  gamelib::TextTable::load(u"/txt/res_en", true);
}

void MenuFixture::TearDown() {
  resetMenuGlobals();
  GameLibFixture::TearDown();
  platform::setDataFolder("");
  if (savedDevice_) platform::setDevice(*std::exchange(savedDevice_, std::nullopt));
}

void MenuFixture::press(int32_t code) {
  GameLib::canvas->keyPressed(code);
  ScreenCanvas::pump();
}

void MenuFixture::tap(int32_t x, int32_t y) { GameLib::canvas->pointerPressed(x, y); }

void MenuFixture::wait(int64_t ms) { platform::advanceManualClock(ms); }

void MenuFixture::stepScreen(gamelib::GameInterface& screen) {
  wait(GameLib::kStepMs);
  gamelib::GameImage::graphics = GameLib::graphics;
  ScreenCanvas::pump();
  screen.update();
}

void MenuFixture::paintScreen(gamelib::GameInterface& screen) {
  gamelib::GameImage::graphics = GameLib::graphics;
  screen.paint();
}

void MenuFixture::clearScreen(uint32_t rgb) {
  GameLib::graphics->setClip(0, 0, GameLib::screenWidth, GameLib::screenHeight);
  GameLib::graphics->setColor(static_cast<int32_t>(rgb));
  GameLib::graphics->fillRect(0, 0, GameLib::screenWidth, GameLib::screenHeight);
}

int countOtherPixels(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour) {
  int count = 0;
  for (int32_t j = y; j < y + h; ++j) {
    for (int32_t i = x; i < x + w; ++i) count += canvasPixel(i, j) != colour ? 1 : 0;
  }
  return count;
}

Columns inkColumns(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour) {
  Columns found{-1, -1};
  for (int32_t i = x; i < x + w; ++i) {
    if (countOtherPixels(i, y, 1, h, colour) == 0) continue;
    if (found.first < 0) found.first = i;
    found.last = i;
  }
  return found;
}

}  // namespace gltest
