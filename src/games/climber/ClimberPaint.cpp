// Painting of the ladders-and-bricks game by state: the menus, the level intro and game over, and play.
// The map is larger than the screen, so drawn cells live in the back buffer, a wrap-around cache a little
// larger than the screen: a cell is drawn there when it changes or scrolls into the buffered window, and
// each frame the buffer is copied to the screen in four pieces at the view's offset.
#include "gamelib/GameApi.h"
#include "games/climber/Climber.h"

namespace climber {

using namespace gamelib::api;

namespace {
constexpr int32_t kBlack = 0x000000;
// The status line stands this far above the screen's bottom, its parts this far apart.
constexpr int32_t kStatusMargin = 2;
constexpr int32_t kTimesGap = 3;
constexpr int32_t kNumberGap = 4;
constexpr int32_t kCaptionGap = 3;
// Cells around the shine's diagonal whose picture changes with it.
constexpr int32_t kShineBehind = 2;
constexpr int32_t kShineAhead = 1;

// The entry of a list the level takes in turn; null for an empty list.
GameImagePtr levelPicture(const GameImageArrayPtr& list) {
  if (list.isNull() || list->length == 0) return nullptr;
  return (*list)[level % list->length];
}

void drawIf(int32_t x, int32_t y, const GameImagePtr& image) {
  if (!image.isNull()) GameImage::draw(x, y, image);
}

bool shines(char16_t c) { return c == data::kFalseBrick || c == data::kGoldCell || c == data::kDroppedGold; }

// The current drawing target is the back buffer while `draw` runs, and what it was afterwards.
template <class Draw>
void intoBackBuffer(Draw draw) {
  DGraphicsPtr previous = GameImage::graphics;
  GameImage::graphics = backBuffer->getGraphics();
  draw();
  GameImage::graphics = previous;
}

}  // namespace

void Climber::drawTile(int32_t x, int32_t y, char16_t cell, int32_t column, int32_t row) {
  DGraphics& g = *GameImage::graphics;
  const int32_t clipX = g.getClipX(), clipY = g.getClipY(), clipW = g.getClipWidth(), clipH = g.getClipHeight();
  g.setClip(x, y, tileWidth, tileHeight);
  const GameImagePtr back = levelPicture(backgrounds);
  if (back.isNull()) {
    g.setColor(kBlack);
    g.fillRect(x, y, tileWidth, tileHeight);
  } else {
    // One background picture repeats every backgroundColumns x backgroundRows cells of the map.
    GameImage::drawOpaque(x - (column % backgroundColumns) * tileWidth, y - (row % backgroundRows) * tileHeight, back);
  }
  g.setClip(clipX, clipY, clipW, clipH);

  const int32_t s = column + row;
  switch (cell) {
    case data::kEmpty:
    case data::kOpenHole:
      break;
    case data::kClosedExit:
      drawIf(x, y, doorClosedImage);
      break;
    case data::kOpenExit:
      drawIf(x, y, doorOpenImage);
      break;
    case data::kLadderCell:
      drawIf(x, y, ladderImage);
      break;
    case data::kHandrailCell:
      drawIf(x, y, handrailImage);
      break;
    case data::kGoldCell:
    case data::kDroppedGold: {
      // The shine runs along a diagonal: the pictures either side of it glint.
      const int32_t frame = s == shinePosition - 1 ? 1 : s == shinePosition + 1 ? 2 : 0;
      const GameImagePtr gold =
          goldImages.isNull() || goldImages->length <= frame ? GameImagePtr() : GameImagePtr((*goldImages)[frame]);
      if (!gold.isNull()) GameImage::draw(x, y + tileHeight - gold->h, gold);
      break;
    }
    case data::kFalseBrick:
      // The shine's line leaves a gap in a false brick, and the cells beside it crumble.
      if (s == shinePosition - 1 || s == shinePosition + 1) {
        drawIf(x, y, brickDisappear3);
      } else if (s != shinePosition) {
        const GameImagePtr brick = levelPicture(brickImages);
        if (!brick.isNull()) GameImage::drawOpaque(x, y, brick);
      }
      break;
    case data::kBrickInChange:
      drawIf(x, y, brickDisappear3);
      break;
    case data::kArmourBrick:
      drawIf(x, y, levelPicture(armourBrickImages));
      break;
    default:
      drawIf(x, y, levelPicture(brickImages));
      break;
  }
}

void Climber::redrawCell(int32_t column, int32_t row) {
  if (column < 0 || column >= mapWidth || row < 0 || row >= mapHeight) return;
  const int32_t left = cameraX / tileWidth, top = cameraY / tileHeight;
  if (column < left || column >= left + bufferColumns || row < top || row >= top + bufferRows) return;
  intoBackBuffer([&] {
    drawTile((column * tileWidth) % bufferWidth, (row * tileHeight) % bufferHeight, cellAt(column + mapWidth * row),
             column, row);
  });
}

void Climber::redrawColumns(int32_t column) {
  if (column < 0 || column >= mapWidth || (column + 1) * tileWidth < cameraX ||
      column * tileWidth >= cameraX + bufferWidth)
    return;
  intoBackBuffer([&] {
    for (int32_t k = 0; k < bufferRows; ++k) {
      const int32_t row = cameraY / tileHeight + k;
      const int32_t index = row * mapWidth + column;
      if (index >= 0 && index < cells->length) {
        drawTile((column * tileWidth) % bufferWidth, (row * tileHeight) % bufferHeight, cellAt(index), column, row);
      }
    }
  });
}

void Climber::redrawRow(int32_t row) {
  if (row < 0 || row >= mapHeight || (row + 1) * tileHeight < cameraY || row * tileHeight >= cameraY + bufferHeight)
    return;
  intoBackBuffer([&] {
    for (int32_t k = 0; k < bufferColumns; ++k) {
      const int32_t column = cameraX / tileWidth + k;
      const int32_t index = row * mapWidth + column;
      if (index >= 0 && index < cells->length) {
        drawTile((column * tileWidth) % bufferWidth, (row * tileHeight) % bufferHeight, cellAt(index), column, row);
      }
    }
  });
}

void Climber::paintRunners(const RunnerPtr& runner) {
  Runner& r = *runner;
  const bool left = r.directionX < 0;
  const bool guard = r.isEnemy;
  AnimationPtr animation;
  GameImagePtr picture;
  switch (r.state) {
    case Runner::WALKING:
      animation = guard ? (left ? enemyGoLeft : enemyGoRight) : (left ? heroGoLeft : heroGoRight);
      break;
    case Runner::FALLING:
      animation = guard ? (left ? enemyFallLeft : enemyFallRight) : (left ? heroFallLeft : heroFallRight);
      break;
    case Runner::CLIMBING:
      animation = guard ? enemyLadder : heroLadder;
      break;
    case Runner::HANGING:
      animation =
          guard ? (left ? enemyHandrailLeft : enemyHandrailRight) : (left ? heroHandrailLeft : heroHandrailRight);
      break;
    case Runner::DIGGING:
      picture = left ? brickDisappear1Mirrored : brickDisappear1;
      break;
    case Runner::BURIED:
      return;
    default:
      picture =
          guard ? (left ? enemyIdleMirroredImage : enemyIdleImage) : (left ? heroIdleMirroredImage : heroIdleImage);
      break;
  }
  if (!animation.isNull()) {
    // The runner's own counter picks the frame: each frame lasts two of its steps. An animation without
    // frames shows nothing.
    const int32_t frames = animation->frames.isNull() ? 0 : animation->frames->length;
    if (frames < 1) return;
    r.animationCounter %= 2 * frames;
    picture = (*animation->frames)[r.animationCounter / 2];
  } else {
    r.animationCounter = 0;
  }
  if (picture.isNull()) return;
  const int32_t px = r.column * tileWidth - cameraX + r.offsetX;
  const int32_t py = r.row * tileHeight - cameraY + r.offsetY;
  // Hanging from the top of the cell; otherwise standing on its bottom.
  GameImage::draw(px, r.state == Runner::HANGING ? py : py + tileHeight - picture->h, picture);
  if (r.state != Runner::DIGGING) return;
  // The brick being dug crumbles diagonally below, on the side the runner faces.
  const GameImagePtr dust = left ? brickDisappear2Mirrored : brickDisappear2;
  if (dust.isNull()) return;
  GameImage::draw(left ? px - dust->w : px + picture->w, py + picture->h, dust);
}

void Climber::paint() {
  switch (gameState) {
    case STATE_MENU:
    case STATE_KEY_SETUP:
      menuFlow->paint();
      break;
    case STATE_PLAYING:
      paintPlaying();
      break;
    case STATE_LEVEL_INTRO:
      paintCaptions(TextTable::getString(u"level") + u" " + level, TextTable::getString(u"score") + u" " + score, true);
      break;
    case STATE_GAME_OVER:
      if (badLevel != 0) {
        paintCaptions(TextTable::getString(u"level") + u" " + badLevel, TextTable::getString(data::kBadLevelText),
                      false);
      } else {
        paintCaptions(TextTable::getString(u"gameover"), TextTable::getString(u"score") + u" " + score, false);
      }
      break;
    default:
      break;
  }
}

void Climber::paintPlaying() {
  // The cells the shine passes change their picture every frame it moves.
  const int32_t left = cameraX / tileWidth, top = cameraY / tileHeight;
  for (int32_t row = top; row < top + bufferRows && row < mapHeight; ++row) {
    for (int32_t column = left; column < left + bufferColumns && column < mapWidth; ++column) {
      const int32_t s = column + row;
      if (s >= shinePosition - kShineBehind && s <= shinePosition + kShineAhead &&
          shines(cellAt(column + mapWidth * row))) {
        redrawCell(column, row);
      }
    }
  }
  DGraphics& g = *GameLib::graphics;
  const int32_t ox = cameraX % bufferWidth, oy = cameraY % bufferHeight;
  g.drawImageOpaque(backBuffer, -ox, -oy, DGraphics::TOP_LEFT);
  g.drawImageOpaque(backBuffer, bufferWidth - ox, -oy, DGraphics::TOP_LEFT);
  g.drawImageOpaque(backBuffer, -ox, bufferHeight - oy, DGraphics::TOP_LEFT);
  g.drawImageOpaque(backBuffer, bufferWidth - ox, bufferHeight - oy, DGraphics::TOP_LEFT);
  paintStatusLine();
  for (int32_t e = 0; e < enemyCount; ++e) {
    if (!(*enemies)[e].isNull()) paintRunners((*enemies)[e]);
  }
  paintRunners(hero);
  if (!GameMenu::pauseImage.isNull())
    g.drawImageOpaque(GameMenu::pauseImage, 0, GameLib::screenHeight, DGraphics::BOTTOM_LEFT);
}

void Climber::paintStatusLine() {
  if (heroIdleImage.isNull()) return;
  const int32_t base = screenHeight - heroIdleImage->h;
  const int32_t x0 = kStatusMargin + (GameMenu::pauseImage.isNull() ? 0 : GameMenu::pauseImage->getWidth());
  const int32_t y = base - kStatusMargin;
  GameImage::draw(x0, y, heroIdleImage);
  ImageFontPtr label = GameLib::font(GameLib::FONT_HUD0);
  ImageFontPtr number = GameLib::font(GameLib::FONT_NUM0);
  const DStringPtr times = u"x";
  label->drawStringOnScreen(times, x0 + heroIdleImage->w + kTimesGap, y, 0);
  number->drawStringOnScreen(DStringPtr(u"") + lives, x0 + heroIdleImage->w + label->stringWidth(times) + kNumberGap, y,
                             0);
  number->drawStringOnScreen(DStringPtr(u"") + score, screenWidth - kStatusMargin, y, DGraphics::TOP_RIGHT);
}

void Climber::paintCaptions(DStringPtr first, DStringPtr second, bool lifeIcons) {
  DGraphics& g = *GameLib::graphics;
  g.setColor(kBlack);
  g.fillRect(0, 0, screenWidth, screenHeight);
  ImageFontPtr font = GameLib::font(GameLib::FONT_HUD1);
  const int32_t h = font->getHeight();
  const int32_t x = GameLib::screenWidth >> 1;
  const int32_t y0 = (GameLib::screenHeight >> 1) - 2 * h - kCaptionGap;
  const int32_t y1 = y0 + h + kCaptionGap;
  font->drawStringOnScreen(first, x, y0, DGraphics::TOP_CENTRE);
  font->drawStringOnScreen(second, x, y1, DGraphics::TOP_CENTRE);
  if (!lifeIcons || heroIdleMirroredImage.isNull()) return;
  const int32_t w = heroIdleMirroredImage->w;
  for (int32_t i = 0; i < lives; ++i) {
    GameImage::draw((screenWidth - (w + kCaptionGap) * lives) / 2 + (w + kCaptionGap) * i, y1 + h + kCaptionGap,
                    heroIdleMirroredImage);
  }
}

}  // namespace climber
