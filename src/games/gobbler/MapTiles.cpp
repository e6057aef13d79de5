// The maze's graphics: loading the four tile styles, the doors and the cell animations, and giving every
// cell of a new map its rectangle and its tile from the walls around it.

#include "core/lang/DExceptionBase.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/TextTable.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/gobbler/MapBase.h"
#include "games/gobbler/WallPatterns.h"

namespace gobbler {

using gamelib::GameImage;
using nuv::lang::DStringPtr;
using namespace gamelib::api;

namespace {

// A fifth style column is made, and stays empty.
constexpr int32_t kStyleColumns = data::kTileStyles + 1;

DStringPtr twoDigits(int32_t n) { return n < 10 ? DStringPtr(u"0") + n : DStringPtr(u"") + n; }

AnimationPtr cellAnimation(const char16_t* name) {
  return new Animation(TextTable::split(TextTable::getString(name), u';'));
}

}  // namespace

void initialize_map() {
  const bool made = gamelib::ResourceDamage::skipMissing(nuv::lang::ExceptionCode::Exception, [] {
    MapBase::tileImages = new gamelib::GameImageArray2d(data::kTilesPerStyle, kStyleColumns);
    MapBase::doorImages = new gamelib::GameImageArray(data::kTileStyles);
    for (int32_t s = 0; s < data::kTileStyles; ++s) {
      const DStringPtr digit = DStringPtr(u"") + (s + 1);
      (*MapBase::doorImages)[s] = GameImage::create(digit + data::kDoorName);
      for (int32_t n = 0; n < data::kTilesPerStyle; ++n) {
        (*MapBase::tileImages)[n][s] =
            GameImage::create(digit + data::kWallTileName + twoDigits(n) + data::kTileSuffix);
      }
    }
    Animation::loadList(data::kAnimationList);
    MapBase::dotAnimation = cellAnimation(data::kDotAnimation);
    MapBase::powerDotAnimation = cellAnimation(data::kPowerDotAnimation);
    MapBase::portalAnimation = cellAnimation(data::kPortalAnimation);
  });
  if (!made) logLine(u"Can't initialize_map");
}

void MapBase::buildWalls() {
  tileStyle %= data::kTileStyles;
  for (int32_t y = 0; y <= rows + 1; ++y) {
    for (int32_t x = 0; x <= cols + 1; ++x) {
      CellBase& c = *cellAt(x, y);
      c.rect->set(cellWidth * x, cellHeight * y, cellWidth * (x + 1), cellHeight * (y + 1));
      walls::Neighbourhood around = 0;
      for (int32_t dy = -1; dy <= 1; ++dy) {
        for (int32_t dx = -1; dx <= 1; ++dx) {
          // Outside the bordered grid counts as wall.
          CellBasePtr n = cellAt(x + dx, y + dy);
          if (n.isNull() || n->kind == CellBase::WALL) around |= 1u << ((dy + 1) * 3 + dx + 1);
        }
      }
      const int32_t tile = c.kind == CellBase::OPEN ? 0 : walls::wallTile(around);
      c.image = (*tileImages)[tile][tileStyle];
    }
  }
  mazeImage = DImage::createMutableImage((cols + 2) * cellWidth, (rows + 2) * cellHeight);
  mazeRebuild = true;
}

}  // namespace gobbler
