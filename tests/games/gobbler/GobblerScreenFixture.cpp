// The maze game's screen fixture.
#include "games/gobbler/GobblerScreenFixture.h"

#include "gamelib/GameMenu.h"
#include "games/gobbler/GobblerGlobals.h"

namespace gobblertest {

void GobblerScreenFixture::startScreen() {
  game->init();
  step();
}

void GobblerScreenFixture::startPlaying(int mode) {
  choose(gobbler::Gobbler::ITEM_START);
  while (gobbler::gameMode != mode) choose(gobbler::Gobbler::SETUP_MODE);
  choose(gobbler::Gobbler::SETUP_START);
  // The start of the life: 20 game steps of 60 ms.
  play(41);
}

std::string GobblerScreenFixture::items() {
  std::string all;
  for (int32_t i = 0; i < gobbler::menuFlow->menu().items->length; ++i) all += (i > 0 ? "|" : "") + item(i);
  return all;
}

}  // namespace gobblertest
