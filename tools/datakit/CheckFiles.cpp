// The checker's tests of single files: sounds, modules, help texts, image tables, animation lists.
#include "CheckFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "CheckMix.h"
#include "Wav.h"
#include "sound/aud/audSpeaker.h"

namespace datakit {

std::vector<std::u16string> splitText(const std::u16string& text, char16_t sep) {
  std::vector<std::u16string> parts{u""};
  for (char16_t c : text)
    if (c == sep)
      parts.emplace_back();
    else
      parts.back().push_back(c);
  return parts;
}

std::vector<Fault> checkPictureFile(const Bytes& file) {
  PngInfo info;
  if (!readPngInfo(file, info)) return {{0, "not a PNG file"}};
  if (info.colourType == 4 || info.colourType == 6)
    return {{0, "pictures carry no alpha: transparency is the key colour"}};
  Image image;
  try {
    image = decodePng(file);
  } catch (const std::exception& e) {
    return {{0, e.what()}};
  }
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (Rgb c = image.at(x, y); c != kKeyColour && isKeyIn565(c))
        return {{0, "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                        ") turns transparent on the device; use #FF00FF or another colour"}};
  return {};
}

std::vector<Fault> checkWavFile(const Bytes& file) {
  WavInfo w;
  if (!readWav(file, w)) return {{0, "not a WAVE file the program accepts"}};
  if (w.channels < 1 || w.channels > 2) return {{0, "one or two channels"}};
  Samples samples;
  if (w.format == 2) {
    if (w.bits != 4 || w.channels != 1 || w.samplesPerBlock != (w.blockAlign - 7) * 2 + 2)
      return {{0, "ADPCM layout the program does not decode"}};
    samples = decodeAdpcmData(w.data, w.blockAlign, w.samplesPerBlock);
    if (samples.empty()) return {{0, "ADPCM data without a whole block"}};
  } else if (w.format != 1 || (w.bits != 8 && w.bits != 16)) {
    return {{0, "PCM of 8 or 16 bits, or Microsoft ADPCM"}};
  } else if (w.bits == 16) {
    for (size_t i = 0; i + 1 < w.data.size(); i += 2)
      samples.push_back(static_cast<std::int16_t>(w.data[i] | w.data[i + 1] << 8));
  } else {
    for (std::uint8_t b : w.data) samples.push_back(static_cast<std::int16_t>((b - 0x80) * 256));
  }
  for (std::int16_t s : samples)
    if (s >= 32767 || s <= -32768) return {{0, "the sound clips"}};
  // Effects stack: copies started on one frame add up sample for sample in the mixer, at the highest
  // level with the full master and channel volumes.
  const std::int64_t gain = std::int64_t{audSpeaker::kMaxVolume} * audSpeaker::kMaxVolume >> 6;
  std::int16_t peak = 0;
  for (std::int16_t s : samples)
    if (std::abs(int{s}) > std::abs(int{peak})) peak = s;
  const std::int64_t mixed = (kStackedCopies * gain * peak) >> audSpeaker::kEffectShift;
  if (mixed > 32767 || mixed < -32768) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "%d copies of this sound started on one frame clip the mix at the highest level: its peak is %.1f "
                  "dBFS, at most %.1f dBFS fits (lower its level)",
                  kStackedCopies, 20 * std::log10(std::abs(peak) / 32768.0),
                  20 * std::log10(32767.0 * (1 << audSpeaker::kEffectShift) / (kStackedCopies * gain) / 32768.0));
    return {{0, text}};
  }
  return {};
}

std::vector<Fault> checkModFile(const Bytes& m) {
  if (m.size() < 1084 || m[1080] != 'M' || m[1081] != '.' || m[1082] != 'K' || m[1083] != '.')
    return {{0, "not a four-channel module"}};
  int length = m[950];
  if (length < 1 || length > 128) return {{0, "song length 1 to 128"}};
  std::vector<Fault> faults;
  int patterns = 1 + *std::max_element(m.begin() + 952, m.begin() + 952 + length);
  size_t size = 1084 + static_cast<size_t>(patterns) * 4 * 256;
  for (int i = 0; i < 31; ++i) {
    const std::uint8_t* h = m.data() + 20 + 30 * i;
    size += static_cast<size_t>(h[22] << 8 | h[23]) * 2;
    if (h[24] > 15 || h[25] > 64)
      faults.push_back({0, "sample " + std::to_string(i + 1) + ": finetune or volume out of range"});
  }
  if (m.size() != size)
    faults.push_back({0, "module is " + std::to_string(m.size()) + " bytes, its header says " + std::to_string(size)});
  return faults;
}

std::vector<Fault> checkHelpLines(const std::vector<TableLine>& paragraphs) {
  std::vector<Fault> faults;
  if (!paragraphs.empty() && paragraphs.front().text.empty())
    faults.push_back({1, "a help text may not start with an empty paragraph"});
  for (const TableLine& l : paragraphs) {
    if (l.text.size() == 1) faults.push_back({l.line, "one-character paragraphs are not shown"});
    if (l.text.size() >= 2 && l.text[0] == u'%' && l.text.find_first_not_of(u"0123456789", 1) != std::u16string::npos)
      faults.push_back({l.line, "an animation paragraph is % and a number"});
  }
  return faults;
}

std::vector<Fault> checkImageTableLines(const std::vector<TableLine>& lines, const PngInfo& picture,
                                        const std::string& pictureName) {
  std::vector<Fault> faults;
  for (const TableLine& l : lines) {
    std::vector<std::u16string> f = splitText(l.text, u';');
    if (f.size() != 5) {
      faults.push_back({l.line, "an image table line is key;x;y;w;h"});
      continue;
    }
    int v[4];
    bool numbers = true;
    for (int i = 0; i < 4; ++i) {
      std::string s(f[i + 1].begin(), f[i + 1].end());
      numbers = numbers && !s.empty() && s.size() < 6 && s.find_first_not_of("0123456789") == std::string::npos;
      v[i] = numbers ? std::stoi(s) : 0;
    }
    if (!numbers)
      faults.push_back({l.line, "x, y, w and h are decimal numbers"});
    else if (v[2] <= 0 || v[3] <= 0 || v[0] + v[2] > picture.width || v[1] + v[3] > picture.height)
      faults.push_back({l.line, "rectangle lies outside " + pictureName});
  }
  return faults;
}

std::vector<Fault> checkAnimationLines(const std::vector<TableLine>& lines, const std::vector<TableLine>& images,
                                       const std::string& imagesName) {
  std::set<std::u16string> keys;
  for (const TableLine& l : images) keys.insert(splitText(l.text, u';')[0]);
  std::vector<Fault> faults;
  for (const TableLine& l : lines) {
    size_t eq = l.text.find(u'=');
    if (eq == std::u16string::npos) {
      faults.push_back({l.line, "line without '='"});
      continue;
    }
    for (std::u16string frame : splitText(l.text.substr(eq + 1), u';')) {
      for (const char16_t* suffix : {u"_up", u"_dn", u"_lv", u"_mr"})
        if (frame.size() >= 3 && frame.compare(frame.size() - 3, 3, suffix) == 0) {
          frame.resize(frame.size() - 3);
          break;
        }
      if (!keys.count(frame)) faults.push_back({l.line, "frame \"" + toUtf8(frame) + "\" is not in " + imagesName});
    }
  }
  return faults;
}

}  // namespace datakit
