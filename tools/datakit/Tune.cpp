// The text notation of music, compiled into a module.
#include "Tune.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "DataError.h"
#include "Sound.h"

namespace datakit {

namespace {

constexpr int kCycle = 32;            // bytes of one waveform cycle: note c2 then sounds at 261 Hz
constexpr double kSampleRate = 8363;  // the rate a sample plays at on note c2
constexpr int kDrumNote = 24;         // c2
constexpr int kAmplitude = 100;

struct Instrument {
  int sample = 0;  // 1-based
  bool drum = false;
};

std::vector<std::int8_t> cycleWave(const std::string& wave, int duty, int length) {
  std::vector<std::int8_t> out;
  for (int i = 0; i < length; ++i) {
    double phase = static_cast<double>(i) / length;
    double s = wave == "square"     ? (phase * 100 < duty ? 1 : -1)
               : wave == "triangle" ? (phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase)
                                    : 2 * phase - 1;
    out.push_back(static_cast<std::int8_t>(std::lround(s * kAmplitude)));
  }
  return out;
}

std::vector<std::int8_t> drumSample(const std::string& kind) {
  std::vector<std::int8_t> out;
  std::uint32_t noise = 0x2468ACEu;
  auto next = [&noise] {
    noise ^= noise << 13;
    noise ^= noise >> 17;
    noise ^= noise << 5;
    return static_cast<double>(noise & 0xFFFF) / 32768.0 - 1.0;
  };
  double length = kind == "kick" ? 0.22 : kind == "snare" ? 0.18 : kind == "hat" ? 0.05 : 0.16;
  int n = static_cast<int>(length * kSampleRate) & ~1;
  double phase = 0, last = 0;
  for (int i = 0; i < n; ++i) {
    double t = i / kSampleRate;
    double s = 0;
    if (kind == "kick") {
      phase += (45 + 110 * std::exp(-t * 30)) / kSampleRate;
      s = std::sin(2 * M_PI * phase) * std::exp(-t * 14);
    } else if (kind == "snare") {
      phase += 190 / kSampleRate;
      s = (0.7 * next() + 0.4 * std::sin(2 * M_PI * phase)) * std::exp(-t * 22);
    } else {
      double white = next();
      s = (white - last) * 0.6 * std::exp(-t * (kind == "hat" ? 70 : 18));  // bright: first difference
      last = white;
    }
    out.push_back(static_cast<std::int8_t>(std::lround(std::clamp(s, -1.0, 1.0) * 120)));
  }
  return out;
}

int parseNote(const std::string& token) {
  static const std::map<char, int> base{{'c', 0}, {'d', 2}, {'e', 4}, {'f', 5}, {'g', 7}, {'a', 9}, {'b', 11}};
  if (token.size() < 2 || !base.count(token[0])) return -1;
  int semis = base.at(token[0]);
  size_t at = 1;
  if (token[at] == '#') {
    ++semis;
    ++at;
  } else if (token.size() == 3 && token[at] == 'b') {
    --semis;
    ++at;
  }
  if (at + 1 != token.size() || token[at] < '1' || token[at] > '3') return -1;
  return 12 * (token[at] - '0') + semis;
}

// "[ a b ]*3" stands for "a b a b a b"; groups do not nest.
std::vector<std::string> expandRepeats(std::istringstream& words, const std::string& file, int line) {
  std::vector<std::string> out, group;
  bool inGroup = false;
  std::string token;
  while (words >> token) {
    if (token == "[") {
      if (inGroup) throw DataError(file, line, "repeat groups do not nest");
      inGroup = true;
      group.clear();
    } else if (token.rfind("]", 0) == 0) {
      int times = 1;
      if (!inGroup || token.size() < 3 || token[1] != '*') throw DataError(file, line, "a group ends in ]*N");
      try {
        times = std::stoi(token.substr(2));
      } catch (const std::exception&) {
        throw DataError(file, line, "a group ends in ]*N");
      }
      for (int i = 0; i < times; ++i) out.insert(out.end(), group.begin(), group.end());
      inGroup = false;
    } else {
      (inGroup ? group : out).push_back(token);
    }
  }
  if (inGroup) throw DataError(file, line, "a repeat group is not closed");
  return out;
}

}  // namespace

Tune parseTune(const std::string& source, const std::string& file) {
  Tune tune;
  std::map<std::string, Instrument> instruments;
  std::map<std::string, int> patterns;
  std::map<std::pair<int, int>, int> filled;  // (pattern, channel) -> rows written
  std::map<std::string, int> kit;             // drum letter -> sample
  int current = -1, number = 0;
  std::istringstream in(source);
  std::string line;
  auto addSample = [&](ModSample s) {
    if (tune.module.samples.size() >= 31) throw DataError(file, number, "more than 31 instruments");
    tune.module.samples.push_back(std::move(s));
    return static_cast<int>(tune.module.samples.size());
  };
  while (std::getline(in, line)) {
    ++number;
    if (size_t hash = line.find('#'); hash != std::string::npos && (hash == 0 || line[hash - 1] == ' '))
      line = line.substr(0, hash);
    std::istringstream words(line);
    std::string word;
    if (!(words >> word)) continue;
    if (word == "title") {
      std::getline(words >> std::ws, tune.module.title);
    } else if (word == "speed" || word == "tempo") {
      int v = 0;
      if (!(words >> v) || (word == "speed" ? (v < 1 || v > 32) : (v < 33 || v > 255)))
        throw DataError(file, number, word == "speed" ? "speed is 1 to 32" : "tempo is 33 to 255");
      (word == "speed" ? tune.speed : tune.tempo) = v;
    } else if (word == "instrument") {
      // instrument NAME WAVE [duty=N] [volume=N] [octave=N] [decay=MS]
      std::string name, wave, option;
      if (!(words >> name >> wave)) throw DataError(file, number, "instrument NAME WAVE [options]");
      if (instruments.count(name)) throw DataError(file, number, "instrument " + name + " given twice");
      int duty = 50, volume = 48, octave = 0, decay = 0;
      while (words >> option) {
        size_t eq = option.find('=');
        int v = 0;
        try {
          v = std::stoi(option.substr(eq == std::string::npos ? option.size() : eq + 1));
        } catch (const std::exception&) {
          throw DataError(file, number, "option " + option + " needs a number");
        }
        std::string key = option.substr(0, eq);
        if (key == "duty")
          duty = v;
        else if (key == "volume")
          volume = v;
        else if (key == "octave")
          octave = v;
        else if (key == "decay")
          decay = v;
        else
          throw DataError(file, number, "unknown option " + key);
      }
      if (volume < 0 || volume > 64 || duty < 1 || duty > 99 || octave < -2 || octave > 1 || decay < 0 || decay > 3000)
        throw DataError(file, number, "volume 0-64, duty 1-99, octave -2 to 1, decay up to 3000 ms");
      ModSample s;
      s.name = name;
      s.volume = volume;
      if (wave == "kick" || wave == "snare" || wave == "hat" || wave == "crash") {
        s.data = drumSample(wave);
        instruments[name] = {addSample(s), true};
        continue;
      }
      if (wave != "square" && wave != "triangle" && wave != "saw")
        throw DataError(file, number, "wave is square, triangle, saw, kick, snare, hat or crash");
      std::vector<std::int8_t> cycle = cycleWave(wave, duty, kCycle << -std::min(octave, 0) >> std::max(octave, 0));
      if (decay == 0) {
        s.data = cycle;
        s.loopStart = 0;
        s.loopLength = static_cast<int>(cycle.size());
      } else {
        int total = static_cast<int>(decay * kSampleRate / 1000) / static_cast<int>(cycle.size()) *
                    static_cast<int>(cycle.size());
        for (int i = 0; i < total; ++i) {
          double env = std::exp(-3.0 * i / total);
          s.data.push_back(static_cast<std::int8_t>(std::lround(cycle[static_cast<size_t>(i) % cycle.size()] * env)));
        }
      }
      instruments[name] = {addSample(s), false};
    } else if (word == "pattern") {
      std::string name;
      if (!(words >> name) || patterns.count(name)) throw DataError(file, number, "pattern needs a new name");
      if (tune.module.patterns.size() >= 64) throw DataError(file, number, "more than 64 patterns");
      patterns[name] = current = static_cast<int>(tune.module.patterns.size());
      tune.module.patterns.emplace_back();
    } else if (word == "order") {
      std::string name;
      while (words >> name) {
        if (!patterns.count(name)) throw DataError(file, number, "no pattern named " + name);
        tune.module.order.push_back(patterns[name]);
      }
    } else if (word.size() == 1 && word[0] >= '1' && word[0] <= '4') {
      // N INSTRUMENT: tokens   (channel N of the current pattern)
      if (current < 0) throw DataError(file, number, "a channel line belongs to a pattern");
      std::string name;
      words >> name;
      if (name.empty() || name.back() != ':') throw DataError(file, number, "expected: CHANNEL INSTRUMENT: notes");
      name.pop_back();
      if (!instruments.count(name) && name != "drums") throw DataError(file, number, "no instrument named " + name);
      int channel = word[0] - '1';
      int& row = filled[{current, channel}];
      for (const std::string& item : expandRepeats(words, file, number)) {
        std::string token = item;
        int count = 1;
        if (size_t star = token.find('*'); star != std::string::npos) {
          try {
            count = std::stoi(token.substr(star + 1));
          } catch (const std::exception&) {
            throw DataError(file, number, "bad length in " + token);
          }
          token = token.substr(0, star);
        }
        if (count < 1 || row + count > kModRows) throw DataError(file, number, "channel " + word + " runs past row 64");
        ModCell& cell =
            tune.module.patterns[static_cast<size_t>(current)][static_cast<size_t>(row)][static_cast<size_t>(channel)];
        if (token == ".") {
        } else if (token == "r") {
          cell.effect = 12;
          cell.param = 0;
        } else if (name == "drums") {
          auto it = instruments.find(token);
          if (it == instruments.end() || !it->second.drum)
            throw DataError(file, number, "no drum instrument named " + token);
          cell.sample = it->second.sample;
          cell.note = kDrumNote;
        } else {
          int note = parseNote(token);
          if (note < 0) throw DataError(file, number, "not a note (c1 to b3, with # or b): " + token);
          cell.sample = instruments[name].sample;
          cell.note = note;
        }
        row += count;
      }
    } else {
      throw DataError(file, number, "unknown line: " + word);
    }
  }
  for (auto& [key, rows] : filled)
    if (rows != kModRows)
      throw DataError(file, 0,
                      "pattern " + std::to_string(key.first + 1) + " channel " + std::to_string(key.second + 1) +
                          " has " + std::to_string(rows) + " rows, not 64");
  if (tune.module.order.empty()) throw DataError(file, number, "no order line");
  // Speed and tempo go into the first row the song plays, on channels without an effect there.
  ModPattern& first = tune.module.patterns[static_cast<size_t>(tune.module.order.front())];
  std::vector<std::pair<int, int>> settings;
  if (tune.speed != 6) settings.push_back({15, tune.speed});
  if (tune.tempo != 125) settings.push_back({15, tune.tempo});
  for (auto& cell : first[0])
    if (!settings.empty() && cell.effect == 0 && cell.param == 0) {
      cell.effect = settings.back().first;
      cell.param = settings.back().second;
      settings.pop_back();
    }
  if (!settings.empty()) throw DataError(file, 0, "no free effect on the first row for speed and tempo");
  return tune;
}

Bytes compileTune(const std::string& source, const std::string& file) {
  Tune tune = parseTune(source, file);
  try {
    return writeMod(tune.module);
  } catch (const std::invalid_argument& e) {
    throw DataError(file, 0, e.what());
  }
}

}  // namespace datakit
