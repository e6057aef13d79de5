// An array of counted object references; the base of every typed and two-dimensional object array.
#pragma once

#include <cstdint>
#include <memory>

#include "core/lang/DObject.h"

namespace nuv::lang {

class DObjectArray : public DObject {
 public:
  // Fixed at construction; an array shorter than 1 has no storage and every index fails.
  const int32_t length;

  // n null elements.
  explicit DObjectArray(int32_t n);
  // Releases the elements in index order.
  ~DObjectArray() override;

  // Writing a slot adds a reference to the new object before the old one is released.
  DObjectPtr& operator[](int32_t index);
  const DObjectPtr& operator[](int32_t index) const;

 private:
  std::unique_ptr<DObjectPtr[]> data_;
};

using DObjectArrayPtr = DPtr<DObjectArray>;

}  // namespace nuv::lang
