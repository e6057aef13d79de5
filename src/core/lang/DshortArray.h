// An array of signed 16-bit numbers.
#pragma once

#include <cstdint>

#include "core/lang/DPrimitiveArray.h"

namespace nuv::lang {

class DshortArray : public DPrimitiveArray<int16_t> {
 public:
  explicit DshortArray(int32_t n) : DPrimitiveArray(n) {}

  const char* getClassName() const override { return "DshortArray"; }
};

using DshortArrayPtr = DPtr<DshortArray>;

}  // namespace nuv::lang
