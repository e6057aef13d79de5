// The tanks game's set-up and release: the splash with its loading bar, the image table, sounds, texts,
// settings and tuning values, the menus, panels, the playfield and the key set-up.

#include <limits>

#include "core/lang/DExceptionBase.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/MenuFlow.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"
#include "games/tanks/GameMain.h"
#include "games/tanks/TanksData.h"

namespace tanks {

using namespace gamelib::api;

namespace {

constexpr int32_t kProgressStep = 20;
constexpr int32_t kProgressFrame = 0xFFFFFF;
constexpr int32_t kProgressBar = 0xFF0000;

void showProgress() {
  GameMenu::advanceProgress();
  GameLib::canvas->flush();
}

}  // namespace

void GameMain::init() {
  const int32_t w = GameLib::screenWidth;
  const int32_t h = GameLib::screenHeight;
  DImagePtr splashImage;
  gamelib::ResourceDamage::skipMissing(ExceptionCode::Exception, [&] {
    splashImage = GameLib::loadImage(data::kSplash);
    GameLib::graphics->drawImage(splashImage, w >> 1, (h - splashImage->getHeight()) >> 1, DGraphics::TOP_CENTRE);
  });
  GameMenu::startProgress(h - (h >> 3), 0, kProgressStep, kProgressFrame, kProgressBar);
  GameLib::canvas->flush();

  GameImage::loadImageTable(data::kImageTable);
  slideTolerance = 2;
  showProgress();

  DStringArrayPtr sounds = new DStringArray(static_cast<int32_t>(std::size(data::kSounds)));
  for (int32_t i = 0; i < sounds->length; ++i) (*sounds)[i] = data::kSounds[i];
  SoundManager::loadSounds(sounds);
  showProgress();

  // The tuning values come with the language's texts, which the flow loads.
  makeMenuFlow(splashImage);
  // A stored stage outside the stages there are reads as the nearest one; play goes on past the last stage,
  // and every stage won after it is stored too.
  openLevel.load(1, data::kStages, std::numeric_limits<int32_t>::max());
  loadTuning();
  showProgress();
  showProgress();

  panelLeft = GameLib::loadImage(data::kPanelLeft);
  panelRight = GameLib::loadImage(data::kPanelRight);
  panelBottomLeft = GameLib::loadImage(data::kPanelBottomLeft);
  panelBottomMiddle = GameLib::loadImage(data::kPanelBottomMiddle);
  panelBottomRight = GameLib::loadImage(data::kPanelBottomRight);
  panelTop = GameLib::loadImage(data::kPanelTop);

  splash = new GameSplash();
  splash->loadImages(this);
  buildMenu(STATE_MENU);
  playfield = new GameTanks();
  playfield->loadImages(this);
  SoundManager::play(SOUND_MENU, 1, 0);
}

void GameMain::leave() {
  if (!splash.isNull()) splash->releaseAll();
  if (!playfield.isNull()) playfield->releaseAll();
  MenuFlow::leave(menuFlow);
  SoundManager::stopAll();
  SoundManager::release();
  panelLeft = panelRight = panelBottomLeft = panelBottomMiddle = panelBottomRight = panelTop = nullptr;
}

}  // namespace tanks
