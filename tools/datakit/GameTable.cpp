// The checker's table of games, and the conversions the rows use.
#include "GameTable.h"

namespace datakit {

const std::vector<GameRow>& gameTable() {
  static const std::vector<GameRow> table = {bounceRow(), canyonRow(),  swarmRow(),   burrowRow(),
                                             tanksRow(),  climberRow(), gobblerRow(), rocksRow()};
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
