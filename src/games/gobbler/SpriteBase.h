// A score pop-up: the picture of the points won, standing where they were won for 50 game steps (3 s).
#pragma once

#include <cstdint>

#include "core/lang/DTypedArray.h"
#include "gamelib/GameImage.h"
#include "games/gobbler/rectangle.h"
#include "games/gobbler/vector_3d.h"

namespace gobbler {

class SpriteBase : public nuv::lang::DObject {
 public:
  // Steps a pop-up shows.
  static constexpr int32_t kShownSteps = 5 * (1000 / 100);
  static constexpr int32_t kGone = -1;

  // The pop-up of that picture index (data::kPopupPoints) at a position in maze pixels, of which it keeps
  // its own copy.
  SpriteBase(int32_t pictureIndex, vector_3dPtr at);
  ~SpriteBase() override;
  const char* getClassName() const override { return "SpriteBase"; }

  // Centred on its cell, the view's offset added; nothing once gone.
  virtual void draw(int32_t offsetX, int32_t offsetY);
  // One game step.
  virtual void tick();
  virtual void setPosition(int32_t x, int32_t y);

  // The picture index while it shows, kGone after.
  int32_t state;
  rectanglePtr bounds;
  gamelib::GameImagePtr picture;
  vector_3dPtr position;
  int32_t frames = 0;
};

using SpriteBasePtr = nuv::lang::DPtr<SpriteBase>;
using SpriteBaseArray = nuv::lang::DTypedArray<SpriteBase>;
using SpriteBaseArrayPtr = nuv::lang::DPtr<SpriteBaseArray>;

}  // namespace gobbler
