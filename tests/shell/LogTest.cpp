// The display layer's log: a log that cannot be opened or written is lost, said once a run, and never waited on.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/host/datafolder.h"
#include "shell/hal/Log.h"
#include "support/TempFolder.h"

namespace {

TEST(LogTest, ALostLogIsSaidOnceAndTheRunGoesOn) {
  struct Case {
    const char* what;
    std::function<std::string(const test::TempFolder&)> make;  // the log folder
    std::string said;                                          // "{}" stands for the log's path
  };
  const Case cases[] = {
      {"a FIFO where the log goes",
       [](const test::TempFolder& f) {
         mkfifo(f.file("Log_SHAL.txt").c_str(), 0644);
         return f.path();
       },
       "GlimmerHut: the log {} is not a file; its lines are lost\n"},
      {"a folder where the log goes",
       [](const test::TempFolder& f) {
         std::filesystem::create_directory(f.file("Log_SHAL.txt"));
         return f.path();
       },
       "GlimmerHut: the log {} is not a file; its lines are lost\n"},
      {"a file where the log folder goes",
       [](const test::TempFolder& f) {
         std::ofstream(f.file("blocked")) << "x";
         return f.file("blocked/logs");
       },
       "GlimmerHut: the log {} cannot be made: its folder is missing; its lines are lost\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder folder;
    const std::string logFolder = c.make(folder);
    platform::setLogFolder(logFolder);
    ScreenHAL::restartLog();
    testing::internal::CaptureStderr();
    ScreenHAL::log("first %d", 1);
    ScreenHAL::log("second");
    const std::string said = testing::internal::GetCapturedStderr();
    std::string wanted = c.said;
    wanted.replace(wanted.find("{}"), 2, logFolder + "/Log_SHAL.txt");
    EXPECT_EQ(said, wanted);
  }
  platform::setLogFolder("");
}

// A write that fails (the disk full, or here the largest file the process may write) loses the line, and says
// so once. What is said goes through a pipe, which the limit does not reach.
TEST(LogTest, AFailedWriteIsSaidOnce) {
  test::TempFolder folder;
  platform::setLogFolder(folder.path());
  ScreenHAL::restartLog();
  ScreenHAL::log("a line that fits");
  int said[2];
  ASSERT_EQ(pipe(said), 0);
  std::fflush(stderr);
  const int keptStderr = dup(STDERR_FILENO);
  dup2(said[1], STDERR_FILENO);
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = before;
  small.rlim_cur = 20;
  setrlimit(RLIMIT_FSIZE, &small);
  ScreenHAL::log("a line past the limit");
  ScreenHAL::log("another line past the limit");
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, previous);
  std::fflush(stderr);
  dup2(keptStderr, STDERR_FILENO);
  close(keptStderr);
  close(said[1]);
  std::string text;
  char buffer[256];
  for (ssize_t n; (n = read(said[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
  close(said[0]);
  EXPECT_EQ(text, "GlimmerHut: the log " + folder.file("Log_SHAL.txt") + " cannot be written; its lines are lost\n");
  platform::setLogFolder("");
}

}  // namespace
