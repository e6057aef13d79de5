// The maze game's row of the checker's table.
#include <cstdio>

#include "GameTable.h"
#include "games/GobblerMaps.h"
#include "games/gobbler/GobblerData.h"

namespace datakit {

GameRow gobblerRow() {
  namespace data = gobbler::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  g.pictures = {ascii(data::kSplash), ascii(data::kPanel)};
  g.menuPicture = ascii(data::kSplash);
  g.imageTable = ascii(data::kImageTable);
  g.imageKeys = asciiList(data::kPlayerFrames);
  for (const std::string& key : asciiList(data::kPlayerPowerFrames)) g.imageKeys.push_back(key);
  // Mirrored pictures are the same rectangles.
  for (std::string key : asciiList(data::kChaserFrames)) {
    if (key.size() > 3 && key.compare(key.size() - 3, 3, "_mr") == 0) key.resize(key.size() - 3);
    g.imageKeys.push_back(key);
  }
  for (const std::string& key : asciiList(data::kPopupFrames)) g.imageKeys.push_back(key);
  for (int style = 1; style <= data::kTileStyles; ++style) {
    const std::string digit = std::to_string(style);
    g.imageKeys.push_back(digit + ascii(data::kDoorName));
    for (int tile = 0; tile < data::kTilesPerStyle; ++tile) {
      char number[8];
      std::snprintf(number, sizeof number, "%02d", tile);
      g.imageKeys.push_back(digit + ascii(data::kWallTileName) + number + ascii(data::kTileSuffix));
    }
  }
  g.animationList = ascii(data::kAnimationList);
  g.animationKeys = asciiList(data::kAnimationKeys);
  for (const char16_t* sound : data::kSounds) g.sounds.push_back(archiveName(sound));
  g.textKeys = asciiList(data::kTextKeys);
  // The level and mode choices of its set-up page.
  g.menuTexts = asciiList(data::kMenuKeys);
  g.levels.push_back({isMapFile, checkMapFile, mapFileNames(),
                      "the maze game plays the maps from map00 to map" + std::to_string(data::kMapCount - 1)});
  return g;
}

}  // namespace datakit
