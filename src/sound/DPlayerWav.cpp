// Sample players: sources of decoded WAV data played on sound-effect channels.
#include "sound/DPlayerWav.h"

#include "sound/DPlayerSourceWav.h"
#include "sound/aud/audSpeaker.h"

namespace nuv::microedition::media {

namespace {
constexpr int32_t kCentre = 128;
}  // namespace

lang::DObjectPtr DPlayerWav::newSource() { return new DPlayerSourceWav; }

bool DPlayerWav::loadSource(io::DInputStreamPtr from, const char16_t*& why) {
  auto* wav = dynamic_cast<DPlayerSourceWav*>(source.get());
  if (wav == nullptr) return false;
  const bool loaded = wav->load(std::move(from));
  why = wav->refusal;
  return loaded;
}

int32_t DPlayerWav::playOnMixer(audSpeaker& speaker) {
  auto* wav = dynamic_cast<DPlayerSourceWav*>(source.get());
  return wav ? speaker.playSound(&wav->sound, audSpeaker::kAnyChannel) : audSpeaker::kPlayFailed;
}

DPlayerPtr DPlayerWav::duplicate() {
  auto* wav = dynamic_cast<DPlayerSourceWav*>(source.get());
  return new DPlayerWav(source, wav != nullptr && wav->loaded);
}

int32_t DPlayerWav::getPan() {
  if (isPlaying() != 1 && channel < 0) return 0;
  audChannel* c = mixerChannel();
  return c ? c->pan - kCentre : 0;
}

void DPlayerWav::setPan(int32_t pan) {
  if (isPlaying() != 1 && channel < 0) return;
  if (audChannel* c = mixerChannel()) c->setPan(pan < -128 ? 0 : (pan > 127 ? 255 : pan + kCentre));
}

}  // namespace nuv::microedition::media
