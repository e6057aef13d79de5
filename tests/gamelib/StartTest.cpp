// The program's start on the real game.dat, run headless through the engine: the logo, the version text and
// the loading bar at both screen sizes, the frame of an unsupported size, a start without its archive and
// one that meets damaged data.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/GameList.h"
#include "core/rms/DRecordStore.h"
#include "gamelib/GameLibFixture.h"
#include "gamelib/GameMenu.h"
#include "platform/device/device.h"
#include "platform/device/screen.h"
#include "platform/host/datafolder.h"
#include "platform/host/desktop.h"
#include "platform/host/paths.h"
#include "platform/seam/capture.h"
#include "platform/seam/clock.h"
#include "platform/seam/script.h"
#include "shell/CGameEngine.h"
#include "shell/hal/VideoDetect.h"
#include "support/Archives.h"

namespace {

using gamelib::GameLib;

nuv::microedition::midlet::DMIDletPtr makeGameLib() { return new GameLib(glimmerhut::kMenuList); }

bool white(uint32_t rgb) { return (rgb & 0xF8F8F8) == 0xF8F8F8; }
bool black(uint32_t rgb) { return (rgb & 0xF8F8F8) == 0; }
bool red(uint32_t rgb) { return (rgb & 0xF8F8F8) == 0xF80000; }

uint32_t at(const platform::Picture& p, int x, int y) { return p.pixels[static_cast<size_t>(y) * p.width + x]; }

// Pixels matching the test inside the rectangle.
template <class Test>
int count(const platform::Picture& p, int left, int top, int right, int bottom, Test test) {
  int n = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) n += test(at(p, x, y)) ? 1 : 0;
  }
  return n;
}

class StartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gltest::resetGameLibGlobals();
    platform::setProgramFile(folder.file("glimmerhut"));
    platform::setDataFolder(folder.path());
    CGameEngine::setMIDletFactory(makeGameLib);
  }
  void TearDown() override {
    if (presenter_ != 0) platform::deviceScreen().removePresenter(presenter_);
    CGameEngine::setMIDletFactory(nullptr);
    platform::stopScript();
    platform::useRealClock();
    platform::setProgramFile("");
    platform::setDataFolder("");
    useScreen(240, 320);
    gltest::resetGameLibGlobals();
  }
  void useScreen(int width, int height) {
    platform::Device device;
    platform::findDeviceProfile("pocketpc", device);
    device.screenWidth = width;
    device.screenHeight = height;
    platform::setDevice(device);
    platform::deviceScreen().resize(width, height);
    // The display layer looks at the hardware once per process, as on the handheld.
    ScreenHAL::VideoDetect::forget();
  }
  void withGameDat() { std::filesystem::copy_file(GH_GAME_DAT, folder.file("game.dat")); }
  // Keeps every frame the display presents that shows the loading bar's frame.
  void watchForLoadingBar(int width, int height) {
    int left = (width - 108) >> 1, top = height - (height >> 3);
    presenter_ = platform::deviceScreen().addPresenter([this, left, top](const platform::DeviceScreen& s) {
      const uint32_t* px = s.pixels();
      if (!black(px[top * s.width() + left]) || !red(px[(top + 2) * s.width() + left + 2])) return;
      platform::Picture frame;
      frame.width = s.width();
      frame.height = s.height();
      frame.pixels.assign(px, px + static_cast<size_t>(s.width()) * s.height());
      barFrames.push_back(std::move(frame));
    });
  }
  bool run(const char* script, int width, int height) {
    platform::setHeadless(true);
    platform::Script parsed;
    std::string error;
    EXPECT_TRUE(platform::parseScript(script, parsed, error)) << error;
    platform::startScript(std::move(parsed), folder.path());
    auto engine = std::make_unique<CGameEngine>();
    return engine->Run(nullptr, width, height);
  }

  test::TempFolder folder;
  std::vector<platform::Picture> barFrames;
  int presenter_ = 0;
};

// Enter confirms the language and sound questions where the start asks them.
constexpr const char* kStartScript =
    "500 capture logo.png\n"
    "1500 key down Enter\n1520 key up Enter\n"
    "2500 key down Enter\n2520 key up Enter\n"
    "7000 close\n";

TEST_F(StartTest, ReachesTheLogoVersionAndLoadingBarAtBothSizes) {
  withGameDat();
  struct Case {
    int width, height;
  } cases[] = {{240, 320}, {480, 640}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    gltest::resetGameLibGlobals();
    useScreen(c.width, c.height);
    barFrames.clear();
    watchForLoadingBar(c.width, c.height);
    EXPECT_TRUE(run(kStartScript, c.width, c.height));
    platform::deviceScreen().removePresenter(presenter_);
    presenter_ = 0;

    platform::Picture logo;
    ASSERT_TRUE(platform::readPng(folder.file("logo.png"), logo));
    ASSERT_EQ(logo.width, c.width);
    EXPECT_TRUE(white(at(logo, 0, 0)));
    EXPECT_TRUE(white(at(logo, c.width - 1, c.height - 1)));
    int w = c.width, h = c.height;
    EXPECT_GT(count(logo, w / 4, h / 3, 3 * w / 4, 2 * h / 3, [](uint32_t p) { return !white(p); }), w * h / 100);

    // The bar's first frame shows 20 per cent, its last the full bar; the version text is in the corner.
    ASSERT_FALSE(barFrames.empty());
    const platform::Picture& first = barFrames.front();
    const platform::Picture& full = barFrames.back();
    ASSERT_TRUE(platform::writePng(folder.file("loading.png"), full));
    int left = (w - 108) >> 1, top = h - (h >> 3);
    EXPECT_TRUE(red(at(first, left + 2 + 19, top + 4)));
    EXPECT_FALSE(red(at(first, left + 2 + 40, top + 4)));
    EXPECT_TRUE(red(at(full, left + 2 + 103, top + 4)));
    EXPECT_TRUE(black(at(full, left, top + 5)));
    EXPECT_GT(count(full, 2, 2, 40, 18, black), 10);
    EXPECT_EQ(count(full, w / 4, h / 3, 3 * w / 4, 2 * h / 3, [](uint32_t p) { return !white(p); }),
              count(logo, w / 4, h / 3, 3 * w / 4, 2 * h / 3, [](uint32_t p) { return !white(p); }));
    // The loading screen is built on a white page.
    EXPECT_TRUE(white(at(full, w - 1, 0)));
  }
}

TEST_F(StartTest, UnsupportedSizeSaysSoForTwoSecondsAndEnds) {
  withGameDat();
  useScreen(320, 240);
  EXPECT_TRUE(run("1000 capture unsupported.png\n9000 close\n", 320, 240));
  EXPECT_LT(platform::tickCount64(), 2100u);
  EXPECT_GE(platform::tickCount64(), 2000u);
  platform::Picture frame;
  ASSERT_TRUE(platform::readPng(folder.file("unsupported.png"), frame));
  // Three lines of black text about the middle of a white screen.
  EXPECT_GT(count(frame, 0, 80, 320, 160, black), 100);
  EXPECT_EQ(count(frame, 0, 0, 320, 60, black), 0);
  EXPECT_EQ(count(frame, 0, 180, 320, 240, black), 0);
  EXPECT_TRUE(white(at(frame, 0, 0)));
}

TEST_F(StartTest, MissingArchiveEndsTheStartAndSaysWhy) {
  useScreen(240, 320);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(run("5000 close\n", 240, 320));
  std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find("the start failed while opening the resource archive \"game.dat\": IOException"),
            std::string::npos)
      << errors;
  // Where it looked, so that the archive can be put there.
  EXPECT_NE(errors.find("IOException not found: " + folder.file("game.dat")), std::string::npos) << errors;
}

// Damage met in the later part of the start ends it too, naming the entry: the program never goes on with
// half its menus.
TEST_F(StartTest, DamageInTheLaterPartEndsTheStartNamingTheEntry) {
  const std::vector<test::StoredEntry> built = test::readStoredEntries(GH_GAME_DAT);
  ASSERT_GT(built.size(), 100u);
  struct Case {
    std::u16string entry;
    const char* doing;
  } cases[] = {
      {u"graphics/240x320/arrowUp.png", "loading the menus"},
      {u"data/keys.txt", "making the main menu"},
      {u"graphics/240x320/menu/icons.png", "making the main menu"},
  };
  useScreen(240, 320);
  for (const Case& c : cases) {
    const std::string entry(c.entry.begin(), c.entry.end());
    SCOPED_TRACE(entry);
    gltest::resetGameLibGlobals();
    test::writeWithDamagedEntry(folder.file("game.dat"), built, c.entry);
    testing::internal::CaptureStderr();
    run(kStartScript, 240, 320);
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find(std::string("the start failed while ") + c.doing + ": IOException game.dat: " + entry + ": "),
              std::string::npos)
        << errors;
    // Ended by the start itself, not by the last-chance handler.
    EXPECT_EQ(errors.find("unhadled"), std::string::npos) << errors;
    EXPECT_LT(platform::tickCount64(), 7000u);
  }
}

// The table without its line that begins with the text.
std::string withoutLine(const std::string& table, const std::u16string& start) {
  std::istringstream lines(table);
  std::string kept;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(std::string(start.begin(), start.end()), 0) != 0) kept += line + "\n";
  }
  return kept;
}

// A piece of the main menu that is not there, or a font damaged, ends the start in order, naming it; before,
// the start went on and the menu failed at its first paint, naming nothing.
TEST_F(StartTest, AMissingPieceOfTheMainMenuEndsTheStartNamingIt) {
  const std::vector<test::StoredEntry> built = test::readStoredEntries(GH_GAME_DAT);
  ASSERT_GT(built.size(), 100u);
  auto without = [](std::string entry) {
    return [entry](test::StoredEntry& e) { return e.name == std::u16string(entry.begin(), entry.end()); };
  };
  const std::u16string firstIcon = glimmerhut::kMenuList[0].names.icon;
  struct Case {
    const char* what;
    std::function<bool(test::StoredEntry&)> change;  // true: the entry goes
    std::string said;
  } cases[] = {
      {"a font's first metrics", without("240x320/hud1/font_0"),
       "the start failed while loading the fonts: IOException 240x320/hud1/font_0 is missing"},
      {"a font's first picture", without("240x320/small/font_0.png"),
       "the start failed while loading the fonts: IOException 240x320/small/font_0.png is missing"},
      {"the menu font's count byte 0xFF",
       [](test::StoredEntry& e) {
         if (e.name == u"240x320/menu/font_0") e.bytes[0] = '\xFF';
         return false;
       },
       "the start failed while loading the fonts: IOException game.dat: 240x320/menu/font_0: the table ends before "
       "its last glyph"},
      {"an icon",
       [&](test::StoredEntry& e) {
         if (e.name == u"graphics/240x320/menu/icons.txt") e.bytes = withoutLine(e.bytes, firstIcon + u";");
         return false;
       },
       "the start failed while making the main menu: IOException game.dat: graphics/240x320/menu/icons.txt: it has "
       "no \"" +
           std::string(firstIcon.begin(), firstIcon.end()) + "\""},
      {"the icons' table", without("graphics/240x320/menu/icons.txt"),
       "the start failed while making the main menu: IOException graphics/240x320/menu/icons.txt is missing"},
  };
  useScreen(240, 320);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    gltest::resetGameLibGlobals();
    std::vector<test::StoredEntry> entries = built;
    std::erase_if(entries, c.change);
    test::writeStoredArchive(folder.file("game.dat"), entries);
    testing::internal::CaptureStderr();
    run(kStartScript, 240, 320);
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find(std::string("GlimmerHut: ") + c.said + "\n"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("failed: "), std::string::npos) << errors;
    EXPECT_LT(platform::tickCount64(), 7000u);
  }
}

// The program's rows with a ninth game among them, in a list of the same shape.
std::array<gamelib::MenuListEntry, std::size(glimmerhut::kMenuList) + 1> rowsWithANinthGame() {
  std::array<gamelib::MenuListEntry, std::size(glimmerhut::kMenuList) + 1> rows{};
  const int32_t exit = gamelib::indexOfRow(glimmerhut::kMenuList, gamelib::MenuRowKind::Exit);
  for (int32_t i = 0, from = 0; i < static_cast<int32_t>(rows.size()); ++i) {
    if (i == exit) {
      rows[i] = {glimmerhut::kMenuList[0].names, nullptr, nullptr, nullptr};
      rows[i].names.gameKey = u"ninth";
    } else {
      rows[i] = glimmerhut::kMenuList[from++];
    }
    rows[i].names.menuIndex = i;
  }
  return rows;
}

nuv::microedition::midlet::DMIDletPtr makeGameLibWithANinthGame() {
  static const auto rows = rowsWithANinthGame();
  return new GameLib(rows);
}

TEST_F(StartTest, TheSoundAnswerBecomesTheLevelsOfEveryGameOfTheRows) {
  withGameDat();
  CGameEngine::setMIDletFactory(makeGameLibWithANinthGame);
  // The language, then "yes" to sound; the run ends before the main menu.
  run("1500 key down Enter\n1520 key up Enter\n"
      "2400 key down Up\n2420 key up Up\n2500 key down Enter\n2520 key up Enter\n"
      "3000 close\n",
      240, 320);
  nuv::microedition::rms::DRecordStore::setAppNameSource([] { return nuv::lang::DStringPtr(u"glimmerhut"); });
  int32_t games = 0;
  for (const gamelib::MenuListEntry& row : rowsWithANinthGame()) {
    if (row.names.kind != gamelib::MenuRowKind::Game) continue;
    ++games;
    const nuv::lang::DStringPtr key = row.names.gameKey;
    EXPECT_EQ(gamelib::GameMenu::loadOption(key + u"sfx_level", -1), 1) << gltest::narrow(key);
    EXPECT_EQ(gamelib::GameMenu::loadOption(key + u"music_level", -1), 1) << gltest::narrow(key);
  }
  nuv::microedition::rms::DRecordStore::setAppNameSource(nullptr);
  EXPECT_EQ(games, gamelib::countGames(glimmerhut::kMenuList) + 1);
}

}  // namespace
