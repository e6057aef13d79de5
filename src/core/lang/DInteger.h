// A boxed int, and conversions between ints and text.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"

namespace nuv::lang {

class DInteger : public DObject {
 public:
  explicit DInteger(int32_t value) : value_(value) {}
  int32_t intValue() const noexcept { return value_; }

  static DStringPtr toString(int32_t value);
  // Radix 10 or 16 (lower case, "-" and the magnitude for negatives); any other radix gives "".
  static DStringPtr toString(int32_t value, int32_t radix);
  static DStringPtr toHexString(int32_t value) { return toString(value, 16); }

 private:
  int32_t value_;
};

using DIntegerPtr = DPtr<DInteger>;

}  // namespace nuv::lang
