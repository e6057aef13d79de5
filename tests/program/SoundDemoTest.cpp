// The sound demo on the null audio device: the real players, mixer and output thread over game.dat.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct DemoRun {
  int exitCode = -1;
  std::string output;  // stdout and stderr together
};

DemoRun runDemo(const std::string& arguments) {
  std::string command = std::string("GLIMMERHUT_AUDIO=null '") + GH_SOUND_DEMO + "' " + arguments + " 2>&1";
  DemoRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.output += buffer;
  int status = pclose(pipe);
  if (status != -1 && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  return run;
}

const std::string kArchive = std::string("'") + GH_GAME_DAT + "'";

TEST(SoundDemoTest, PlaysTheEffectToItsEndEachSecondWhileTheMusicMovesOn) {
  DemoRun run = runDemo(kArchive + " --seconds 2");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("audio output: null"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("effect data/bnc/sound/HitBrick.wav: played 2 times, each to its end"), std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("music data/bnc/sound/menu.mod: at position"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("after 2 s, stopped"), std::string::npos) << run.output;
}

TEST(SoundDemoTest, RefusesWhatItCannotPlayWithTheReason) {
  struct Case {
    std::string arguments;
    int exitCode;
    std::string says;
  } cases[] = {
      {"/nowhere/game.dat", 2, "cannot open the archive /nowhere/game.dat"},
      {kArchive + " --effect data/none.wav", 2, "cannot play data/none.wav: IOException"},
      {kArchive + " --music data/bnc/sound/HitBrick.wav", 2, "cannot play data/bnc/sound/HitBrick.wav: MediaException"},
      {kArchive + " --seconds 0", 2, "usage:"},
      {kArchive + " --volume 3", 2, "usage:"},
  };
  for (const Case& c : cases) {
    DemoRun run = runDemo(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.output;
    EXPECT_NE(run.output.find(c.says), std::string::npos) << c.arguments << "\n" << run.output;
  }
}

}  // namespace
