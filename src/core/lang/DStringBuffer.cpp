// The string buffer's growth and editing.
#include "core/lang/DStringBuffer.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string_view>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DString.h"

namespace nuv::lang {

DStringBuffer::DStringBuffer() : capacity_(kInitialCapacity), chars_(new char16_t[kInitialCapacity]()) {}

DStringBuffer::DStringBuffer(DStringPtr text)
    : length_(text->length()), capacity_(length_ + 1), chars_(new char16_t[static_cast<size_t>(capacity_)]()) {
  std::copy_n(text->chars(), length_, chars_.get());
}

void DStringBuffer::reserve(int64_t needed) {
  if (needed <= capacity_) return;
  if (needed > INT32_MAX) throw std::bad_alloc();
  const auto grown =
      static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(needed, int64_t{capacity_} * 2), INT32_MAX));
  std::unique_ptr<char16_t[]> bigger(new char16_t[static_cast<size_t>(grown)]());
  std::copy_n(chars_.get(), length_, bigger.get());
  chars_ = std::move(bigger);
  capacity_ = grown;
}

void DStringBuffer::appendChars(const char16_t* text, int32_t count) {
  reserve(int64_t{length_} + count + 1);
  std::copy_n(text, count, chars_.get() + length_);
  length_ += count;
  chars_[static_cast<size_t>(length_)] = 0;
}

DStringBufferPtr DStringBuffer::append(DStringPtr text) {
  if (!text) {
    constexpr std::u16string_view kNull = u"null";
    appendChars(kNull.data(), static_cast<int32_t>(kNull.size()));
  } else {
    appendChars(text->chars(), text->length());
  }
  return this;
}

DStringBufferPtr DStringBuffer::append(char16_t c) {
  appendChars(&c, 1);
  return this;
}

void DStringBuffer::setLength(int32_t n) {
  if (n < 0) throwException(ExceptionCode::StringIndexOutOfBoundsException);
  reserve(int64_t{n} + 1);
  if (n < length_) std::fill(chars_.get() + n, chars_.get() + length_, u'\0');
  length_ = n;
}

char16_t DStringBuffer::charAt(int32_t index) const {
  if (index < 0 || index >= length_) throwException(ExceptionCode::StringIndexOutOfBoundsException);
  return chars_[static_cast<size_t>(index)];
}

void DStringBuffer::setCharAt(int32_t index, char16_t c) {
  if (index < 0 || index >= length_) throwException(ExceptionCode::StringIndexOutOfBoundsException);
  chars_[static_cast<size_t>(index)] = c;
}

DStringPtr DStringBuffer::toString() {
  return new DString(std::u16string_view(chars_.get(), static_cast<size_t>(length_)));
}

}  // namespace nuv::lang
