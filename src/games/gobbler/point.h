// A cell position of the maze grid (column, row), as the movers keep the cell they stand on.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"

namespace gobbler {

class point : public nuv::lang::DObject {
 public:
  point(int32_t x, int32_t y) : x(x), y(y) {}
  const char* getClassName() const override { return "point"; }
  virtual void set(int32_t newX, int32_t newY) {
    x = newX;
    y = newY;
  }
  bool sameAs(int32_t otherX, int32_t otherY) const { return x == otherX && y == otherY; }

  int32_t x;
  int32_t y;
};

using pointPtr = nuv::lang::DPtr<point>;

}  // namespace gobbler
