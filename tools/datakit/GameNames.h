// What each game's set-up looks up in the archive by name: pictures, image-table keys,
// animation-list entries and sounds. The checker finds every one under each screen size.
#pragma once

#include <string>
#include <vector>

namespace datakit {

struct GameNames {
  std::string folder;                      // under graphics/ + a PATH entry, e.g. "bnc/"
  std::vector<std::string> pictures;       // loaded whole, ".png" or ".jpg"
  std::vector<std::string> imageKeys;      // keys of the image table folder + "all"
  std::vector<std::string> animationKeys;  // entries of the animation list folder + "anim.txt"
  std::vector<std::string> sounds;         // "data/..." without extension: ".wav" or ".mod"
};

extern const std::vector<GameNames> kGameNames;

}  // namespace datakit
