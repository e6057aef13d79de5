// A mixer channel that plays one tracker module: reads rows, applies effects, mixes the module's voices.
#pragma once

#include "sound/aud/audChannel.h"
#include "sound/aud/audTrackerTables.h"

class audMusic;

class audMusicChannel : public audChannel {
 public:
  using audChannel::audChannel;

  // Volume 0..64 (above: 64) for the whole module; pan 0..255 sets the stereo separation.
  void setVolume(int32_t v) override;
  void setPan(int32_t p) override;
  // Positions are pattern x 64 + row.
  uint32_t getPosition() override;
  void setPosition(uint32_t p) override;
  uint32_t getLength() override;

  // Prepares the module's tracker state; false when its tag gives no usable channel count.
  bool setUp(const audMusic& music);
  // Advances the tracker by `frames` output frames and adds the module's voices to the music sums, a left
  // and a right value per frame (mono output uses the left ones). Stops early when the song ends.
  void mixBlock(int32_t* sums, uint32_t frames, bool stereoOutput);

  static constexpr uint32_t kNone = 0xFFFFFF;

  struct Cell {
    int sample;
    int period;
    int effect;
    int x;
    int y;
    int parameter;
  };

  // One tracker channel of the module.
  struct Voice {
    int noteIndex = 0;
    int period = 0;
    int sample = 0;  // 1..31, 0 none
    uint32_t step = 0;
    int volume = 0;
    int effectiveVolume = 0;
    int effect = 0;
    int x = 0;
    int y = 0;
    int parameter = 0;
    uint32_t position = 0;
    int pan = 0;
    // Effect memories.
    int volumeSlide = 0;
    int portamentoPeriod = 0;
    int tonePortamentoTarget = 0;
    int tonePortamentoSpeed = 0;
    int arpeggioCounter = 0;
    uint32_t arpeggioStep[3] = {0, 0, 0};
    int vibratoPosition = 0;
    int vibratoSpeed = 9;
    int vibratoDepth = 2;
    int noteDelayCounter = static_cast<int>(kNone);
    int delayedPeriod = 0;
    int noteCutCounter = 0;
    bool loopActive = false;
    int loopRemaining = 0;
    int loopStartRow = 0;
    uint32_t sampleOffsetMemory = 0;
  };

  struct Sample {
    uint32_t length = 0;  // 20.12 bytes
    uint32_t loopStart = 0;
    uint32_t loopLength = 0;  // 0: no loop
    int defaultVolume = 0;
    int finetune = 0;
    const int8_t* data = nullptr;
  };

  // Tracker state: written under the speaker's lock, read and advanced by the mixing thread.
  const uint8_t* module = nullptr;
  const uint8_t* patternData = nullptr;
  int channels = 0;
  int songLength = 0;
  int pattern = 0;
  int row = 0;
  int order = 0;
  int restartOrder = 0;
  uint32_t framesPerTick = 0;
  uint32_t frameCounter = 0;
  int speed = 6;
  int tick = 6;
  int ticksPerSecond = 50;
  uint32_t nextOrder = kNone;
  uint32_t nextRow = kNone;
  int patternDelay = 0;
  Voice voices[aud::kMaxTrackerChannels];
  Sample samples[aud::kSampleCount + 1];  // entry 0 unused

 private:
  // Plain function pointers in the tables; each entry calls one member below.
  using RowEffect = void (*)(audMusicChannel&, Voice&, const Cell&);
  using TickEffect = void (*)(audMusicChannel&, Voice&);
  template <void (audMusicChannel::*Effect)(Voice&, const Cell&)>
  static void rowCase(audMusicChannel& m, Voice& v, const Cell& c) {
    (m.*Effect)(v, c);
  }
  template <void (audMusicChannel::*Effect)(Voice&)>
  static void tickCase(audMusicChannel& m, Voice& v) {
    (m.*Effect)(v);
  }
  static const RowEffect kRowEffects[16];
  static const RowEffect kExtendedRowEffects[16];
  static const TickEffect kTickEffects[16];
  static const TickEffect kExtendedTickEffects[16];

  void computeFramesPerTick();
  void readRow();
  // False when the song has ended and the channel stopped.
  bool advancePosition();
  // Runs the tracker for the next output frame; returns how many frames from there, at most `frames`,
  // play with the voices as they now stand: 0 when the song has ended.
  uint32_t advance(uint32_t frames);
  void mixVoice(Voice& v, int32_t* sums, uint32_t frames, bool stereoOutput);

  uint32_t stepAt(int period) const;
  int nearestNoteOf(int period) const;
  int periodOf(int noteIndex, int semitones = 0) const;
  int finetuneOf(const Voice& v) const;
  void applyVolume(Voice& v, int volume);
  int jumpTarget(int order) const;

  // Row effects (once, when the row is read).
  void rowNothing(Voice&, const Cell&) {}
  void rowArpeggio(Voice& v, const Cell& c);
  void rowPortamento(Voice& v, const Cell& c);
  void rowTonePortamento(Voice& v, const Cell& c);
  void rowVibrato(Voice& v, const Cell& c);
  void rowVolumeSlide(Voice& v, const Cell& c);
  void rowSampleOffset(Voice& v, const Cell& c);
  void rowPositionJump(Voice& v, const Cell& c);
  void rowSetVolume(Voice& v, const Cell& c);
  void rowPatternBreak(Voice& v, const Cell& c);
  void rowExtended(Voice& v, const Cell& c);
  void rowSpeed(Voice& v, const Cell& c);
  void rowPatternLoop(Voice& v, const Cell& c);
  void rowFineVolumeUp(Voice& v, const Cell& c);
  void rowFineVolumeDown(Voice& v, const Cell& c);
  void rowNoteCut(Voice& v, const Cell& c);
  void rowNoteDelay(Voice& v, const Cell& c);
  void rowPatternDelay(Voice& v, const Cell& c);

  // Tick effects (ticks 1 .. speed - 1 of a row).
  void tickNothing(Voice&) {}
  void tickArpeggio(Voice& v);
  void tickPortamentoUp(Voice& v);
  void tickPortamentoDown(Voice& v);
  void tickTonePortamento(Voice& v);
  void tickTonePortamentoSlide(Voice& v);
  void tickVibrato(Voice& v);
  void tickVibratoSlide(Voice& v);
  void tickVolumeSlide(Voice& v);
  void tickExtended(Voice& v);
  void tickNoteCut(Voice& v);
  void tickNoteDelay(Voice& v);
};
