// Store table rows.
#include "net/messaging/DMAPIEntry.h"

#include <cstring>

namespace nuv::wireless::messaging {

DMAPIEntry::DMAPIEntry(nuv::lang::DStringPtr entryName, const uint8_t* entryId, int32_t idSize)
    : name(std::move(entryName)), id(new nuv::lang::DbyteArray(idSize)) {
  if (idSize > 0 && entryId != nullptr) std::memcpy(id->data(), entryId, static_cast<size_t>(idSize));
}

}  // namespace nuv::wireless::messaging
