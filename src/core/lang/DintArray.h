// An array of signed 32-bit numbers.
#pragma once

#include <cstdint>
#include <type_traits>

#include "core/lang/DPrimitiveArray.h"

namespace nuv::lang {

class DintArray : public DPrimitiveArray<int32_t> {
 public:
  explicit DintArray(int32_t n) : DPrimitiveArray(n) {}
  // The length, then the elements in order: DintArray(3, 1, 2, 3).
  template <class... V>
  requires(sizeof...(V) > 0 && (std::is_convertible_v<V, int64_t> && ...)) DintArray(int32_t n, V... values)
      : DPrimitiveArray(n) {
    fill(values...);
  }

  const char* getClassName() const override { return "DintArray"; }
};

using DintArrayPtr = DPtr<DintArray>;

}  // namespace nuv::lang
