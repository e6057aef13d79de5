// The space-rocks game's row of the checker's table: every picture, image key, sound and text its set-up
// and play look up, named from the game's own header.
#include "GameTable.h"
#include "games/rocks/RocksData.h"

namespace datakit {

GameRow rocksRow() {
  namespace data = rocks::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  g.pictures = {ascii(data::kSplash)};
  g.menuPicture = ascii(data::kSplash);
  for (const char16_t* picture : data::kLevelPictureNames) g.pictures.push_back(ascii(picture));
  g.imageTable = ascii(data::kImageTable);

  auto numbered = [&](const char16_t* prefix, int from, int to) {
    for (int n = from; n <= to; ++n) g.imageKeys.push_back(ascii(prefix) + std::to_string(n));
  };
  numbered(data::kShipPrefix, 1, data::kShipFrames);
  numbered(data::kShotPrefix, 1, data::kShipFrames);
  numbered(data::kRocketPrefix, 0, data::kRocketPictures - 1);
  for (const data::RockFamily& family : data::kRockFamilies) {
    const std::string base = ascii(data::kRockPrefix) + std::to_string(family.size) + std::to_string(family.type);
    for (int frame = 0; frame < data::framesOf(family); ++frame) g.imageKeys.push_back(base + std::to_string(frame));
  }
  // The small saucers are drawn frame by frame; the large one is one picture with its overlays.
  for (int type = 1; type < data::kSaucerTypes; ++type)
    for (int frame = 0; frame < data::kSaucerFrames; ++frame)
      g.imageKeys.push_back(ascii(data::kSaucerPrefix) + std::to_string(type) + std::to_string(frame));
  g.imageKeys.push_back(ascii(data::kBigSaucer));
  numbered(data::kBigSaucerBlink, 0, 1);
  for (const char16_t* mark : data::kBigSaucerDamage) g.imageKeys.push_back(ascii(mark));
  for (int row = 1; row <= data::kWaveRows; ++row)
    for (int frame = 1; frame <= data::kWaveFrames; ++frame)
      g.imageKeys.push_back(ascii(data::kWavePrefix) + std::to_string(row) + "_" + std::to_string(frame));
  numbered(data::kSparkPrefix, 0, data::kSparkPictures - 1);
  numbered(data::kDebrisPrefix, 1, data::kDebrisPictures);
  g.imageKeys.push_back(ascii(data::kLifePanel));
  g.imageKeys.push_back(ascii(data::kScorePanel));

  for (const char16_t* sound : data::kSounds) g.sounds.push_back(archiveName(sound));
  g.textKeys = asciiList(data::kTextKeys);
  g.textKeys.push_back(ascii(data::kLivesKey));
  for (const char16_t* key : data::kGunKeys) g.textKeys.push_back(ascii(key));
  g.menuTexts = {ascii(data::kBoundsOn), ascii(data::kBoundsOff)};
  return g;
}

}  // namespace datakit
