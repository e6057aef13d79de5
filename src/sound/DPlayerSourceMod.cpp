// Loading a tracker module for the players.
#include "sound/DPlayerSourceMod.h"

#include "sound/StreamBytes.h"

namespace nuv::microedition::media {

bool DPlayerSourceMod::load(io::DInputStreamPtr stream) {
  bool failed = false;
  lang::DbyteArrayPtr bytes = readWholeStream(std::move(stream), failed);
  if (failed || bytes.isNull()) return false;
  const auto* image = reinterpret_cast<const uint8_t*>(bytes->data());
  loaded = music.load(image, static_cast<size_t>(bytes->length > 0 ? bytes->length : 0), true) == 0;
  return loaded;
}

}  // namespace nuv::microedition::media
