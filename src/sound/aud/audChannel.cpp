// Play state of a mixer channel.
#include "sound/aud/audChannel.h"

#include "sound/aud/audSpeaker.h"

audChannel::Guard::Guard(audSpeaker* speaker) : speaker_(speaker) {
  if (speaker_) speaker_->lock();
}

audChannel::Guard::~Guard() {
  if (speaker_) speaker_->unlock();
}

void audChannel::start(bool startPaused) {
  Guard guard(speaker);
  stopped = false;
  paused = startPaused;
}

void audChannel::stop() {
  Guard guard(speaker);
  stopped = true;
  paused = false;
}

void audChannel::pause() {
  Guard guard(speaker);
  if (!stopped) paused = true;
}

void audChannel::resume() {
  Guard guard(speaker);
  if (!stopped) paused = false;
}

void audChannel::setLoop(bool on) {
  Guard guard(speaker);
  loop = on;
}
