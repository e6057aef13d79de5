// The object array's storage and index checks.
#include "core/lang/DObjectArray.h"

#include "core/lang/DExceptionBase.h"

namespace nuv::lang {

DObjectArray::DObjectArray(int32_t n) : length(n), data_(n > 0 ? new DObjectPtr[static_cast<size_t>(n)] : nullptr) {}

DObjectArray::~DObjectArray() {
  for (int32_t i = 0; i < length; ++i) data_[static_cast<size_t>(i)].reset();
}

DObjectPtr& DObjectArray::operator[](int32_t index) {
  if (index < 0 || index >= length) throwException(ExceptionCode::ArrayIndexOutOfBoundsException);
  return data_[static_cast<size_t>(index)];
}

const DObjectPtr& DObjectArray::operator[](int32_t index) const {
  if (index < 0 || index >= length) throwException(ExceptionCode::ArrayIndexOutOfBoundsException);
  return data_[static_cast<size_t>(index)];
}

}  // namespace nuv::lang
