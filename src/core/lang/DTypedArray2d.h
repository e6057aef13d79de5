// Two-dimensional arrays: an object array whose elements are rows of one array class.
#pragma once

#include <cstdint>

#include "core/lang/DTypedArray.h"

namespace nuv::lang {

template <class Row>
class DTypedArray2d : public DTypedArray<Row> {
 public:
  // rows null rows.
  explicit DTypedArray2d(int32_t rows) : DTypedArray<Row>(rows) {}
  // rows new rows of cols elements each.
  DTypedArray2d(int32_t rows, int32_t cols) : DTypedArray<Row>(rows) {
    for (int32_t r = 0; r < rows; ++r) (*this)[r] = new Row(cols);
  }

  // Row 0's class name followed by "2d"; "DObjectArray2d" when there is no row 0.
  const char* getClassName() const override {
    if (this->length < 1 || this->DObjectArray::operator[](0).isNull()) return "DObjectArray2d";
    return detail::classNameWithSuffix(this->DObjectArray::operator[](0)->getClassName(), "2d");
  }
};

}  // namespace nuv::lang
