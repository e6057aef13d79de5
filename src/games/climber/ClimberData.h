// What the ladders-and-bricks game is, by name and number: its key and folders, and everything it looks up in the
// archive. The game, the data checker and the tests read these; nothing here depends on anything else.
#pragma once

#include <cstdint>

namespace climber::data {

// The key names the game's option, high-score and key stores and its texts; the folder its data.
inline constexpr const char16_t* kGameKey = u"climber";
inline constexpr const char16_t* kFolder = u"clmb";
// The four directions, fire and the two special keys may be rebound.
inline constexpr int32_t kRemappableActions = 0x181F;

}  // namespace climber::data
