// What the program costs while a player looks at it: its own share of one core over 10 s idle in the main
// menu and over 10 s of brick-game play, on the real clock, headless and with a window on SDL's offscreen
// video driver, and the time between its 30 ms steps. Every run is a fresh process: this benchmark started
// again as the program, with the game library's steps noted as they run.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "gamelib/GameLib.h"
#include "platform/api/program.h"
#include "platform/seam/clock.h"
#include "shell/CGameEngine.h"
#include "shell/WinMain.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;

constexpr const char* kProgramMode = "--as-program";
constexpr const char* kStepLogVariable = "GLIMMERHUT_BENCH_STEPS";
constexpr double kStepMs = 30;
constexpr double kStepToleranceMs = 2;

// The game library, noting the program's clock and the steady clock as each step begins.
class TimedGameLib : public gamelib::GameLib {
 public:
  // A step starts when the frame call that runs it does.
  void tick() override {
    const int64_t before = lastStepTime;
    const uint64_t tick = platform::tickCount64();
    const auto started = SteadyClock::now().time_since_epoch();
    GameLib::tick();
    if (lastStepTime != before)
      steps.push_back({tick, std::chrono::duration_cast<std::chrono::microseconds>(started).count()});
  }
  struct Step {
    uint64_t tick;
    int64_t steadyMicroseconds;
  };
  static inline std::vector<Step> steps;
};

nuv::microedition::midlet::DMIDletPtr makeTimedGameLib() { return new TimedGameLib(); }

// The program, as its own entry runs it; the steps go to the file the environment names.
int runAsProgram(char* self) {
  std::u16string commandLine;
  char* argv[] = {self, nullptr};
  if (!platform::startProgram(1, argv, commandLine)) return 2;
  CGameEngine::setMIDletFactory(makeTimedGameLib);
  WinMain(nullptr, nullptr, commandLine.data(), SW_SHOWNORMAL);
  if (const char* log = std::getenv(kStepLogVariable)) {
    std::ofstream out(log);
    for (const TimedGameLib::Step& s : TimedGameLib::steps) out << s.tick << ' ' << s.steadyMicroseconds << '\n';
  }
  return 0;
}

// Nanoseconds every thread of the process has run so far.
uint64_t cpuNanoseconds(pid_t pid) {
  uint64_t total = 0;
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  std::error_code error;
  for (const fs::directory_entry& task : fs::directory_iterator(tasks, error)) {
    std::ifstream stat(task.path() / "schedstat");
    uint64_t onCpu = 0;
    if (stat >> onCpu) total += onCpu;
  }
  return total;
}

double loadAverage() {
  std::ifstream in("/proc/loadavg");
  double load = 0;
  in >> load;
  return load;
}

struct Scenario {
  const char* script;  // on the real clock
  int windowFrom;      // the measured 10 s, in ms of the program's clock
  int windowTo;
};

// Sound on; the main menu shows from about 4 s and takes keys once its icons have come in, by about 9 s.
constexpr const char* kToTheMainMenu =
    "realtime\n"
    "1700 key down Enter\n1720 key up Enter\n"  // the first language
    "2000 key down Up\n2020 key up Up\n"
    "2300 key down Enter\n2320 key up Enter\n";  // sound on

std::string idleScript() { return std::string(kToTheMainMenu) + "21000 close\n"; }

// Into the brick game (the first icon), its menu from about 12 s, and its first round from about 16 s; the
// paddle moves and every ball that comes back is launched again.
std::string playScript() {
  std::string s = kToTheMainMenu;
  s += "9500 key down Enter\n9520 key up Enter\n"
       "14000 key down Enter\n14050 key up Enter\n";
  for (int t = 16000; t < 28000; t += 1000) {
    s += std::to_string(t + 100) + " key down Up\n" + std::to_string(t + 150) + " key up Up\n";
    const char* side = (t / 1000) % 2 == 0 ? "Left" : "Right";
    s += std::to_string(t + 300) + " key down " + side + "\n" + std::to_string(t + 700) + " key up " + side + "\n";
  }
  return s + "28500 close\n";
}

// Runs the program on the script, measures it over the window and reports the figures.
void measureRun(benchmark::State& state, const std::string& script, int windowFrom, int windowTo, bool offscreen) {
  const fs::path folder = fs::temp_directory_path() / ("glimmerhut-loop-" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::copy_file(GH_GAME_DAT, folder / "game.dat");
  std::ofstream(folder / "script.txt") << script;
  const std::string stepLog = (folder / "steps.txt").string();

  std::vector<std::string> env = {"GLIMMERHUT_DATA=" + folder.string(), "XDG_DATA_HOME=" + folder.string(),
                                  "GLIMMERHUT_SCRIPT=" + (folder / "script.txt").string(),
                                  std::string(kStepLogVariable) + "=" + stepLog};
  env.push_back(offscreen ? "SDL_VIDEODRIVER=offscreen" : "GLIMMERHUT_HEADLESS=1");
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry = *e;
    if (entry.rfind("GLIMMERHUT_", 0) != 0 && entry.rfind("XDG_DATA_HOME=", 0) != 0 &&
        entry.rfind("SDL_VIDEODRIVER=", 0) != 0)
      env.push_back(entry);
  }
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string self = fs::read_symlink("/proc/self/exe").string();
  std::string mode = kProgramMode;
  char* argv[] = {self.data(), mode.data(), nullptr};

  for (auto _ : state) {
    const double load = loadAverage();
    const auto started = SteadyClock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
      state.SkipWithError("the program did not start");
      break;
    }
    std::this_thread::sleep_until(started + std::chrono::milliseconds(windowFrom));
    const uint64_t cpuBefore = cpuNanoseconds(pid);
    const auto from = SteadyClock::now();
    std::this_thread::sleep_until(started + std::chrono::milliseconds(windowTo));
    const uint64_t cpuAfter = cpuNanoseconds(pid);
    const auto to = SteadyClock::now();
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the program did not end in order");
      break;
    }
    const double seconds = std::chrono::duration<double>(to - from).count();
    state.counters["core_pct"] = 100.0 * static_cast<double>(cpuAfter - cpuBefore) / 1e9 / seconds;
    state.counters["load1"] = load;

    // The steps the window saw, by the program's own clock.
    std::ifstream in(stepLog);
    std::vector<double> times;
    uint64_t tick = 0;
    int64_t steadyMicroseconds = 0;
    while (in >> tick >> steadyMicroseconds) {
      if (tick >= static_cast<uint64_t>(windowFrom) && tick < static_cast<uint64_t>(windowTo))
        times.push_back(static_cast<double>(steadyMicroseconds) / 1000.0);
    }
    std::vector<double> gaps;
    for (size_t i = 1; i < times.size(); ++i) gaps.push_back(times[i] - times[i - 1]);
    if (gaps.empty()) {
      state.SkipWithError("no steps in the window");
      break;
    }
    double sum = 0, worst = 0;
    int within = 0;
    for (double g : gaps) {
      sum += g;
      worst = std::max(worst, std::abs(g - kStepMs));
      within += std::abs(g - kStepMs) <= kStepToleranceMs ? 1 : 0;
    }
    std::sort(gaps.begin(), gaps.end());
    auto deviationAt = [&](double share) {
      const double g = gaps[std::min(gaps.size() - 1, static_cast<size_t>(share * static_cast<double>(gaps.size())))];
      return g - kStepMs;
    };
    state.counters["steps"] = static_cast<double>(times.size());
    state.counters["step_ms_mean"] = sum / static_cast<double>(gaps.size());
    state.counters["step_dev_ms_p99"] = deviationAt(0.99);
    state.counters["step_dev_ms_worst"] = worst;
    state.counters["steps_within_2ms_pct"] = 100.0 * within / static_cast<double>(gaps.size());
  }
  fs::remove_all(folder);
}

void IdleInMainMenu(benchmark::State& state) { measureRun(state, idleScript(), 10000, 20000, state.range(0) != 0); }
BENCHMARK(IdleInMainMenu)->ArgName("offscreen")->Arg(0)->Arg(1)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

void BrickGamePlay(benchmark::State& state) { measureRun(state, playScript(), 17000, 27000, state.range(0) != 0); }
BENCHMARK(BrickGamePlay)->ArgName("offscreen")->Arg(0)->Arg(1)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kProgramMode) == 0) return runAsProgram(argv[0]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
