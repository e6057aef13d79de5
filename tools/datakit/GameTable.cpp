// The checker's table of games, and the conversions the rows use.
#include "GameTable.h"

#include "app/GameList.h"

namespace datakit {

namespace {

// The games with rows of their own; the others are known by their entry of the games list alone.
struct RowMaker {
  const char* key;
  GameRow (*make)();
};
const RowMaker kRowMakers[] = {
    {"bounce", bounceRow},   {"burrow", burrowRow}, {"canyon", canyonRow}, {"climber", climberRow},
    {"gobbler", gobblerRow}, {"swarm", swarmRow},   {"rocks", rocksRow},   {"tanks", tanksRow},
};

GameRow rowOf(const gamelib::MenuNames& entry) {
  const std::string key = ascii(entry.gameKey);
  for (const RowMaker& maker : kRowMakers)
    if (key == maker.key) return maker.make();
  GameRow g;
  g.key = key;
  g.folder = ascii(entry.dataKey) + "/";
  g.actionMask = entry.remappableActions;
  return g;
}

}  // namespace

const std::vector<GameRow>& gameTable() {
  static const std::vector<GameRow> table = [] {
    std::vector<GameRow> rows;
    for (const gamelib::MenuNames& entry : glimmerhut::kMenuNames)
      if (entry.gameKey != nullptr) rows.push_back(rowOf(entry));
    return rows;
  }();
  return table;
}

std::string ascii(const char16_t* text) {
  std::string out;
  for (; text != nullptr && *text != 0; ++text) out.push_back(*text < 0x80 ? static_cast<char>(*text) : '?');
  return out;
}

std::string archiveName(const char16_t* text) {
  std::string name = ascii(text);
  return !name.empty() && name[0] == '/' ? name.substr(1) : name;
}

}  // namespace datakit
