// The highest level reached: loaded within the game's levels, raised and saved.
#include "gamelib/HighestLevel.h"

#include <algorithm>

#include "core/lang/DString.h"
#include "gamelib/GameMenu.h"

namespace gamelib {

namespace {

constexpr const char16_t* kOption = u"openlevel";
constexpr int32_t kFirstLevel = 1;

nuv::lang::DStringPtr optionOf(const char16_t* gameKey) { return nuv::lang::DStringPtr(gameKey) + kOption; }

}  // namespace

void HighestLevel::load(int32_t lowest, int32_t highest, int32_t highestStored) {
  highest = std::max(lowest, highest);
  value_ = GameMenu::loadOption(optionOf(gameKey_), std::clamp(kFirstLevel, lowest, highest), lowest, highest,
                                GameMenu::OutOfRange::Nearest, highestStored);
}

void HighestLevel::reach(int32_t level) {
  if (level <= value_) return;
  value_ = level;
  GameMenu::saveOption(optionOf(gameKey_), value_);
}

}  // namespace gamelib
