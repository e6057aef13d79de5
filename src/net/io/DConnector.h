// Opens connections by name: "sms://", "socket://" and "http://".
#pragma once

#include <cstdint>

#include "core/lang/DString.h"
#include "net/io/DConnection.h"

namespace nuv::microedition::io {

class DConnector {
 public:
  static constexpr int32_t kReadWrite = 3;

  // openMode(name, read and write, no time-outs).
  static DConnectionPtr open(nuv::lang::DStringPtr name);
  // Chooses by the name's beginning (case-sensitive); a name of another kind gives null. The
  // connections' own opening throws IllegalArgumentException and IOException.
  static DConnectionPtr openMode(nuv::lang::DStringPtr name, int32_t mode, bool timeouts);
};

}  // namespace nuv::microedition::io
