// Integer boxing and text conversion.
#include "core/lang/DInteger.h"

#include <string>

#include "core/lang/DString.h"

namespace nuv::lang {

DStringPtr DInteger::toString(int32_t value) { return toString(value, 10); }

DStringPtr DInteger::toString(int32_t value, int32_t radix) {
  if (radix != 10 && radix != 16) return new DString(u"");
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  std::u16string digits;
  do {
    digits.insert(digits.begin(), u"0123456789abcdef"[magnitude % static_cast<uint32_t>(radix)]);
    magnitude /= static_cast<uint32_t>(radix);
  } while (magnitude != 0);
  if (value < 0) digits.insert(digits.begin(), u'-');
  return new DString(std::u16string_view(digits));
}

}  // namespace nuv::lang
