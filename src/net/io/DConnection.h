// The root of every connection the connector opens.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"

namespace nuv::microedition::io {

class DConnection : public nuv::lang::DObject {
 public:
  // What each kind of connection reports about itself (0 for closed or failed).
  virtual int32_t getState() = 0;
  virtual void close() = 0;
};

using DConnectionPtr = nuv::lang::DPtr<DConnection>;

}  // namespace nuv::microedition::io
