// A string array built from literals, for tables of text keys and image names written in code.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"

namespace gamelib {

inline nuv::lang::DStringArrayPtr stringList(std::initializer_list<const char16_t*> texts) {
  nuv::lang::DStringArrayPtr list = new nuv::lang::DStringArray(static_cast<int32_t>(texts.size()));
  int32_t i = 0;
  for (const char16_t* text : texts) (*list)[i++] = new nuv::lang::DString(text);
  return list;
}

}  // namespace gamelib
