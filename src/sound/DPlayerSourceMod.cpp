// Loading a tracker module for the players.
#include "sound/DPlayerSourceMod.h"

#include "sound/StreamBytes.h"

namespace nuv::microedition::media {

bool DPlayerSourceMod::load(io::DInputStreamPtr stream) {
  refusal = decodeWholeStream(
      std::move(stream), [this](const uint8_t* image, size_t size) { return music.load(image, size, true); },
      audMusic::refusal);
  loaded = refusal == nullptr;
  return loaded;
}

}  // namespace nuv::microedition::media
