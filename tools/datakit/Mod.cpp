// Four-channel tracker modules: the module in memory, its writer, and a plain renderer for review.
#include "Mod.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace datakit {

namespace {

constexpr int kPeriods[84] = {
    1712, 1616, 1525, 1440, 1357, 1281, 1209, 1141, 1077, 1017, 961, 907, 856, 808, 762, 720, 678, 640, 604, 570, 538,
    508,  480,  453,  428,  404,  381,  360,  339,  320,  302,  285, 269, 254, 240, 226, 214, 202, 190, 180, 170, 160,
    151,  143,  135,  127,  120,  113,  107,  101,  95,   90,   85,  80,  76,  71,  67,  64,  60,  57,  53,  50,  47,
    45,   42,   40,   37,   35,   33,   31,   30,   28,   26,   25,  23,  22,  20,  19,  18,  17,  16,  15,  14,  13};
constexpr int kMaxSamples = 31;
constexpr int kMaxPatterns = 64;
constexpr int kMaxOrder = 128;
constexpr int kMaxSampleBytes = 65535 * 2;
constexpr double kClock = 7159090.0;

void put16(Bytes& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v >> 8 & 0xFF));
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
}

void fail(const std::string& what) { throw std::invalid_argument(what); }

}  // namespace

int notePeriod(int note) {
  if (note < 0 || note >= 84) fail("note out of range");
  return kPeriods[note];
}

Bytes writeMod(const Module& m) {
  if (m.samples.size() > kMaxSamples) fail("more than 31 samples");
  if (m.patterns.empty() || m.patterns.size() > kMaxPatterns) fail("a module holds 1 to 64 patterns");
  if (m.order.empty() || m.order.size() > kMaxOrder) fail("the order holds 1 to 128 entries");
  Bytes out;
  std::string title = m.title.substr(0, 20);
  title.resize(20, '\0');
  out.insert(out.end(), title.begin(), title.end());
  for (int i = 0; i < kMaxSamples; ++i) {
    ModSample s = i < static_cast<int>(m.samples.size()) ? m.samples[static_cast<size_t>(i)] : ModSample{};
    if (i >= static_cast<int>(m.samples.size())) s.volume = 0;
    if (s.data.size() % 2 || s.data.size() > kMaxSampleBytes)
      fail("sample " + s.name + ": length must be even and at most 131070 bytes");
    if (s.volume < 0 || s.volume > 64) fail("sample " + s.name + ": volume 0 to 64");
    if (s.finetune < -8 || s.finetune > 7) fail("sample " + s.name + ": finetune -8 to 7");
    bool loops = s.loopLength >= 4;
    if (loops && (s.loopStart % 2 || s.loopLength % 2 || s.loopStart + s.loopLength > static_cast<int>(s.data.size())))
      fail("sample " + s.name + ": the loop must lie inside the sample on even bytes");
    std::string name = s.name.substr(0, 22);
    name.resize(22, '\0');
    out.insert(out.end(), name.begin(), name.end());
    put16(out, static_cast<int>(s.data.size() / 2));
    out.push_back(static_cast<std::uint8_t>(s.finetune & 15));
    out.push_back(static_cast<std::uint8_t>(s.volume));
    put16(out, loops ? s.loopStart / 2 : 0);
    put16(out, loops ? s.loopLength / 2 : 1);
  }
  out.push_back(static_cast<std::uint8_t>(m.order.size()));
  out.push_back(0);  // restart at the first order entry
  for (int i = 0; i < kMaxOrder; ++i) {
    int p = i < static_cast<int>(m.order.size()) ? m.order[static_cast<size_t>(i)] : 0;
    if (p < 0 || p >= static_cast<int>(m.patterns.size()))
      fail("order entry " + std::to_string(i) + " names a missing pattern");
    out.push_back(static_cast<std::uint8_t>(p));
  }
  out.insert(out.end(), {'M', '.', 'K', '.'});
  // Patterns beyond the highest one the order uses are not read by the player, so none are kept.
  int used = *std::max_element(m.order.begin(), m.order.end()) + 1;
  for (int p = 0; p < used; ++p)
    for (const auto& row : m.patterns[static_cast<size_t>(p)])
      for (const ModCell& c : row) {
        if (c.sample < 0 || c.sample > static_cast<int>(m.samples.size())) fail("a cell names a missing sample");
        if (c.note != -1 && (c.note < kFirstNote || c.note > kLastNote))
          fail("a note lies outside the tracker's three octaves");
        if (c.effect < 0 || c.effect > 15 || c.param < 0 || c.param > 255) fail("effect 0 to 15, parameter 0 to 255");
        int period = c.note < 0 ? 0 : kPeriods[c.note];
        out.push_back(static_cast<std::uint8_t>((c.sample & 0xF0) | period >> 8));
        out.push_back(static_cast<std::uint8_t>(period & 0xFF));
        out.push_back(static_cast<std::uint8_t>((c.sample & 0x0F) << 4 | c.effect));
        out.push_back(static_cast<std::uint8_t>(c.param));
      }
  for (const ModSample& s : m.samples)
    for (std::int8_t v : s.data) out.push_back(static_cast<std::uint8_t>(v));
  return out;
}

Samples renderMod(const Module& m, int rate, int speed, int ticksPerSecond) {
  struct Voice {
    const ModSample* sample = nullptr;
    double pos = 0, step = 0;
    int volume = 0;
  };
  std::array<Voice, kModChannels> voices{};
  std::vector<double> out;
  for (size_t o = 0; o < m.order.size(); ++o) {
    const ModPattern& p = m.patterns[static_cast<size_t>(m.order[o])];
    int breakRow = -1;
    for (int row = 0; row < kModRows && breakRow < 0; ++row) {
      for (int ch = 0; ch < kModChannels; ++ch) {
        const ModCell& c = p[static_cast<size_t>(row)][static_cast<size_t>(ch)];
        Voice& v = voices[static_cast<size_t>(ch)];
        if (c.sample > 0) {
          v.sample = &m.samples[static_cast<size_t>(c.sample - 1)];
          v.volume = v.sample->volume;
        }
        if (c.note >= 0 && v.sample) {
          v.pos = 0;
          v.step = kClock / (2.0 * kPeriods[c.note]) / rate;
        }
        if (c.effect == 12) v.volume = std::min(c.param, 64);
        if (c.effect == 15 && c.param > 0 && c.param <= 32) speed = c.param;
        if (c.effect == 15 && c.param > 32) ticksPerSecond = c.param * 2 / 5;
        if (c.effect == 13) breakRow = 0;
      }
      int frames = rate * speed / ticksPerSecond;
      for (int f = 0; f < frames; ++f) {
        double sum = 0;
        for (Voice& v : voices) {
          if (!v.sample || v.sample->data.empty()) continue;
          if (v.sample->loopLength >= 4 && v.pos >= v.sample->loopStart + v.sample->loopLength)
            v.pos -= v.sample->loopLength;
          if (v.pos < static_cast<double>(v.sample->data.size())) {
            sum += v.sample->data[static_cast<size_t>(v.pos)] * v.volume / 64.0;
            v.pos += v.step;
          }
        }
        out.push_back(sum);
      }
    }
  }
  // The mixer sums the four channels; here they share the 16-bit range without clipping.
  Samples result;
  result.reserve(out.size());
  for (double s : out) result.push_back(static_cast<std::int16_t>(std::clamp(std::lround(s * 64.0), -32768L, 32767L)));
  return result;
}

}  // namespace datakit
