// Music players: sources of tracker modules played on music channels.
#include "sound/DPlayerMod.h"

#include "sound/DPlayerSourceMod.h"
#include "sound/aud/audSpeaker.h"

namespace nuv::microedition::media {

lang::DObjectPtr DPlayerMod::newSource() { return new DPlayerSourceMod; }

bool DPlayerMod::loadSource(io::DInputStreamPtr from, const char16_t*& why) {
  auto* mod = dynamic_cast<DPlayerSourceMod*>(source.get());
  if (mod == nullptr) return false;
  const bool loaded = mod->load(std::move(from));
  why = mod->refusal;
  return loaded;
}

int32_t DPlayerMod::playOnMixer(audSpeaker& speaker) {
  auto* mod = dynamic_cast<DPlayerSourceMod*>(source.get());
  return mod ? speaker.playMusic(&mod->music, audSpeaker::kAnyChannel) : audSpeaker::kPlayFailed;
}

DPlayerPtr DPlayerMod::duplicate() {
  auto* mod = dynamic_cast<DPlayerSourceMod*>(source.get());
  return new DPlayerMod(source, mod != nullptr && mod->loaded);
}

}  // namespace nuv::microedition::media
