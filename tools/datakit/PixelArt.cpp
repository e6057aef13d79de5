// Pixel art kept as text: one named palette of letters, and sprites drawn as grids of them.
#include "PixelArt.h"

#include <sstream>
#include <vector>

#include "DataError.h"

namespace datakit {

Palette Palette::parse(const std::string& source, const std::string& file) {
  Palette p;
  std::istringstream in(source);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string letter, name, hex;
    if (!(fields >> letter >> name >> hex) || letter.size() != 1 || hex.size() != 7 || hex[0] != '#')
      throw DataError(file, number, "expected: letter name #RRGGBB");
    char c = letter[0];
    if (c == '.' || c == ' ' || c == '#') throw DataError(file, number, "'.', ' ' and '#' cannot name a colour");
    Rgb colour = 0;
    try {
      colour = static_cast<Rgb>(std::stoul(hex.substr(1), nullptr, 16));
    } catch (const std::exception&) {
      throw DataError(file, number, "bad colour " + hex);
    }
    if (isKeyIn565(colour)) throw DataError(file, number, "colour would turn transparent on the device");
    if (p.colours_.count(c) || p.byName_.count(name)) throw DataError(file, number, "letter or name given twice");
    p.colours_[c] = {name, colour};
    p.byName_[name] = c;
  }
  return p;
}

Rgb Palette::colour(char letter) const {
  if (letter == '.') return kKeyColour;
  return colours_.at(letter).colour;
}

Rgb Palette::named(const std::string& name) const {
  auto it = byName_.find(name);
  if (it == byName_.end()) throw std::runtime_error("the palette has no colour named " + name);
  return colours_.at(it->second).colour;
}

Image parseSprite(const std::string& source, const Palette& palette, const std::string& file) {
  std::vector<std::pair<int, std::string>> rows;
  std::istringstream in(source);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (!rows.empty() && line.size() != rows.front().second.size())
      throw DataError(file, number,
                      "row is " + std::to_string(line.size()) + " wide, the first row " +
                          std::to_string(rows.front().second.size()));
    for (size_t i = 0; i < line.size(); ++i)
      if (!palette.has(line[i]))
        throw DataError(file, number, std::string("letter '") + line[i] + "' is not in the palette");
    rows.emplace_back(number, line);
  }
  if (rows.empty()) throw DataError(file, number, "sprite has no rows");
  Image image(static_cast<int>(rows.front().second.size()), static_cast<int>(rows.size()));
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.set(x, y, palette.colour(rows[y].second[x]));
  return image;
}

}  // namespace datakit
