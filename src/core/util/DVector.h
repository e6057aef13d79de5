// A growable sequence of counted object references.
#pragma once

#include <cstdint>
#include <memory>

#include "core/lang/DObject.h"
#include "core/lang/DObjectArray.h"
#include "core/util/DEnumeration.h"

namespace nuv::util {

class DVector : public nuv::lang::DObject {
 public:
  class DEnumerator;

  DVector();
  ~DVector() override;

  int32_t size() const noexcept { return count_; }
  int32_t capacity() const noexcept { return capacity_; }

  // A null element throws NullPointerException.
  void addElement(nuv::lang::DObjectPtr element);
  // Borrowed; an index outside 0..size()-1 throws ArrayIndexOutOfBoundsException.
  nuv::lang::DObject* elementAt(int32_t index) const;
  void removeElementAt(int32_t index);
  void removeAllElements();

  // Elements are matched by element->equals(object); null matches only a null slot.
  bool contains(nuv::lang::DObjectPtr object) const;
  int32_t indexOf(nuv::lang::DObjectPtr object) const;
  bool removeElement(nuv::lang::DObjectPtr object);

  // Copies the first min(size(), array length) elements; a null array throws NullPointerException.
  void copyInto(nuv::lang::DObjectArrayPtr array) const;
  // Drops the elements from size on, or pads with null slots; a negative size throws
  // ArrayIndexOutOfBoundsException.
  void setSize(int32_t size);

  DEnumerationPtr elements();

 private:
  static constexpr int32_t kInitialCapacity = 16;

  int32_t find(nuv::lang::DObject* object) const;
  void ensureCapacity(int32_t needed);

  int32_t capacity_ = kInitialCapacity;
  int32_t count_ = 0;
  std::unique_ptr<nuv::lang::DObjectPtr[]> data_;
};

using DVectorPtr = nuv::lang::DPtr<DVector>;

// Walks a vector in index order; keeps the vector alive.
class DVector::DEnumerator : public nuv::lang::DObject, public DEnumeration {
 public:
  explicit DEnumerator(DVectorPtr vector) : DEnumeration(this), vector_(std::move(vector)) {}
  bool hasMoreElements() override;
  nuv::lang::DObject* nextElement() override;

 private:
  DVectorPtr vector_;
  int32_t position_ = 0;
};

}  // namespace nuv::util
