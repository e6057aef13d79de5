// Loudness as EBU R 128 measures it (ITU-R BS.1770): the two channels K-weighted, cut into 400 ms blocks
// every 100 ms, the quiet blocks gated off, the rest averaged. The program's sound is compared by it.
#pragma once

#include <cstdint>
#include <vector>

namespace datakit {

// The integrated loudness in LUFS of interleaved 16-bit stereo samples at the rate; -70 or less for
// silence or a recording shorter than a block.
double integratedLoudness(const std::vector<std::int16_t>& stereo, int rate);

}  // namespace datakit
