// One drawable of a widget or of a marked-up text: a colour box, a picture, or the timing of a frame
// animation of the game library. Painted at a point or tiled over an area.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "gamelib/Animation.h"
#include "gui/GUIRect.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"

namespace gamelib {

class GUIAnimation : public nuv::lang::DObject {
 public:
  static constexpr int32_t KIND_FRAMES = 0;
  static constexpr int32_t KIND_BOX = 1;
  static constexpr int32_t KIND_PICTURE = 2;
  // A box colour that is not drawn.
  static constexpr int32_t kNoColour = -1;

  // A picture (kind 2).
  explicit GUIAnimation(nuv::microedition::lcdui::DImagePtr picture);
  // A box (kind 1), sized by the area it is painted over.
  GUIAnimation(int32_t fillColour, int32_t borderColour);
  // A frame animation (kind 0) of the game library: only its size and its timing count here, it draws
  // nothing; one that does not loop is finished once painted.
  GUIAnimation(AnimationPtr frames, bool loop);
  const char* getClassName() const override { return "GUIAnimation"; }

  // Kind 0: the animation's largest frame; kind 2: the picture; kind 1: (0, 0).
  GUISize getSize();
  // What an area is tiled with: the same sizes as getSize.
  GUISize getTileSize();
  // The text area of a frame: none for every kind.
  GUIRect getFrameRect(int32_t frame);
  // Kinds 1 and 2 are always finished.
  bool isFinished() const;
  void setFrame(int32_t n);
  void setFinished(bool flag);

  void paintAt(const nuv::microedition::lcdui::DGraphicsPtr& g, int32_t x, int32_t y);
  // Kind 1 fills the area; kinds 0 and 2 tile it from the corner the tile alignment names. The clip is
  // narrowed to the area and restored.
  void paintArea(const nuv::microedition::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h);

  int32_t kind;
  AnimationPtr frames;
  nuv::microedition::lcdui::DImagePtr picture;
  int32_t fillColour = kNoColour;
  int32_t borderColour = kNoColour;
  int32_t width = 0;
  int32_t height = 0;
  int32_t frame = 0;
  bool loop = false;
  bool finished = false;
  int32_t tileAlign = 0;
};

using GUIAnimationPtr = nuv::lang::DPtr<GUIAnimation>;

// One animation bound to a pattern of state bits; mask bit 31 marks a binding for state changes.
class GUIWidgetAnimation : public nuv::lang::DObject {
 public:
  static constexpr uint32_t kTransition = 0x80000000u;

  GUIWidgetAnimation(uint32_t stateBits, uint32_t mask, GUIAnimationPtr animation)
      : stateBits(stateBits), mask(mask), animation(std::move(animation)) {}
  const char* getClassName() const override { return "GUIWidgetAnimation"; }

  uint32_t stateBits;
  uint32_t mask;
  GUIAnimationPtr animation;
};

using GUIWidgetAnimationPtr = nuv::lang::DPtr<GUIWidgetAnimation>;

}  // namespace gamelib
