// A table of shorts: rows of DshortArray.
#pragma once

#include <cstdint>

#include "core/lang/DTypedArray2d.h"
#include "core/lang/DshortArray.h"

namespace nuv::lang {

class DshortArray2d : public DTypedArray2d<DshortArray> {
 public:
  explicit DshortArray2d(int32_t rows) : DTypedArray2d(rows) {}
  DshortArray2d(int32_t rows, int32_t cols) : DTypedArray2d(rows, cols) {}
  const char* getClassName() const override { return "DshortArray2d"; }
};

using DshortArray2dPtr = DPtr<DshortArray2d>;

}  // namespace nuv::lang
