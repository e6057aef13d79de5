// The river-flying shooter's row of the checker's table.
#include "GameTable.h"
#include "games/CanyonRiver.h"
#include "games/canyon/CanyonData.h"

namespace datakit {

GameRow canyonRow() {
  namespace data = canyon::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  for (const char16_t* picture : data::kPictures) g.pictures.push_back(ascii(picture));
  g.menuPicture = ascii(data::kSplash);
  g.imageTable = ascii(data::kImageTable);
  g.imageKeys = asciiList(data::kImageKeys);
  g.animationList = archiveName(data::kAnimationListEntry);
  g.animationKeys = {ascii(data::kTiles), ascii(data::kBankLeft), ascii(data::kBankRight), ascii(data::kAirExplosion),
                     ascii(data::kGroundExplosion)};
  // The bridge's two pictures are named directly; every other unit by its animations.
  for (int code = 1; code < data::kEntityCodes; ++code)
    for (const char16_t* key : {data::kLeftKeys[code], data::kRightKeys[code]})
      if (key != nullptr) g.animationKeys.push_back(ascii(key));
  for (const char16_t* sound : data::kSounds) g.sounds.push_back(archiveName(sound));
  g.textKeys = asciiList(data::kTextKeys);
  const std::string screens = archiveName(data::kScreenFile);
  g.levels.push_back({[screens](const std::string& name) { return name == screens; },
                      checkCanyonScreenFile,
                      {screens},
                      "the game builds every level's river from its screens",
                      kCanyonRiverSource,
                      [](const std::string& text, const std::string& file, const std::string&) {
                        return compileCanyonRiver(text, file);
                      }});
  return g;
}

}  // namespace datakit
