// The decoded data of a WAV sample, shared by a player and its duplicates.
#pragma once

#include "core/io/DInputStream.h"
#include "core/lang/DObject.h"
#include "sound/aud/audSound.h"

namespace nuv::microedition::media {

class DPlayerSourceWav : public lang::DObject {
 public:
  const char* getClassName() const override { return "DPlayerSourceWav"; }
  // Reads the whole stream and decodes it; false when it cannot be read or is no WAVE sample.
  bool load(nuv::io::DInputStreamPtr stream);

  audSound sound;
  bool loaded = false;
  // Why the last load was refused, or null.
  const char16_t* refusal = nullptr;
};

using DPlayerSourceWavPtr = lang::DPtr<DPlayerSourceWav>;

}  // namespace nuv::microedition::media
