// Plays a sound effect and a piece of music from game.dat through the desktop's audio device for a few
// seconds, the way the games do: media players over the mixer and its output thread.
//
//   glimmerhut-sound-demo [ARCHIVE] [--effect ENTRY] [--music ENTRY] [--seconds N]
//
// Ends with 0 when the effect played to its end each time and the music moved on (or ended), 1 when a
// player did not, 2 for bad arguments or unreadable data, 3 without any audio output.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "core/io/D7zipInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "platform/api/waveout.h"
#include "platform/host/paths.h"
#include "platform/host/text.h"
#include "sound/DManager.h"
#include "sound/DPlayer.h"

namespace {

using nuv::io::D7zipInputStream;
using nuv::lang::DExceptionBase;
using nuv::lang::DString;
using nuv::lang::DStringPtr;
using nuv::microedition::media::DManager;
using nuv::microedition::media::DPlayer;
using nuv::microedition::media::DPlayerPtr;
using Clock = std::chrono::steady_clock;

constexpr int kMaxSeconds = 600;
// Well past any effect of the games; an effect still playing then never ends.
constexpr auto kEffectLimit = std::chrono::seconds(10);
constexpr auto kPoll = std::chrono::milliseconds(10);

struct Options {
  std::string archive;
  std::string effect = "data/bnc/sound/HitBrick.wav";
  std::string music = "data/bnc/sound/menu.mod";
  int seconds = 4;
};

void usage() {
  std::fprintf(stderr, "usage: glimmerhut-sound-demo [ARCHIVE] [--effect ENTRY] [--music ENTRY] [--seconds N]\n");
}

bool parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    bool hasValue = i + 1 < argc;
    if (a == "--effect" && hasValue) {
      o.effect = argv[++i];
    } else if (a == "--music" && hasValue) {
      o.music = argv[++i];
    } else if (a == "--seconds" && hasValue) {
      char* end = nullptr;
      long n = std::strtol(argv[++i], &end, 10);
      if (*end != 0 || n < 1 || n > kMaxSeconds) return false;
      o.seconds = static_cast<int>(n);
    } else if (!a.empty() && a[0] != '-' && o.archive.empty()) {
      o.archive = a;
    } else {
      return false;
    }
  }
  // Without a name: game.dat beside this program, as the program itself finds it.
  if (o.archive.empty()) o.archive = platform::programFolder() + "/game.dat";
  return true;
}

// Opens the archive through the resource layer, which looks in the program's folder.
bool openArchive(const std::string& path) {
  size_t slash = path.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  char* absolute = realpath(folder.c_str(), nullptr);
  if (absolute == nullptr) return false;
  platform::setProgramFile(std::string(absolute) + "/glimmerhut-sound-demo");
  std::free(absolute);
  try {
    D7zipInputStream::openArchive(new DString(platform::fromUtf8(name)), DStringPtr(u""));
  } catch (DExceptionBase* e) {
    auto handled = nuv::lang::catchException(e, nuv::lang::ExceptionCode::Exception);
    return false;
  }
  return true;
}

// A prefetched player for an archive entry, or null with the reason on stderr.
DPlayerPtr loadPlayer(const std::string& entry, const char16_t* type) {
  try {
    DPlayerPtr player = DManager::createPlayer(D7zipInputStream::open(new DString(platform::fromUtf8(entry))), type);
    player->prefetch();
    return player;
  } catch (DExceptionBase* e) {
    auto handled = nuv::lang::catchException(e, nuv::lang::ExceptionCode::Exception);
    // The reason, when the loader gave one.
    const std::string why = platform::toUtf8(handled->message());
    std::fprintf(stderr, "cannot play %s: %s%s%s\n", entry.c_str(),
                 platform::toUtf8(nuv::lang::getExceptionName(handled->code())).c_str(), why.empty() ? "" : " ",
                 why.c_str());
    return nullptr;
  }
}

// Starts the effect and waits for it to end by itself; false when it does not start or never ends.
bool playEffectToItsEnd(DPlayer& effect) {
  if (effect.start().isNull()) return false;
  auto deadline = Clock::now() + kEffectLimit;
  while (effect.isPlaying() == 1) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(kPoll);
  }
  return effect.getState() == DPlayer::PREFETCHED;
}

int run(const Options& o) {
  if (!openArchive(o.archive)) {
    std::fprintf(stderr, "cannot open the archive %s\n", o.archive.c_str());
    return 2;
  }
  DManager::initSound();
  if (!DManager::isSoundStarted()) {
    std::fprintf(stderr, "no audio output would open\n");
    return 3;
  }
  std::printf("audio output: %s\n", platform::lastAudioDriver().c_str());
  DPlayerPtr effect = loadPlayer(o.effect, u"audio/x-wav");
  DPlayerPtr music = loadPlayer(o.music, u"audio/mod");
  if (effect.isNull() || music.isNull()) return 2;

  int failures = 0;
  if (music->start().isNull()) {
    std::fprintf(stderr, "music %s: no free channel\n", o.music.c_str());
    return 1;
  }
  int64_t firstPosition = music->getMediaTime();
  int64_t lastPosition = firstPosition;
  bool moved = false;
  bool ended = false;
  int played = 0;
  // The effect once a second over the music, each time to its end.
  auto end = Clock::now() + std::chrono::seconds(o.seconds);
  for (int second = 0; second < o.seconds; ++second) {
    auto next = Clock::now() + std::chrono::seconds(1);
    if (playEffectToItsEnd(*effect)) {
      ++played;
    } else {
      std::fprintf(stderr, "effect %s: did not play to its end\n", o.effect.c_str());
      ++failures;
    }
    while (Clock::now() < next && Clock::now() < end) {
      if (music->isPlaying() == 1) {
        lastPosition = music->getMediaTime();
        moved = moved || lastPosition != firstPosition;
      } else {
        ended = true;
      }
      std::this_thread::sleep_for(kPoll);
    }
  }
  std::printf("effect %s: played %d time%s, each to its end\n", o.effect.c_str(), played, played == 1 ? "" : "s");

  if (ended) {
    std::printf("music %s: played to its end\n", o.music.c_str());
  } else if (!moved) {
    std::fprintf(stderr, "music %s: still at position %lld after %d s\n", o.music.c_str(),
                 static_cast<long long>(lastPosition), o.seconds);
    ++failures;
  } else {
    music->stop();
    if (music->getState() != DPlayer::PREFETCHED) {
      std::fprintf(stderr, "music %s: did not stop\n", o.music.c_str());
      ++failures;
    }
    std::printf("music %s: at position %lld after %d s, stopped\n", o.music.c_str(),
                static_cast<long long>(lastPosition), o.seconds);
  }
  effect->close();
  music->close();
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parse(argc, argv, options)) {
    usage();
    return 2;
  }
  int result = run(options);
  // Channels are silenced before the players that own their samples go.
  DManager::doneSound();
  D7zipInputStream::closeArchive();
  return result;
}
