// Loading a WAV sample for the players.
#include "sound/DPlayerSourceWav.h"

#include "sound/StreamBytes.h"

namespace nuv::microedition::media {

bool DPlayerSourceWav::load(io::DInputStreamPtr stream) {
  refusal = decodeWholeStream(
      std::move(stream), [this](const uint8_t* image, size_t size) { return sound.loadWav(image, size, true); },
      audSound::refusal);
  loaded = refusal == nullptr;
  return loaded;
}

}  // namespace nuv::microedition::media
