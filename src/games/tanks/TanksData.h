// What the tanks game is, by name and number: its key and folders, and everything it looks up in the
// archive. The game, the data checker and the tests read these; nothing here depends on anything else.
#pragma once

#include <cstdint>

namespace tanks::data {

// The key names the game's option, high-score and key stores and its texts; the folder its data.
inline constexpr const char16_t* kGameKey = u"tanks";
inline constexpr const char16_t* kFolder = u"tanks";
// The four directions and fire may be rebound.
inline constexpr int32_t kRemappableActions = 0x1F;

}  // namespace tanks::data
