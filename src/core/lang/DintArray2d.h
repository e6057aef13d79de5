// A table of ints: rows of DintArray.
#pragma once

#include <cstdint>

#include "core/lang/DTypedArray2d.h"
#include "core/lang/DintArray.h"

namespace nuv::lang {

class DintArray2d : public DTypedArray2d<DintArray> {
 public:
  explicit DintArray2d(int32_t rows) : DTypedArray2d(rows) {}
  DintArray2d(int32_t rows, int32_t cols) : DTypedArray2d(rows, cols) {}
  const char* getClassName() const override { return "DintArray2d"; }
};

using DintArray2dPtr = DPtr<DintArray2d>;

}  // namespace nuv::lang
