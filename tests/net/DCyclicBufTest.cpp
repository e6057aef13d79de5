// The byte ring: wrapping reads and writes, the write block, growing and the line-feed search.
#include <gtest/gtest.h>

#include <vector>

#include "net/util/DCyclicBuf.h"
#include "support/Exceptions.h"

using nuv::util::DCyclicBuf;
using nuv::util::DCyclicBufPtr;

namespace {

std::vector<uint8_t> bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  return out;
}

std::vector<uint8_t> readAll(DCyclicBuf& b) {
  std::vector<uint8_t> out(static_cast<size_t>(b.count()));
  EXPECT_EQ(b.read(out.data(), b.count()), static_cast<int32_t>(out.size()));
  return out;
}

// A ring of 8 holding 6 bytes 10..15 that run across the end: read position 4, write position 2.
DCyclicBufPtr wrappedRing() {
  DCyclicBufPtr b(new DCyclicBuf(8));
  std::vector<uint8_t> fill(8, 0);
  b->write(fill.data(), 4);
  b->read(fill.data(), 4);
  std::vector<uint8_t> six = bytes({10, 11, 12, 13, 14, 15});
  EXPECT_EQ(b->write(six.data(), 6), 6);
  EXPECT_EQ(b->readPosition(), 4);
  EXPECT_EQ(b->writePosition(), 2);
  return b;
}

}  // namespace

TEST(DCyclicBufTest, WritesWhatFitsAndReadsInOrderAcrossTheEnd) {
  DCyclicBufPtr b(new DCyclicBuf(8));
  std::vector<uint8_t> ten = bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  EXPECT_EQ(b->write(ten.data(), 10), 8);
  EXPECT_EQ(b->write(ten.data(), 1), 0);
  EXPECT_EQ(b->count(), 8);

  uint8_t out[8] = {};
  EXPECT_EQ(b->read(out, 3), 3);
  EXPECT_EQ(b->write(ten.data() + 8, 2), 2);
  EXPECT_EQ(readAll(*b), bytes({4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(b->read(out, 4), 0);
  EXPECT_EQ(b->read(), -1);
}

TEST(DCyclicBufTest, EmptyingTheTailRunLeavesTheReadPositionAtZero) {
  DCyclicBufPtr b = wrappedRing();
  uint8_t out[4];
  EXPECT_EQ(b->read(out, 4), 4);  // exactly the tail run 10..13
  EXPECT_EQ(b->readPosition(), 0);
  EXPECT_EQ(b->read(), 14);
}

TEST(DCyclicBufTest, ByteReadsAreUnsignedAnd0xFFIsData) {
  DCyclicBufPtr b(new DCyclicBuf(4));
  std::vector<uint8_t> v = bytes({0xFF, 0x80, 0x00});
  b->write(v.data(), 3);
  EXPECT_EQ(b->read(), 255);
  EXPECT_EQ(b->read(), 128);
  EXPECT_EQ(b->read(), 0);
  EXPECT_EQ(b->count(), 0);
  EXPECT_EQ(b->read(), -1);
}

TEST(DCyclicBufTest, AnOutstandingWriteBlockHoldsOffEveryOtherChange) {
  DCyclicBufPtr b(new DCyclicBuf(8));
  int32_t length = 0;
  uint8_t* block = b->getWriteBlock(&length);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(length, 8);
  int32_t second = -5;
  EXPECT_EQ(b->getWriteBlock(&second), nullptr);
  EXPECT_EQ(second, 0);
  uint8_t one = 1;
  EXPECT_EQ(b->write(&one, 1), -1);
  EXPECT_EQ(b->read(&one, 1), -1);
  EXPECT_EQ(b->grow(16), -1);
  EXPECT_FALSE(b->clear());

  block[0] = 7;
  block[1] = 9;
  b->commitWrite(100);  // more than the block: only the block's length counts
  EXPECT_EQ(b->count(), 8);
  EXPECT_EQ(b->writePosition(), 0);
  EXPECT_EQ(b->read(), 7);
  EXPECT_EQ(b->read(), 9);

  b->commitWrite(3);  // without a block: nothing
  EXPECT_EQ(b->count(), 6);
}

TEST(DCyclicBufTest, WriteBlockIsTheContiguousFreeRegion) {
  DCyclicBufPtr b = wrappedRing();  // free: indexes 2 and 3
  int32_t length = 0;
  uint8_t* block = b->getWriteBlock(&length);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(length, 2);
  block[0] = 16;
  b->commitWrite(1);
  EXPECT_EQ(readAll(*b), bytes({10, 11, 12, 13, 14, 15, 16}));

  DCyclicBufPtr full(new DCyclicBuf(2));
  uint8_t two[2] = {1, 2};
  full->write(two, 2);
  EXPECT_EQ(full->getWriteBlock(&length), nullptr);
  EXPECT_EQ(length, 0);
  EXPECT_FALSE(full->blockOutstanding());
}

TEST(DCyclicBufTest, GrowingAWrappedRingKeepsTheBytesInOrderFromZero) {
  DCyclicBufPtr b = wrappedRing();
  EXPECT_EQ(b->grow(1024), 1032);
  EXPECT_EQ(b->capacity(), 1032);
  EXPECT_EQ(b->readPosition(), 0);
  EXPECT_EQ(b->writePosition(), 6);
  EXPECT_EQ(b->count(), 6);
  EXPECT_EQ(readAll(*b), bytes({10, 11, 12, 13, 14, 15}));

  // Growing a full ring by nothing keeps it whole and consistent.
  DCyclicBufPtr full(new DCyclicBuf(3));
  std::vector<uint8_t> three = bytes({1, 2, 3});
  full->write(three.data(), 3);
  EXPECT_EQ(full->grow(0), 3);
  EXPECT_EQ(full->writePosition(), 0);
  EXPECT_EQ(readAll(*full), three);
}

TEST(DCyclicBufTest, NewlineSearchFollowsTheStoredOrder) {
  DCyclicBufPtr b(new DCyclicBuf(8));
  std::vector<uint8_t> fill(8, 0);
  b->write(fill.data(), 5);
  b->read(fill.data(), 5);
  // Stored from index 5: 'a' '\n' 'b' at 5..7, then 'c' '\n' at 0..1.
  std::vector<uint8_t> text = bytes({'a', '\n', 'b', 'c', '\n'});
  b->write(text.data(), 5);
  EXPECT_EQ(b->indexOfNewline(), 6);
  b->read(fill.data(), 2);
  EXPECT_EQ(b->indexOfNewline(), 1);
  b->read(fill.data(), 3);
  EXPECT_EQ(b->indexOfNewline(), -1);
}

TEST(DCyclicBufTest, ArrayReadsHonourTheOffset) {
  DCyclicBufPtr b(new DCyclicBuf(8));
  std::vector<uint8_t> v = bytes({1, 2, 3, 4});
  b->write(v.data(), 4);
  nuv::lang::DbyteArrayPtr a(new nuv::lang::DbyteArray(4));
  EXPECT_EQ(b->read(a, 1, 10), 3);
  EXPECT_EQ((*a)[0], 0);
  EXPECT_EQ((*a)[1], 1);
  EXPECT_EQ((*a)[3], 3);
  EXPECT_THROWS_CODE(nuv::lang::ExceptionCode::ArrayIndexOutOfBoundsException, b->read(a, 5, 1));
  EXPECT_THROWS_CODE(nuv::lang::ExceptionCode::NullPointerException, b->read(nullptr, 0, 1));
}

TEST(DCyclicBufTest, ARingWithoutStorageHoldsNothing) {
  DCyclicBufPtr b(new DCyclicBuf(0));
  uint8_t one = 1;
  int32_t length = 3;
  EXPECT_EQ(b->write(&one, 1), 0);
  EXPECT_EQ(b->read(), -1);
  EXPECT_EQ(b->getWriteBlock(&length), nullptr);
  EXPECT_EQ(b->indexOfNewline(), -1);
  EXPECT_EQ(b->grow(4), 4);
  EXPECT_EQ(b->write(&one, 1), 1);
}
