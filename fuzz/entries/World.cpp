#include "World.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "StoredArchive.h"
#include "app/GameList.h"
#include "core/io/D7zipInputStream.h"
#include "core/io/DPrintStream.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/TextTable.h"
#include "platform/api/waveout.h"
#include "platform/host/datafolder.h"
#include "platform/host/desktop.h"
#include "platform/host/paths.h"
#include "platform/seam/clock.h"
#include "shell/lcdui/DDisplay.h"
#include "sound/DManager.h"

namespace fuzz {

using gamelib::GameLib;
using nuv::io::D7zipInputStream;

namespace {

constexpr const char16_t* kGameData = u"game.dat";
constexpr const char16_t* kInputArchive = u"input.dat";

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "fuzz: %s\n", what.c_str());
  std::abort();
}

void writeFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) fail("cannot write " + path.string());
}

// A fresh folder, removed with everything in it when the process ends; the stand-in is pointed at it.
struct Folder {
  std::string path;
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "glimmerhut-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) fail("cannot make a folder in " + pattern);
    path = pattern;
    platform::setHeadless(true);
    platform::setManualClock(1000);
    platform::setProgramFile(path + "/glimmerhut");
    platform::setDataFolder(path);
    platform::setLogFolder(path);
    // The games start sound when they load their players: the silent device mixes it.
    platform::setAudioDriver("null");
    // The print streams of the engine when it keeps no log: they write nowhere.
    nuv::lang::DSystem::out = new nuv::io::DPrintStream(nullptr);
    nuv::lang::DSystem::err = new nuv::io::DPrintStream(nullptr);
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
};

std::string narrow(std::u16string_view name) { return std::string(name.begin(), name.end()); }

}  // namespace

const std::string& programFolder() {
  static const Folder folder;
  return folder.path;
}

void useGameLibrary() {
  static const bool made = [] {
    std::filesystem::copy_file(GH_GAME_DAT, std::filesystem::path(programFolder()) / narrow(kGameData));
    static gamelib::GameLibPtr app = new GameLib(glimmerhut::kMenuList);
    // A display without a screen behind it, as the shell would give the application.
    static nuv::microedition::lcdui::DDisplayPtr display = new nuv::microedition::lcdui::DDisplay(nullptr);
    // The program's own start: archive, screen size, path list, fonts; the questions that follow it are
    // answered here.
    app->startApp();
    if (!GameLib::resolutionSupported || GameLib::fonts.isNull()) fail("the game library did not start");
    nuv::lang::DStringArrayPtr codes = new nuv::lang::DStringArray(1);
    (*codes)[0] = u"en";
    GameLib::languageCodes = codes;
    GameLib::languageIndex = 0;
    gamelib::TextTable::load(u"/txt/res_en", true);
    gamelib::GameMenu::loadImages();
    // The sound worker and its handles end before the globals that hold them go.
    std::atexit([] { nuv::microedition::media::DManager::doneSound(); });
    return true;
  }();
  (void)made;
}

void openArchive(const std::vector<StoredEntry>& entries) {
  std::vector<pack::StoredEntry> stored;
  for (const StoredEntry& e : entries) stored.push_back({std::u16string(e.name.begin(), e.name.end()), e.bytes, {}});
  writeFile(std::filesystem::path(programFolder()) / narrow(kInputArchive), pack::storedArchive(stored));
  D7zipInputStream::openArchive(kInputArchive, u"");
}

void openGameData() { D7zipInputStream::openArchive(kGameData, u""); }

std::string gameDataEntry(const std::string& name) {
  useGameLibrary();
  openGameData();
  nuv::io::DInputStreamPtr stream = D7zipInputStream::open(new nuv::lang::DString(name.c_str()));
  std::string out;
  for (int32_t b = stream->read(); b >= 0; b = stream->read()) out.push_back(static_cast<char>(b));
  return out;
}

void step(gamelib::GameInterface& screen, bool paint) {
  platform::advanceManualClock(GameLib::kStepMs);
  gamelib::GameImage::graphics = GameLib::graphics;
  gamelib::ScreenCanvas::pump();
  screen.update();
  if (!paint) return;
  gamelib::GameImage::graphics = GameLib::graphics;
  screen.paint();
}

void press(int32_t code) {
  GameLib::canvas->keyPressed(code);
  gamelib::ScreenCanvas::pump();
  GameLib::canvas->keyReleased(code);
}

std::string bytes(Input input) { return std::string(input.begin(), input.end()); }

nuv::lang::DStringPtr latin1(Input input) {
  return new nuv::lang::DString(std::u16string_view(std::u16string(input.begin(), input.end())));
}

}  // namespace fuzz
