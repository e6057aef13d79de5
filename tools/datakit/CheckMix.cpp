// A game's tunes and loudest effects mixed by the program's mixer at the highest levels, for the checker.
#include "CheckMix.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Stage.h"
#include "core/lang/DString.h"
#include "core/lang/DSystem.h"
#include "sound/aud/audDriver.h"
#include "sound/aud/audMusic.h"
#include "sound/aud/audSound.h"
#include "sound/aud/audSpeaker.h"

namespace datakit {

namespace {

// The output the checker mixes into: 16-bit stereo, as the program's sound properties ask for.
constexpr int32_t kBits = 16;
constexpr int32_t kStereo = 1;
constexpr int kSides = 2;
constexpr std::int32_t kFullScale = 32767;
// Long enough for any tune of 128 orders at the slowest tempo; a tune that plays on is cut there.
constexpr std::uint32_t kLongestTuneSeconds = 20 * 60;
constexpr std::uint32_t kMixChunkFrames = 4096;

// A driver without a device: the checker calls the mixer itself, on its own thread.
class SilentOutput : public audDriver {
 public:
  int32_t open(const audFormat*, uint32_t, audMixFunction, void*) override { return 0; }
  int32_t close() override { return 0; }
  void lock() override {}
  void unlock() override {}
  void pause() override {}
  void resume() override {}
};

int32_t property(const char16_t* key) { return nuv::lang::DSystem::getIntProperty(key); }

// The mixer as the program opens it, both master volumes at the highest level, and what it put out: all of
// it, or only the latest run's.
class Mixer {
 public:
  explicit Mixer(bool keepAll = true) : keepAll_(keepAll) {
    speaker_.open(std::make_unique<SilentOutput>(), property(u"sound.frequency"), kBits, kStereo,
                  property(u"sound.music_channels"), property(u"sound.sfx_channels"));
    speaker_.setMusicVolume(audSpeaker::kMaxVolume);
    speaker_.setSoundVolume(audSpeaker::kMaxVolume);
  }

  void play(const std::vector<const audMusic*>& tunes) {
    for (const audMusic* t : tunes) speaker_.playMusic(t, audSpeaker::kAnyChannel);
  }
  void play(const std::vector<const audSound*>& effects) {
    for (const audSound* e : effects) speaker_.playSound(e, audSpeaker::kAnyChannel);
  }

  void run(std::uint32_t frames) {
    if (!keepAll_) out_.clear();
    while (frames > 0) {
      const std::uint32_t n = std::min(frames, kMixChunkFrames);
      const size_t at = out_.size();
      out_.resize(at + size_t{n} * kSides);
      speaker_.mix(out_.data() + at, n * kSides * sizeof(std::int16_t));
      frames -= n;
    }
  }

  // Whether a channel of the kind still plays.
  bool playing(bool music) {
    const std::uint32_t first = music ? 0 : speaker_.getMusicCount();
    const std::uint32_t count = music ? speaker_.getMusicCount() : speaker_.getSoundCount();
    for (std::uint32_t i = first; i < first + count; ++i)
      if (!speaker_.getChannel(static_cast<int32_t>(i))->stopped) return true;
    return false;
  }

  // Mixes until every effect has ended.
  void runOutEffects() {
    while (playing(false)) run(kMixChunkFrames);
  }

  std::uint32_t frames() const { return static_cast<std::uint32_t>(out_.size() / kSides); }
  const std::vector<std::int16_t>& out() const { return out_; }

 private:
  audSpeaker speaker_;
  bool keepAll_;
  std::vector<std::int16_t> out_;
};

double dbfs(double amplitude) { return amplitude > 0 ? 20 * std::log10(amplitude / 32768.0) : -120.0; }

std::int32_t peakOf(const std::vector<std::int16_t>& samples) {
  std::int32_t peak = 0;
  for (std::int16_t s : samples) peak = std::max(peak, std::abs(std::int32_t{s}));
  return peak;
}

struct Loaded {
  std::vector<std::unique_ptr<audMusic>> tunes;    // looping, as the games play them
  std::vector<std::unique_ptr<audMusic>> onePass;  // the same once through
  std::vector<std::unique_ptr<audSound>> effects;
  std::vector<std::string> effectNames;
};

// The sounds refer into the files, which outlive them.
Loaded load(const std::vector<MixSound>& tunes, const std::vector<MixSound>& effects) {
  Loaded l;
  for (const MixSound& t : tunes)
    for (bool loop : {true, false}) {
      auto music = std::make_unique<audMusic>();
      if (music->load(t.file.data(), t.file.size(), false) != 0) break;
      music->loop = loop;
      (loop ? l.tunes : l.onePass).push_back(std::move(music));
    }
  for (const MixSound& e : effects) {
    auto sound = std::make_unique<audSound>();
    if (sound->loadWav(e.file.data(), e.file.size(), true) != 0) continue;
    l.effects.push_back(std::move(sound));
    l.effectNames.push_back(e.name);
  }
  return l;
}

std::vector<const audMusic*> pointers(const std::vector<std::unique_ptr<audMusic>>& tunes) {
  std::vector<const audMusic*> out;
  for (const auto& t : tunes) out.push_back(t.get());
  return out;
}

// Where the tunes are loudest on one side in one direction: the frame, and how far the sample goes that way.
struct Place {
  int side = 0;
  int sign = 1;
  std::uint32_t frame = 0;
  std::int32_t reach = 0;
};

// One pass of the song (looping tunes would never end), looked at as it is mixed: the loudest place on
// each side in each direction, for a stack may meet the tunes in any of them.
std::vector<Place> loudestPlaces(const std::vector<const audMusic*>& onePass) {
  std::vector<Place> places;
  for (int side = 0; side < kSides; ++side)
    for (int sign : {1, -1}) places.push_back({side, sign, 0, 0});
  Mixer mixer(false);
  mixer.play(onePass);
  const std::uint32_t limit = kLongestTuneSeconds * static_cast<std::uint32_t>(property(u"sound.frequency"));
  for (std::uint32_t at = 0; mixer.playing(true) && at < limit; at += kMixChunkFrames) {
    mixer.run(kMixChunkFrames);
    const std::vector<std::int16_t>& chunk = mixer.out();
    for (Place& p : places)
      for (size_t i = static_cast<size_t>(p.side); i < chunk.size(); i += kSides)
        if (p.sign * std::int32_t{chunk[i]} > p.reach) {
          p.reach = p.sign * std::int32_t{chunk[i]};
          p.frame = at + static_cast<std::uint32_t>(i / kSides);
        }
  }
  return places;
}

MixCase mixCase(std::string what, const std::vector<const audMusic*>& tunes, const Place& loudest,
                const std::vector<const audSound*>& effects, std::vector<std::string> names) {
  MixCase c;
  c.what = std::move(what);
  c.effects = std::move(names);
  c.side = loudest.side;
  c.sign = loudest.sign;
  // The effects alone: their loudest sample on the place's side and in its direction.
  Mixer alone;
  alone.play(effects);
  alone.runOutEffects();
  std::uint32_t offset = 0;
  std::int32_t best = 0;
  for (std::uint32_t f = 0; f < alone.frames(); ++f) {
    const std::int32_t v = loudest.sign * alone.out()[size_t{f} * kSides + static_cast<size_t>(loudest.side)];
    if (v > best) {
      best = v;
      offset = f;
    }
  }
  // The mix itself, the effects started so that their loudest sample meets the tunes' loudest. Where that
  // lies too near the tunes' start, the effects start first: the tunes loop, so the place comes again.
  Mixer both;
  const std::uint32_t start = loudest.frame > offset ? loudest.frame - offset : 0;
  const std::uint32_t lead = loudest.frame > offset ? 0 : offset - loudest.frame;
  if (lead > 0) both.play(effects);
  both.run(lead);
  both.play(tunes);
  both.run(start);
  if (lead == 0) both.play(effects);
  both.run(alone.frames());
  const std::vector<std::int16_t> window(both.out().begin() + static_cast<long>(size_t{start} * kSides),
                                         both.out().end());
  const std::int32_t peak = peakOf(window);
  c.tune = dbfs(loudest.reach);
  c.effectsThere = dbfs(best);
  c.together = dbfs(loudest.reach + best);
  c.mixPeak = dbfs(peak);
  c.fullScale = peak >= kFullScale;
  return c;
}

// A stack met with the tunes at each of their loudest places; the loudest mix of them.
MixCase worstCase(const std::string& what, const std::vector<const audMusic*>& tunes, const std::vector<Place>& places,
                  const std::vector<const audSound*>& effects, const std::vector<std::string>& names) {
  MixCase worst;
  for (size_t i = 0; i < places.size(); ++i) {
    MixCase c = mixCase(what, tunes, places[i], effects, names);
    if (i == 0 || c.mixPeak > worst.mixPeak) worst = std::move(c);
  }
  return worst;
}

std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (size_t i = 0; i < names.size(); ++i) out += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
  return out;
}

std::string baseName(const std::string& name) { return name.substr(name.rfind('/') + 1); }

}  // namespace

GameSounds playSoundsOf(const GameRow& game, const std::filesystem::path& tree) {
  GameSounds sounds;
  for (const std::string& sound : game.sounds) {
    const std::string wav = sound + ".wav", mod = sound + ".mod";
    if (std::filesystem::exists(tree / wav)) sounds.effects.push_back({wav, readBytes(tree / wav)});
    if (std::filesystem::exists(tree / mod) && baseName(sound) != "menu")
      sounds.tunes.push_back({mod, readBytes(tree / mod)});
  }
  return sounds;
}

std::vector<MixCase> mixGameSounds(const std::vector<MixSound>& tunes, const std::vector<MixSound>& effects) {
  Loaded l = load(tunes, effects);
  if (l.tunes.empty() || l.effects.empty()) return {};
  const std::vector<const audMusic*> music = pointers(l.tunes);
  const std::vector<Place> loudest = loudestPlaces(pointers(l.onePass));

  // The effects by their own peaks in the mix, the loudest first (ties by name, so that runs agree).
  std::vector<std::pair<std::int32_t, size_t>> ranked;
  for (size_t i = 0; i < l.effects.size(); ++i) {
    Mixer one;
    one.play({l.effects[i].get()});
    one.runOutEffects();
    ranked.push_back({peakOf(one.out()), i});
  }
  std::stable_sort(ranked.begin(), ranked.end(), [&](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : l.effectNames[a.second] < l.effectNames[b.second];
  });

  const size_t top = ranked.front().second;
  std::vector<MixCase> cases;
  cases.push_back(worstCase(std::to_string(kStackedCopies) + " copies of its loudest effect", music, loudest,
                            std::vector<const audSound*>(kStackedCopies, l.effects[top].get()),
                            std::vector<std::string>(kStackedCopies, l.effectNames[top])));
  std::vector<const audSound*> loudestFew;
  std::vector<std::string> names;
  for (size_t i = 0; i < ranked.size() && i < static_cast<size_t>(kLoudestTogether); ++i) {
    loudestFew.push_back(l.effects[ranked[i].second].get());
    names.push_back(l.effectNames[ranked[i].second]);
  }
  cases.push_back(
      worstCase("its " + std::to_string(loudestFew.size()) + " loudest effects", music, loudest, loudestFew, names));
  return cases;
}

int mixRate() { return property(u"sound.frequency"); }

std::vector<std::int16_t> playTunesOnce(const std::vector<MixSound>& tunes) {
  Loaded l = load(tunes, {});
  Mixer mixer;
  mixer.play(pointers(l.onePass));
  const std::uint32_t limit = kLongestTuneSeconds * static_cast<std::uint32_t>(mixRate());
  while (mixer.playing(true) && mixer.frames() < limit) mixer.run(kMixChunkFrames);
  return mixer.out();
}

std::string describeClip(const MixCase& c, const std::vector<MixSound>& tunes) {
  std::vector<std::string> tuneNames, effectNames;
  for (const MixSound& t : tunes) tuneNames.push_back(baseName(t.name));
  for (const std::string& e : c.effects)
    if (std::find(effectNames.begin(), effectNames.end(), baseName(e)) == effectNames.end())
      effectNames.push_back(baseName(e));
  const char* side = c.side == 0 ? "left" : "right";
  const char* direction = c.sign > 0 ? "above" : "below";
  char levels[240];
  std::snprintf(levels, sizeof levels,
                " reaches full scale at the highest levels: the music peaks at %.1f dBFS there (on the %s, %s zero), "
                "the effects at %.1f dBFS, together %+.1f dBFS (lower the game's effects or its music)",
                c.tune, side, direction, c.effectsThere, c.together);
  return joined(tuneNames) + " with " + c.what + " (" + joined(effectNames) +
         ") started together at its loudest place" + levels;
}

}  // namespace datakit
