// One mixer channel: volume, pan, loop and the play state shared by sound and music channels.
#pragma once

#include <cstdint>

class audSpeaker;

class audChannel {
 public:
  explicit audChannel(audSpeaker* owner = nullptr) : speaker(owner) {}
  audChannel(const audChannel&) = delete;
  audChannel& operator=(const audChannel&) = delete;
  virtual ~audChannel() = default;

  virtual void setVolume(int32_t v) = 0;
  virtual void setPan(int32_t p) = 0;
  virtual uint32_t getPosition() = 0;
  virtual void setPosition(uint32_t p) = 0;
  virtual uint32_t getLength() = 0;

  // State changes take the speaker's lock: the mixing thread reads these flags.
  void start(bool startPaused);
  void stop();
  void pause();
  void resume();
  void setLoop(bool on);
  bool isActive() const { return !paused && !stopped; }
  bool isFree() const { return stopped && !paused; }

  // Fields below are written under the speaker's lock and read by the mixing thread.
  audSpeaker* speaker;
  int32_t volume = 0;
  int32_t effectiveVolume = 0;  // volume x master volume >> 6
  int32_t pan = 128;
  bool loop = false;
  bool paused = false;
  bool stopped = true;
  int32_t playRate = 0;
  bool rateChanged = true;

 protected:
  // Holds the speaker's lock for one scope (nothing when there is no open speaker).
  class Guard {
   public:
    explicit Guard(audSpeaker* speaker);
    ~Guard();
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

   private:
    audSpeaker* speaker_;
  };
};
