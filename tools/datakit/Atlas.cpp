// Atlases: sprites packed into one picture plus the table "key;x;y;w;h" that names them.
#include "Atlas.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace datakit {

Atlas packAtlas(const std::vector<AtlasSprite>& sprites, int maxWidth) {
  constexpr int gap = 1;
  std::vector<size_t> order(sprites.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return sprites[a].image.height() > sprites[b].image.height(); });
  for (const AtlasSprite& s : sprites) maxWidth = std::max(maxWidth, s.image.width());

  Atlas atlas;
  atlas.rects.resize(sprites.size());
  int x = 0, y = 0, shelf = 0, width = 0;
  for (size_t i : order) {
    const Image& image = sprites[i].image;
    if (image.empty()) throw std::invalid_argument("empty sprite " + sprites[i].key);
    if (x > 0 && x + image.width() > maxWidth) {
      x = 0;
      y += shelf + gap;
      shelf = 0;
    }
    atlas.rects[i] = {sprites[i].key, x, y, image.width(), image.height()};
    x += image.width() + gap;
    shelf = std::max(shelf, image.height());
    width = std::max(width, x - gap);
  }
  atlas.picture = Image(width, y + shelf);
  for (size_t i = 0; i < sprites.size(); ++i)
    atlas.picture.blitOpaque(sprites[i].image, atlas.rects[i].x, atlas.rects[i].y);
  return atlas;
}

Bytes writeAtlasTable(const Atlas& atlas) {
  std::string text;
  for (const AtlasRect& r : atlas.rects) {
    if (r.key.empty() || r.key.find_first_of(";=\r\n") != std::string::npos)
      throw std::invalid_argument("atlas key \"" + r.key + "\" cannot be written");
    text += r.key + ";" + std::to_string(r.x) + ";" + std::to_string(r.y) + ";" + std::to_string(r.w) + ";" +
            std::to_string(r.h) + "\r\n";
  }
  return Bytes(text.begin(), text.end());
}

}  // namespace datakit
