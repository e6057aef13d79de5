// What the program costs while a player looks at it: its own share of one core over 10 s idle in the main
// menu and over 10 s of brick-game play, on the real clock, headless and with a window on SDL's offscreen
// video driver, and the time between its 30 ms steps; and how long the start takes to reach the main
// menu with its waits stepped over, and its share spent in the archive. Every run is a fresh process:
// this benchmark started again as the program, with the game library's steps noted as they run.
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
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/GameList.h"
#include "core/io/D7zipInputStream.h"
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
constexpr double kStepMs = gamelib::GameLib::kStepMs;
constexpr double kStepToleranceMs = 2;

// The game library, noting the program's clock, the steady clock and the time spent in the archive so far
// as each step begins.
class TimedGameLib : public gamelib::GameLib {
 public:
  TimedGameLib() : GameLib(glimmerhut::kMenuList) {}
  // A step starts when the frame call that runs it does.
  void tick() override {
    const int64_t before = lastStepTime;
    const uint64_t tick = platform::tickCount64();
    const auto started = SteadyClock::now().time_since_epoch();
    const nuv::io::D7zipInputStream::TimeSpent archive = nuv::io::D7zipInputStream::timeSpent();
    GameLib::tick();
    if (lastStepTime != before)
      steps.push_back({tick, std::chrono::duration_cast<std::chrono::microseconds>(started).count(), archive});
  }
  struct Step {
    uint64_t tick;
    int64_t steadyMicroseconds;
    nuv::io::D7zipInputStream::TimeSpent archive;
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
    for (const TimedGameLib::Step& s : TimedGameLib::steps) {
      out << s.tick << ' ' << s.steadyMicroseconds << ' ' << s.archive.archiveNanoseconds << ' '
          << s.archive.decodingNanoseconds << '\n';
    }
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

// A data folder of its own with a game.dat (the built one unless named) and the script, and the
// environment that points the program at it and at its step log.
class ProgramRun {
 public:
  ProgramRun(const std::string& script, bool offscreen, const fs::path& gameDat = GH_GAME_DAT,
             const std::string& name = "loop")
      : folder(fs::temp_directory_path() / ("glimmerhut-" + name + "-" + std::to_string(getpid()))) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(gameDat, folder / "game.dat");
    std::ofstream(folder / "script.txt") << script;
    env = {"GLIMMERHUT_DATA=" + folder.string(), "XDG_DATA_HOME=" + folder.string(),
           "GLIMMERHUT_SCRIPT=" + (folder / "script.txt").string(), std::string(kStepLogVariable) + "=" + stepLog()};
    env.push_back(offscreen ? "SDL_VIDEODRIVER=offscreen" : "GLIMMERHUT_HEADLESS=1");
    for (char** e = environ; *e != nullptr; ++e) {
      std::string entry = *e;
      if (entry.rfind("GLIMMERHUT_", 0) != 0 && entry.rfind("XDG_DATA_HOME=", 0) != 0 &&
          entry.rfind("SDL_VIDEODRIVER=", 0) != 0)
        env.push_back(entry);
    }
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
  }
  ~ProgramRun() { fs::remove_all(folder); }
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  std::string stepLog() const { return (folder / "steps.txt").string(); }

  // Starts `program` (this benchmark, or another build of it) as the program; 0 when it did not start.
  pid_t spawn(std::string program) {
    std::string mode = kProgramMode;
    char* argv[] = {program.data(), mode.data(), nullptr};
    pid_t pid = 0;
    return posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) == 0 ? pid : 0;
  }

  const fs::path folder;

 private:
  std::vector<std::string> env;
  std::vector<char*> envp;
};

// Runs the program on the script, measures it over the window and reports the figures.
void measureRun(benchmark::State& state, const std::string& script, int windowFrom, int windowTo, bool offscreen) {
  ProgramRun run(script, offscreen);
  const std::string stepLog = run.stepLog();
  const std::string self = fs::read_symlink("/proc/self/exe").string();

  for (auto _ : state) {
    const double load = loadAverage();
    const auto started = SteadyClock::now();
    const pid_t pid = run.spawn(self);
    if (pid == 0) {
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
}

void IdleInMainMenu(benchmark::State& state) { measureRun(state, idleScript(), 10000, 20000, state.range(0) != 0); }
BENCHMARK(IdleInMainMenu)->ArgName("offscreen")->Arg(0)->Arg(1)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

void BrickGamePlay(benchmark::State& state) { measureRun(state, playScript(), 17000, 27000, state.range(0) != 0); }
BENCHMARK(BrickGamePlay)->ArgName("offscreen")->Arg(0)->Arg(1)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

// The start on the script's clock, its waits stepped over: the language and the sound question answered at
// the menus' first steps, and the main menu from the first step after the loading logo's wait.
constexpr const char* kStartScript =
    "1031 key down Enter\n1061 key up Enter\n"
    "1091 key down Enter\n1121 key up Enter\n"
    "3000 close\n";
constexpr uint64_t kLoadingWaitTicks = 1000;
constexpr int kStartRounds = 15;
// The one wait of the start on the real clock, which the script's clock cannot step over: the sound
// device's settling pause as it opens. It is taken off every build's time alike, so a build that measures
// nothing of its own waits compares fairly.
constexpr double kRealClockWaitMs = 100;
// An older build of this benchmark to start beside this one, round by round, on the game.dat of its own
// build: the figures before a change.
constexpr const char* kBeforeVariable = "GLIMMERHUT_BENCH_BEFORE";

struct StartFigures {
  double ms = 0;  // from the spawn to the main menu's first step, as the clock on the wall saw it
  double archiveMs = 0;
  double decodingMs = 0;
  double steppedMs() const { return ms - kRealClockWaitMs; }
};

// The game.dat a build of this benchmark was made with: the one in its build folder, else this build's.
fs::path gameDatOf(const fs::path& bench) {
  std::error_code error;
  const fs::path beside = bench.parent_path().parent_path() / "game.dat";
  return fs::exists(beside, error) ? beside : fs::path(GH_GAME_DAT);
}

// The first step after the loading logo's wait; an older build notes only the tick and the time.
bool readStart(const std::string& stepLog, int64_t spawnedMicroseconds, StartFigures& out) {
  std::ifstream in(stepLog);
  std::string line;
  uint64_t lastTick = 0;
  for (bool first = true; std::getline(in, line); first = false) {
    std::istringstream fields(line);
    uint64_t tick = 0, archiveNs = 0, decodingNs = 0;
    int64_t steadyMicroseconds = 0;
    if (!(fields >> tick >> steadyMicroseconds)) return false;
    fields >> archiveNs >> decodingNs;
    if (!first && tick - lastTick >= kLoadingWaitTicks) {
      out.ms = static_cast<double>(steadyMicroseconds - spawnedMicroseconds) / 1000.0;
      out.archiveMs = static_cast<double>(archiveNs) / 1e6;
      out.decodingMs = static_cast<double>(decodingNs) / 1e6;
      return true;
    }
    lastTick = tick;
  }
  return false;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// From the spawn to the main menu's first step (its frame is painted in it), in rounds of fresh processes;
// with an older build named, it starts beside this one in every round.
void StartToMainMenu(benchmark::State& state) {
  const bool offscreen = state.range(0) != 0;
  std::vector<std::string> programs = {fs::read_symlink("/proc/self/exe").string()};
  if (const char* before = std::getenv(kBeforeVariable)) programs.push_back(before);
  std::vector<std::unique_ptr<ProgramRun>> runs;
  for (size_t p = 0; p < programs.size(); ++p)
    runs.push_back(
        std::make_unique<ProgramRun>(kStartScript, offscreen, gameDatOf(programs[p]), "start" + std::to_string(p)));
  for (auto _ : state) {
    const double loadBefore = loadAverage();
    std::vector<std::vector<StartFigures>> figures(programs.size());
    for (int round = 0; round < kStartRounds; ++round) {
      for (size_t p = 0; p < programs.size(); ++p) {
        ProgramRun& run = *runs[p];
        fs::remove(run.stepLog());
        const auto spawned =
            std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now().time_since_epoch());
        const pid_t pid = run.spawn(programs[p]);
        int status = 0;
        if (pid == 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
          state.SkipWithError("the program did not start or end in order");
          return;
        }
        StartFigures f;
        if (!readStart(run.stepLog(), spawned.count(), f)) {
          state.SkipWithError("the main menu did not show");
          return;
        }
        figures[p].push_back(f);
      }
    }
    // Medians over the rounds; the shares run by run, each from one process.
    auto medianOf = [&](size_t p, auto figure) {
      std::vector<double> v;
      for (const StartFigures& f : figures[p]) v.push_back(figure(f));
      return median(v);
    };
    const double ms = medianOf(0, [](const StartFigures& f) { return f.steppedMs(); });
    const double rawMs = medianOf(0, [](const StartFigures& f) { return f.ms; });
    state.counters["start_ms"] = ms;
    state.counters["start_raw_ms"] = rawMs;
    state.counters["archive_ms"] = medianOf(0, [](const StartFigures& f) { return f.archiveMs; });
    state.counters["decoding_ms"] = medianOf(0, [](const StartFigures& f) { return f.decodingMs; });
    state.counters["archive_pct"] =
        medianOf(0, [](const StartFigures& f) { return 100.0 * f.archiveMs / f.steppedMs(); });
    state.counters["archive_vs_decoding"] =
        medianOf(0, [](const StartFigures& f) { return f.decodingMs > 0 ? f.archiveMs / f.decodingMs : 0; });
    if (programs.size() > 1) {
      const double before = medianOf(1, [](const StartFigures& f) { return f.steppedMs(); });
      const double beforeRaw = medianOf(1, [](const StartFigures& f) { return f.ms; });
      state.counters["before_ms"] = before;
      state.counters["before_raw_ms"] = beforeRaw;
      state.counters["start_vs_before"] = ms / before;
      state.counters["start_vs_before_raw"] = rawMs / beforeRaw;
    }
    state.counters["load1"] = (loadBefore + loadAverage()) / 2;
  }
}
BENCHMARK(StartToMainMenu)
    ->ArgName("offscreen")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kProgramMode) == 0) return runAsProgram(argv[0]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
