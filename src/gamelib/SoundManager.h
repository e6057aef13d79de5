// The sound service of every screen: a list of sounds loaded by name and played by index, and the effect
// and music levels 0 to 3 over the mixer's master volumes.
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "sound/DPlayer.h"
#include "sound/DPlayerArray.h"

namespace gamelib {

class SoundManager {
 public:
  SoundManager() = delete;

  // The effect and music levels, and the options a game keeps them in (default kDefaultLevel).
  static constexpr int32_t kLevels = 4;
  static constexpr int32_t kDefaultLevel = 2;
  static constexpr const char16_t* kSfxLevelOption = u"sfx_level";
  static constexpr const char16_t* kMusicLevelOption = u"music_level";

  // One player per sound id; null where the sound did not load.
  static inline nuv::microedition::media::DPlayerArrayPtr players;
  // The player started last.
  static inline nuv::microedition::media::DPlayerPtr current;
  // Of the play in progress; -1 plays for ever.
  static inline int32_t loopCount = 1;
  // Effects may start.
  static inline bool sfxOn = false;

  // Stops and replaces the list; entry i plays the resource names[i] + ".wav", else + ".mod".
  static void loadSounds(nuv::lang::DStringArrayPtr names);
  // A prefetched player of name + ".wav", else name + ".mod"; null when neither loads.
  static nuv::microedition::media::DPlayerPtr loadPlayer(nuv::lang::DStringPtr name);
  // Nothing for a sound that did not load, nor before a list is loaded (or after its release), so that a
  // screen never asks first; ArrayIndexOutOfBoundsException for an id outside a loaded list.
  static void play(int32_t id, int32_t loopCount, int32_t pan);
  // False when the player was not started: effects are off, the music already plays, or starting failed.
  static bool startPlayer(nuv::microedition::media::DPlayerPtr player, int32_t pan);
  static bool isPlaying();
  static void stopCurrent();
  // Ids outside the list are ignored.
  static void stop(int32_t id);
  static void stopAll();
  static void pauseAll();
  static void resumeAll();
  static void release();

  // Level 0 keeps effects from starting at all; levels outside 0..3 change no volume.
  static void setSfxLevel(int32_t level);
  static int32_t getSfxLevel();
  // Level 0 only silences the music: music players still start.
  static void setMusicLevel(int32_t level);
  static int32_t getMusicLevel();
  // The game's stored effect and music levels set.
  static void loadLevels(const nuv::lang::DStringPtr& gameKey);
};

}  // namespace gamelib
