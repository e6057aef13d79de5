// The game library's test fixture.
#include "gamelib/GameLibFixture.h"

#include <cstring>

#include "app/GameList.h"
#include "core/io/D7zipInputStream.h"
#include "core/util/DHashtable.h"
#include "gamelib/GameImage.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "platform/host/datafolder.h"
#include "platform/host/desktop.h"
#include "platform/host/paths.h"
#include "platform/seam/clock.h"

namespace gltest {

using gamelib::GameLib;

void resetGameLibGlobals() {
  nuv::io::D7zipInputStream::closeArchive();
  GameLib::releaseGlobals();
  GameLib::languageIndex = -1;
  GameLib::languageNames = nullptr;
  GameLib::languageCodes = nullptr;
  GameLib::languageCount = 0;
  GameLib::screenWidth = GameLib::screenHeight = 0;
  GameLib::resolutionSupported = false;
  GameLib::showMoreGames = false;
  GameLib::leftSoftKey1 = 10000;
  GameLib::leftSoftKey2 = 0;
  GameLib::rightSoftKey1 = 10001;
  GameLib::rightSoftKey2 = 0;
  GameLib::middleSoftKey = 10002;
  GameLib::lastStepTime = 0;
  GameLib::paintTime = 0;
  GameLib::pendingSwitch = -1;
  gamelib::GameImage::atlasWidth = gamelib::GameImage::atlasHeight = 0;
  gamelib::ScreenCanvas::resetInput();
  gamelib::ScreenCanvas::sequenceNumber = 0;
  gamelib::ScreenCanvas::sequenceDone = false;
  gamelib::SoundManager::loopCount = 1;
  gamelib::SoundManager::sfxOn = false;
}

void GameLibFixture::SetUp() {
  platform::setHeadless(true);
  platform::setManualClock(1000);
  platform::setProgramFile(folder.file("glimmerhut"));
  platform::setDataFolder(folder.path());
  platform::setLogFolder(folder.path());
  resetGameLibGlobals();
  app = new GameLib(glimmerhut::kMenuList);
  display = new nuv::microedition::lcdui::DDisplay(nullptr);
  GameLib::canvas = new gamelib::ScreenCanvas();
  display->setCurrent(GameLib::canvas);
  setPath(u"");
  GameLib::initGlobals();
  gamelib::GameImage::graphics = GameLib::graphics;
}

void GameLibFixture::TearDown() {
  if (sound) {
    gamelib::SoundManager::release();
    gamelib::SoundManager::current = nullptr;
    sound.reset();
  }
  resetGameLibGlobals();
  display = nullptr;
  app = nullptr;
  nuv::microedition::midlet::DMIDlet::releaseCurrent();
  platform::setProgramFile("");
  platform::setDataFolder("");
  platform::setLogFolder("");
  platform::useRealClock();
}

void GameLibFixture::openArchive(const test::ArchiveFiles& files) {
  test::packArchive(folder.file("game.dat"), files);
  nuv::io::D7zipInputStream::openArchive(u"game.dat", u"");
}

void GameLibFixture::writeBeside(const std::string& name, const std::string& bytes) {
  test::writeFiles(folder.path(), {{name, bytes}});
}

void GameLibFixture::setPath(const char16_t* value) { GameLib::setPathList(value); }

int countCanvasPixels(uint16_t colour) {
  int count = 0;
  for (int32_t y = 0; y < GameLib::canvas->height; ++y) {
    for (int32_t x = 0; x < GameLib::canvas->width; ++x) count += canvasPixel(x, y) == colour ? 1 : 0;
  }
  return count;
}

uint16_t canvasPixel(int32_t x, int32_t y) {
  Raster::LockedPixels p = GameLib::canvas->backBuffer->lock();
  uint16_t value;
  std::memcpy(&value, p.address + static_cast<ptrdiff_t>(y) * p.pitch + 2 * x, 2);
  Raster::returnsOne(GameLib::canvas->backBuffer.get(), 0);
  return value;
}

uint16_t rgb565(uint32_t rgb) {
  return static_cast<uint16_t>(((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F));
}

std::string narrow(nuv::lang::DStringPtr text) {
  if (text.isNull()) return "(null)";
  std::string out;
  for (char16_t c : text->view()) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

std::string crlf(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* line : lines) out += std::string(line) + "\r\n";
  return out;
}

}  // namespace gltest
