// Sound effects synthesised from square, triangle and noise voices with sweeps and envelopes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>

#include "DataError.h"
#include "Sound.h"
#include "TextTables.h"

namespace datakit {

namespace {

constexpr double kPeak = 0.85 * 32767;  // about 1.4 dB under full scale
constexpr int kMaxVoices = 8;
constexpr double kMaxSeconds = 4.0;

struct Voice {
  std::string wave = "square";  // square, triangle, noise, saw
  double start = 0, length = 0.1;
  double from = 440, to = 440;  // Hz; a sweep is exponential from one to the other
  double duty = 0.5;
  double attack = 0.002, release = 0.05;  // seconds of fade in and out
  double volume = 1.0;
  double vibratoRate = 0, vibratoDepth = 0;  // Hz and semitones
  std::vector<double> steps;                 // arpeggio in semitones, one per stepTime
  double stepTime = 0.05;
};

double number(const std::string& v, const std::string& file, int line) {
  try {
    size_t used = 0;
    double d = std::stod(v, &used);
    if (used != v.size()) throw std::invalid_argument(v);
    return d;
  } catch (const std::exception&) {
    throw DataError(file, line, "not a number: " + v);
  }
}

}  // namespace

Samples synthesiseSamples(const std::string& source, const std::string& file, int& rate) {
  rate = 22050;
  double level = 1.0;
  std::map<int, Voice> voices;
  for (const TextEntry& e : parseTextSource(source, file)) {
    std::string v = toUtf8(e.value);
    if (e.key == "rate") {
      rate = static_cast<int>(number(v, file, e.line));
      if (rate != 11025 && rate != 22050 && rate != 44100)
        throw DataError(file, e.line, "rate must be 11025, 22050 or 44100");
      continue;
    }
    if (e.key == "format") continue;
    if (e.key == "level") {
      level = number(v, file, e.line);
      if (level <= 0 || level > 1) throw DataError(file, e.line, "level lies above 0 and at most 1");
      continue;
    }
    size_t dot = e.key.find('.');
    if (e.key.size() < 3 || e.key[0] != 'v' || dot == std::string::npos)
      throw DataError(file, e.line, "unknown key " + e.key + " (voice keys are vN.name)");
    int n = static_cast<int>(number(e.key.substr(1, dot - 1), file, e.line));
    if (n < 1 || n > kMaxVoices) throw DataError(file, e.line, "voices are numbered 1 to 8");
    Voice& voice = voices[n];
    std::string key = e.key.substr(dot + 1);
    if (key == "wave") {
      if (v != "square" && v != "triangle" && v != "noise" && v != "saw")
        throw DataError(file, e.line, "wave is square, triangle, saw or noise");
      voice.wave = v;
    } else if (key == "start")
      voice.start = number(v, file, e.line);
    else if (key == "length")
      voice.length = number(v, file, e.line);
    else if (key == "from")
      voice.from = number(v, file, e.line);
    else if (key == "to")
      voice.to = number(v, file, e.line);
    else if (key == "freq")
      voice.from = voice.to = number(v, file, e.line);
    else if (key == "duty")
      voice.duty = number(v, file, e.line);
    else if (key == "attack")
      voice.attack = number(v, file, e.line);
    else if (key == "release")
      voice.release = number(v, file, e.line);
    else if (key == "volume")
      voice.volume = number(v, file, e.line);
    else if (key == "vibrato") {
      size_t comma = v.find(',');
      if (comma == std::string::npos) throw DataError(file, e.line, "vibrato is rate,depth");
      voice.vibratoRate = number(v.substr(0, comma), file, e.line);
      voice.vibratoDepth = number(v.substr(comma + 1), file, e.line);
    } else if (key == "steps") {
      voice.steps.clear();
      for (size_t at = 0; at <= v.size();) {
        size_t comma = std::min(v.find(',', at), v.size());
        voice.steps.push_back(number(v.substr(at, comma - at), file, e.line));
        at = comma + 1;
      }
    } else if (key == "steptime")
      voice.stepTime = number(v, file, e.line);
    else
      throw DataError(file, e.line, "unknown voice key " + key);
    if (voice.length <= 0 || voice.start < 0 || voice.start + voice.length > kMaxSeconds)
      throw DataError(file, e.line, "a voice lies within the first 4 seconds");
    if (voice.from <= 0 || voice.to <= 0 || voice.from > 12000 || voice.to > 12000)
      throw DataError(file, e.line, "frequencies lie between 0 and 12000 Hz");
  }
  if (voices.empty()) throw DataError(file, 0, "an effect needs at least one voice");

  double end = 0;
  for (auto& [n, v] : voices) end = std::max(end, v.start + v.length);
  std::vector<double> mixBuffer(static_cast<size_t>(end * rate) + 1, 0.0);
  std::uint32_t noise = 0x12345u;
  int noiseHold = 0;
  double noiseValue = 0;
  for (auto& [n, v] : voices) {
    double phase = 0;
    int first = static_cast<int>(v.start * rate), count = static_cast<int>(v.length * rate);
    for (int i = 0; i < count; ++i) {
      double t = static_cast<double>(i) / rate;
      double f = v.from * std::pow(v.to / v.from, t / v.length);
      if (!v.steps.empty()) f *= std::pow(2.0, v.steps[static_cast<size_t>(t / v.stepTime) % v.steps.size()] / 12.0);
      if (v.vibratoRate > 0) f *= std::pow(2.0, v.vibratoDepth * std::sin(2 * M_PI * v.vibratoRate * t) / 12.0);
      phase += f / rate;
      phase -= std::floor(phase);
      double s = 0;
      if (v.wave == "square") {
        s = phase < v.duty ? 1.0 : -1.0;
      } else if (v.wave == "triangle") {
        s = phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
      } else if (v.wave == "saw") {
        s = 2 * phase - 1;
      } else {
        // Noise is resampled at the voice's frequency, so a sweep of it falls in pitch too.
        if (--noiseHold <= 0) {
          noise ^= noise << 13;
          noise ^= noise >> 17;
          noise ^= noise << 5;
          noiseValue = static_cast<double>(noise & 0xFFFF) / 32768.0 - 1.0;
          noiseHold = std::max(1, static_cast<int>(rate / f));
        }
        s = noiseValue;
      }
      double env = 1.0;
      if (t < v.attack) env = t / v.attack;
      double left = v.length - t;
      if (left < v.release) env = std::min(env, left / v.release);
      mixBuffer[static_cast<size_t>(first + i)] += s * env * v.volume;
    }
  }
  double peak = 0;
  for (double s : mixBuffer) peak = std::max(peak, std::abs(s));
  double gain = peak > 0 ? kPeak * level / peak : 0;
  Samples out;
  out.reserve(mixBuffer.size());
  for (double s : mixBuffer) out.push_back(static_cast<std::int16_t>(std::lround(s * gain)));
  return out;
}

Bytes synthesiseEffect(const std::string& source, const std::string& file) {
  int rate = 0;
  Samples samples = synthesiseSamples(source, file, rate);
  bool adpcm = false;
  for (const TextEntry& e : parseTextSource(source, file))
    if (e.key == "format") {
      std::string v = toUtf8(e.value);
      if (v != "pcm" && v != "adpcm") throw DataError(file, e.line, "format is pcm or adpcm");
      adpcm = v == "adpcm";
    }
  return adpcm ? writeWavAdpcm(samples, rate) : writeWavPcm16(samples, rate);
}

}  // namespace datakit
