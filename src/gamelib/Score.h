// Scores as the high-score table keeps and shows them: every game adds its points through addPoints, so
// that a score stops at the largest the table shows instead of wrapping.
#pragma once

#include <algorithm>
#include <cstdint>

namespace gamelib {

// The table draws a score in full at the right of its row, beside a name of up to nine letters
// (GameMenu::paintList): nine digits leave the name its room, and each of them can reach 9 in an int32.
inline constexpr int32_t kHighestScore = 999'999'999;

// score + points, held within 0..kHighestScore.
constexpr int32_t addPoints(int32_t score, int64_t points) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{score} + points, 0, kHighestScore));
}

}  // namespace gamelib
