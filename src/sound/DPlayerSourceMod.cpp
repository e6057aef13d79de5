// Loading a tracker module for the players.
#include "sound/DPlayerSourceMod.h"

#include <new>

#include "sound/StreamBytes.h"

namespace nuv::microedition::media {

bool DPlayerSourceMod::load(io::DInputStreamPtr stream) {
  bool failed = false;
  lang::DbyteArrayPtr bytes = readWholeStream(std::move(stream), failed);
  if (failed || bytes.isNull()) return false;
  const auto* image = reinterpret_cast<const uint8_t*>(bytes->data());
  // Memory running out for the decoded sample is a sound that does not load, not the end of the program.
  try {
    loaded = music.load(image, static_cast<size_t>(bytes->length > 0 ? bytes->length : 0), true) == 0;
  } catch (const std::bad_alloc&) {
    loaded = false;
  }
  return loaded;
}

}  // namespace nuv::microedition::media
