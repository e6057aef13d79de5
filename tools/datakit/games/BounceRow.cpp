// The brick-and-paddle game's row of the checker's table.
#include "GameTable.h"
#include "games/BounceRounds.h"
#include "games/bounce/BounceData.h"

namespace datakit {

GameRow bounceRow() {
  namespace data = bounce::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  g.pictures = {ascii(data::kSplash)};
  g.menuPicture = ascii(data::kSplash);
  g.tableShade = gamelib::kPageShade;  // its own table menu
  for (const char16_t* back : data::kBackgroundNames) g.pictures.push_back(ascii(back));
  g.imageTable = ascii(data::kImageTable);
  g.imageKeys = asciiList(data::kImageKeys);
  g.animationList = ascii(data::kAnimationList);
  g.animationKeys = asciiList(data::kAnimationKeys);
  for (int k = 0; k < data::kEnemyKinds; ++k) g.animationKeys.push_back(ascii(data::kEnemyPrefix) + std::to_string(k));
  for (int k = 1; k <= data::kBonusKinds; ++k) g.animationKeys.push_back(ascii(data::kBonusPrefix) + std::to_string(k));
  for (const char16_t* sound : data::kSounds) g.sounds.push_back(archiveName(sound));
  g.textKeys = asciiList(data::kTextKeys);
  g.levels.push_back({isRoundFile, checkRoundFile, roundFileNames(),
                      "the brick game's rounds run from round01 to round" + std::to_string(data::kRounds)});
  return g;
}

}  // namespace datakit
