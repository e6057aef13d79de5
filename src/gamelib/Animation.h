// Frame animations over game images, advanced by their paint calls: every screen paints once a step, so
// the paint count is the clock.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DTypedArray.h"
#include "gamelib/GameImage.h"

namespace gamelib {

class Animation : public nuv::lang::DObject {
 public:
  static constexpr int32_t kDefaultTicksPerFrame = 2;

  Animation() = default;
  // n empty frames, filled with addFrame.
  explicit Animation(int32_t n);
  // Frame i is the game image names[i] of the table loaded now (null when it is not there).
  explicit Animation(nuv::lang::DStringArrayPtr names);
  const char* getClassName() const override { return "Animation"; }
  nuv::lang::DStringPtr toString() override { return nullptr; }

  // Reads the animation list "graphics/" + name, found through the path list, into the text table (which
  // it replaces); one that is nowhere is refused by name, a damaged one as damage.
  static void loadList(nuv::lang::DStringPtr name);

  // A new animation over the frames of another, with a clock of its own: each user keeps its own place.
  // Without frames when `shared` is null.
  static nuv::lang::DPtr<Animation> runningOver(const nuv::lang::DPtr<Animation>& shared);

  // ArrayIndexOutOfBoundsException past the last frame.
  void addFrame(GameImagePtr image);
  // Runs from frame 0.
  void restart();
  // Draws the current frame with its top-left at (x, y) and advances every ticksPerFrame + 1 paints.
  void paint(int32_t x, int32_t y);

  GameImageArrayPtr frames;
  int32_t currentFrame = 0;
  int32_t frameCount = 0;
  int32_t ticksPerFrame = kDefaultTicksPerFrame;
  int32_t tickCounter = 0;
  bool running = false;
  // Set by the paint that wrapped back to frame 0, until the next paint.
  bool finished = false;
  int32_t maxWidth = 0;
  int32_t maxHeight = 0;
  int32_t lastWidth = 0;
  int32_t lastHeight = 0;
};

using AnimationPtr = nuv::lang::DPtr<Animation>;
using AnimationArray = nuv::lang::DTypedArray<Animation>;
using AnimationArrayPtr = nuv::lang::DPtr<AnimationArray>;

}  // namespace gamelib
