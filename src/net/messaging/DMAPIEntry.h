// One row of the messaging store's table of stores: a display name and an entry identifier.
#pragma once

#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "core/lang/DTypedArray.h"
#include "core/lang/DbyteArray.h"

namespace nuv::wireless::messaging {

class DMAPIEntry : public nuv::lang::DObject {
 public:
  // The identifier's bytes are copied.
  DMAPIEntry(nuv::lang::DStringPtr name, const uint8_t* id, int32_t idSize);

  const char* getClassName() const override { return "DMAPIEntry"; }

  nuv::lang::DStringPtr name;
  nuv::lang::DbyteArrayPtr id;
};

using DMAPIEntryPtr = nuv::lang::DPtr<DMAPIEntry>;
using DMAPIEntryArray = nuv::lang::DTypedArray<DMAPIEntry>;
using DMAPIEntryArrayPtr = nuv::lang::DPtr<DMAPIEntryArray>;

}  // namespace nuv::wireless::messaging
