// The ladders-and-bricks game's row of the checker's table.
#include "GameTable.h"
#include "games/ClimberLevels.h"
#include "games/climber/ClimberData.h"

namespace datakit {

GameRow climberRow() {
  namespace data = climber::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  g.pictures = {ascii(data::kSplash)};
  g.menuPicture = ascii(data::kSplash);
  g.imageTable = ascii(data::kImageTable);
  g.imageKeys = asciiList(data::kImageKeys);
  g.animationList = ascii(data::kAnimationList);
  g.animationKeys = asciiList(data::kAnimationKeys);
  for (const char16_t* sound : data::kSounds) g.sounds.push_back(archiveName(sound));
  g.textKeys = asciiList(data::kTextKeys);
  LevelFiles levels{isClimberLevelFile, checkClimberLevelFile, climberLevelFileNames(),
                    "the ladders game plays levels 1 to " + std::to_string(data::kLevelCount) + " in turn"};
  levels.sourceEnding = kClimberSourceEnding;
  levels.compile = compileClimberLevel;
  g.levels.push_back(levels);
  return g;
}

}  // namespace datakit
