// Reading a whole player stream into memory for the sample and module loaders.
#pragma once

#include "core/io/DInputStream.h"
#include "core/lang/DbyteArray.h"

namespace nuv::microedition::media {

// Everything the stream has available, or null when reading fails with one of the library's exceptions.
lang::DbyteArrayPtr readWholeStream(nuv::io::DInputStreamPtr stream, bool& failed);

}  // namespace nuv::microedition::media
