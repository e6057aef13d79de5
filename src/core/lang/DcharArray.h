// An array of 16-bit characters.
#pragma once

#include <cstdint>
#include <type_traits>

#include "core/lang/DPrimitiveArray.h"

namespace nuv::lang {

class DcharArray : public DPrimitiveArray<char16_t> {
 public:
  explicit DcharArray(int32_t n) : DPrimitiveArray(n) {}
  // The length, then the elements in order: DcharArray(2, u'a', u'b').
  template <class... V>
  requires(sizeof...(V) > 0 && (std::is_convertible_v<V, int64_t> && ...)) DcharArray(int32_t n, V... values)
      : DPrimitiveArray(n) {
    fill(values...);
  }

  const char* getClassName() const override { return "DcharArray"; }
};

using DcharArrayPtr = DPtr<DcharArray>;

}  // namespace nuv::lang
