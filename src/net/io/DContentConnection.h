// A stream connection whose content has a type, an encoding and a length.
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "net/io/DStreamConnection.h"

namespace nuv::microedition::io {

class DContentConnection : public DStreamConnection {
 public:
  // Null when unknown.
  virtual nuv::lang::DStringPtr getEncoding() = 0;
  // -1 when unknown.
  virtual int64_t getLength() = 0;
  // Null when unknown.
  virtual nuv::lang::DStringPtr getType() = 0;
};

using DContentConnectionPtr = nuv::lang::DPtr<DContentConnection>;

}  // namespace nuv::microedition::io
