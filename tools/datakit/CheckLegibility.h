// The checker's legibility rules at one screen size: the soft-key labels fit inside the screen in every
// language, and the text of the in-game pages stands out from the shaded picture behind it.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Png.h"

namespace datakit {

struct LegibilityInput {
  int width = 0;
  int height = 0;
  // Language code to its text table.
  const std::map<std::string, std::map<std::u16string, std::u16string>>* texts = nullptr;
  // The advance of a text in a font (an index of the game library's font list), as the library measures it.
  std::function<int(size_t font, const std::u16string& text)> textWidth;
  // The staged entry of a picture ("bnc/splash") or of a font's first page under this size's PATH.
  std::function<std::optional<std::string>(const std::string& picture)> findPicture;
  std::function<std::optional<std::string>(size_t font)> fontPage;
  std::function<Bytes(const std::string& entry)> bytes;
};

// A fault against a staged entry; with a text key, at that key's line of the entry's source.
struct LegibilityFault {
  std::string entry;
  std::string key;
  std::string message;
};

std::vector<LegibilityFault> checkLegibility(const LegibilityInput& in);

}  // namespace datakit
