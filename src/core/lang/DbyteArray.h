// An array of signed bytes.
#pragma once

#include <cstdint>

#include "core/lang/DPrimitiveArray.h"

namespace nuv::lang {

class DbyteArray : public DPrimitiveArray<int8_t> {
 public:
  explicit DbyteArray(int32_t n) : DPrimitiveArray(n) {}

  const char* getClassName() const override { return "DbyteArray"; }
};

using DbyteArrayPtr = DPtr<DbyteArray>;

}  // namespace nuv::lang
