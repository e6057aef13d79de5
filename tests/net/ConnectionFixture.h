// Connection tests: the sender threads and sockets there were when the test began, and the check that
// the test has left no more behind.
#pragma once

#include <gtest/gtest.h>

namespace test {

class ConnectionFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  // Once every connection of the test is gone; sender threads end on their own after that.
  void expectNothingLeft();

  int threadsBefore = 0;
  int socketsBefore = 0;
};

}  // namespace test
