// The alien-formation game's row of the checker's table.
#include "GameTable.h"
#include "games/swarm/SwarmData.h"

namespace datakit {

GameRow swarmRow() {
  namespace data = swarm::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  g.pictures = {ascii(data::kSplash), ascii(data::kGameOver)};
  g.menuPicture = ascii(data::kSplash);
  for (const char16_t* picture : data::kLevelPictureNames) g.pictures.push_back(ascii(picture));
  g.imageTable = ascii(data::kImageTable);
  g.imageKeys = asciiList(data::kImageKeys);
  for (int k = 1; k <= data::kAlienKinds; ++k)
    for (int f = 1; f <= data::kAlienFrames; ++f)
      g.imageKeys.push_back(ascii(data::kAlienPrefix) + std::to_string(k) + "_" + std::to_string(f) + ".png");
  g.animationList = ascii(data::kAnimationList);
  g.animationKeys = asciiList(data::kAnimationKeys);
  for (const char16_t* sound : data::kSounds) g.sounds.push_back(archiveName(sound));
  g.textKeys = asciiList(data::kTextKeys);
  return g;
}

}  // namespace datakit
