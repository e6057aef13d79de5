// A media player: decodes a WAV or MOD stream once and plays it on a channel of the mixer.
#pragma once

#include <cstdint>

#include "core/io/DInputStream.h"
#include "core/lang/DObject.h"
#include "core/lang/DString.h"

class audChannel;
class audSpeaker;

namespace nuv::microedition::media {

class DPlayer;
using DPlayerPtr = lang::DPtr<DPlayer>;

class DPlayer : public lang::DObject {
 public:
  static constexpr int32_t CLOSED = 0;
  static constexpr int32_t UNREALIZED = 100;
  static constexpr int32_t REALIZED = 200;
  static constexpr int32_t PREFETCHED = 300;
  static constexpr int32_t STARTED = 400;

  ~DPlayer() override;
  const char* getClassName() const override { return "DPlayer"; }

  // Later realize, prefetch and start throw IllegalStateException; the channel plays on.
  virtual void close();
  virtual void deallocate() {}
  virtual lang::DStringPtr getContentType() = 0;
  virtual int32_t getState() { return state; }
  virtual void prefetch();
  // Decodes the stream into a source; MediaException, with the reason as its message, when it cannot.
  virtual void realize();
  // 1 plays once, -1 for ever; anything else is an IllegalArgumentException.
  virtual void setLoopCount(int32_t count);
  // The player that plays: this one, or a duplicate when this one is still playing; null without a free
  // channel.
  virtual DPlayerPtr start();
  // Pauses the channel and keeps it, so the next start resumes.
  virtual void stop();
  virtual int64_t getDuration() { return -1; }
  virtual int64_t getMediaTime();
  // Rewinds to the start; any other time is refused with -1.
  virtual int64_t setMediaTime(int64_t time);
  virtual int32_t getVolume();
  virtual void setVolume(int32_t volume);
  virtual int32_t getPan() { return 0; }
  virtual void setPan(int32_t) {}
  // 1 while the sound plays on its own channel; retires a player whose sound has ended or whose channel
  // another player took.
  virtual int32_t isPlaying();

  // 0 for a sample player, 1 for a music player; the sound service reads it.
  const int32_t isMusic;

 protected:
  DPlayer(int32_t music, nuv::io::DInputStreamPtr from);
  DPlayer(int32_t music, lang::DObjectPtr sharedSource, bool loaded);

  virtual lang::DObjectPtr newSource() = 0;
  // False, with why in words, when the stream is no sound this player plays.
  virtual bool loadSource(nuv::io::DInputStreamPtr from, const char16_t*& why) = 0;
  // Starts the source on a free channel of the mixer: the channel index or a negative code.
  virtual int32_t playOnMixer(audSpeaker& speaker) = 0;
  virtual DPlayerPtr duplicate() = 0;
  virtual bool acceptsMediaTime(int64_t time) const = 0;
  // Whether an owner that only equals this player counts as this player.
  virtual bool ownerMayEqual() const = 0;
  // Whether an empty slot leaves a started player as it is.
  virtual bool keepsStateWithEmptySlot() const = 0;

  // The mixer channel of this player, starting the sound system first; null without one.
  audChannel* mixerChannel();

  nuv::io::DInputStreamPtr stream;
  int32_t state;
  int32_t channel = -1;
  int32_t loopCount = 1;
  lang::DObjectPtr source;
};

}  // namespace nuv::microedition::media
