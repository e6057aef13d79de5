// The brick field of the brick-and-paddle game: the grid of bricks, the cell geometry, the round files,
// the prepared picture of background, walls and bricks, what is left to clear, and the score.
#pragma once

#include <cstdint>

#include "core/io/DDataInputStream.h"
#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "games/bounce/BounceData.h"
#include "games/bounce/Brick.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"

namespace bounce {

inline constexpr int32_t fieldRows = data::kFieldRows;
inline constexpr int32_t fieldColumns = data::kFieldColumns;
// x of the left edge of column 0; the field is centred on the screen.
inline int32_t fieldLeft = 0;
// Added to the cell size between neighbours; narrow screens overlap their columns.
inline int32_t cellGapX = 0;
inline int32_t cellGapY = 0;

class BrickList;
using BrickListPtr = nuv::lang::DPtr<BrickList>;

class BrickList : public nuv::lang::DObject {
 public:
  // Needs the paddle and the ball pool: the field's height leaves room for them.
  BrickList();
  ~BrickList() override;
  const char* getClassName() const override { return "BrickList"; }

  // Cell of a pixel, truncating toward zero; callers check the range.
  virtual int32_t columnAt(int32_t px);
  virtual int32_t rowAt(int32_t py);
  // Cell edges in 1/16 pixel.
  virtual int32_t rowTop(int32_t row);
  virtual int32_t rowBottom(int32_t row);
  virtual int32_t columnLeft(int32_t column);
  virtual int32_t columnRight(int32_t column);
  // One line up to a carriage return; null when it is empty. EOFException when the data ends first.
  virtual nuv::lang::DStringPtr readLine(nuv::io::DDataInputStreamPtr in);
  // The whole file is read before anything changes: a missing file (IOException), a line shorter than
  // the row or empty, or data that ends before the last row (IOException family) leave the field, its
  // round and its count as they were.
  virtual void loadRound(int32_t newRound);
  virtual void forEachBrick();
  virtual void drawBackground();

  // The brick of a cell, null outside the grid.
  Brick* brickAt(int32_t column, int32_t row);
  // Draws the bricks left and right of a cell into the picture again: a wiped brick may have cut into
  // them where columns overlap. Every redraw of a brick into the picture ends with it.
  void redrawNeighbours(int32_t column, int32_t row);
  // "/data/bnc/data/round" + two digits + ".txt".
  static nuv::lang::DStringPtr roundFileName(int32_t round);

  BrickArray2dPtr bricks;
  int32_t remaining = 0;
  int32_t score = 0;
  int32_t cellWidth = 0;
  int32_t cellHeight = 0;
  int32_t top = 0;
  int32_t fieldWidth = 0;
  int32_t fieldHeight = 0;
  int32_t round = 0;
  nuv::microedition::lcdui::DImagePtr picture;
  nuv::microedition::lcdui::DImagePtr background;
  nuv::microedition::lcdui::DImagePtr backImage;
  nuv::microedition::lcdui::DGraphicsPtr pictureGraphics;
  nuv::microedition::lcdui::DGraphicsPtr backgroundGraphics;
  gamelib::GameImageArrayPtr wallImages;
  gamelib::GameImageArrayPtr wallImagesRight;
  gamelib::GameImagePtr topWallImage;
  gamelib::GameImageArrayPtr kindImages;
  gamelib::GameImageArrayPtr twoHitImages;
  gamelib::GameImageArrayPtr threeHitImages;
  gamelib::GameImageArrayPtr quarterImages;
  gamelib::AnimationArrayPtr animations;
};

}  // namespace bounce
