// The software mixer: music and sound-effect channels mixed into the output driver's buffers.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "sound/aud/audDriver.h"
#include "sound/aud/audMusicChannel.h"
#include "sound/aud/audSoundChannel.h"
#include "sound/aud/audTrackerTables.h"

class audSound;
class audMusic;

class audSpeaker {
 public:
  // open's codes; a driver's own codes pass through unchanged.
  static constexpr int32_t kAlreadyOpen = -2;
  static constexpr int32_t kNoDriver = -5;
  static constexpr int32_t kNoMemory = -10;
  // Every failure of playSound and playMusic.
  static constexpr int32_t kPlayFailed = -1000;
  // Play flags: take the first free channel (else the low 16 bits name one); start it paused.
  static constexpr int32_t kAnyChannel = 0x10000000;
  static constexpr int32_t kStartPaused = 0x20000000;
  static constexpr int32_t kChannelMask = 0xFFFF;
  // Total output buffering.
  static constexpr int32_t kLatencyMs = 180;
  // Master and channel volumes run 0 to this; the highest effects level is the full master volume.
  static constexpr int32_t kMaxVolume = 64;
  // Effects mix as their samples times the channel's effective volume, summed and shifted down by this.
  static constexpr int32_t kEffectShift = 7;

  audSpeaker() = default;
  audSpeaker(const audSpeaker&) = delete;
  audSpeaker& operator=(const audSpeaker&) = delete;
  virtual ~audSpeaker() { close(); }

  // Opens the wave-out driver: bits 8 or 16, stereo 1 or 0, channel counts clamped to 1..64 music and
  // 8..128 sounds. Output runs when it returns 0.
  int32_t open(int32_t rate, int32_t bits, int32_t stereo, int32_t musicChannels, int32_t soundChannels);
  // The same over a given driver (tests mix without a device this way).
  int32_t open(std::unique_ptr<audDriver> driver, int32_t rate, int32_t bits, int32_t stereo, int32_t musicChannels,
               int32_t soundChannels);
  int32_t close();
  bool isOpen() const { return open_; }

  // The global channel index (music channels first), or kPlayFailed.
  int32_t playSound(const audSound* sound, int32_t flags);
  // The music channel's index, or kPlayFailed.
  int32_t playMusic(const audMusic* music, int32_t flags);

  void stopAllSounds();
  void stopAllMusic();
  void pauseAllSounds();
  void resumeAllSounds();
  void pauseAllMusic();
  void resumeAllMusic();
  // Output follows the window: the driver's pause and resume.
  void pause();
  void resume();

  // Master volumes 0..64; other values give 64.
  void setSoundVolume(int32_t v);
  void setMusicVolume(int32_t v);
  int32_t getSoundVolume() const { return soundMaster_; }
  int32_t getMusicVolume() const { return musicMaster_; }

  // Null for an index outside music channels + sound channels.
  audChannel* getChannel(int32_t index);
  uint32_t getMusicCount() const { return musicCount_; }
  uint32_t getSoundCount() const { return soundCount_; }

  static void mixCallback(void* speaker, void* buffer, uint32_t bytes);
  void mix(void* buffer, uint32_t bytes);

  // The driver's lock, held by every channel change and by mixing; nothing while closed.
  void lock();
  void unlock();

  // Tables for the tracker, built for the output rate at open.
  void buildStepTables(uint32_t rate);
  uint32_t stepFor(int period) const { return stepTable_[period]; }
  int nearestNoteFor(int period) const { return nearestNote_[period]; }
  uint32_t getOutputRate() const { return outputRate_; }
  bool isStereo() const { return stereo_ != 0; }
  bool isSixteenBit() const { return sixteenBit_ != 0; }

 private:
  void applyToSounds(void (audChannel::*operation)());
  void applyToMusic(void (audChannel::*operation)());

  std::unique_ptr<audDriver> driver_;
  bool open_ = false;
  uint32_t musicCount_ = 0;
  std::vector<std::unique_ptr<audMusicChannel>> musicChannels_;
  std::vector<audMusicChannel*> activeMusic_;  // scratch, mixing thread only
  uint32_t soundCount_ = 0;
  std::vector<std::unique_ptr<audSoundChannel>> soundChannels_;
  std::vector<audSoundChannel*> activeSounds_;  // scratch, mixing thread only
  uint32_t stepTable_[aud::kPeriodEntries] = {};
  uint16_t nearestNote_[aud::kPeriodEntries] = {};
  int32_t musicMaster_ = 0;
  int32_t soundMaster_ = 0;
  uint32_t outputRate_ = 0;
  int32_t stereo_ = 0;
  int32_t sixteenBit_ = 0;
};
