// What a scripted run left in its registry file.
#pragma once

#include <string>

namespace saved {

// Record "1" of a game's store (e.g. u"bouncehs1") as a copy of the registry file alone holds it, without
// the write-ahead log beside it; "" when it is not there.
std::string firstRecord(const std::string& registryFile, const char16_t* store);
// Makes record "1" of the store these bytes in the registry file (made when missing), as a run left it.
void writeFirstRecord(const std::string& registryFile, const char16_t* store, const std::string& bytes);

}  // namespace saved
