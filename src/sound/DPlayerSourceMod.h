// The data of a tracker module, shared by a player and its duplicates.
#pragma once

#include "core/io/DInputStream.h"
#include "core/lang/DObject.h"
#include "sound/aud/audMusic.h"

namespace nuv::microedition::media {

class DPlayerSourceMod : public lang::DObject {
 public:
  const char* getClassName() const override { return "DPlayerSourceMod"; }
  // Reads the whole stream and checks the module; false when it cannot be read or is no module.
  bool load(nuv::io::DInputStreamPtr stream);

  audMusic music;
  bool loaded = false;
  // Why the last load was refused, or null.
  const char16_t* refusal = nullptr;
};

using DPlayerSourceModPtr = lang::DPtr<DPlayerSourceMod>;

}  // namespace nuv::microedition::media
