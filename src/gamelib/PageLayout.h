// How the in-game pages lay out their text and shade their pictures, shared with the data checker, which
// measures the labels as drawn in every language and their contrast against the shaded pictures.
#pragma once

#include <cstdint>

namespace gamelib {

// The soft-key labels of the help page and the key set-up stand this far in from the screen's bottom
// corners, so that no letter touches the screen's outer columns.
inline constexpr int32_t kSoftKeyInset = 3;

// The darkened bands the games put over their pictures (black at alpha minus the level): behind the menu's
// entry list (which it also widens), and behind a page of its own or the key set-up.
inline constexpr int32_t kListShade = -161;
inline constexpr int32_t kPageShade = -160;

// French sets a space before ":", ";", "!" and "?"; its texts use a no-break one there so that no line starts
// with the mark. Every text layout measures and draws these as the font's space, which the fonts hold, and
// breaks lines only at the plain space.
inline constexpr char16_t kNoBreakSpace = u'\u00A0';
inline constexpr char16_t kNarrowNoBreakSpace = u'\u202F';
constexpr bool drawsAsSpace(char16_t c) { return c == u' ' || c == kNoBreakSpace || c == kNarrowNoBreakSpace; }

}  // namespace gamelib
