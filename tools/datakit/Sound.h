// The two sound sources of the data tree: effects synthesised from a description, and tunes.
#pragma once

#include <string>

#include "Png.h"
#include "Wav.h"

namespace datakit {

// An effect source (".sfx"): key=value lines describing up to eight voices, see docs/data.md.
// The result is a WAVE file, peak-limited below full scale so it never clips.
Bytes synthesiseEffect(const std::string& source, const std::string& file);
Samples synthesiseSamples(const std::string& source, const std::string& file, int& rate);

// A tune source (".tune") compiled into a four-channel module.
Bytes compileTune(const std::string& source, const std::string& file);

}  // namespace datakit
