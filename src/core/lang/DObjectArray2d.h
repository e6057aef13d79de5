// A table of objects: rows of object arrays.
#pragma once

#include <cstdint>

#include "core/lang/DTypedArray2d.h"

namespace nuv::lang {

class DObjectArray2d : public DTypedArray2d<DObjectArray> {
 public:
  explicit DObjectArray2d(int32_t rows) : DTypedArray2d(rows) {}
  DObjectArray2d(int32_t rows, int32_t cols) : DTypedArray2d(rows, cols) {}
  const char* getClassName() const override { return DObject::getClassName(); }
};

using DObjectArray2dPtr = DPtr<DObjectArray2d>;

}  // namespace nuv::lang
