// The drawing side of the tanks playfield: its sprite sets and the sizes taken from them, the ground layer
// and the status bar, single blocks drawn again, the field's place on the screen and one frame's paint.
#include "gamelib/GameApi.h"
#include "games/tanks/GameMain.h"
#include "games/tanks/GameTanks.h"
#include "games/tanks/Grid.h"
#include "games/tanks/TanksData.h"
#include "games/tanks/TanksGlobals.h"

namespace tanks {

using namespace gamelib::api;

namespace {

constexpr int32_t kBlinkPeriod = 500;
constexpr int32_t kBlinkOn = 251;
constexpr int32_t kReserveColumns = 10;
constexpr int32_t kTextGap = 2;
constexpr int32_t kLivesGap = 4;
// Ground sprites by place in groundSprites.
constexpr int32_t GROUND_ROAD = 0;
constexpr int32_t GROUND_WATER = 2;

GameImagePtr image(const DStringPtr& name) { return GameImage::create(name); }

GameImageArrayPtr images(std::initializer_list<const char16_t*> names) {
  GameImageArrayPtr list = new GameImageArray(static_cast<int32_t>(names.size()));
  int32_t i = 0;
  for (const char16_t* n : names) (*list)[i++] = image(n);
  return list;
}

// One tank set: type * 8 + frame + direction, frames 0 and 4.
GameImageArrayPtr tankSet(const char16_t* prefix, int32_t types, bool small) {
  GameImageArrayPtr set = new GameImageArray(types * 8);
  for (int32_t t = 0; t < types; ++t) {
    for (int32_t frame = 0; frame < 2; ++frame) {
      DStringPtr plain = (DStringPtr(prefix) + frame) + t;
      const int32_t at = t * 8 + frame * GTNK::kSecondFrame;
      (*set)[at + DIR_LEFT] = image(plain);
      (*set)[at + DIR_RIGHT] = image(plain + u"_mr");
      if (small) {
        (*set)[at + DIR_UP] = image(plain + u"_dn");
        (*set)[at + DIR_DOWN] = image(plain + u"_up");
      } else {
        DStringPtr turned = (DStringPtr(prefix) + u"x") + t;
        (*set)[at + DIR_UP] = image(turned + u"-dn");
        (*set)[at + DIR_DOWN] = image(turned + u"-up");
      }
    }
  }
  return set;
}

// The ground sprite of a cell's terrain bits: one of them alone names it, none or several are road.
int32_t groundOf(int32_t cell, int32_t waterFrame) {
  switch (cell & CELL_TERRAIN) {
    case CELL_GRASS:
      return 1;
    case CELL_WATER:
      return GROUND_WATER + (waterFrame != 0 ? 1 : 0);
    case CELL_RUIN:
      return 4;
    case CELL_ICE:
      return 5;
    case CELL_SAND:
      return 6;
    default:
      return GROUND_ROAD;
  }
}

bool blink() { return playTime % kBlinkPeriod < kBlinkOn; }

}  // namespace

void GameTanks::loadSprites() {
  GameImagePtr probe = image(data::kSizeProbe);
  const bool small = probe->w <= data::kSmallSpriteWidth;
  playerSprites = tankSet(data::kPlayerTank, data::kPlayerTypes, small);
  enemySprites = tankSet(data::kEnemyTank, data::kEnemyTypes, small);
  reserveIcons =
      images({data::kReserveIcons[0], data::kReserveIcons[1], data::kReserveIcons[2], data::kReserveIcons[3]});
  groundSprites =
      images({data::kRoad, data::kGrass, data::kWater[0], data::kWater[1], data::kRuin, data::kIce, data::kSand});
  coverSprite = image(data::kCover);
  baseSprites = images({data::kBaseImages[0], data::kBaseImages[1]});
  bonusSprites = new GameImageArray(data::kBonusKinds);
  for (int32_t k = 0; k < data::kBonusKinds; ++k) (*bonusSprites)[k] = image(data::kBonuses[k]);
  appearSprites = images({data::kAppearing[0], data::kAppearing[1]});
  shieldSprites = images({data::kShield[0], data::kShield[1]});
  bulletSprites = new GameImageArray(4);
  (*bulletSprites)[DIR_LEFT] = image(data::kBullet);
  (*bulletSprites)[DIR_UP] = image(DStringPtr(data::kBullet) + u"_dn");
  (*bulletSprites)[DIR_RIGHT] = image(DStringPtr(data::kBullet) + u"_mr");
  (*bulletSprites)[DIR_DOWN] = image(DStringPtr(data::kBullet) + u"_up");
  explosionSprites = new GameImageArray(data::kExplosionFrames);
  for (int32_t k = 0; k < data::kExplosionFrames; ++k) (*explosionSprites)[k] = image(data::kExplosions[k]);
  houseSprites = new GameImageArray2d(data::kHouseLooks);
  for (int32_t look = 0; look < data::kHouseLooks; ++look) {
    GameImageArrayPtr states = new GameImageArray(data::kHouseStates);
    for (int32_t s = 0; s < data::kHouseStates; ++s) (*states)[s] = image((DStringPtr(data::kHousePrefix) + look) + s);
    (*houseSprites)[look] = states;
  }
  obstacleSprite = image(data::kObstacle);
  int32_t pairs = 0;
  while (GameImage::has(DStringPtr(data::kWallIntactPrefix) + (pairs + 1))) ++pairs;
  wallPairs = new GameImageArray2d(pairs);
  for (int32_t n = 1; n <= pairs; ++n) {
    GameImageArrayPtr pair = new GameImageArray(2);
    (*pair)[0] = image(DStringPtr(data::kWallIntactPrefix) + n);
    (*pair)[1] = image(DStringPtr(data::kWallDamagedPrefix) + n);
    (*wallPairs)[n - 1] = pair;
  }
  wallPair = pairs > 0 ? GameImageArrayPtr((*wallPairs)[0]) : GameImageArrayPtr();

  blockSize = obstacleSprite->w;
  cellSize = blockSize / kBlockCells;
  const bool wide = blockSize > data::kSmallSpriteWidth;
  slowBullet = wide ? blockSize * 2 / 16 : 2;
  fastBullet = wide ? blockSize * 4 / 16 : 4;
}

int32_t GameTanks::offsetX() const {
  const int32_t screen = GameLib::screenWidth;
  const int32_t field = gridW * cellSize;
  if (field <= screen) return (screen - field) / 2;
  int32_t x = screen / 2 - player->x * cellSize;
  if (x > 0) x = 0;
  if (x < screen - field) x = screen - field;
  return x;
}

int32_t GameTanks::offsetY() const {
  const int32_t room = GameLib::screenHeight - (panelBottomRight.isNull() ? 0 : panelBottomRight->getHeight());
  const int32_t field = gridH * cellSize;
  if (field <= room) return room - field;
  int32_t y = room / 2 - player->y * cellSize;
  if (y > 0) y = 0;
  if (y < room - field) y = room - field;
  return y;
}

void GameTanks::drawBlock(int32_t x, int32_t y, int32_t waterFrame) {
  const int32_t px = x * cellSize;
  const int32_t py = y * cellSize;
  const int32_t cell = (*grid)[y][x];
  GameImage::drawOpaque(px, py, (*groundSprites)[groundOf(cell, waterFrame)]);
  if ((cell & CELL_BASE) != 0) GameImage::draw(px, py, (*baseSprites)[battleEnded && !battleWon ? 1 : 0]);
  if ((cell & CELL_ITEM) == 0) return;
  const GITM& item = *(*items)[static_cast<int32_t>(static_cast<uint32_t>(cell) >> 16)];
  GameImagePtr sprite;
  const bool even = stage % 2 == 0;
  if (item.kind == GITM::KIND_WALL) {
    sprite = (*wallPair)[item.hitPoints >= GITM::kWallHitPoints ? 0 : 1];
  } else if (item.kind == GITM::KIND_HOUSE_A || item.kind == GITM::KIND_HOUSE_B) {
    const int32_t look = (item.kind == GITM::KIND_HOUSE_A ? 0 : 1) + (even ? 2 : 0);
    sprite = (*(*houseSprites)[look])[item.hitPoints - 1];
  } else {
    sprite = obstacleSprite;
  }
  GameImage::draw(px, py, sprite);
}

void GameTanks::redrawBlock(int32_t x, int32_t y) {
  if (layers.isNull() || (*layers)[0].isNull()) return;
  DGraphicsPtr saved = GameImage::graphics;
  GameImage::graphics = (*layers)[0]->getGraphics();
  drawBlock(x, y, 0);
  GameImage::graphics = saved;
}

void GameTanks::renderLayer(int32_t layer, int32_t waterFrame) {
  if (layers.isNull()) layers = new DImageArray(2);
  DGraphicsPtr saved = GameImage::graphics;
  if (layer == 0) {
    if ((*layers)[0].isNull()) (*layers)[0] = DImage::createMutableImage(gridW * cellSize, gridH * cellSize);
    GameImage::graphics = (*layers)[0]->getGraphics();
    for (int32_t y = 0; y < gridH; y += kBlockCells)
      for (int32_t x = 0; x < gridW; x += kBlockCells) drawBlock(x, y, waterFrame);
    GameImage::graphics = saved;
    return;
  }
  const int32_t w = GameLib::screenWidth;
  const int32_t bar = panelBottomLeft->getHeight();
  if ((*layers)[1].isNull()) (*layers)[1] = DImage::createMutableImage(w, bar);
  DGraphicsPtr g = (*layers)[1]->getGraphics();
  g->drawImage(panelBottomLeft, 0, 0, DGraphics::TOP_LEFT);
  g->drawImage(panelBottomRight, w, 0, DGraphics::TOP_RIGHT);
  g->drawImage(panelBottomMiddle, panelBottomLeft->getWidth(), 0, DGraphics::TOP_LEFT);
  GameImage::graphics = g;
  const int32_t iconW = (*reserveIcons)[0]->w;
  const int32_t step = w * 2 / 176 + iconW;
  const int32_t rowStep = panelBottomRight->getHeight() * 2 / 88 + iconW;
  int32_t columnX = w - w / 16 - step;
  for (int32_t i = 0; i < kReserveColumns; ++i, columnX -= step) {
    for (int32_t k = 0; k < 2; ++k) {
      const GTNK& enemy = *(*enemies)[2 * i + k];
      if (!enemy.entered) GameImage::draw(columnX, k * rowStep + bar / 4, (*reserveIcons)[enemy.type & 3]);
    }
  }
  const GameImagePtr lifeSprite = (*playerSprites)[0];
  int32_t x0 = panelBottomLeft->getWidth();
  if (lifeSprite->w > data::kSmallSpriteWidth) x0 -= 8;
  GameImage::draw(x0, bar / 2 - lifeSprite->h / 2, lifeSprite);
  const int32_t anchor = DGraphics::CENTRE_LEFT;
  ImageFontPtr hud = GameLib::font(GameLib::FONT_HUD0);
  hud->drawString(g, u"x", x0 + lifeSprite->w + kTextGap, bar / 2, anchor);
  GameLib::font(GameLib::FONT_NUM0)
      ->drawString(g, DStringPtr(u"") + player->lives, x0 + lifeSprite->w + hud->stringWidth(u"x") + kLivesGap, bar / 2,
                   anchor);
  GameImage::graphics = saved;
}

GameImagePtr GameTanks::tankSprite(const GTNK& tank, bool isPlayer) const {
  const GameImageArrayPtr& set = isPlayer ? playerSprites : enemySprites;
  return (*set)[tank.type * 8 + tank.frame + tank.direction];
}

void GameTanks::drawUnit(const GameImagePtr& sprite, int32_t posX, int32_t posY, int32_t originX, int32_t originY) {
  GameImage::draw(originX + posX * blockSize / 16, originY + posY * blockSize / 16, sprite);
}

void GameTanks::paintBullets(const GBUL& bullet, int32_t originX, int32_t originY) {
  if (!bullet.active) return;
  const GameImagePtr sprite = bullet.state == GBUL::STATE_EXPLODING ? (*explosionSprites)[bullet.explosionFrame]
                                                                    : (*bulletSprites)[bullet.direction];
  drawUnit(sprite, bullet.posX(), bullet.posY(), originX, originY);
}

void GameTanks::paint() {
  const int32_t w = GameLib::screenWidth;
  const int32_t h = GameLib::screenHeight;
  DGraphicsPtr g = GameLib::graphics;
  GameImage::graphics = g;
  const int32_t ox = offsetX();
  const int32_t oy = offsetY();
  const bool on = blink();
  g->setColor(0);
  g->fillRect(0, 0, w, h);
  if (owner != nullptr) owner->paintPanels(ox);
  if (oy > 0 && !panelTop.isNull()) g->drawImageOpaque(panelTop, w / 2, oy, DGraphics::BOTTOM_CENTRE);
  if (layersDirty) {
    renderLayer(0, on ? 1 : 0);
    renderLayer(1, on ? 1 : 0);
    layersDirty = false;
  }
  g->drawImageOpaque((*layers)[0], ox, oy, DGraphics::TOP_LEFT);

  if (shieldTimer > 0) drawUnit((*shieldSprites)[on ? 1 : 0], player->posX(), player->posY(), ox, oy);
  if (!playerHidden) drawUnit(tankSprite(*player, true), player->posX(), player->posY(), ox, oy);
  for (int32_t i = playerBullets->length - 1; i >= 0; --i) paintBullets(*(*playerBullets)[i], ox, oy);
  for (int32_t i = 0; i < kEnemies; ++i) {
    const GTNK& enemy = *(*enemies)[i];
    if (enemy.takesPart()) {
      const GameImagePtr sprite =
          enemy.isState(GTNK::STATE_APPEARING) ? (*appearSprites)[on ? 1 : 0] : tankSprite(enemy, false);
      drawUnit(sprite, enemy.posX(), enemy.posY(), ox, oy);
    }
    paintBullets(*(*enemyBullets)[i], ox, oy);
  }
  if (expireMarkedBlock() && !on) {
    GameImage::draw(ox + bonusX * cellSize, oy + bonusY * cellSize, (*bonusSprites)[bonusKind]);
  }
  for (int32_t y = 0; y < gridH; y += kBlockCells)
    for (int32_t x = 0; x < gridW; x += kBlockCells)
      if (((*grid)[y][x] & CELL_COVER) != 0) GameImage::draw(ox + x * cellSize, oy + y * cellSize, coverSprite);
  g->drawImage((*layers)[1], 0, h, DGraphics::BOTTOM_LEFT);
  if (battleEnded && !battleWon) {
    const char16_t* key = player->lives < 1 ? u"gameover" : u"basedestroy";
    GameLib::font(GameLib::FONT_HUD0)
        ->drawStringOnScreen(TextTable::getString(key), textX, h / 2, DGraphics::BOTTOM_CENTRE);
  }
}

}  // namespace tanks
