// Class names of typed object arrays, built from their first element.
#include "core/lang/DTypedArray.h"

#include <cstring>

namespace nuv::lang::detail {

namespace {
constexpr size_t kNameBufferSize = 256;
}

const char* classNameWithSuffix(const char* elementName, const char* suffix) {
  static char arrayName[kNameBufferSize];
  static char tableName[kNameBufferSize];
  char* buffer = std::strcmp(suffix, "Array") == 0 ? arrayName : tableName;
  size_t nameLength = std::strlen(elementName);
  size_t suffixLength = std::strlen(suffix);
  // A name too long for the buffer is cut so the suffix still fits.
  if (nameLength + suffixLength >= kNameBufferSize) nameLength = kNameBufferSize - 1 - suffixLength;
  std::memcpy(buffer, elementName, nameLength);
  std::memcpy(buffer + nameLength, suffix, suffixLength + 1);
  return buffer;
}

}  // namespace nuv::lang::detail
