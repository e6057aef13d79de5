// A pixel position or a direction of the maze: two components, despite its name.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"

namespace gobbler {

class vector_3d : public nuv::lang::DObject {
 public:
  vector_3d() = default;
  vector_3d(int32_t x, int32_t y) : x(x), y(y) {}
  const char* getClassName() const override { return "vector_3d"; }
  virtual void set(int32_t newX, int32_t newY) {
    x = newX;
    y = newY;
  }
  bool sameAs(int32_t otherX, int32_t otherY) const { return x == otherX && y == otherY; }
  bool isZero() const { return x == 0 && y == 0; }

  int32_t x = 0;
  int32_t y = 0;
};

using vector_3dPtr = nuv::lang::DPtr<vector_3d>;

}  // namespace gobbler
