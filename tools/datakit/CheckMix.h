// The checker's test of a game's sound as the player hears it at the highest levels: its play tunes with
// its loudest effects started together at the tunes' loudest place, mixed by the program's own mixer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "GameTable.h"
#include "Png.h"

namespace datakit {

// So many copies of one effect may start together (three shots, three hits) and must not clip.
constexpr int kStackedCopies = 3;
// So many of a game's loudest effects may start on one frame (a shot, a hit, a burst, a bonus).
constexpr int kLoudestTogether = 4;

struct MixSound {
  std::string name;  // the archive entry
  Bytes file;
};

struct GameSounds {
  std::vector<MixSound> tunes;  // the tunes that play under the play
  std::vector<MixSound> effects;
};

// A game's sounds in a staged tree: its modules but the menu's are its play tunes (the tanks game starts its
// stage tune over its play tune); its WAVE files are its effects.
GameSounds playSoundsOf(const GameRow& game, const std::filesystem::path& tree);

// One stack of effects over the tunes and how loud the mix gets; levels in dBFS.
struct MixCase {
  std::string what;                  // e.g. "3 copies of its loudest effect"
  std::vector<std::string> effects;  // the effects started, loudest first
  double tune = 0;                   // the tunes at their loudest place
  int side = 0;                      // where the tunes' loudest place lies: the left (0) or the right (1)
  int sign = 1;                      // and in which direction, above zero (1) or below (-1)
  double effectsThere = 0;           // the effects alone at their loudest on that side in that direction
  double together = 0;               // both added where they meet, before the mixer's clamp
  double mixPeak = 0;                // the mix's own peak from the effects' start to their end
  bool fullScale = false;            // the mix reaches full scale there
};

// The tunes start together (as a game starts its play music) and loop; the effects are mixed alone first
// to find the loudest. The cases: kStackedCopies of the loudest effect, and the kLoudestTogether loudest
// effects, each started so that its own loudest sample meets the tunes' loudest, on each side and in each
// direction; a case is the loudest of those four mixes. Sounds the mixer does not load are left out (the
// file's own check reports them). No tune or no effect: no case.
std::vector<MixCase> mixGameSounds(const std::vector<MixSound>& tunes, const std::vector<MixSound>& effects);

// The tunes played together once through by the program's mixer at the highest music level: interleaved
// 16-bit stereo at mixRate() frames a second, as the player hears them.
std::vector<std::int16_t> playTunesOnce(const std::vector<MixSound>& tunes);
int mixRate();

// The fault of a case that reaches full scale, naming its tunes and telling the levels.
std::string describeClip(const MixCase& c, const std::vector<MixSound>& tunes);

}  // namespace datakit
