// Immutable text of 16-bit characters with a cached hash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/lang/DObject.h"

namespace nuv::lang {

class DbyteArray;

class DString : public DObject {
 public:
  explicit DString(const char16_t* text);
  // One character per byte, each byte widened as a signed value.
  explicit DString(const char* text);
  explicit DString(std::u16string_view text);
  // A copy of the other string's characters.
  explicit DString(DStringPtr other);

  int32_t length() const noexcept { return static_cast<int32_t>(text_.size()); }
  // NUL-terminated.
  const char16_t* chars() const noexcept { return text_.c_str(); }
  std::u16string_view view() const noexcept { return text_; }

  // A null operand reads as "null".
  static DStringPtr concat(const DString* a, const DString* b);
  static DStringPtr concat(const char16_t* a, const DString* b);
  static DStringPtr concat(const DString* a, const char16_t* b);
  static DStringPtr concat(const char16_t* a, const char16_t* b);
  // The number in decimal.
  static DStringPtr concat(const DString* a, int32_t b);

  DStringPtr toString() override;
  // h = 31 * h + c over the characters, cached; a result of 0 is recomputed on each call.
  int32_t hashCode() override;
  // Compares with the other object's string form; false for null.
  bool equals(DObject* other) override;
  bool equals(const char16_t* text) const;
  bool equals(DStringPtr other) const;
  bool equals(std::nullptr_t) const noexcept { return false; }

  // StringIndexOutOfBoundsException outside 0..length-1.
  char16_t charAt(int32_t index) const;
  // -1, 0 or 1, characters compared as unsigned; a prefix sorts first.
  int32_t compareTo(DStringPtr other) const;
  bool startsWith(DStringPtr prefix) const;
  bool endsWith(DStringPtr suffix) const;

  // -1 when absent; a negative start counts as 0.
  int32_t indexOf(char16_t c, int32_t from = 0) const;
  int32_t indexOf(DStringPtr str, int32_t from = 0) const;
  int32_t lastIndexOf(char16_t c) const;

  // Characters begin..end-1; StringIndexOutOfBoundsException unless 0 <= begin <= end <= length.
  DStringPtr substring(int32_t begin, int32_t end);
  DStringPtr substring(int32_t begin);
  // Without the characters 0 to 32 at both ends; this same string when there are none.
  DStringPtr trim();
  DStringPtr toLowerCase();
  DStringPtr toUpperCase();
  // This same string when it is empty, else a copy with every oldChar replaced.
  DStringPtr replace(char16_t oldChar, char16_t newChar);
  // Every occurrence of target, left to right; this same string when there is none (or target is empty).
  DStringPtr replaceAll(DStringPtr target, DStringPtr replacement);

  // The text in the ANSI code page; characters it lacks become "?".
  DPtr<DbyteArray> getBytes();
  // The same with a terminating 0.
  DPtr<DbyteArray> toCString();

  // A decimal number's low 16 bits; NumberFormatException when the text holds none.
  static int16_t parseShort(DStringPtr text);

  // Bit of wildcardMatch's flags: "\" is an ordinary character.
  static constexpr int32_t kNoEscape = 2;
  // 0 when the text matches the pattern, 1 when not: "*" any run, "?" one character, "\" quotes the next.
  static int32_t wildcardMatch(const char16_t* pattern, const char16_t* text, int32_t flags);

 private:
  std::u16string text_;
  int32_t hash_ = 0;
};

// False for a null pointer, else the characters decide.
bool operator==(const DStringPtr& a, const char16_t* text);

// Concatenations on pointers; a null string reads as "null".
DStringPtr operator+(const DStringPtr& a, DStringPtr b);
DStringPtr operator+(const DStringPtr& a, const char16_t* b);
DStringPtr operator+(const char16_t* a, DStringPtr b);
DStringPtr operator+(const DStringPtr& a, int32_t b);
// A character would silently read as its number; append it through a DStringBuffer instead.
DStringPtr operator+(const DStringPtr& a, char16_t b) = delete;
// a becomes a + b.
void concatAssign(DStringPtr& a, DStringPtr b);

}  // namespace nuv::lang
