// The shared shape of the arrays of unboxed elements: a fixed length and one zero-filled buffer.
#pragma once

#include <cstdint>
#include <memory>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DObject.h"

namespace nuv::lang {

template <class E>
class DPrimitiveArray : public DObject {
 public:
  using Element = E;

  // Fixed at construction; an array shorter than 1 has no storage and every index fails.
  const int32_t length;

  explicit DPrimitiveArray(int32_t n) : length(n), data_(n > 0 ? new E[static_cast<size_t>(n)]() : nullptr) {}

  E& operator[](int32_t index) {
    checkIndex(index);
    return data_[static_cast<size_t>(index)];
  }
  const E& operator[](int32_t index) const {
    checkIndex(index);
    return data_[static_cast<size_t>(index)];
  }

  // The contiguous elements for bulk work; null when the array is empty.
  E* data() noexcept { return data_.get(); }
  const E* data() const noexcept { return data_.get(); }

 protected:
  // Fills the first elements in order; more values than elements is a caller's error.
  template <class... V>
  void fill(const V&... values) {
    if (static_cast<int32_t>(sizeof...(V)) > length) throwException(ExceptionCode::IllegalArgumentException);
    size_t i = 0;
    ((data_[i++] = static_cast<E>(values)), ...);
  }

 private:
  void checkIndex(int32_t index) const {
    if (index < 0 || index >= length) throwException(ExceptionCode::ArrayIndexOutOfBoundsException);
  }

  std::unique_ptr<E[]> data_;
};

}  // namespace nuv::lang
