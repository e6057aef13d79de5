// A pixel rectangle of the maze: it covers left <= x < right and top <= y < bottom.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"

namespace gobbler {

class rectangle : public nuv::lang::DObject {
 public:
  rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom)
      : left(left), right(right), top(top), bottom(bottom) {}
  const char* getClassName() const override { return "rectangle"; }
  virtual void set(int32_t newLeft, int32_t newTop, int32_t newRight, int32_t newBottom) {
    left = newLeft;
    top = newTop;
    right = newRight;
    bottom = newBottom;
  }

  int32_t left;
  int32_t right;
  int32_t top;
  int32_t bottom;
};

using rectanglePtr = nuv::lang::DPtr<rectangle>;

}  // namespace gobbler
