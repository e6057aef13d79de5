// Frame animations: construction from frame names, adding frames, and the paint that advances them.
#include "gamelib/Animation.h"

#include <algorithm>

#include "gamelib/GameLib.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/TextTable.h"

namespace gamelib {

using nuv::lang::DStringArrayPtr;

Animation::Animation(int32_t n) : frames(new GameImageArray(n)) {}

Animation::Animation(DStringArrayPtr names) : frames(new GameImageArray(names->length)) {
  for (int32_t i = 0; i < names->length; ++i) {
    GameImagePtr frame = GameImage::create((*names)[i]);
    (*frames)[i] = frame;
    if (frame.isNull()) continue;
    maxWidth = std::max(maxWidth, frame->w);
    maxHeight = std::max(maxHeight, frame->h);
  }
}

void Animation::loadList(nuv::lang::DStringPtr name) {
  nuv::lang::DStringPtr path = GameLib::resolvePath(u"graphics/", name);
  if (path.isNull()) ResourceDamage::refuseMissing(GameLib::firstCandidate(u"graphics/", name));
  TextTable::load(path, false);
}

nuv::lang::DPtr<Animation> Animation::runningOver(const nuv::lang::DPtr<Animation>& shared) {
  nuv::lang::DPtr<Animation> copy = new Animation();
  if (!shared.isNull()) {
    copy->frames = shared->frames;
    copy->frameCount = shared->frameCount;
    copy->ticksPerFrame = shared->ticksPerFrame;
    copy->maxWidth = shared->maxWidth;
    copy->maxHeight = shared->maxHeight;
  }
  return copy;
}

void Animation::addFrame(GameImagePtr image) {
  (*frames)[frameCount] = image;
  if (!image.isNull()) {
    maxWidth = std::max(maxWidth, image->w);
    maxHeight = std::max(maxHeight, image->h);
  }
  ++frameCount;
}

void Animation::restart() {
  running = true;
  tickCounter = 0;
  currentFrame = 0;
}

void Animation::paint(int32_t x, int32_t y) {
  GameImagePtr frame = (*frames)[currentFrame];
  frame->paint(x, y);
  lastWidth = frame->w;
  lastHeight = frame->h;
  finished = false;
  if (running && tickCounter == ticksPerFrame) {
    tickCounter = 0;
    if (++currentFrame == frames->length) {
      currentFrame = 0;
      finished = true;
    }
  }
  ++tickCounter;
}

}  // namespace gamelib
