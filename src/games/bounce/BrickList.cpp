// The brick field: cell geometry fitted to the screen, the round files, and the prepared picture of
// background, walls and bricks that play draws from.
#include "games/bounce/BrickList.h"

#include "core/lang/DMath.h"
#include "core/lang/DStringBuffer.h"
#include "gamelib/GameApi.h"
#include "gamelib/GameLib.h"
#include "gamelib/ResourceDamage.h"
#include "games/bounce/Bounce.h"

namespace bounce {

using namespace gamelib::api;

namespace {

// The screen width whose columns overlap.
constexpr int32_t kNarrowScreenWidth = 208;
constexpr int32_t kNarrowGap = -2;
constexpr int32_t kCarriageReturn = 13;
constexpr int32_t kTopMin = -2;
constexpr int32_t kTopMax = 7;
constexpr int32_t kBottomGapMax = 12;
// A brick's power-up is drawn from 1..kBonusDraw; draws above the last power-up kind give none.
constexpr int32_t kBonusDraw = 16;
constexpr int32_t kBonusKinds = data::kBonusKinds;

struct LetterKind {
  int32_t kind;
  int32_t value;
};
// By the letter's index in the round files' alphabet.
constexpr LetterKind kLetterKinds[] = {{1, 2}, {2, 3}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {1, 2}, {9, 5}};

GameImagePtr image(DStringPtr name) { return GameImage::create(name); }

// One picture per name, with the suffix (a turn or a mirror) added; a null name leaves its place empty.
template <size_t N>
GameImageArrayPtr imageList(const char16_t* const (&names)[N], const char16_t* suffix = u"") {
  GameImageArrayPtr list = new GameImageArray(static_cast<int32_t>(N));
  for (size_t i = 0; i < N; ++i) {
    if (names[i] != nullptr) (*list)[static_cast<int32_t>(i)] = image(DStringPtr(names[i]) + suffix);
  }
  return list;
}

int32_t heightOf(const GameImagePtr& picture) { return picture.isNull() ? 0 : picture->h; }
int32_t widthOf(const GameImagePtr& picture) { return picture.isNull() ? 0 : picture->w; }

[[noreturn]] void badRoundFile(int32_t line) {
  throw new DExceptionBase(ExceptionCode::IOException, u"line %d is shorter than a row", line);
}

}  // namespace

BrickList::BrickList() {
  cellGapX = GameLib::screenWidth == kNarrowScreenWidth ? kNarrowGap : 0;
  wallImages = imageList(data::kWalls);
  wallImagesRight = imageList(data::kWalls, u"_mr");
  topWallImage = image(DStringPtr(data::kWalls[0]) + u"_dn");
  kindImages = imageList(data::kKindBricks);
  twoHitImages = imageList(data::kTwoHitBricks);
  threeHitImages = imageList(data::kThreeHitBricks);
  quarterImages = imageList(data::kQuarterBricks);
  animations = new AnimationArray(4);
  (*animations)[Brick::ANIM_DISAPPEAR] = loadAnimation(data::kBrickDisappear);
  (*animations)[Brick::ANIM_APPEAR] = loadAnimation(data::kBrickAppear);
  (*animations)[Brick::ANIM_SPARK] = loadAnimation(data::kSpark);
  (*animations)[Brick::ANIM_DETONATION] = loadAnimation(data::kDetonation);

  remaining = 0;
  score = 0;
  fieldLeft = 0;
  round = 0;
  top = heightOf((*wallImages)[3]);

  GameImagePtr flash = (*kindImages)[0];
  cellWidth = flash->w + 1;
  fieldWidth = (cellWidth + cellGapX) * fieldColumns;
  if (fieldWidth + 2 * fieldLeft > GameLib::screenWidth + 2) {
    --cellWidth;
    fieldWidth -= fieldColumns;
  }
  fieldLeft = (GameLib::screenWidth - fieldWidth) >> 1;

  int32_t bottomGap = platform.isNull() ? kBottomGapMax : platform->bottomGap;
  cellHeight = flash->h + 1;
  fieldHeight = (cellHeight + cellGapY) * fieldRows;
  if (fieldHeight + bottomGap + top > GameLib::screenHeight + 2) {
    --cellHeight;
    fieldHeight -= fieldRows;
  }

  // Room below the field for the paddle and a ball on it: short screens pull the field up.
  int32_t r = 0;
  if (!instance.isNull() && !instance->balls.isNull() && !(*instance->balls)[0].isNull()) {
    r = (*instance->balls)[0]->radius;
  }
  int32_t ph = platform.isNull() ? 0 : platform->height;
  int32_t h = GameLib::screenHeight;
  if (bottomGap + 2 * r + ph + fieldHeight + top > h) {
    top = nuv::lang::DMath::max(kTopMin, nuv::lang::DMath::min(kTopMax, h - 2 * r - fieldHeight - bottomGap - ph));
    bottomGap = nuv::lang::DMath::min(kBottomGapMax, h - 2 * r - ph - fieldHeight - top);
    if (!platform.isNull()) platform->bottomGap = bottomGap;
  }

  bricks = new BrickArray2d(fieldRows, fieldColumns);
  int32_t rowY = top;
  for (int32_t row = 0; row < fieldRows; ++row, rowY += cellHeight + cellGapY) {
    int32_t columnX = fieldLeft;
    for (int32_t column = 0; column < fieldColumns; ++column, columnX += cellWidth + cellGapX) {
      (*bricks)[row][column] = new Brick(columnX, rowY, column, row);
    }
  }

  fieldWidth = (cellWidth + cellGapX) * fieldColumns;
  fieldHeight = (cellHeight + cellGapY) * fieldRows;
  background = DImage::createMutableImage(GameLib::screenWidth, GameLib::screenHeight);
  picture = DImage::createMutableImage(GameLib::screenWidth, GameLib::screenHeight);
  backgroundGraphics = background->getGraphics();
  pictureGraphics = picture->getGraphics();
}

BrickList::~BrickList() {
  bricks = nullptr;
  pictureGraphics = nullptr;
  backgroundGraphics = nullptr;
  picture = nullptr;
  background = nullptr;
  backImage = nullptr;
  wallImages = nullptr;
  wallImagesRight = nullptr;
  topWallImage = nullptr;
  kindImages = nullptr;
  twoHitImages = nullptr;
  threeHitImages = nullptr;
  quarterImages = nullptr;
  animations = nullptr;
}

int32_t BrickList::columnAt(int32_t px) { return (px - fieldLeft) / (cellWidth + cellGapX); }

int32_t BrickList::rowAt(int32_t py) { return (py - top) / (cellHeight + cellGapY); }

int32_t BrickList::rowTop(int32_t row) { return (top + (cellHeight + cellGapY) * row) * 16; }

int32_t BrickList::rowBottom(int32_t row) { return rowTop(row + 1); }

int32_t BrickList::columnLeft(int32_t column) { return (fieldLeft + (cellWidth + cellGapX) * column) * 16; }

int32_t BrickList::columnRight(int32_t column) { return columnLeft(column + 1); }

Brick* BrickList::brickAt(int32_t column, int32_t row) {
  if (column < 0 || column >= fieldColumns || row < 0 || row >= fieldRows) return nullptr;
  return (*bricks)[row][column].get();
}

void BrickList::redrawNeighbours(int32_t column, int32_t row) {
  GameImage::graphics = pictureGraphics;
  for (int32_t c : {column - 1, column + 1}) {
    if (Brick* neighbour = brickAt(c, row)) neighbour->draw();
  }
  GameImage::graphics = GameLib::graphics;
}

DStringPtr BrickList::roundFileName(int32_t round) {
  return (DStringPtr(data::kRoundPrefix) + (round < 10 ? u"0" : u"") + round) + data::kRoundSuffix;
}

DStringPtr BrickList::readLine(nuv::io::DDataInputStreamPtr in) {
  nuv::lang::DStringBufferPtr line = new nuv::lang::DStringBuffer();
  for (;;) {
    int32_t b = in->readByte();
    if ((b & 0xFF) == kCarriageReturn) break;
    line->append(static_cast<char16_t>(b));
  }
  // The line feed of a CR LF pair, or whatever stands there.
  in->readByte();
  return line->length() == 0 ? nullptr : line->toString();
}

void BrickList::loadRound(int32_t newRound) {
  nuv::io::DInputStreamPtr file = GameLib::loadFile(roundFileName(newRound));
  if (file.isNull()) {
    throw new DExceptionBase(ExceptionCode::IOException, u"round %d: no round file", newRound);
  }
  nuv::io::DDataInputStreamPtr in = new nuv::io::DDataInputStream(file);
  nuv::lang::DStringArrayPtr lines = new nuv::lang::DStringArray(fieldRows);
  // Every line is read before the field changes: a damaged file is reported and leaves it as it was.
  gamelib::ResourceDamage::reading(roundFileName(newRound), [&] {
    for (int32_t row = 0; row < fieldRows; ++row) {
      DStringPtr line = readLine(in);
      if (line.isNull() || line->length() < fieldColumns) badRoundFile(row + 1);
      (*lines)[row] = line;
    }
  });
  file->close();

  round = newRound;
  drawBackground();
  remaining = 0;
  GameImage::graphics = pictureGraphics;
  pictureGraphics->setClip(0, 0, GameLib::screenWidth, GameLib::screenHeight);
  pictureGraphics->drawImageOpaque(background, 0, 0, DGraphics::TOP_LEFT);
  for (int32_t row = 0; row < fieldRows; ++row) {
    DStringPtr line = (*lines)[row];
    for (int32_t column = 0; column < fieldColumns; ++column) {
      Brick& brick = *brickAt(column, row);
      int32_t letter = levelLetters->indexOf(line->charAt(column));
      LetterKind cell = letter < 0 ? LetterKind{0, 0} : kLetterKinds[letter];
      brick.setKind(cell.kind, cell.value);
      if (cell.kind != Brick::KIND_REGENERATING && cell.kind != Brick::KIND_INDESTRUCTIBLE) remaining += cell.value;
      brick.animation = nullptr;
      // A power-up a brick never released stays with the round it was drawn for.
      brick.bonus = 0;
      brick.draw();
    }
  }
  GameImage::graphics = GameLib::graphics;

  for (int32_t row = 0; row < fieldRows; ++row) {
    for (int32_t column = 0; column < fieldColumns; ++column) {
      Brick& brick = *brickAt(column, row);
      if (brick.kind == Brick::KIND_EMPTY || brick.kind == Brick::KIND_REGENERATING ||
          brick.kind == Brick::KIND_INDESTRUCTIBLE) {
        continue;
      }
      int32_t draw = randomInRange(1, kBonusDraw);
      if (draw <= kBonusKinds) brick.bonus = draw;
    }
  }
  playSound(SOUND_RESPAWN);
}

void BrickList::forEachBrick() {
  for (int32_t row = 0; row < fieldRows; ++row) {
    for (int32_t column = 0; column < fieldColumns; ++column) {
      Brick& brick = *brickAt(column, row);
      if (brick.kind != Brick::KIND_EMPTY) brick.paintAnimation();
    }
  }
}

void BrickList::drawBackground() {
  GameImage::graphics = backgroundGraphics;
  DGraphics& g = *backgroundGraphics;
  const int32_t w = GameLib::screenWidth;
  const int32_t h = GameLib::screenHeight;
  // A background that is not there leaves the one before.
  gamelib::ResourceDamage::skipMissing(ExceptionCode::Exception, [&] {
    nuv::microedition::lcdui::DImagePtr loaded =
        GameLib::loadImage(DStringPtr(data::kBackgroundPrefix) + ((round - 1) % data::kBackgrounds + 1));
    if (!loaded.isNull()) backImage = loaded;
  });
  if (!backImage.isNull()) {
    g.setClip(0, 0, w, h);
    g.drawImage(backImage, w / 2, 0, DGraphics::TOP_CENTRE);
  }

  GameImagePtr corner = (*wallImages)[3];
  GameImagePtr side = (*wallImages)[0];
  const int32_t w3 = widthOf(corner);
  const int32_t left = fieldLeft - w3;
  const int32_t right = fieldLeft + fieldWidth;
  g.setClip(left, 0, w3 + right, h);

  const int32_t tileWidth = widthOf(topWallImage);
  int32_t tiles = tileWidth > 0 ? fieldWidth / tileWidth : 0;
  int32_t overlap = (tiles + 1) * tileWidth - fieldWidth;
  if (overlap == tileWidth) {
    --tiles;
    overlap = 0;
  }

  const int32_t sideHeight = heightOf(side);
  int32_t y = 0;
  int32_t pieces = 0;
  if (top < heightOf(corner)) {
    pieces = sideHeight > 0 ? h / sideHeight : 0;
  } else {
    if (!corner.isNull()) corner->paint(left, 0);
    if (!(*wallImagesRight)[3].isNull()) (*wallImagesRight)[3]->paint(right, 0);
    y = heightOf(corner);
    pieces = sideHeight > 0 ? (h - y) / sideHeight : 0;
  }
  for (int32_t i = 0; i <= pieces && sideHeight > 0; ++i, y += sideHeight) {
    GameImagePtr leftPiece = (*wallImages)[i % 3];
    GameImagePtr rightPiece = (*wallImagesRight)[i % 3];
    if (!leftPiece.isNull()) leftPiece->paint(left, y);
    if (!rightPiece.isNull()) rightPiece->paint(right, y);
  }
  if (top >= heightOf(corner) && tileWidth > 0) {
    for (int32_t i = 0; i <= tiles; ++i) {
      topWallImage->paint(fieldLeft + i * tileWidth - (i * overlap) / (tiles + 1), 0);
    }
  }
  g.setClip(0, 0, w, h);
  GameImage::graphics = GameLib::graphics;
}

}  // namespace bounce
