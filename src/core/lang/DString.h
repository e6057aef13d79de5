// Immutable text of 16-bit characters with a cached hash.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/lang/DObject.h"

namespace nuv::lang {

class DString : public DObject {
 public:
  explicit DString(const char16_t* text);
  // One character per byte, each byte widened as a signed value.
  explicit DString(const char* text);
  explicit DString(std::u16string_view text);

  int32_t length() const noexcept { return static_cast<int32_t>(text_.size()); }
  // NUL-terminated.
  const char16_t* chars() const noexcept { return text_.c_str(); }
  std::u16string_view view() const noexcept { return text_; }

  // A null operand reads as "null".
  static DStringPtr concat(const DString* a, const DString* b);
  static DStringPtr concat(const char16_t* a, const DString* b);
  static DStringPtr concat(const DString* a, const char16_t* b);
  static DStringPtr concat(const char16_t* a, const char16_t* b);

  DStringPtr toString() override;
  // h = 31 * h + c over the characters, cached; a result of 0 is recomputed on each call.
  int32_t hashCode() override;
  // Compares with the other object's string form.
  bool equals(DObject* other) override;
  bool equals(const char16_t* text) const;

 private:
  std::u16string text_;
  int32_t hash_ = 0;
};

// False for a null pointer, else the characters decide.
bool operator==(const DStringPtr& a, const char16_t* text);

}  // namespace nuv::lang
