// What sample and music players share: the life cycle, channel ownership and the channel controls.
#include "sound/DPlayer.h"

#include "core/lang/DExceptionBase.h"
#include "sound/DManager.h"
#include "sound/aud/audSpeaker.h"

namespace nuv::microedition::media {

using lang::ExceptionCode::IllegalArgumentException;
using lang::ExceptionCode::IllegalStateException;
using lang::ExceptionCode::MediaException;

DPlayer::DPlayer(int32_t music, io::DInputStreamPtr from)
    : isMusic(music), stream(std::move(from)), state(UNREALIZED) {}

DPlayer::DPlayer(int32_t music, lang::DObjectPtr sharedSource, bool loaded)
    : isMusic(music), state(loaded ? PREFETCHED : UNREALIZED), source(std::move(sharedSource)) {}

DPlayer::~DPlayer() {
  DPlayerArray* owners = DManager::getPlayerArray();
  if (owners != nullptr && state == STARTED && channel >= 0 && channel < owners->length) {
    if ((*owners)[channel].get() == this) {
      (*owners)[channel] = nullptr;
      audSpeaker* speaker = DManager::getSpeaker();
      audChannel* c = speaker ? speaker->getChannel(channel) : nullptr;
      if (c != nullptr && c->isActive()) c->stop();
    }
  }
  channel = -1;
}

audChannel* DPlayer::mixerChannel() {
  DManager::initSound();
  audSpeaker* speaker = DManager::getSpeaker();
  return speaker ? speaker->getChannel(channel) : nullptr;
}

int32_t DPlayer::isPlaying() {
  if (state != STARTED) return 0;
  DManager::initSound();
  DPlayerArray* owners = DManager::getPlayerArray();
  int32_t slots = owners ? owners->length : 0;
  if (channel < 0 || channel >= slots) lang::throwException(lang::ExceptionCode::ArrayIndexOutOfBoundsException);
  DPlayer* owner = (*owners)[channel].get();
  if (owner == nullptr && keepsStateWithEmptySlot()) return 0;
  bool owns = owner == this || (owner != nullptr && ownerMayEqual() && owner->equals(this));
  if (owns) {
    audChannel* c = mixerChannel();
    // A channel paused with all the others still belongs to its player: when they resume it plays on.
    if (c == nullptr || !c->stopped) return 1;
    (*owners)[channel] = nullptr;
  }
  state = PREFETCHED;
  channel = -1;
  return 0;
}

void DPlayer::close() { state = CLOSED; }

void DPlayer::realize() {
  if (state == CLOSED) lang::throwException(IllegalStateException);
  if (state != UNREALIZED) return;
  if (source.isNull()) source = newSource();
  if (!stream.isNull()) {
    const char16_t* why = nullptr;
    // The reason goes with the exception, so that whoever names the sound can say what is wrong with it.
    if (!loadSource(stream, why)) throw new lang::DExceptionBase(MediaException, u"%s", why ? why : u"");
  }
  stream = nullptr;
  state = REALIZED;
}

void DPlayer::prefetch() {
  if (state == CLOSED) lang::throwException(IllegalStateException);
  if (state == UNREALIZED) realize();
  if (state == REALIZED) state = PREFETCHED;
}

void DPlayer::setLoopCount(int32_t count) {
  if (count != 1 && count != -1) lang::throwException(IllegalArgumentException);
  loopCount = count;
  if (isPlaying() == 1) {
    if (audChannel* c = mixerChannel()) c->setLoop(count != 1);
  }
}

DPlayerPtr DPlayer::start() {
  if (state == CLOSED) lang::throwException(IllegalStateException);
  if (isPlaying() == 1) {
    DPlayerPtr copy = duplicate();
    copy->loopCount = loopCount;
    return copy->start();
  }
  if (state != PREFETCHED) {
    realize();
    prefetch();
    if (state != PREFETCHED) return nullptr;
  }
  if (channel < 0) {
    DManager::initSound();
    audSpeaker* speaker = DManager::getSpeaker();
    DPlayerArray* owners = DManager::getPlayerArray();
    if (speaker == nullptr || owners == nullptr) return nullptr;
    int32_t index = playOnMixer(*speaker);
    if (index < 0 || index >= owners->length) return nullptr;
    channel = index;
    (*owners)[channel] = DPlayerPtr(this);
    if (audChannel* c = mixerChannel()) c->setLoop(loopCount != 1);
  } else if (audChannel* c = mixerChannel()) {
    c->resume();
    c->setLoop(loopCount != 1);
  }
  state = STARTED;
  return this;
}

void DPlayer::stop() {
  if (state != STARTED || isPlaying() != 1 || channel < 0) return;
  if (audChannel* c = mixerChannel()) c->pause();
  state = PREFETCHED;
}

int64_t DPlayer::setMediaTime(int64_t time) {
  bool playing = isPlaying() == 1;
  if (!acceptsMediaTime(time) || !(playing || (state == PREFETCHED && channel >= 0))) return -1;
  audChannel* c = mixerChannel();
  if (state == STARTED) {
    if (c) c->setPosition(0);
  } else {
    if (c) c->stop();
    DPlayerArray* owners = DManager::getPlayerArray();
    if (owners != nullptr && channel < owners->length && (*owners)[channel].get() == this) (*owners)[channel] = nullptr;
    channel = -1;
  }
  return 0;
}

int64_t DPlayer::getMediaTime() {
  if (isPlaying() != 1) return -1;
  audChannel* c = mixerChannel();
  return c ? static_cast<int64_t>(c->getPosition()) : -1;
}

int32_t DPlayer::getVolume() {
  if (isPlaying() != 1 && channel < 0) return -1;
  audChannel* c = mixerChannel();
  return c ? c->effectiveVolume : -1;
}

void DPlayer::setVolume(int32_t volume) {
  if (isPlaying() != 1 && channel < 0) return;
  if (audChannel* c = mixerChannel()) c->setVolume(volume);
}

}  // namespace nuv::microedition::media
