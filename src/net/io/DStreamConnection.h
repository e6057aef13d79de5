// A connection that carries bytes both ways through streams.
#pragma once

#include "core/io/DDataInputStream.h"
#include "core/io/DDataOutputStream.h"
#include "core/io/DInputStream.h"
#include "core/io/DOutputStream.h"
#include "net/io/DConnection.h"

namespace nuv::microedition::io {

class DStreamConnection : public DConnection {
 public:
  virtual nuv::io::DDataInputStreamPtr openDataInputStream() = 0;
  virtual nuv::io::DInputStreamPtr openInputStream() = 0;
  virtual nuv::io::DDataOutputStreamPtr openDataOutputStream() = 0;
  virtual nuv::io::DOutputStreamPtr openOutputStream() = 0;
};

using DStreamConnectionPtr = nuv::lang::DPtr<DStreamConnection>;

}  // namespace nuv::microedition::io
