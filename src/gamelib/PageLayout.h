// Where the in-game pages put text at the screen's edge, shared with the data checker, which measures the
// labels as drawn in every language.
#pragma once

#include <cstdint>

namespace gamelib {

// The soft-key labels of the help page and the key set-up stand this far in from the screen's bottom
// corners, so that no letter touches the screen's outer columns.
inline constexpr int32_t kSoftKeyInset = 3;

}  // namespace gamelib
