// An array of flags, one byte each, 0 or 1.
#pragma once

#include <cstdint>

#include "core/lang/DPrimitiveArray.h"

namespace nuv::lang {

class DboolArray : public DPrimitiveArray<bool> {
 public:
  explicit DboolArray(int32_t n) : DPrimitiveArray(n) {}

  const char* getClassName() const override { return "DboolArray"; }
};

using DboolArrayPtr = DPtr<DboolArray>;

}  // namespace nuv::lang
