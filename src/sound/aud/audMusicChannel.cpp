// Playing a tracker module: set-up, rows and ticks in output frames, and mixing its voices.
#include "sound/aud/audMusicChannel.h"

#include <algorithm>

#include "sound/aud/audMusic.h"
#include "sound/aud/audSpeaker.h"

using namespace aud;

namespace {

constexpr int kLengthField = 22;  // within a sample header, big-endian words
constexpr int kFinetuneField = 24;
constexpr int kVolumeField = 25;
constexpr int kLoopStartField = 26;
constexpr int kLoopLengthField = 28;
constexpr uint32_t kMinLoopWords = 2;
constexpr int kStartSpeed = 6;
constexpr int kStartTicksPerSecond = 50;  // 125 BPM
constexpr uint64_t kNormalRate = 44100;
constexpr int32_t kMaxPan = 255;

uint32_t word(const uint8_t* p) { return static_cast<uint32_t>((p[0] << 8) | p[1]); }

}  // namespace

void audMusicChannel::setVolume(int32_t v) {
  if (static_cast<uint32_t>(v) > static_cast<uint32_t>(kMaxVolume)) v = kMaxVolume;
  Guard guard(speaker);
  volume = v;
  effectiveVolume = (speaker ? speaker->getMusicVolume() : kMaxVolume) * v >> 6;
  for (Voice& voice : voices) voice.effectiveVolume = voice.volume * effectiveVolume >> 6;
}

void audMusicChannel::setPan(int32_t p) {
  if (p < 0 || p > kMaxPan) p = kMaxPan;
  Guard guard(speaker);
  pan = p;
  int d = (kMaxPan - p) >> 2;
  for (int j = 0; j < kMaxTrackerChannels; ++j) voices[j].pan = (j % 2 == 0) ? 64 + d : 192 - d;
}

uint32_t audMusicChannel::getPosition() { return static_cast<uint32_t>(pattern * kRowsPerPattern + row); }

void audMusicChannel::setPosition(uint32_t p) {
  uint32_t target = p / kRowsPerPattern;
  if (module == nullptr || target >= static_cast<uint32_t>(songLength)) return;
  Guard guard(speaker);
  order = static_cast<int>(target);
  pattern = module[kOrderTableOffset + order];
  row = static_cast<int>(p % kRowsPerPattern);
}

uint32_t audMusicChannel::getLength() { return static_cast<uint32_t>(songLength * kRowsPerPattern); }

bool audMusicChannel::setUp(const audMusic& music) {
  int count = audMusic::checkTag(music.data);
  if (count < 1 || count > kMaxTrackerChannels) return false;
  module = music.data;
  patternData = module + kPatternDataOffset;
  channels = count;
  songLength = audMusic::songLength(module);
  int patterns = audMusic::countPatterns(module, songLength);

  const uint8_t* sampleData = patternData + static_cast<size_t>(patterns) * channels * kRowsPerPattern * kCellBytes;
  for (int i = 1; i <= kSampleCount; ++i) {
    const uint8_t* header = module + kSampleHeaderOffset + (i - 1) * kSampleHeaderSize;
    Sample& s = samples[i];
    s = Sample{};
    uint32_t bytes = 2 * word(header + kLengthField);
    if (bytes == 0) continue;
    s.length = bytes << kTrackerFraction;
    uint32_t loopStart = 2 * word(header + kLoopStartField);
    uint32_t loopWords = word(header + kLoopLengthField);
    uint32_t loopBytes = loopWords >= kMinLoopWords ? 2 * loopWords : 0;
    // A loop that reaches past the sample is cut at its end, so playback never leaves the data.
    if (loopStart >= bytes) loopBytes = 0;
    if (loopBytes > bytes - loopStart) loopBytes = bytes - loopStart;
    s.loopStart = loopStart << kTrackerFraction;
    s.loopLength = loopBytes << kTrackerFraction;
    s.defaultVolume = header[kVolumeField] > kMaxVolume ? kMaxVolume : header[kVolumeField];
    s.finetune = header[kFinetuneField] & kMaxFinetune;
    s.data = reinterpret_cast<const int8_t*>(sampleData);
    sampleData += bytes;
  }

  playRate = music.playRate;
  ticksPerSecond = kStartTicksPerSecond;
  rateChanged = true;
  frameCounter = 0;
  speed = kStartSpeed;
  tick = kStartSpeed;  // the first output frame reads row 0
  order = 0;
  pattern = module[kOrderTableOffset];
  row = 0;
  int restart = module[kRestartOffset];
  restartOrder = (restart != kNoRestart && restart < songLength) ? restart : 0;
  nextOrder = kNone;
  nextRow = kNone;
  patternDelay = 0;

  setPan(music.pan);
  for (Voice& v : voices) {
    v.sample = 0;
    v.period = 0;
    v.step = 0;
    v.vibratoPosition = 0;
    v.sampleOffsetMemory = 0;
    v.loopActive = false;
    v.loopStartRow = 0;
    v.noteDelayCounter = static_cast<int>(kNone);
    v.noteCutCounter = 0;
    v.effect = v.parameter = v.x = v.y = 0;
  }
  loop = music.loop;
  setVolume(music.volume);
  return true;
}

void audMusicChannel::computeFramesPerTick() {
  uint64_t base = (static_cast<uint64_t>(playRate > 0 ? playRate : 0) << 8) / kNormalRate;
  uint64_t divisor = base * static_cast<uint64_t>(ticksPerSecond);
  if (divisor == 0) divisor = 1;  // a tempo base under 173 Hz would divide by zero
  uint64_t rate = speaker ? speaker->getOutputRate() : kNormalRate;
  framesPerTick = static_cast<uint32_t>(((rate << 16) / divisor) >> 8);
}

void audMusicChannel::mixBlock(int32_t* sums, uint32_t frames, bool stereoOutput) {
  uint32_t done = 0;
  while (done < frames) {
    const uint32_t run = advance(frames - done);
    if (run == 0) return;
    for (int j = 0; j < channels; ++j) mixVoice(voices[j], sums + 2 * done, run, stereoOutput);
    done += run;
  }
}

uint32_t audMusicChannel::advance(uint32_t frames) {
  if (rateChanged) {
    computeFramesPerTick();
    rateChanged = false;
  }
  if (tick == speed) {
    if (patternDelay != 0) {
      --patternDelay;
    } else {
      readRow();
      if (!advancePosition()) return 0;
    }
    tick = 0;
    return 1;
  }
  if (frameCounter < framesPerTick) {
    // Frames within a tick only count: they all play alike.
    const uint32_t run = std::min(framesPerTick - frameCounter, frames);
    frameCounter += run;
    return run;
  }
  ++tick;
  frameCounter = 0;
  if (tick != speed) {
    for (int j = 0; j < channels; ++j) {
      Voice& v = voices[j];
      kTickEffects[v.effect](*this, v);
    }
  }
  return 1;
}

void audMusicChannel::mixVoice(Voice& v, int32_t* sums, uint32_t frames, bool stereoOutput) {
  const Sample& s = samples[v.sample];
  if (s.data == nullptr) return;
  const uint32_t loopEnd = s.loopStart + s.loopLength;
  // Below this position a frame neither loops back nor ends the sample.
  const uint32_t limit = s.loopLength != 0 ? loopEnd : s.length;
  const uint32_t step = v.step;
  const int32_t toRight = (v.effectiveVolume * v.pan) >> 8;
  const int32_t toLeft = v.effectiveVolume - toRight;
  uint32_t position = v.position;
  uint32_t f = 0;
  while (f < frames) {
    if (s.loopLength != 0 && position >= loopEnd) position -= s.loopLength;
    if (position >= s.length) {
      // Silent: a position past the end stays where it is, or, in a looped sample, comes back by one loop
      // length per frame.
      if (s.loopLength == 0) break;
      ++f;
      continue;
    }
    uint32_t run = 1;
    if (position < limit) {
      run = frames - f;
      if (step != 0) run = std::min(run, (limit - position + step - 1) / step);
    }
    int32_t* out = sums + 2 * f;
    if (!stereoOutput) {
      for (uint32_t i = 0; i < run; ++i, position += step) {
        out[2 * i] += v.effectiveVolume * s.data[position >> kTrackerFraction];
      }
    } else {
      for (uint32_t i = 0; i < run; ++i, position += step) {
        const int32_t sample = s.data[position >> kTrackerFraction];
        out[2 * i] += toLeft * 2 * sample;
        out[2 * i + 1] += toRight * 2 * sample;
      }
    }
    f += run;
  }
  v.position = position;
}

void audMusicChannel::readRow() {
  const uint8_t* cells = patternData + (static_cast<size_t>(pattern) * kRowsPerPattern + row) * channels * kCellBytes;
  for (int j = 0; j < channels; ++j) {
    const uint8_t* b = cells + j * kCellBytes;
    Cell c;
    c.sample = (b[0] & 0xF0) | (b[2] >> 4);
    c.period = ((b[0] & 0x0F) << 8) | b[1];
    c.effect = b[2] & 0x0F;
    c.parameter = b[3];
    c.x = c.parameter >> 4;
    c.y = c.parameter & 0x0F;

    Voice& v = voices[j];
    v.effect = c.effect;
    v.x = c.x;
    v.y = c.y;
    v.parameter = c.parameter;
    // Sample numbers past the 31 a module has are ignored rather than read outside the table.
    if (c.sample != 0 && c.sample <= kSampleCount) {
      v.sample = c.sample;
      applyVolume(v, samples[c.sample].defaultVolume);
    }
    const bool delayedNote = c.effect == kEffectExtended && c.x == kExtendedNoteDelay;
    const bool slides = c.effect == kEffectTonePortamento || c.effect == kEffectTonePortamentoSlide;
    if (c.period != 0 && !slides && !delayedNote) {
      v.position = 0;
      v.noteIndex = finetuneOf(v) * kNotes + nearestNoteOf(c.period);
      v.period = periodOf(v.noteIndex);
    }
    if (v.sample != 0) v.step = stepAt(v.period);
    kRowEffects[c.effect](*this, v, c);
  }
}

bool audMusicChannel::advancePosition() {
  if (nextOrder == kNone) {
    if (++row == kRowsPerPattern) {
      row = 0;
      if (++order >= songLength) {
        if (!loop) {
          stop();
          return false;
        }
        order = restartOrder;
      }
    }
  } else {
    if (nextOrder >= static_cast<uint32_t>(songLength)) {
      stop();
      return false;
    }
    order = static_cast<int>(nextOrder);
    row = static_cast<int>(nextRow);
    nextOrder = kNone;
  }
  pattern = module[kOrderTableOffset + order];
  return true;
}

uint32_t audMusicChannel::stepAt(int period) const {
  if (period <= 0) return 0;
  if (period > kMaxPeriod) period = kMaxPeriod;
  return speaker ? speaker->stepFor(period) : 0;
}

int audMusicChannel::nearestNoteOf(int period) const {
  if (period > kMaxPeriod) period = kMaxPeriod;
  return speaker ? speaker->nearestNoteFor(period) : 0;
}

int audMusicChannel::periodOf(int noteIndex, int semitones) const {
  int finetune = noteIndex / kNotes;
  int note = noteIndex % kNotes + semitones;
  if (note >= kNotes) note = kNotes - 1;  // arpeggios above the top note hold the top note
  return kPeriodTable[finetune][note];
}

int audMusicChannel::finetuneOf(const Voice& v) const { return samples[v.sample].finetune; }

void audMusicChannel::applyVolume(Voice& v, int newVolume) {
  v.volume = newVolume;
  v.effectiveVolume = newVolume * effectiveVolume >> 6;
}

int audMusicChannel::jumpTarget(int target) const {
  if (target < songLength) return target;
  return loop ? restartOrder : songLength;
}
