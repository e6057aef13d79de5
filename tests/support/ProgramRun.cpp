#include "support/ProgramRun.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace test {

ProgramResult runProgram(const std::string& program, const std::string& folder, const std::string& script,
                         const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
                         int timeLimitSeconds) {
  ProgramResult result;
  std::ofstream(folder + "/script.txt") << script;
  std::string errorsFile = folder + "/stderr.txt";

  // The caller's entries first: the first of two equal names is the one a program sees.
  std::vector<std::string> env = environment;
  for (const char* entry : {"GLIMMERHUT_HEADLESS=1"}) env.push_back(entry);
  env.push_back("GLIMMERHUT_DATA=" + folder);
  env.push_back("GLIMMERHUT_SCRIPT=" + folder + "/script.txt");
  // Saved settings and scores go to the folder too, never to the user's own.
  env.push_back("XDG_DATA_HOME=" + folder);
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry = *e;
    if (entry.rfind("GLIMMERHUT_", 0) != 0 && entry.rfind("XDG_DATA_HOME=", 0) != 0) env.push_back(entry);
  }
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  std::vector<std::string> args{program};
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorsFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return result;

  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeLimitSeconds);
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, WNOHANG, &usage) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      wait4(pid, &status, 0, &usage);
      status = -1;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (status != -1 && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  result.peakKiB = usage.ru_maxrss;
  std::ifstream errors(errorsFile);
  std::stringstream text;
  text << errors.rdbuf();
  result.errors = text.str();
  return result;
}

void askToEnd(int processId) { kill(processId, SIGTERM); }

}  // namespace test
