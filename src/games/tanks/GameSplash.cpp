// The enemy-tank pictures of the stage result screen, facing up: turned ones on small screens, drawn
// apart on larger ones.
#include "games/tanks/GameSplash.h"

#include "gamelib/GameApi.h"
#include "games/tanks/GameMain.h"
#include "games/tanks/TanksData.h"

namespace tanks {

using namespace gamelib::api;

GameSplash::~GameSplash() {
  images = nullptr;
  owner = nullptr;
}

void GameSplash::loadImages(GameMainPtr newOwner) {
  owner = newOwner.get();
  GameImagePtr probe = GameImage::create(data::kSizeProbe);
  const bool wide = probe->w > data::kSmallSpriteWidth;
  images = new GameImageArray(data::kEnemyTypes);
  for (int32_t i = 0; i < data::kEnemyTypes; ++i) {
    (*images)[i] = wide ? GameImage::create((DStringPtr(u"etnkx") + i) + u"-dn")
                        : GameImage::create((DStringPtr(u"etnk0") + i) + u"_dn");
  }
}

void GameSplash::releaseAll() {
  images = nullptr;
  owner = nullptr;
}

}  // namespace tanks
