// Text built piece by piece in a growing buffer that is always NUL-terminated.
#pragma once

#include <cstdint>
#include <memory>

#include "core/lang/DObject.h"

namespace nuv::lang {

class DStringBuffer;
using DStringBufferPtr = DPtr<DStringBuffer>;

class DStringBuffer : public DObject {
 public:
  static constexpr int32_t kInitialCapacity = 16;

  DStringBuffer();
  // The string's text, with room for the terminator and nothing more.
  explicit DStringBuffer(DStringPtr text);

  int32_t length() const noexcept { return length_; }
  int32_t capacity() const noexcept { return capacity_; }
  const char16_t* chars() const noexcept { return chars_.get(); }

  // A null string appends "null". Both return this buffer.
  DStringBufferPtr append(DStringPtr text);
  DStringBufferPtr append(char16_t c);

  // Cuts or extends the text; characters past the new end are 0. StringIndexOutOfBoundsException for n < 0.
  void setLength(int32_t n);
  // StringIndexOutOfBoundsException outside 0..length-1.
  char16_t charAt(int32_t index) const;
  void setCharAt(int32_t index, char16_t c);

  // A new string with a copy of the text.
  DStringPtr toString() override;

 private:
  // Makes room for `needed` characters, terminator included: at least double the old capacity.
  void reserve(int64_t needed);
  void appendChars(const char16_t* text, int32_t count);

  int32_t length_ = 0;
  int32_t capacity_ = 0;
  std::unique_ptr<char16_t[]> chars_;
};

}  // namespace nuv::lang
