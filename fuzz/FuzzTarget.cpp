// A libFuzzer target over one entry, named by GH_FUZZ_ENTRY when it is built.
#include <cstdio>
#include <cstdlib>

#include "Entries.h"

namespace {

const fuzz::Entry& entry() {
  static const fuzz::Entry* found = fuzz::findEntry(GH_FUZZ_ENTRY);
  if (found == nullptr) {
    std::fprintf(stderr, "no fuzz entry named %s\n", GH_FUZZ_ENTRY);
    std::abort();
  }
  return *found;
}

}  // namespace

// What an entry makes once for every input (the game library, a server) is made before the first input, so
// that it is not taken for a leak of that input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  entry().run(fuzz::Input());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  entry().run(fuzz::Input(data, size));
  return 0;
}
