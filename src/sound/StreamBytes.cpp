// Reading a whole player stream into memory.
#include "sound/StreamBytes.h"

#include <new>

#include "core/lang/DExceptionBase.h"

namespace nuv::microedition::media {

lang::DbyteArrayPtr readWholeStream(io::DInputStreamPtr stream, bool& failed) {
  failed = false;
  try {
    int32_t n = stream->available();
    lang::DbyteArrayPtr bytes = new lang::DbyteArray(n);
    // Streams that hand out their data in pieces are read to the end rather than left half-zero.
    int32_t done = 0;
    while (done < n) {
      int32_t got = stream->read(bytes, done, n - done);
      if (got <= 0) break;
      done += got;
    }
    if (done < n) failed = true;
    return bytes;
  } catch (lang::DExceptionBase* e) {
    auto handled = lang::catchException(e, lang::ExceptionCode::Exception);
    failed = true;
    return nullptr;
  } catch (const std::bad_alloc&) {
    // A sound too large for the memory left is a sound that does not load, not the end of the program.
    failed = true;
    return nullptr;
  }
}

}  // namespace nuv::microedition::media
