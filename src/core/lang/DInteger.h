// A boxed int, and conversions between ints and text.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"

namespace nuv::lang {

class DInteger;
using DIntegerPtr = DPtr<DInteger>;

class DInteger : public DObject {
 public:
  explicit DInteger(int32_t value) : value_(value) {}
  int32_t intValue() const noexcept { return value_; }

  const char* getClassName() const override { return "DInteger"; }
  // The value in decimal.
  DStringPtr toString() override;
  int32_t hashCode() override { return value_; }
  // Equal values; false for null and for objects that are not integers.
  bool equals(DObject* other) override;

  static DStringPtr toString(int32_t value);
  // Radix 10 or 16 (lower case, "-" and the magnitude for negatives); any other radix gives "".
  static DStringPtr toString(int32_t value, int32_t radix);
  static DStringPtr toHexString(int32_t value) { return toString(value, 16); }

  // The trimmed text as hexadecimal after a leading "0x", else the first decimal number in it (text after
  // the number is ignored). NumberFormatException when no number is read.
  static int32_t parseInt(DStringPtr text);
  // Radix 10 or 16 (an optional "0x" or "0X" is accepted); any other radix is a NumberFormatException.
  static int32_t parseInt(DStringPtr text, int32_t radix);
  // A new integer of parseInt(text); 0 for a null text.
  static DIntegerPtr valueOf(DStringPtr text);

 private:
  int32_t value_;
};

}  // namespace nuv::lang
