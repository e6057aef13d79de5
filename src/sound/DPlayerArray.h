// Which player owns each mixer channel: music channels first, then the sound-effect channels.
#pragma once

#include "core/lang/DTypedArray.h"
#include "sound/DPlayer.h"

namespace nuv::microedition::media {

class DPlayerArray : public lang::DTypedArray<DPlayer> {
 public:
  explicit DPlayerArray(int32_t n) : DTypedArray(n) {}
};

using DPlayerArrayPtr = lang::DPtr<DPlayerArray>;

}  // namespace nuv::microedition::media
