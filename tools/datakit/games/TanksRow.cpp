// The tanks game's row of the checker's table.
#include "GameTable.h"
#include "games/TanksStages.h"
#include "games/tanks/TanksData.h"

namespace datakit {

namespace {

// Every tank picture the game looks up: both frames of every type, and the vertical ones drawn apart.
void addTanks(std::vector<std::string>& keys, const std::string& prefix, int types) {
  for (int t = 0; t < types; ++t) {
    for (int frame = 0; frame < 2; ++frame) keys.push_back(prefix + std::to_string(frame) + std::to_string(t));
    keys.push_back(prefix + "x" + std::to_string(t) + "-dn");
    keys.push_back(prefix + "x" + std::to_string(t) + "-up");
  }
}

}  // namespace

GameRow tanksRow() {
  namespace data = tanks::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  g.pictures = asciiList(data::kPictures);
  g.menuPicture = ascii(data::kSplash);
  g.tableShade = g.helpShade = gamelib::kPageShade;  // their own menus
  g.imageTable = ascii(data::kImageTable);
  std::vector<std::string>& keys = g.imageKeys;
  addTanks(keys, ascii(data::kPlayerTank), data::kPlayerTypes);
  addTanks(keys, ascii(data::kEnemyTank), data::kEnemyTypes);
  for (const auto* list : {&data::kReserveIcons}) {
    for (const char16_t* k : *list) keys.push_back(ascii(k));
  }
  for (const char16_t* k : {data::kRoad, data::kGrass, data::kWater[0], data::kWater[1], data::kRuin, data::kIce,
                            data::kSand, data::kCover, data::kBaseImages[0], data::kBaseImages[1], data::kAppearing[0],
                            data::kAppearing[1], data::kShield[0], data::kShield[1], data::kBullet, data::kObstacle})
    keys.push_back(ascii(k));
  for (const char16_t* k : data::kBonuses) keys.push_back(ascii(k));
  for (const char16_t* k : data::kExplosions) keys.push_back(ascii(k));
  for (int look = 0; look < data::kHouseLooks; ++look)
    for (int s = 0; s < data::kHouseStates; ++s)
      keys.push_back(ascii(data::kHousePrefix) + std::to_string(look) + std::to_string(s));
  for (int n = 1; n <= data::kWallPairs; ++n) {
    keys.push_back(ascii(data::kWallIntactPrefix) + std::to_string(n));
    keys.push_back(ascii(data::kWallDamagedPrefix) + std::to_string(n));
  }
  for (const char16_t* sound : data::kSounds) g.sounds.push_back(archiveName(sound));
  g.textKeys = asciiList(data::kTextKeys);
  for (const data::Tuning& t : data::kTuning) g.textKeys.push_back(ascii(t.key));
  LevelFiles stages{isTankStageFile,
                    checkTankStageFile,
                    {archiveName(data::kStageFile)},
                    "the tanks game loads all its stages from this one file"};
  // Written from the readable maps of "mapbcl.bin.stages".
  stages.sourceEnding = ".stages";
  stages.compile = [](const std::string& text, const std::string& file, const std::string&) {
    return compileTankStages(text, file);
  };
  g.levels.push_back(stages);
  return g;
}

}  // namespace datakit
