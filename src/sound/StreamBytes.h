// Reading a whole player stream into memory for the sample and module loaders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#include "core/io/DInputStream.h"
#include "core/lang/DbyteArray.h"

namespace nuv::microedition::media {

// Everything the stream has available, or null when reading fails with one of the library's exceptions.
lang::DbyteArrayPtr readWholeStream(nuv::io::DInputStreamPtr stream, bool& failed);

// Reads the stream whole and hands its bytes to decode(image, size), which answers 0 or a code that
// refusal(code) puts in words. Why the sound was refused, or null when it loaded.
template <class Decode>
const char16_t* decodeWholeStream(nuv::io::DInputStreamPtr stream, Decode decode,
                                  const char16_t* (*refusal)(int32_t code)) {
  bool failed = false;
  lang::DbyteArrayPtr bytes = readWholeStream(std::move(stream), failed);
  if (failed || bytes.isNull()) return u"the stream cannot be read to its end";
  const auto* image = reinterpret_cast<const uint8_t*>(bytes->data());
  // Memory running out for the decoded sound is a sound that does not load, not the end of the program.
  try {
    return refusal(decode(image, static_cast<size_t>(bytes->length > 0 ? bytes->length : 0)));
  } catch (const std::bad_alloc&) {
    return u"too large for the memory left";
  }
}

}  // namespace nuv::microedition::media
