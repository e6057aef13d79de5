// A table of strings: rows of string arrays.
#pragma once

#include "core/lang/DStringArray.h"
#include "core/lang/DTypedArray2d.h"

namespace nuv::lang {

using DStringArray2d = DTypedArray2d<DStringArray>;
using DStringArray2dPtr = DPtr<DStringArray2d>;

}  // namespace nuv::lang
