// The tunnel-digging game's row of the checker's table.
#include <set>

#include "GameTable.h"
#include "games/BurrowLevels.h"
#include "games/burrow/BurrowData.h"

namespace datakit {

namespace {

// The image-table key of a frame name: the turning or mirroring suffix is cut off by the game.
std::string tableKey(const char16_t* name) {
  std::string key = ascii(name);
  for (const char* suffix : {"_up", "_dn", "_lv", "_mr"})
    if (key.size() > 3 && key.compare(key.size() - 3, 3, suffix) == 0) return key.substr(0, key.size() - 3);
  return key;
}

}  // namespace

GameRow burrowRow() {
  namespace data = burrow::data;
  GameRow g;
  g.key = ascii(data::kGameKey);
  g.folder = ascii(data::kFolder) + "/";
  g.actionMask = data::kRemappableActions;
  g.pictures = asciiList(data::kPictures);
  g.menuPicture = ascii(data::kSplash);
  g.imageTable = ascii(data::kImageTable);

  std::set<std::string> seen;
  auto add = [&](const char16_t* name) {
    if (seen.insert(tableKey(name)).second) g.imageKeys.push_back(tableKey(name));
  };
  add(data::kScaleTile);
  add(data::kLifeIcon);
  for (int s = 1; s <= data::kEarthSets; ++s) {
    const std::u16string set = std::u16string(1, static_cast<char16_t>(u'0' + s));
    add((data::kEarthPrefix + set + u".png").c_str());
    for (const char16_t* suffix : data::kTunnelSuffixes) add((data::kTunnelPrefix + set + suffix).c_str());
  }
  // Every frame list of the game's globals; turned and mirrored frames share their key.
  auto addAll = [&](const auto& names) {
    for (const char16_t* name : names) add(name);
  };
  addAll(data::kTileNames);
  addAll(data::kCherryFrames);
  addAll(data::kBagFrames);
  addAll(data::kBoltFrames);
  addAll(data::kEnemyUpFrames);
  addAll(data::kEnemySideFrames);
  addAll(data::kEnemySideMirroredFrames);
  addAll(data::kEnemyDieFrames);
  addAll(data::kEnemyEatFrames);
  addAll(data::kEnemyEatMirroredFrames);
  addAll(data::kEnemyEatDeathFrames);
  addAll(data::kEnemyEatDeathMirroredFrames);
  addAll(data::kMinerFrames);
  addAll(data::kMinerMirroredFrames);
  addAll(data::kMinerUpFrames);
  addAll(data::kMinerDownFrames);
  addAll(data::kMinerDieFrames);
  addAll(data::kBonusFrames);
  addAll(data::kBonusUpFrames);
  addAll(data::kBonusDownFrames);

  for (const char16_t* sound : data::kSounds) g.sounds.push_back(archiveName(sound));
  g.textKeys = asciiList(data::kTextKeys);
  LevelFiles levels{isTunnelLevelFile, checkTunnelLevelFile, tunnelLevelFileNames(),
                    "the tunnel game plays levels 1 to " + std::to_string(data::kLastLevel) + ", eight to a file"};
  levels.sourceEnding = ".tunnels";
  levels.compile = compileTunnelLevels;
  g.levels.push_back(levels);
  return g;
}

}  // namespace datakit
