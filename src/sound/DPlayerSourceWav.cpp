// Loading a WAV sample for the players.
#include "sound/DPlayerSourceWav.h"

#include "sound/StreamBytes.h"

namespace nuv::microedition::media {

bool DPlayerSourceWav::load(io::DInputStreamPtr stream) {
  bool failed = false;
  lang::DbyteArrayPtr bytes = readWholeStream(std::move(stream), failed);
  if (failed || bytes.isNull()) return false;
  const auto* image = reinterpret_cast<const uint8_t*>(bytes->data());
  loaded = sound.loadWav(image, static_cast<size_t>(bytes->length > 0 ? bytes->length : 0), true) == 0;
  return loaded;
}

}  // namespace nuv::microedition::media
