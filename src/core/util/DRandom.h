// The games' pseudo-random generator: a 48-bit linear congruential generator, the same sequence on
// every device for a given seed.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"

namespace nuv::util {

class DRandom : public nuv::lang::DObject {
 public:
  // Seeded from the millisecond clock.
  DRandom();

  // Advances the state once and returns its bits 16 to 47.
  int32_t nextInt();

 private:
  uint32_t seedLow_;
  uint32_t seedHigh_;  // the state's bits 32 to 47; bits 16 to 31 stay 0
};

using DRandomPtr = nuv::lang::DPtr<DRandom>;

}  // namespace nuv::util
