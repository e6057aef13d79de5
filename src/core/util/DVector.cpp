// The growable sequence and its enumerator.
#include "core/util/DVector.h"

#include <algorithm>
#include <utility>

#include "core/lang/DExceptionBase.h"

namespace nuv::util {

using nuv::lang::DObject;
using nuv::lang::DObjectPtr;
using nuv::lang::throwException;
using nuv::lang::ExceptionCode::ArrayIndexOutOfBoundsException;
using nuv::lang::ExceptionCode::NullPointerException;

DVector::DVector() : data_(std::make_unique<DObjectPtr[]>(kInitialCapacity)) {}

// Released in index order, as removeAllElements does.
DVector::~DVector() { removeAllElements(); }

void DVector::ensureCapacity(int32_t needed) {
  if (needed <= capacity_) return;
  int64_t grown = std::max<int64_t>(needed, int64_t{2} * capacity_);
  auto capacity = static_cast<int32_t>(std::min<int64_t>(grown, INT32_MAX));
  auto data = std::make_unique<DObjectPtr[]>(static_cast<size_t>(capacity));
  std::move(data_.get(), data_.get() + count_, data.get());
  data_ = std::move(data);
  capacity_ = capacity;
}

void DVector::addElement(DObjectPtr element) {
  if (element.isNull()) throwException(NullPointerException);
  ensureCapacity(count_ + 1);
  data_[count_++] = std::move(element);
}

DObject* DVector::elementAt(int32_t index) const {
  if (index < 0 || index >= count_) throwException(ArrayIndexOutOfBoundsException);
  return data_[index].get();
}

void DVector::removeElementAt(int32_t index) {
  if (index < 0 || index >= count_) throwException(ArrayIndexOutOfBoundsException);
  // Released only once the vector is consistent again: its destructor may look at this vector.
  DObjectPtr removed = std::move(data_[index]);
  std::move(data_.get() + index + 1, data_.get() + count_, data_.get() + index);
  --count_;
}

void DVector::removeAllElements() {
  for (int32_t i = 0; i < count_; ++i) data_[i].reset();
  count_ = 0;
}

int32_t DVector::find(DObject* object) const {
  for (int32_t i = 0; i < count_; ++i) {
    DObject* element = data_[i].get();
    // Null only matches null, so no element's equals ever sees a null argument.
    if (element == nullptr || object == nullptr ? element == object : element->equals(object)) return i;
  }
  return -1;
}

bool DVector::contains(DObjectPtr object) const { return find(object.get()) >= 0; }

int32_t DVector::indexOf(DObjectPtr object) const { return find(object.get()); }

bool DVector::removeElement(DObjectPtr object) {
  int32_t index = find(object.get());
  if (index < 0) return false;
  removeElementAt(index);
  return true;
}

void DVector::copyInto(nuv::lang::DObjectArrayPtr array) const {
  int32_t n = std::min(count_, array->length);
  for (int32_t i = 0; i < n; ++i) (*array)[i] = data_[i];
}

void DVector::setSize(int32_t size) {
  if (size < 0) throwException(ArrayIndexOutOfBoundsException);
  for (int32_t i = size; i < count_; ++i) data_[i].reset();
  ensureCapacity(size);
  count_ = size;
}

DEnumerationPtr DVector::elements() { return new DEnumerator(this); }

bool DVector::DEnumerator::hasMoreElements() { return position_ < vector_->size(); }

DObject* DVector::DEnumerator::nextElement() {
  if (position_ >= vector_->size()) return nullptr;
  return vector_->elementAt(position_++);
}

}  // namespace nuv::util
