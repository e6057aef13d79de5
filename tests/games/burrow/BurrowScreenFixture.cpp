// The tunnel game's screen fixture.
#include "games/burrow/BurrowScreenFixture.h"

#include "gamelib/SoundManager.h"

namespace burrowtest {

using gamelib::SoundManager;

void BurrowScreenFixture::SetUp() {
  GameScreenFixture::SetUp();
  burrow::stepParity = 0;
  game->init();
  takeSound();
}

void BurrowScreenFixture::tick() {
  for (int i = 0; i < 2; ++i) {
    step();
    paint();
  }
}

void BurrowScreenFixture::choose(int32_t index) {
  burrow::stepParity = 0;
  GameScreenFixture::choose(index);
}

void BurrowScreenFixture::playLevel(int32_t level) {
  if (burrow::openLevel < 2) {
    choose(burrow::BurrowGame::ITEM_START);
  } else {
    choose(burrow::BurrowGame::ITEM_START);
    choose(burrow::openLevel - level);
  }
  wait(1501);
  burrow::stepParity = 0;
  game->update();
  // The level's first play step only waits.
  burrow::stepParity = 0;
  game->update();
}

int32_t BurrowScreenFixture::takeSound() {
  const int32_t id = lastSound();
  SoundManager::current = nullptr;
  return id;
}

}  // namespace burrowtest
