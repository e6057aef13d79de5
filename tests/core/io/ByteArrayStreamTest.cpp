// Reading from and writing into byte arrays in memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/io/DByteArrayInputStream.h"
#include "core/io/DByteArrayOutputStream.h"
#include "core/io/DDataOutputStream.h"
#include "support/Exceptions.h"

using namespace nuv::io;
using namespace nuv::lang;
namespace code = nuv::lang::ExceptionCode;

namespace {

DbyteArrayPtr byteArray(const std::vector<int8_t>& bytes) {
  DbyteArrayPtr a = new DbyteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) (*a)[static_cast<int32_t>(i)] = bytes[i];
  return a;
}

std::vector<int8_t> bytesOf(const DbyteArrayPtr& a) {
  std::vector<int8_t> out;
  for (int32_t i = 0; i < a->length; ++i) out.push_back((*a)[i]);
  return out;
}

// Ranges that do not lie inside an array of 4.
struct BadRange {
  int32_t off;
  int32_t len;
};
constexpr BadRange kBadRanges[] = {{-1, 1}, {0, -1}, {2, 3}, {5, 0}, {4, 1}, {INT32_MAX, 2}};

}  // namespace

TEST(ByteArrayStreamTest, InputReadsSkipsAndResets) {
  DbyteArrayPtr three = byteArray({1, -1, 3});
  DByteArrayInputStreamPtr in = new DByteArrayInputStream(three);
  EXPECT_EQ(in->available(), 3);
  EXPECT_EQ(in->read(), 1);
  EXPECT_EQ(in->read(), 255);
  EXPECT_EQ(in->read(), 3);
  EXPECT_EQ(in->read(), -1);

  in->reset();
  DbyteArrayPtr b = new DbyteArray(10);
  EXPECT_EQ(in->read(b, 0, 10), 3);
  EXPECT_EQ((*b)[1], -1);
  EXPECT_EQ(in->read(b, 0, 10), -1);
  EXPECT_EQ(in->read(b, 0, 0), 0);

  in->reset();
  EXPECT_EQ(in->skip(-4), 0);
  EXPECT_EQ(in->skip(1), 1);
  EXPECT_EQ(in->skip(5), 2);
  EXPECT_EQ(in->available(), 0);

  // The array is shared, not copied.
  in->reset();
  (*three)[0] = 42;
  EXPECT_EQ(in->read(), 42);

  in->close();
  EXPECT_EQ(in->read(), -1);
  EXPECT_EQ(in->available(), 0);
  EXPECT_EQ(in->read(b, 0, 1), -1);
  EXPECT_THROWS_CODE(code::NullPointerException, DByteArrayInputStreamPtr(new DByteArrayInputStream(nullptr)));
}

TEST(ByteArrayStreamTest, RangesOutsideTheArrayAreRefusedBeforeAnythingMoves) {
  DByteArrayInputStreamPtr in = new DByteArrayInputStream(byteArray({1, 2, 3, 4, 5, 6}));
  DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
  DbyteArrayPtr four = byteArray({9, 9, 9, 9});
  for (const BadRange& r : kBadRanges) {
    EXPECT_THROWS_CODE(code::ArrayIndexOutOfBoundsException, in->read(four, r.off, r.len)) << r.off << "," << r.len;
    EXPECT_THROWS_CODE(code::ArrayIndexOutOfBoundsException, out->write(four, r.off, r.len)) << r.off << "," << r.len;
  }
  EXPECT_EQ(in->available(), 6);
  EXPECT_EQ(out->size(), 0);
  EXPECT_EQ(bytesOf(four), (std::vector<int8_t>{9, 9, 9, 9}));
  EXPECT_THROWS_CODE(code::NullPointerException, in->read(nullptr, 0, 1));
  EXPECT_THROWS_CODE(code::NullPointerException, out->write(nullptr, 0, 1));
  // The last byte of the array is inside.
  EXPECT_EQ(in->read(four, 3, 1), 1);
  EXPECT_EQ(bytesOf(four), (std::vector<int8_t>{9, 9, 9, 1}));
}

TEST(ByteArrayStreamTest, OutputGrowsBy64BeyondTheNeed) {
  DByteArrayOutputStreamPtr fresh = new DByteArrayOutputStream();
  EXPECT_EQ(fresh->toByteArray()->length, 0);
  EXPECT_EQ(fresh->capacity(), 64);

  DByteArrayOutputStreamPtr bytes = new DByteArrayOutputStream();
  for (int i = 0; i < 65; ++i) bytes->write(i);
  EXPECT_EQ(bytes->capacity(), 128);
  std::vector<int8_t> expected;
  for (int i = 0; i < 65; ++i) expected.push_back(static_cast<int8_t>(i));
  EXPECT_EQ(bytesOf(bytes->toByteArray()), expected);

  DByteArrayOutputStreamPtr block = new DByteArrayOutputStream();
  block->write(new DbyteArray(100), 0, 100);
  EXPECT_EQ(block->capacity(), 164);
  EXPECT_EQ(block->size(), 100);

  // Reset keeps the buffer and writes over it.
  bytes->reset();
  bytes->write(byteArray({7, 8}));
  bytes->write(0x1FF);
  EXPECT_EQ(bytesOf(bytes->toByteArray()), (std::vector<int8_t>{7, 8, -1}));
  EXPECT_EQ(bytes->capacity(), 128);

  // A smaller buffer keeps what fits.
  bytes->ensureCapacity(2);
  EXPECT_EQ(bytesOf(bytes->toByteArray()), (std::vector<int8_t>{7, 8}));
  bytes->write(1);
  EXPECT_EQ(bytes->capacity(), 66);
}

TEST(ByteArrayStreamTest, OutputStringFormIsTheUTFStringAtItsStart) {
  DByteArrayOutputStreamPtr bytes = new DByteArrayOutputStream();
  DDataOutputStreamPtr data = new DDataOutputStream(bytes);
  data->writeUTF(u"abc");
  data->writeInt(5);
  EXPECT_EQ(std::u16string(bytes->toString()->view()), u"abc");

  // Closing a data stream closes the byte stream under it; writing starts a new buffer.
  data->close();
  EXPECT_EQ(bytes->toByteArray()->length, 0);
  EXPECT_THROWS_CODE(code::EOFException, bytes->toString());
  bytes->write(1);
  EXPECT_EQ(bytesOf(bytes->toByteArray()), (std::vector<int8_t>{1}));
}
