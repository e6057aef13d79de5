// The one interface of the core library: a walk over the elements of a container.
#pragma once

#include "core/lang/DInterface.h"

namespace nuv::util {

class DEnumeration : public nuv::lang::DInterface {
 public:
  virtual bool hasMoreElements() = 0;
  // Borrowed: valid while the container holds the element. Null once the walk is over.
  virtual nuv::lang::DObject* nextElement() = 0;

 protected:
  using DInterface::DInterface;
};

using DEnumerationPtr = nuv::lang::DInterfacePtr<DEnumeration>;

}  // namespace nuv::util
