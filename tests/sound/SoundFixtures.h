// Sound fixtures made in code: WAVE images, tracker modules and a driver that mixes without a device.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sound/aud/audDriver.h"
#include "sound/aud/audSpeaker.h"

namespace soundtest {

using Bytes = std::vector<uint8_t>;

inline void put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put32(Bytes& b, uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}
// Byte by byte: GCC 12 warns wrongly about range inserts into freshly grown vectors.
inline void append(Bytes& b, const uint8_t* p, size_t n) {
  for (size_t i = 0; i < n; ++i) b.push_back(p[i]);
}
inline void putTag(Bytes& b, const char* tag) { append(b, reinterpret_cast<const uint8_t*>(tag), 4); }

// A RIFF WAVE image: "fmt " chunk, the chunks given, then "data" (unless omitted).
inline Bytes makeWav(int bits, int channels, uint32_t rate, const Bytes& data, const Bytes& extraChunks = {},
                     bool withData = true) {
  Bytes b;
  putTag(b, "RIFF");
  put32(b, 0);
  putTag(b, "WAVE");
  putTag(b, "fmt ");
  put32(b, 16);
  put16(b, 1);
  put16(b, static_cast<uint32_t>(channels));
  put32(b, rate);
  put32(b, rate * channels * bits / 8);
  put16(b, static_cast<uint32_t>(channels * bits / 8));
  put16(b, static_cast<uint32_t>(bits));
  append(b, extraChunks.data(), extraChunks.size());
  if (withData) {
    putTag(b, "data");
    put32(b, static_cast<uint32_t>(data.size()));
    append(b, data.data(), data.size());
  }
  uint32_t riff = static_cast<uint32_t>(b.size() - 8);
  for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<uint8_t>(riff >> (8 * i));
  return b;
}

// 16-bit little-endian samples as bytes.
inline Bytes pcm16(const std::vector<int16_t>& samples) {
  Bytes b;
  for (int16_t s : samples) put16(b, static_cast<uint16_t>(s));
  return b;
}

struct ModSample {
  std::vector<int8_t> data;  // even length
  int volume = 64;
  int finetune = 0;
  int loopStartWords = 0;
  int loopWords = 0;
};

// A module image: tag, orders, patterns (cells given per pattern, row and channel) and samples.
class ModuleBuilder {
 public:
  ModuleBuilder(const char* tag, int channels) : tag_(tag), channels_(channels) {}

  ModuleBuilder& orders(std::vector<int> list) {
    orders_ = std::move(list);
    return *this;
  }
  ModuleBuilder& songLength(int n) {
    songLength_ = n;
    return *this;
  }
  ModuleBuilder& restart(int n) {
    restart_ = n;
    return *this;
  }
  ModuleBuilder& sample(int number, ModSample s) {
    samples_[number - 1] = std::move(s);
    return *this;
  }
  // One cell: sample number, period, effect and its parameter.
  ModuleBuilder& cell(int pattern, int row, int channel, int sample, int period, int effect = 0, int parameter = 0) {
    cells_.push_back({pattern, row, channel, sample, period, effect, parameter});
    return *this;
  }
  // Patterns present in the image, whatever the orders say.
  ModuleBuilder& patterns(int n) {
    patterns_ = n;
    return *this;
  }

  Bytes build() const {
    Bytes b(1084, 0);
    for (int i = 0; i < 31; ++i) {
      uint8_t* h = b.data() + 20 + 30 * i;
      const ModSample& s = samples_[i];
      uint32_t words = static_cast<uint32_t>(s.data.size() / 2);
      h[22] = static_cast<uint8_t>(words >> 8);
      h[23] = static_cast<uint8_t>(words);
      h[24] = static_cast<uint8_t>(s.finetune);
      h[25] = static_cast<uint8_t>(s.volume);
      h[26] = static_cast<uint8_t>(s.loopStartWords >> 8);
      h[27] = static_cast<uint8_t>(s.loopStartWords);
      h[28] = static_cast<uint8_t>(s.loopWords >> 8);
      h[29] = static_cast<uint8_t>(s.loopWords);
    }
    b[950] = static_cast<uint8_t>(songLength_ >= 0 ? songLength_ : static_cast<int>(orders_.size()));
    b[951] = static_cast<uint8_t>(restart_);
    int largest = 0;
    for (size_t i = 0; i < orders_.size(); ++i) {
      b[952 + i] = static_cast<uint8_t>(orders_[i]);
      if (orders_[i] > largest) largest = orders_[i];
    }
    for (int i = 0; i < 4; ++i) b[1080 + i] = static_cast<uint8_t>(tag_[i]);
    int patterns = patterns_ >= 0 ? patterns_ : largest + 1;
    b.resize(1084 + static_cast<size_t>(patterns) * 64 * channels_ * 4, 0);
    for (const Cell& c : cells_) {
      uint8_t* p = b.data() + 1084 + ((c.pattern * 64 + c.row) * channels_ + c.channel) * 4;
      p[0] = static_cast<uint8_t>((c.sample & 0xF0) | ((c.period >> 8) & 0x0F));
      p[1] = static_cast<uint8_t>(c.period);
      p[2] = static_cast<uint8_t>(((c.sample & 0x0F) << 4) | c.effect);
      p[3] = static_cast<uint8_t>(c.parameter);
    }
    for (const ModSample& s : samples_) {
      for (int8_t v : s.data) b.push_back(static_cast<uint8_t>(v));
    }
    return b;
  }

 private:
  struct Cell {
    int pattern, row, channel, sample, period, effect, parameter;
  };
  std::string tag_;
  int channels_;
  std::vector<int> orders_{0};
  int songLength_ = -1;
  int restart_ = 127;
  int patterns_ = -1;
  ModSample samples_[31];
  std::vector<Cell> cells_;
};

// An output driver that only records: the test calls the mixer itself.
class FakeDriver : public audDriver {
 public:
  struct Record {
    audFormat format{};
    uint32_t totalFrames = 0;
    int opens = 0, closes = 0, pauses = 0, resumes = 0;
  };
  explicit FakeDriver(Record* record, int32_t openResult = 0) : record_(record), openResult_(openResult) {}
  int32_t open(const audFormat* format, uint32_t totalFrames, audMixFunction, void*) override {
    record_->format = *format;
    record_->totalFrames = totalFrames;
    ++record_->opens;
    return openResult_;
  }
  int32_t close() override {
    ++record_->closes;
    return 0;
  }
  void lock() override { mutex_.lock(); }
  void unlock() override { mutex_.unlock(); }
  void pause() override { ++record_->pauses; }
  void resume() override { ++record_->resumes; }

 private:
  Record* record_;
  int32_t openResult_;
  std::recursive_mutex mutex_;
};

// A mixer over a FakeDriver.
struct Mixer {
  FakeDriver::Record record;
  audSpeaker speaker;
  int32_t open(int32_t rate, int32_t bits, int32_t stereo, int32_t music = 1, int32_t sounds = 8) {
    return speaker.open(std::make_unique<FakeDriver>(&record), rate, bits, stereo, music, sounds);
  }
  std::vector<int16_t> mix16(size_t frames) {
    std::vector<int16_t> out(frames * (speaker.isStereo() ? 2 : 1), 0x5555);
    speaker.mix(out.data(), static_cast<uint32_t>(out.size() * 2));
    return out;
  }
};

}  // namespace soundtest
