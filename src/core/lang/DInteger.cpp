// Integer boxing and text conversion.
#include "core/lang/DInteger.h"

#include <optional>
#include <string>
#include <string_view>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DString.h"

namespace nuv::lang {

namespace {

bool isScanSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

int digitValue(char16_t c, int radix) {
  int d = c >= u'0' && c <= u'9'   ? c - u'0'
          : c >= u'a' && c <= u'f' ? c - u'a' + 10
          : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                   : 99;
  return d < radix ? d : -1;
}

// Reads a number as the C scans "%d" (radix 10) and "%x" (radix 16) do: leading white space, an optional
// sign, for hexadecimal an optional "0x", then digits; what follows is ignored. A value that does not fit
// in 32 bits reads as no number rather than as a wrapped one.
std::optional<int32_t> scanNumber(std::u16string_view text, int radix) {
  size_t i = 0;
  while (i < text.size() && isScanSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  bool readZero = false;
  if (radix == 16 && i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    readZero = true;
    i += 2;
  }
  uint64_t magnitude = 0;
  bool readDigit = false;
  for (int d; i < text.size() && (d = digitValue(text[i], radix)) >= 0; ++i) {
    magnitude = magnitude * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
    if (magnitude > UINT32_MAX) return std::nullopt;
    readDigit = true;
  }
  if (!readDigit && !readZero) return std::nullopt;
  uint32_t bits = static_cast<uint32_t>(magnitude);
  return static_cast<int32_t>(negative ? 0u - bits : bits);
}

[[noreturn]] void throwNumberFormat() { throwException(ExceptionCode::NumberFormatException); }

}  // namespace

DStringPtr DInteger::toString() { return toString(value_, 10); }

bool DInteger::equals(DObject* other) {
  auto* number = dynamic_cast<DInteger*>(other);
  return number != nullptr && number->value_ == value_;
}

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

int32_t DInteger::parseInt(DStringPtr text) {
  if (!text) throwNumberFormat();
  DStringPtr trimmed = text->trim();
  // Only a lower-case "x" selects hexadecimal; "0X1F" reads as the decimal 0.
  if (trimmed->length() > 2 && trimmed->charAt(0) == u'0' && trimmed->charAt(1) == u'x') {
    return parseInt(trimmed, 16);
  }
  return parseInt(trimmed, 10);
}

int32_t DInteger::parseInt(DStringPtr text, int32_t radix) {
  if (!text || (radix != 10 && radix != 16)) throwNumberFormat();
  std::optional<int32_t> value = scanNumber(text->view(), radix);
  if (!value) throwNumberFormat();
  return *value;
}

DIntegerPtr DInteger::valueOf(DStringPtr text) {
  if (!text) return new DInteger(0);
  return new DInteger(parseInt(std::move(text)));
}

}  // namespace nuv::lang
