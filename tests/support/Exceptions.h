// Assertions on the system's exceptions, which are thrown by pointer.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

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

// The message of the exception the call throws (each character narrowed to a byte), or "no exception".
// The exception is deleted.
template <class F>
std::string thrownMessage(F&& call) {
  try {
    call();
  } catch (nuv::lang::DExceptionBase* e) {
    std::unique_ptr<nuv::lang::DExceptionBase> owned(e);
    std::string text;
    for (const char16_t* c = e->message(); *c != 0; ++c) text.push_back(static_cast<char>(*c));
    return text;
  }
  return "no exception";
}

}  // namespace test

#define EXPECT_THROWS_CODE(code, statement) \
  EXPECT_EQ(static_cast<uint32_t>(code), ::test::thrownCode([&] { statement; }))
// The statement throws a message that begins with the text.
#define EXPECT_THROWS_MESSAGE_STARTING(text, statement) \
  EXPECT_THAT(::test::thrownMessage([&] { statement; }), ::testing::StartsWith(text))
