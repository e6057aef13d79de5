// Typed reads and writes over other streams: big-endian numbers, modified UTF-8, and who closes what.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/io/DByteArrayInputStream.h"
#include "core/io/DByteArrayOutputStream.h"
#include "core/io/DDataInputStream.h"
#include "core/io/DDataOutputStream.h"
#include "support/Exceptions.h"

using namespace nuv::io;
using namespace nuv::lang;
namespace code = nuv::lang::ExceptionCode;

namespace {

DbyteArrayPtr byteArray(const std::vector<uint8_t>& bytes) {
  DbyteArrayPtr a = new DbyteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) (*a)[static_cast<int32_t>(i)] = static_cast<int8_t>(bytes[i]);
  return a;
}

std::vector<uint8_t> bytesOf(const DbyteArrayPtr& a) {
  std::vector<uint8_t> out;
  for (int32_t i = 0; i < a->length; ++i) out.push_back(static_cast<uint8_t>((*a)[i]));
  return out;
}

DDataInputStreamPtr over(const std::vector<uint8_t>& bytes) {
  return new DDataInputStream(new DByteArrayInputStream(byteArray(bytes)));
}

// A stream that hands out one byte per array read, and notes whether it was closed.
class TrickleInput : public DInputStream {
 public:
  explicit TrickleInput(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  int32_t available() override { return static_cast<int32_t>(bytes_.size() - pos_); }
  int32_t read(DbyteArrayPtr b, int32_t off, int32_t len) override {
    if (len == 0) return 0;
    int32_t c = read();
    if (c < 0) return -1;
    (*b)[off] = static_cast<int8_t>(c);
    return 1;
  }
  using DInputStream::read;
  int32_t read() override { return pos_ < bytes_.size() ? bytes_[pos_++] : -1; }
  void close() override { closed = true; }
  void reset() override { pos_ = 0; }
  int64_t skip(int64_t) override { return 0; }

  bool closed = false;

 private:
  std::vector<uint8_t> bytes_;
  size_t pos_ = 0;
};

class RecordingOutput : public DOutputStream {
 public:
  void write(DbyteArrayPtr b, int32_t off, int32_t len) override {
    for (int32_t i = 0; i < len; ++i) bytes.push_back(static_cast<uint8_t>((*b)[off + i]));
  }
  using DOutputStream::write;
  void write(int32_t b) override { bytes.push_back(static_cast<uint8_t>(b)); }
  void flush() override { ++flushes; }
  void close() override { closed = true; }

  std::vector<uint8_t> bytes;
  int flushes = 0;
  bool closed = false;
};

}  // namespace

TEST(DataStreamTest, TypedReadsAreBigEndianAndFailAtTheEnd) {
  using Read = std::function<int32_t(DDataInputStream&)>;
  const Read byte = &DDataInputStream::readByte, ubyte = &DDataInputStream::readUnsignedByte,
             shortValue = &DDataInputStream::readShort, ushort = &DDataInputStream::readUnsignedShort,
             intValue = &DDataInputStream::readInt;
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    Read read;
    int32_t value;      // when nothing is thrown
    uint32_t thrown;    // 0: no exception
    int32_t leftAfter;  // bytes still available
  } cases[] = {
      {"byte 7F", {0x7F}, byte, 127, 0, 0},
      {"byte 80", {0x80}, byte, -128, 0, 0},
      {"unsigned byte 80", {0x80}, ubyte, 128, 0, 0},
      {"short FF FE", {0xFF, 0xFE}, shortValue, -2, 0, 0},
      {"unsigned short FF FE", {0xFF, 0xFE}, ushort, 65534, 0, 0},
      {"int 80 00 00 00", {0x80, 0, 0, 0}, intValue, INT32_MIN, 0, 0},
      {"int 12 34 56 78 and more", {0x12, 0x34, 0x56, 0x78, 9}, intValue, 0x12345678, 0, 1},
      {"int FF FF FF FF", {0xFF, 0xFF, 0xFF, 0xFF}, intValue, -1, 0, 0},
      {"byte at the end", {}, byte, 0, code::EOFException, 0},
      {"short with one byte consumes it", {0x01}, shortValue, 0, code::EOFException, 0},
      {"int with three bytes consumes them", {1, 2, 3}, intValue, 0, code::EOFException, 0},
  };
  for (const Case& c : cases) {
    DDataInputStreamPtr in = over(c.bytes);
    int32_t value = 0;
    EXPECT_EQ(test::thrownCode([&] { value = c.read(*in); }), c.thrown) << c.what;
    if (c.thrown == 0) {
      EXPECT_EQ(value, c.value) << c.what;
    }
    EXPECT_EQ(in->available(), c.leftAfter) << c.what;
  }
}

TEST(DataStreamTest, ReadUTFDecodesModifiedUTF8AndRejectsMalformedInput) {
  struct Case {
    std::vector<uint8_t> bytes;
    std::u16string text;  // when nothing is thrown
    uint32_t thrown;
  } cases[] = {
      {{0x00, 0x00}, u"", 0},
      {{0x00, 0x03, 'a', 'b', 'c'}, u"abc", 0},
      {{0x00, 0x02, 0xC3, 0xA9}, u"\u00E9", 0},
      {{0x00, 0x02, 0xC0, 0x80}, std::u16string(1, u'\0'), 0},
      {{0x00, 0x01, 0x00}, std::u16string(1, u'\0'), 0},
      {{0x00, 0x03, 0xE2, 0x82, 0xAC}, u"\u20AC", 0},
      {{0x00, 0x01, 0xC3}, u"", code::UTFDataFormatException},        // runs past the length
      {{0x00, 0x02, 0xC3, 0x41}, u"", code::UTFDataFormatException},  // second byte not 10xxxxxx
      {{0x00, 0x02, 0xE2, 0x82}, u"", code::UTFDataFormatException},
      {{0x00, 0x03, 0xE2, 0x82, 0x41}, u"", code::UTFDataFormatException},
      {{0x00, 0x01, 0x80}, u"", code::UTFDataFormatException},
      {{0x00, 0x01, 0xF0}, u"", code::UTFDataFormatException},
      {{0x00, 0x05, 'a'}, u"", code::EOFException},
      {{0x00}, u"", code::EOFException},
  };
  for (const Case& c : cases) {
    DStringPtr text;
    EXPECT_EQ(test::thrownCode([&] { text = DDataInputStream::readUTF(over(c.bytes)); }), c.thrown)
        << ::testing::PrintToString(c.bytes);
    if (c.thrown == 0) {
      EXPECT_EQ(std::u16string(text->view()), c.text);
    }
  }
}

TEST(DataStreamTest, WriteUTFAndWriteIntEncodeAsTheReaderExpects) {
  struct Case {
    std::u16string text;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {u"", {0x00, 0x00}},
      {std::u16string(1, u'\0'), {0x00, 0x02, 0xC0, 0x80}},
      {u"A", {0x00, 0x01, 0x41}},
      {u"\u20AC", {0x00, 0x03, 0xE2, 0x82, 0xAC}},
      {u"\u007F\u0080\u07FF\u0800\uFFFF",
       {0x00, 0x0B, 0x7F, 0xC2, 0x80, 0xDF, 0xBF, 0xE0, 0xA0, 0x80, 0xEF, 0xBF, 0xBF}},
  };
  for (const Case& c : cases) {
    DPtr<RecordingOutput> sink = new RecordingOutput();
    DDataOutputStreamPtr out = new DDataOutputStream(sink);
    out->writeUTF(new DString(std::u16string_view(c.text)));
    EXPECT_EQ(sink->bytes, c.bytes);
    // And back.
    DStringPtr back = DDataInputStream::readUTF(over(sink->bytes));
    EXPECT_EQ(std::u16string(back->view()), c.text);
  }

  DPtr<RecordingOutput> sink = new RecordingOutput();
  DDataOutputStreamPtr out = new DDataOutputStream(sink);
  out->writeInt(INT32_MIN);
  out->writeInt(0x12345678);
  out->writeInt(-2);
  EXPECT_EQ(sink->bytes, (std::vector<uint8_t>{0x80, 0, 0, 0, 0x12, 0x34, 0x56, 0x78, 0xFF, 0xFF, 0xFF, 0xFE}));
}

TEST(DataStreamTest, WriteUTFRefusesMoreThan65535BytesBeforeWritingAny) {
  DPtr<RecordingOutput> sink = new RecordingOutput();
  DDataOutputStreamPtr out = new DDataOutputStream(sink);
  // 21845 three-byte characters are 65535 bytes; one more is too many.
  EXPECT_THROWS_CODE(code::UTFDataFormatException, out->writeUTF(new DString(std::u16string(21846, u'\u20AC'))));
  EXPECT_TRUE(sink->bytes.empty());
  out->writeUTF(new DString(std::u16string(21845, u'\u20AC')));
  EXPECT_EQ(sink->bytes.size(), 65537u);
  EXPECT_THROWS_CODE(code::NullPointerException, out->writeUTF(nullptr));
}

TEST(DataStreamTest, ReadFullyLoopsOverShortReads) {
  DPtr<TrickleInput> source = new TrickleInput({1, 2, 3, 4, 5});
  DDataInputStreamPtr in = new DDataInputStream(source);
  DbyteArrayPtr four = new DbyteArray(4);
  in->readFully(four);
  EXPECT_EQ(bytesOf(four), (std::vector<uint8_t>{1, 2, 3, 4}));
  in->readFully(new DbyteArray(0));
  EXPECT_THROWS_CODE(code::EOFException, in->readFully(new DbyteArray(2)));
  EXPECT_THROWS_CODE(code::NullPointerException, in->readFully(nullptr));
}

TEST(DataStreamTest, ClosingTheDataInputLeavesItsSourceOpenWhileTheDataOutputClosesItsSink) {
  DPtr<TrickleInput> source = new TrickleInput({1, 2});
  DDataInputStreamPtr in = new DDataInputStream(source);
  EXPECT_EQ(in->read(), 1);
  in->close();
  in->reset();
  EXPECT_FALSE(source->closed);
  EXPECT_EQ(in->read(), 2);

  DPtr<RecordingOutput> sink = new RecordingOutput();
  DDataOutputStreamPtr out = new DDataOutputStream(sink);
  out->write(7);
  out->flush();
  out->close();
  EXPECT_EQ(sink->flushes, 1);
  EXPECT_TRUE(sink->closed);

  DDataInputStreamPtr orphan = new DDataInputStream(nullptr);
  EXPECT_THROWS_CODE(code::NullPointerException, orphan->read());
}

TEST(DataStreamTest, ReadBufferFillsARawBufferThroughSingleReads) {
  unsigned char buffer[5] = {};
  DDataInputStreamPtr in = over({9, 8, 7});
  EXPECT_EQ(in->readBuffer(buffer, 0), 0);
  EXPECT_EQ(in->available(), 3);
  EXPECT_EQ(in->readBuffer(buffer, 5), 3);
  EXPECT_EQ(buffer[0], 9);
  EXPECT_EQ(buffer[2], 7);
  EXPECT_EQ(in->readBuffer(buffer, 5), -1);
  EXPECT_THROWS_CODE(code::NullPointerException, in->readBuffer(nullptr, 1));
  EXPECT_THROWS_CODE(code::IndexOutOfBoundsException, in->readBuffer(buffer, -1));
}
