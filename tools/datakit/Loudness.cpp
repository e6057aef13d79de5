// Integrated loudness (EBU R 128) of a stereo recording.
#include "Loudness.h"

#include <cmath>

namespace datakit {

namespace {

constexpr int kSides = 2;
// The K-weighting: a high shelf for the head's effect, then a high pass, designed for the rate from the
// standard's analogue curves.
constexpr double kShelfHz = 1681.974450955533;
constexpr double kShelfGainDb = 3.999843853973347;
constexpr double kShelfQ = 0.7071752369554196;
constexpr double kShelfBandShare = 0.4996667741545416;
constexpr double kHighPassHz = 38.13547087602444;
constexpr double kHighPassQ = 0.5003270373238773;
// Blocks of 400 ms every 100 ms; gates at -70 LUFS and 10 LU under the blocks above it.
constexpr double kBlockSeconds = 0.4;
constexpr int kStepsPerBlock = 4;
constexpr double kAbsoluteGate = -70.0;
constexpr double kRelativeGate = -10.0;
constexpr double kOffset = -0.691;

struct Biquad {
  double b0, b1, b2, a1, a2;
  double z1 = 0, z2 = 0;
  double step(double x) {
    const double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
  }
};

Biquad shelf(int rate) {
  const double k = std::tan(M_PI * kShelfHz / rate);
  const double vh = std::pow(10.0, kShelfGainDb / 20.0);
  const double vb = std::pow(vh, kShelfBandShare);
  const double a0 = 1.0 + k / kShelfQ + k * k;
  return {(vh + vb * k / kShelfQ + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / kShelfQ + k * k) / a0,
          2.0 * (k * k - 1.0) / a0, (1.0 - k / kShelfQ + k * k) / a0};
}

Biquad highPass(int rate) {
  const double k = std::tan(M_PI * kHighPassHz / rate);
  const double a0 = 1.0 + k / kHighPassQ + k * k;
  return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / kHighPassQ + k * k) / a0};
}

double loudnessOf(double power) { return power > 0 ? kOffset + 10.0 * std::log10(power) : -HUGE_VAL; }

}  // namespace

double integratedLoudness(const std::vector<std::int16_t>& stereo, int rate) {
  // The weighted power of each 100 ms step, both channels added.
  const size_t frames = stereo.size() / kSides;
  const size_t step = static_cast<size_t>(std::lround(kBlockSeconds * rate / kStepsPerBlock));
  std::vector<double> steps(frames / step, 0.0);
  for (int side = 0; side < kSides; ++side) {
    Biquad first = shelf(rate), second = highPass(rate);
    for (size_t f = 0; f < steps.size() * step; ++f) {
      const double y = second.step(first.step(stereo[f * kSides + static_cast<size_t>(side)] / 32768.0));
      steps[f / step] += y * y;
    }
  }
  std::vector<double> blocks;
  for (size_t i = 0; i + kStepsPerBlock <= steps.size(); ++i) {
    double sum = 0;
    for (int k = 0; k < kStepsPerBlock; ++k) sum += steps[i + static_cast<size_t>(k)];
    blocks.push_back(sum / static_cast<double>(step * kStepsPerBlock));
  }
  auto meanAbove = [&](double gate) {
    double sum = 0;
    int count = 0;
    for (double b : blocks)
      if (loudnessOf(b) > gate) {
        sum += b;
        ++count;
      }
    return count > 0 ? sum / count : 0.0;
  };
  const double loud = meanAbove(kAbsoluteGate);
  if (loud <= 0) return kAbsoluteGate;
  return loudnessOf(meanAbove(loudnessOf(loud) + kRelativeGate));
}

}  // namespace datakit
