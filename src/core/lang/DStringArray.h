// An array of strings.
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "core/lang/DTypedArray.h"

namespace nuv::lang {

class DStringArray : public DTypedArray<DString> {
 public:
  explicit DStringArray(int32_t n) : DTypedArray(n) {}
  const char* getClassName() const override { return DObject::getClassName(); }
};

using DStringArrayPtr = DPtr<DStringArray>;

}  // namespace nuv::lang
