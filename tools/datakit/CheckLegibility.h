// The checker's legibility rules at one screen size: the soft-key labels fit inside the screen in every
// language and keep off its outer columns, and the text of every in-game page (menu and pause menu, help,
// high-score table, name entry, key set-up), of the more-games screen and of the start's language and sound
// questions stands out from what lies behind it, laid out as the program lays the page out.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Png.h"

namespace datakit {

// A bitmap font as the game library draws it: its glyphs in the order of its pages.
struct LegibilityFont {
  std::u16string chars;
  std::vector<int> widths;               // parallel to chars
  std::vector<int> pages;                // the page of each glyph
  std::vector<int> offsets;              // the glyph's first column in its page
  std::vector<std::string> pageEntries;  // the staged pictures of the pages
  int height = 0;
  bool upper = true;
  int spacing = 0;

  // The advance of a text as the game library measures it.
  int width(const std::u16string& text) const;
};

struct LegibilityInput {
  int width = 0;
  int height = 0;
  // Language code to its text table.
  const std::map<std::string, std::map<std::u16string, std::u16string>>* texts = nullptr;
  // The game library's fonts by their index in its list.
  const std::vector<LegibilityFont>* fonts = nullptr;
  // The language question's rows: the names of the languages.
  std::vector<std::u16string> languageNames;
  // The staged entry of a picture ("bnc/splash") under this size's PATH.
  std::function<std::optional<std::string>(const std::string& picture)> findPicture;
  std::function<Bytes(const std::string& entry)> bytes;
};

// A fault against a staged entry; with a key, at that key's line of the entry's source.
struct LegibilityFault {
  std::string entry;
  std::string key;
  std::string message;
};

// Text for reading: the contrast asked of body text; the contrast within what lies behind it at which its
// parts read as shapes (a logo, a strip of sprites) that cut through the letters; and the columns kept free
// at the screen's sides.
inline constexpr double kMinContrast = 4.5;
inline constexpr double kMaxBackdropContrast = 3.0;
inline constexpr int kEdgeMargin = 2;

// What the check found: faults, and notes on text that reads below the contrast asked for on a colour the
// program fixes, which no data can change.
struct LegibilityReport {
  std::vector<LegibilityFault> faults;
  std::vector<std::string> notes;
};

LegibilityReport checkLegibility(const LegibilityInput& in);

}  // namespace datakit
