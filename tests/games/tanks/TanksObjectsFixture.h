// The tanks playfield in a test: the game library over the real game data at 240 x 320 (16-pixel blocks,
// 4-pixel cells), the playfield made by its own image loading, and stages written in the test as map
// letters, with the clock and the random generator fixed.
#pragma once

#include <string>
#include <vector>

#include "gamelib/MenuFixture.h"
#include "games/tanks/GameMain.h"
#include "games/tanks/GameTanks.h"
#include "games/tanks/Grid.h"

namespace tankstest {

inline const std::string kLightEnemies = "00000000000000000000";

class TanksObjectsFixture : public gltest::MenuFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // These rows (map letters) as every stage of a stage file, and the given stage loaded; its layers made.
  void load(const std::vector<std::string>& rows, const std::string& types = kLightEnemies, int stage = 1);
  // A stage file of raw bytes: its size in blocks, then every record.
  void writeStageFile(const std::string& bytes);
  // n steps of play, the clock moving 30 ms before each; the last step's result.
  int step(int n = 1);
  // The enemies that came in with the stage leave the field at once, and no more come for an hour.
  void clearEnemies();
  tanks::GTNK& enemy(int i) { return *(*tanks::enemies)[i]; }
  tanks::GBUL& playerShot() { return *(*tanks::playerBullets)[0]; }
  tanks::GBUL& enemyShot(int i) { return *(*tanks::enemyBullets)[i]; }
  // The cell's flags and value.
  static int cell(int x, int y) { return (*tanks::grid)[y][x]; }

 public:
  tanks::GameTanksPtr field;
};

// Writes a stage file of raw records: wb, hb, then `records` copies of blocks + types.
std::string rawStages(int wb, int hb, const std::string& blocks, const std::string& types, int records = 20);

}  // namespace tankstest
