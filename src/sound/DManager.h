// The media layer's entry: making players, starting and ending the sound system, and the master volumes
// and all-channel controls for the sound service and the engine.
#pragma once

#include <cstdint>

#include "core/io/DInputStream.h"
#include "core/lang/DString.h"
#include "sound/DPlayer.h"
#include "sound/DPlayerArray.h"

class audSpeaker;

namespace nuv::microedition::media {

class DManager {
 public:
  DManager() = delete;

  // A player for "audio/x-wav" or "audio/mod" (compared exactly), null for any other type.
  static DPlayerPtr createPlayer(nuv::io::DInputStreamPtr stream, lang::DStringPtr type);

  // The engine's calls: start at initialisation, pause and resume the output with the window, and end.
  // Starts the mixer once from the "sound.*" properties, falling back to other rates and to mono.
  static void initSound();
  static void pauseOutput();
  static void resumeOutput();
  // Releases the player array and closes and deletes the mixer.
  static void doneSound();

  // Master volumes 0..64 (other values give 64) of the current mixer, started or not.
  static void setSoundVolume(int32_t v);
  static int32_t getSoundVolume();
  static void setMusicVolume(int32_t v);
  static int32_t getMusicVolume();
  static void stopAll();
  static void pauseAll();
  static void resumeAll();

  static bool isSoundStarted();
  // The current mixer (null before the first start) and the channel owners (null until started).
  static audSpeaker* getSpeaker();
  static DPlayerArray* getPlayerArray();
};

}  // namespace nuv::microedition::media
