// The highest level a player has reached in a game, kept in the game's option "openlevel": the level list
// offers it and every level below it. A game says only when it loads it and when a level is reached.
#pragma once

#include <cstdint>
#include <limits>

namespace gamelib {

class HighestLevel {
 public:
  explicit constexpr HighestLevel(const char16_t* gameKey, int32_t first = 1) : gameKey_(gameKey), value_(first) {}

  // The stored level, or level 1 when none is stored. A value outside lowest..highest is damage: told once,
  // and the nearer bound is used (lowest where highest is below it). A game that stores levels past the
  // highest it offers (its last level, stages that go on) names the highest it stores: up to it, a stored
  // level reads as highest without a word.
  void load(int32_t lowest, int32_t highest, int32_t highestStored = std::numeric_limits<int32_t>::min());
  // A level the player has reached: above the highest so far, it becomes the highest and is saved.
  void reach(int32_t level);

  operator int32_t() const { return value_; }
  HighestLevel& operator=(int32_t level) {
    value_ = level;
    return *this;
  }

 private:
  const char16_t* gameKey_;
  int32_t value_;
};

}  // namespace gamelib
