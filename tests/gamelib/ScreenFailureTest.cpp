// A screen whose step or paint fails, on the real game.dat: a game ends into the main menu with the reason on
// stderr, a question of the start ends the start, and a main menu that cannot be made ends the program in
// order; the frame call itself never throws.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/io/D7zipInputStream.h"
#include "gamelib/LangMenu.h"
#include "gamelib/MainMenu.h"
#include "gamelib/MenuFixture.h"
#include "platform/seam/clock.h"
#include "support/Archives.h"

namespace {

using gamelib::GameLib;
namespace ExceptionCode = nuv::lang::ExceptionCode;

[[noreturn]] void damage() {
  throw new nuv::lang::DExceptionBase(ExceptionCode::IOException, u"game.dat: data/x.bin: cut short");
}

class FailingGame : public gamelib::GameInterface {
 public:
  const char* getClassName() const override { return "FailingGame"; }
  void update() override {
    if (failUpdate) failUpdate();
  }
  void paint() override {
    if (failPaint) failPaint();
  }
  void leave() override { ++leaves; }

  std::function<void()> failUpdate;
  std::function<void()> failPaint;
  int leaves = 0;
};

class FailingQuestion : public langmenu::LangMenu {
 public:
  void update() override { damage(); }
};

class ScreenFailureTest : public gltest::MenuFixture {
 protected:
  // One frame call whose step is due; its stderr.
  std::string frame() {
    GameLib::lastStepTime = 10000;
    platform::setManualClock(10030);
    testing::internal::CaptureStderr();
    app->tick();
    return testing::internal::GetCapturedStderr();
  }
};

TEST_F(ScreenFailureTest, AGameThatFailsInItsStepOrPaintEndsIntoTheMainMenu) {
  struct Case {
    const char* what;
    bool inPaint;
    std::function<void()> fail;
    const char* said;
  } cases[] = {
      {"damage in the step", false, damage, "FailingGame ended: IOException game.dat: data/x.bin: cut short"},
      {"damage in the paint", true, damage, "FailingGame ended: IOException game.dat: data/x.bin: cut short"},
      {"a null pointer", false, [] { nuv::lang::throwNullPointerException(); }, "FailingGame ended: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    nuv::lang::DPtr<FailingGame> game = new FailingGame();
    (c.inPaint ? game->failPaint : game->failUpdate) = c.fail;
    GameLib::currentScreen = game;
    const std::string errors = frame();
    EXPECT_NE(errors.find(std::string("GlimmerHut: ") + c.said), std::string::npos) << errors;
    EXPECT_EQ(game->leaves, 1);
    EXPECT_NE(dynamic_cast<gamelib::MainMenu*>(GameLib::currentScreen.get()), nullptr);
    EXPECT_EQ(app->running, 1);
  }
}

TEST_F(ScreenFailureTest, AFailedQuestionOfTheStartEndsTheStart) {
  GameLib::currentScreen = new FailingQuestion();
  const std::string errors = frame();
  EXPECT_NE(errors.find("GlimmerHut: the start failed while answering the start's questions: IOException game.dat: "
                        "data/x.bin: cut short"),
            std::string::npos)
      << errors;
  EXPECT_EQ(app->running, 0);
  EXPECT_TRUE(GameLib::currentScreen.isNull());
}

TEST_F(ScreenFailureTest, ADamagedMainMenuEndsTheProgramInOrder) {
  nuv::io::D7zipInputStream::closeArchive();
  test::writeWithDamagedEntry(folder.file("game.dat"), test::readStoredEntries(GH_GAME_DAT),
                              u"graphics/240x320/menu/icons.png");
  nuv::io::D7zipInputStream::openArchive(u"game.dat", u"");
  nuv::lang::DPtr<FailingGame> game = new FailingGame();
  game->failUpdate = damage;
  GameLib::currentScreen = game;
  const std::string errors = frame();
  EXPECT_NE(errors.find("GlimmerHut: the main menu could not be shown: IOException game.dat: "
                        "graphics/240x320/menu/icons.png: "),
            std::string::npos)
      << errors;
  EXPECT_EQ(app->running, 0);
  EXPECT_TRUE(GameLib::currentScreen.isNull());
}

}  // namespace
