// The sound system's start and end, the player factory and the all-channel controls.
#include "sound/DManager.h"

#include <memory>
#include <string>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "sound/DPlayerMod.h"
#include "sound/DPlayerWav.h"
#include "sound/aud/audSpeaker.h"

namespace nuv::microedition::media {
namespace {

constexpr int32_t kStartVolume = 32;
constexpr int kFallbackRates = 3;

// The media layer's globals; main thread only.
bool soundStarted = false;
std::unique_ptr<audSpeaker> speaker;
int32_t musicChannels = 0;
int32_t sfxChannels = 0;
DPlayerArrayPtr playerArray;

int32_t intProperty(const char16_t* key) { return lang::DSystem::getIntProperty(key); }

int32_t fallbackRate(int n) {
  std::u16string key = u"sound.frequency." + std::u16string(1, static_cast<char16_t>(u'0' + n));
  return lang::DSystem::getIntProperty(key.c_str());
}

// One round of fallbacks; the library's exceptions count as a failed round.
bool tryFallbacks(int32_t bps, int32_t stereo) {
  try {
    for (int n = 1; n <= kFallbackRates; ++n) {
      if (speaker->open(fallbackRate(n), bps, stereo, musicChannels, sfxChannels) == 0) return true;
    }
  } catch (lang::DExceptionBase* e) {
    auto handled = lang::catchException(e, lang::ExceptionCode::Exception);
  }
  return false;
}

}  // namespace

void DManager::initSound() {
  if (soundStarted) return;
  int32_t stereo = intProperty(u"sound.stereo");
  int32_t frequency = intProperty(u"sound.frequency");
  int32_t bps = intProperty(u"sound.bps");
  sfxChannels = intProperty(u"sound.sfx_channels");
  musicChannels = intProperty(u"sound.music_channels");
  // A failed start's mixer is replaced by a new one.
  speaker = std::make_unique<audSpeaker>();
  bool opened = speaker->open(frequency, bps, stereo != 0 ? 1 : 0, musicChannels, sfxChannels) == 0;
  if (!opened) opened = tryFallbacks(bps, 1);
  if (!opened) opened = tryFallbacks(bps, 0);
  if (!opened) return;
  speaker->setMusicVolume(kStartVolume);
  speaker->setSoundVolume(kStartVolume);
  // Sized from the counts the mixer settled on, so every channel index has a slot.
  playerArray = new DPlayerArray(static_cast<int32_t>(speaker->getMusicCount() + speaker->getSoundCount()));
  soundStarted = true;
}

void DManager::pauseOutput() {
  if (speaker) speaker->pause();
}

void DManager::resumeOutput() {
  if (speaker) speaker->resume();
}

void DManager::doneSound() {
  // Silence every channel first: releasing the players frees the samples the worker is still mixing.
  if (speaker) {
    speaker->stopAllSounds();
    speaker->stopAllMusic();
  }
  playerArray = nullptr;
  if (speaker) speaker->close();
  speaker.reset();
  soundStarted = false;
}

DPlayerPtr DManager::createPlayer(io::DInputStreamPtr stream, lang::DStringPtr type) {
  if (stream.isNull()) lang::throwException(lang::ExceptionCode::IllegalArgumentException);
  if (type.isNull()) lang::throwException(lang::ExceptionCode::MediaException);
  initSound();
  if (type->equals(lang::DStringPtr(u"audio/x-wav").get())) return new DPlayerWav(std::move(stream));
  if (type->equals(lang::DStringPtr(u"audio/mod").get())) return new DPlayerMod(std::move(stream));
  return nullptr;
}

void DManager::setSoundVolume(int32_t v) {
  if (speaker) speaker->setSoundVolume(v);
}

int32_t DManager::getSoundVolume() { return speaker ? speaker->getSoundVolume() : 0; }

void DManager::setMusicVolume(int32_t v) {
  if (speaker) speaker->setMusicVolume(v);
}

int32_t DManager::getMusicVolume() { return speaker ? speaker->getMusicVolume() : 0; }

void DManager::stopAll() {
  if (!speaker) return;
  speaker->stopAllSounds();
  speaker->stopAllMusic();
}

void DManager::pauseAll() {
  if (!speaker) return;
  speaker->pauseAllSounds();
  speaker->pauseAllMusic();
}

void DManager::resumeAll() {
  if (!speaker) return;
  speaker->resumeAllSounds();
  speaker->resumeAllMusic();
}

bool DManager::isSoundStarted() { return soundStarted; }

audSpeaker* DManager::getSpeaker() { return speaker.get(); }

DPlayerArray* DManager::getPlayerArray() { return playerArray.get(); }

}  // namespace nuv::microedition::media
