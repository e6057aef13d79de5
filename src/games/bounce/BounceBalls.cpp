// The ball step of the brick game's screen: each flying ball looks ahead along five rays through the
// brick cells it may reach, and either meets the nearest brick edge or moves on to the walls and paddle.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "games/bounce/Bounce.h"

namespace bounce {

namespace {

constexpr int32_t EDGE_BOTTOM = 0;
constexpr int32_t EDGE_RIGHT = 1;
constexpr int32_t EDGE_TOP = 2;
constexpr int32_t EDGE_LEFT = 3;
constexpr int32_t kHitSparks = 10;

struct Scan {
  bool rightSide;   // ray 3 on the ball's right, else its left
  bool bottomSide;  // ray 4 at the ball's bottom, else its top
  bool rowsDown;    // rows scanned downward in index (moving up the screen)
  bool columnsDown;
  int32_t firstEdge;
  int32_t secondEdge;
};

// By direction class: h (0, 1, 2 for dx < 0, = 0, > 0) + v (1, 4, 7 for dy < 0, = 0, > 0). Class 5 is
// a ball standing still, which meets nothing.
Scan scanFor(int32_t directionClass) {
  switch (directionClass) {
    case 1:
    case 2:
    case 4:
      return {false, false, true, true, EDGE_RIGHT, EDGE_BOTTOM};
    case 3:
      return {true, false, true, false, EDGE_LEFT, EDGE_BOTTOM};
    case 7:
      return {false, true, false, true, EDGE_RIGHT, EDGE_TOP};
    default:
      return {true, true, false, false, EDGE_LEFT, EDGE_TOP};
  }
}

int32_t sign3(int32_t v) { return v < 0 ? 0 : (v == 0 ? 1 : 2); }

}  // namespace

void Bounce::moveBalls() {
  Platform& paddle = *platform;
  BrickList& field = *brickList;
  const int32_t paddleLeft = paddle.x - paddle.width / 2;
  const int32_t paddleRight = paddle.x + paddle.width / 2;
  for (int32_t slot = 0; slot < ballSlots; ++slot) {
    BallPtr ballPtr = (*balls)[slot];
    Ball& ball = *ballPtr;
    if (!ball.released) {
      if (!paddle.sticky) {
        ball.setPosition(paddle.x + ball.radius, paddle.top - 1);
      } else {
        ball.update(paddle.x, paddle.top, paddleLeft, paddleRight, paddle.sticky);
      }
      continue;
    }
    if (!ball.inPlay) continue;

    const int32_t r = ball.radius;
    const int32_t r16 = 16 * r;
    const int32_t fromX = ball.x16;
    const int32_t fromY = ball.y16;
    // The look-ahead reaches a full step at the brick scale, a little further than the step itself.
    const int32_t toX = fromX + ball.speedLevel * brickWidth * ball.dx / baseBrickWidth;
    const int32_t toY = fromY + ball.speedLevel * brickWidth * ball.dy / baseBrickWidth;
    const int32_t directionClass = sign3(ball.dx) + 1 + 3 * sign3(ball.dy);
    const Scan scan = scanFor(directionClass);
    const int32_t offsetX[kRays] = {-ball.dy * r, ball.dy * r, ball.dx * r, scan.rightSide ? r16 : -r16, 0};
    const int32_t offsetY[kRays] = {ball.dx * r, -ball.dx * r, ball.dy * r, 0, scan.bottomSide ? r16 : -r16};
    for (int32_t ray = 0; ray < kRays; ++ray) {
      (*rayStartX)[ray] = fromX + offsetX[ray];
      (*rayStartY)[ray] = fromY + offsetY[ray];
      (*rayEndX)[ray] = toX + offsetX[ray];
      (*rayEndY)[ray] = toY + offsetY[ray];
      (*noHit)[ray] = true;
    }

    if (directionClass != 5) {
      int32_t rowFrom, rowTo, columnFrom, columnTo;
      if (scan.rowsDown) {
        rowFrom = field.rowAt((fromY + r16) >> 4) + 1;
        rowTo = field.rowAt((toY - r16) >> 4) - 1;
      } else {
        rowFrom = field.rowAt((fromY - r16) >> 4) - 1;
        rowTo = field.rowAt((toY + r16) >> 4) + 1;
      }
      if (scan.columnsDown) {
        columnFrom = field.columnAt((fromX + r16) >> 4) + 1;
        columnTo = field.columnAt((toX - r16) >> 4) - 1;
      } else {
        columnFrom = field.columnAt((fromX - r16) >> 4) - 1;
        columnTo = field.columnAt((toX + r16) >> 4) + 1;
      }
      // Cells outside the grid are skipped, so the range is cut to it (plus one) before the walk.
      rowFrom = std::clamp(rowFrom, -1, fieldRows);
      rowTo = std::clamp(rowTo, -1, fieldRows);
      columnFrom = std::clamp(columnFrom, -1, fieldColumns);
      columnTo = std::clamp(columnTo, -1, fieldColumns);
      const int32_t rowStep = scan.rowsDown ? -1 : 1;
      const int32_t columnStep = scan.columnsDown ? -1 : 1;
      for (int32_t row = rowFrom; (row - rowTo) * rowStep <= 0; row += rowStep) {
        if (row < 0 || row >= fieldRows) continue;
        for (int32_t column = columnFrom; (column - columnTo) * columnStep <= 0; column += columnStep) {
          Brick* brick = field.brickAt(column, row);
          if (brick == nullptr || brick->kind <= 0) continue;
          for (int32_t ray = 0; ray < kRays; ++ray) {
            intersectCellEdge(column, row, scan.firstEdge, ray);
            intersectCellEdge(column, row, scan.secondEdge, ray);
          }
        }
      }
    }

    // The nearest hit wins; on equal distance the lower ray. Any recorded hit is eligible, however far
    // a fast ball looked ahead.
    int32_t best = -1;
    int32_t bestDistance = std::numeric_limits<int32_t>::max();
    for (int32_t ray = kRays - 1; ray >= 0; --ray) {
      if ((*noHit)[ray] || (*hitDistance)[ray] > bestDistance) continue;
      best = ray;
      bestDistance = (*hitDistance)[ray];
    }
    if (best < 0) {
      if (ball.update(paddle.x, paddle.top, paddleLeft, paddleRight, paddle.sticky)) ballLost();
      continue;
    }
    testBrickHit(ballPtr, (*hitX)[best] - offsetX[best], (*hitY)[best] - offsetY[best], (*hitColumn)[best],
                 (*hitRow)[best], (*verticalEdge)[best]);
    spawnParticles(kHitSparks, ball.kind >= Ball::KIND_FIRE_SMALL ? PARTICLE_SMALL_SPARK : PARTICLE_SPARK, ball.x,
                   ball.y);
  }
  packBalls();
}

bool Bounce::intersectCellEdge(int32_t column, int32_t row, int32_t edge, int32_t ray) {
  BrickList& field = *brickList;
  const int64_t sx = (*rayStartX)[ray];
  const int64_t sy = (*rayStartY)[ray];
  const int64_t ex = (*rayEndX)[ray];
  const int64_t ey = (*rayEndY)[ray];
  int64_t px, py;
  const bool vertical = edge == EDGE_RIGHT || edge == EDGE_LEFT;
  if (vertical) {
    const int64_t e = edge == EDGE_RIGHT ? field.columnRight(column) : field.columnLeft(column);
    if ((ex - e) * (sx - e) >= 0) return false;
    px = e;
    py = ((ey - sy) * e - sx * ey + sy * ex) / (ex - sx);
    if ((field.rowBottom(row) - py) * (field.rowTop(row) - py) >= 0) return false;
  } else {
    const int64_t e = edge == EDGE_BOTTOM ? field.rowBottom(row) : field.rowTop(row);
    if ((ey - e) * (sy - e) >= 0) return false;
    py = e;
    px = ((ex - sx) * e - sy * ex + sx * ey) / (ey - sy);
    if ((field.columnRight(column) - px) * (field.columnLeft(column) - px) >= 0) return false;
  }
  crossX = static_cast<int32_t>(px);
  crossY = static_cast<int32_t>(py);
  const int64_t distance = (px - sx) * (px - sx) + (py - sy) * (py - sy);
  const int32_t clamped = static_cast<int32_t>(std::min<int64_t>(distance, std::numeric_limits<int32_t>::max()));
  // On equal distance the later cell in scan order takes the hit.
  if (!(*noHit)[ray] && clamped > (*hitDistance)[ray]) return true;
  (*hitX)[ray] = crossX;
  (*hitY)[ray] = crossY;
  (*hitColumn)[ray] = column;
  (*hitRow)[ray] = row;
  (*hitDistance)[ray] = clamped;
  (*noHit)[ray] = false;
  (*verticalEdge)[ray] = vertical;
  return true;
}

void Bounce::testBrickHit(BallPtr ball, int32_t x16, int32_t y16, int32_t column, int32_t row, bool isVerticalEdge) {
  BrickList& field = *brickList;
  Brick& brick = *field.brickAt(column, row);
  const int32_t k = brick.kind;
  const int32_t v = brick.value;
  bool rebounds;
  switch (ball->kind) {
    case Ball::KIND_SMALL:
    case Ball::KIND_FIRE_SMALL:
      rebounds = true;
      break;
    case Ball::KIND_NORMAL:
      rebounds = v > 1 || k == Brick::KIND_INDESTRUCTIBLE;
      break;
    case Ball::KIND_BIG:
      rebounds = v > 3 || k == Brick::KIND_INDESTRUCTIBLE;
      break;
    case Ball::KIND_FIRE:
      rebounds = k == Brick::KIND_INDESTRUCTIBLE;
      break;
    default:
      rebounds = false;
      break;
  }
  // The hit also draws the bricks beside this one again.
  brick.hit(ball);
  Ball& b = *ball;
  b.x16 = x16;
  b.y16 = y16;
  b.x = x16 >> 4;
  b.y = y16 >> 4;
  if (!rebounds) return;
  if (brick.kind > 0) {
    // Out of the brick that still stands, so the next look-ahead starts outside it.
    b.y += b.dy > 0 ? -1 : 1;
    b.x += b.dx > 0 ? -1 : 1;
    b.x16 = b.x * 16;
    b.y16 = b.y * 16;
  }
  if (isVerticalEdge) {
    b.dx = -b.dx;
  } else {
    b.dy = -b.dy;
  }
}

}  // namespace bounce
