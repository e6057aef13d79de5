// Pixel art kept as text: one named palette of letters, and sprites drawn as grids of them.
#pragma once

#include <map>
#include <string>

#include "Image.h"

namespace datakit {

struct PaletteColour {
  std::string name;
  Rgb colour = 0;
};

// Source lines "letter name #RRGGBB"; '#' at the start of a line is a comment.
// '.' is always the transparent key and may not be redefined.
class Palette {
 public:
  static Palette parse(const std::string& source, const std::string& file);

  bool has(char letter) const { return letter == '.' || colours_.count(letter) != 0; }
  Rgb colour(char letter) const;
  // By name, for generators: throws when the palette has no such colour.
  Rgb named(const std::string& name) const;
  const std::map<char, PaletteColour>& colours() const { return colours_; }

 private:
  std::map<char, PaletteColour> colours_;
  std::map<std::string, char> byName_;
};

// A sprite source: the grid of palette letters, all rows equally long; lines starting with
// '#' are comments and blank lines are skipped.
Image parseSprite(const std::string& source, const Palette& palette, const std::string& file);

}  // namespace datakit
