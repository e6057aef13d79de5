// A table of bytes: rows of DbyteArray.
#pragma once

#include <cstdint>

#include "core/lang/DTypedArray2d.h"
#include "core/lang/DbyteArray.h"

namespace nuv::lang {

class DbyteArray2d : public DTypedArray2d<DbyteArray> {
 public:
  explicit DbyteArray2d(int32_t rows) : DTypedArray2d(rows) {}
  DbyteArray2d(int32_t rows, int32_t cols) : DTypedArray2d(rows, cols) {}
  const char* getClassName() const override { return "DbyteArray2d"; }
};

using DbyteArray2dPtr = DPtr<DbyteArray2d>;

}  // namespace nuv::lang
