// The holder of the eight enemy-tank pictures the stage result screen shows.
#pragma once

#include "core/lang/DObject.h"
#include "gamelib/GameImage.h"

namespace tanks {

class GameMain;
using GameMainPtr = nuv::lang::DPtr<GameMain>;

class GameSplash : public nuv::lang::DObject {
 public:
  ~GameSplash() override;
  const char* getClassName() const override { return "GameSplash"; }

  virtual void loadImages(GameMainPtr newOwner);
  // Lets go of what loadImages made. Not named release: that name counts references in the object model.
  virtual void releaseAll();

  // Not counted: the screen owns this holder, so a count here would keep both alive for ever.
  GameMain* owner = nullptr;
  gamelib::GameImageArrayPtr images;
};

using GameSplashPtr = nuv::lang::DPtr<GameSplash>;

}  // namespace tanks
