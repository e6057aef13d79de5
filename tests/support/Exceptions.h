// Assertions on the system's exceptions, which are thrown by pointer.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "core/lang/DExceptionBase.h"

namespace test {

// The code of the exception the call throws, or 0 when it throws none. The exception is deleted.
template <class F>
uint32_t thrownCode(F&& call) {
  try {
    call();
  } catch (nuv::lang::DExceptionBase* e) {
    std::unique_ptr<nuv::lang::DExceptionBase> owned(e);
    return e->code();
  }
  return 0;
}

}  // namespace test

#define EXPECT_THROWS_CODE(code, statement) \
  EXPECT_EQ(static_cast<uint32_t>(code), ::test::thrownCode([&] { statement; }))
