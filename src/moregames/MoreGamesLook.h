// The colours of the more-games list, shared with the data checker, which measures the entries' text (the
// small font) and the soft keys' labels against them.
#pragma once

#include <cstdint>

namespace moregames {

// The panel under the list keeps its text clear of the background's lettering.
inline constexpr int32_t kPanelFill = 0x0B0E28;
// The focused entry's highlight: dark enough for the small font's white letters, lighter than the panel.
inline constexpr int32_t kHighlightFill = 0x3A4C86;
inline constexpr int32_t kHighlightBorder = 0x4F66AA;
// An entry's text sits this far inside its highlight.
inline constexpr int32_t kInset = 3;

}  // namespace moregames
