// The tanks playfield's test fixture.
#include "games/tanks/TanksObjectsFixture.h"

#include "gamelib/GameImage.h"
#include "gamelib/GameLib.h"
#include "games/TanksStages.h"
#include "games/tanks/TanksData.h"
#include "games/tanks/TanksGlobals.h"
#include "platform/seam/clock.h"

namespace tankstest {

using gamelib::GameImage;
using gamelib::GameLib;

void TanksObjectsFixture::SetUp() {
  MenuFixture::SetUp();
  tanks::initGlobals();
  platform::setManualClock(1000);
  GameLib::random = new nuv::util::DRandom();
  GameImage::loadImageTable(tanks::data::kImageTable);
  GameImage::graphics = GameLib::graphics;
  tanks::panelLeft = GameLib::loadImage(tanks::data::kPanelLeft);
  tanks::panelRight = GameLib::loadImage(tanks::data::kPanelRight);
  tanks::panelBottomLeft = GameLib::loadImage(tanks::data::kPanelBottomLeft);
  tanks::panelBottomMiddle = GameLib::loadImage(tanks::data::kPanelBottomMiddle);
  tanks::panelBottomRight = GameLib::loadImage(tanks::data::kPanelBottomRight);
  tanks::panelTop = GameLib::loadImage(tanks::data::kPanelTop);
  field = new tanks::GameTanks();
  field->loadImages(nullptr);
}

void TanksObjectsFixture::TearDown() {
  if (!field.isNull()) field->releaseAll();
  field = nullptr;
  tanks::releaseGlobals();
  MenuFixture::TearDown();
}

void TanksObjectsFixture::writeStageFile(const std::string& bytes) {
  // Beside the program: the archive's own stage file stays out of the way.
  writeBeside("tankstest/stages.bin", bytes);
  field->stageFile = u"/tankstest/stages.bin";
}

void TanksObjectsFixture::load(const std::vector<std::string>& rows, const std::string& types, int stage) {
  std::vector<datakit::TankStageMap> maps(tanks::data::kStages, datakit::TankStageMap{rows, types});
  datakit::Bytes bytes =
      datakit::writeTankStages(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), maps);
  writeStageFile(std::string(bytes.begin(), bytes.end()));
  field->newGame();
  field->stage = stage;
  field->loadStage();
  ASSERT_TRUE(tanks::stageLoaded) << gltest::narrow(field->loadError);
  field->renderLayer(0, 0);
  field->renderLayer(1, 0);
  field->layersDirty = false;
}

int TanksObjectsFixture::step(int n) {
  int result = 1;
  for (int i = 0; i < n; ++i) {
    wait(gamelib::GameLib::kStepMs);
    result = field->tick();
  }
  return result;
}

void TanksObjectsFixture::clearEnemies() {
  for (int i = 0; i < tanks::GameTanks::kEnemies; ++i) {
    tanks::GTNK& e = enemy(i);
    if (!e.takesPart()) continue;
    tanks::gridClearBlockValue(tanks::CELL_TANK, e.x, e.y);
    e.destroyed = true;
    e.state = tanks::GTNK::STATE_DESTROYED;
  }
  field->newUnitTimer = 3600000;
}

std::string rawStages(int wb, int hb, const std::string& blocks, const std::string& types, int records) {
  std::string out;
  out.push_back(static_cast<char>(wb));
  out.push_back(static_cast<char>(hb));
  for (int r = 0; r < records; ++r) out += blocks + types;
  return out;
}

}  // namespace tankstest
