// Files beside the program, and text printed onto streams.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/io/DByteArrayOutputStream.h"
#include "core/io/DFileInputStream.h"
#include "core/io/DFileOutputStream.h"
#include "core/io/DPrintStream.h"
#include "platform/host/paths.h"
#include "support/Exceptions.h"
#include "support/TempFolder.h"

using namespace nuv::io;
using namespace nuv::lang;
namespace code = nuv::lang::ExceptionCode;

namespace {

class FileStreamTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::setProgramFile(folder.file("glimmerhut.exe")); }
  void TearDown() override { platform::setProgramFile(""); }

  void writeHost(const std::string& name, const std::string& bytes) const {
    std::filesystem::create_directories(std::filesystem::path(folder.file(name)).parent_path());
    std::ofstream(folder.file(name), std::ios::binary) << bytes;
  }
  std::string readHost(const std::string& name) const {
    std::ifstream in(folder.file(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static std::string text(const DbyteArrayPtr& a, int32_t n) {
    return std::string(reinterpret_cast<const char*>(a->data()), static_cast<size_t>(n));
  }

  test::TempFolder folder;
};

}  // namespace

TEST_F(FileStreamTest, NamesAreFoundInTheProgramFolder) {
  writeHost("a/b.txt", "ab");
  for (const char16_t* name : {u"/a/b.txt", u"a/b.txt", u"\\a\\b.txt", u"a\\b.txt"}) {
    DFileInputStreamPtr in = DFileInputStream::open(name);
    EXPECT_EQ(in->read(), 'a');
  }
  EXPECT_THROWS_CODE(code::IOException, DFileInputStream::open(u"/a/missing.txt"));
  EXPECT_THROWS_CODE(code::IOException, DFileInputStream::open(u"/a"));
  EXPECT_THROWS_CODE(code::NullPointerException, DFileInputStream::open(nullptr));
  EXPECT_THROWS_CODE(code::NullPointerException, DFileOutputStream::open(nullptr));

  // Output names with or without the leading separator land in the program folder.
  writeHost("doutput.txt", "old content");
  for (const char16_t* name : {u"/doutput.txt", u"derror.txt", u"\\third.txt"}) {
    DFileOutputStreamPtr out = DFileOutputStream::open(name);
    out->write('x');
  }
  EXPECT_EQ(readHost("doutput.txt"), "x");
  EXPECT_EQ(readHost("derror.txt"), "x");
  EXPECT_EQ(readHost("third.txt"), "x");
  EXPECT_THROWS_CODE(code::IOException, DFileOutputStream::open(u"/no/such/folder.txt"));
}

TEST_F(FileStreamTest, InputReadsToTheEndAndNoFurther) {
  writeHost("three", "xyz");
  DFileInputStreamPtr in = DFileInputStream::open(u"/three");
  EXPECT_EQ(in->available(), 3);
  EXPECT_EQ(in->read(), 'x');
  EXPECT_EQ(in->read(), 'y');
  EXPECT_EQ(in->read(), 'z');
  EXPECT_THROWS_CODE(code::EOFException, in->read());

  in->reset();
  DbyteArrayPtr b = new DbyteArray(10);
  EXPECT_EQ(in->read(b, 0, 10), 3);
  EXPECT_EQ(text(b, 3), "xyz");
  EXPECT_EQ(in->read(b, 0, 10), -1);

  // Skipping stops at the end, so nothing turns negative.
  in->reset();
  EXPECT_EQ(in->skip(-5), 0);
  EXPECT_EQ(in->skip(1), 1);
  EXPECT_EQ(in->available(), 2);
  EXPECT_EQ(in->skip(10), 2);
  EXPECT_EQ(in->available(), 0);
  EXPECT_EQ(in->read(b, 0, 10), -1);

  unsigned char raw[8];
  in->reset();
  EXPECT_EQ(in->readBuffer(raw, 8), 3);
  EXPECT_EQ(in->readBuffer(raw, 8), 0);
  EXPECT_THROWS_CODE(code::NullPointerException, in->readBuffer(nullptr, 1));
  EXPECT_THROWS_CODE(code::IndexOutOfBoundsException, in->readBuffer(raw, -1));

  in->close();
  in->close();
  EXPECT_THROWS_CODE(code::IOException, in->read());
  EXPECT_THROWS_CODE(code::IOException, in->available());
}

TEST_F(FileStreamTest, ArrayArgumentsAreChecked) {
  writeHost("three", "xyz");
  DFileInputStreamPtr in = DFileInputStream::open(u"/three");
  DFileOutputStreamPtr out = DFileOutputStream::open(u"/out");
  DbyteArrayPtr four = new DbyteArray(4);
  struct Case {
    DbyteArrayPtr array;
    int32_t off;
    int32_t len;
    uint32_t thrown;
  } cases[] = {
      {nullptr, 0, 1, code::IOException},
      {four, 5, 1, code::IOException},
      {four, 0, 0, code::IOException},
      {new DbyteArray(0), 0, 0, code::IOException},  // read(b) of an empty array
      {four, -1, 1, code::ArrayIndexOutOfBoundsException},
      {four, 0, -1, code::ArrayIndexOutOfBoundsException},
      {four, 2, 3, code::ArrayIndexOutOfBoundsException},
  };
  for (const Case& c : cases) {
    EXPECT_THROWS_CODE(c.thrown, in->read(c.array, c.off, c.len)) << c.off << "," << c.len;
    EXPECT_THROWS_CODE(c.thrown, out->write(c.array, c.off, c.len)) << c.off << "," << c.len;
  }
  EXPECT_EQ(in->available(), 3);
  out->close();
  EXPECT_EQ(readHost("out"), "");
}

TEST_F(FileStreamTest, OutputWritesFlushesAndCloses) {
  DFileOutputStreamPtr out = DFileOutputStream::open(u"/log.txt");
  DbyteArrayPtr bytes = new DbyteArray(4);
  for (int32_t i = 0; i < 4; ++i) (*bytes)[i] = static_cast<int8_t>('a' + i);
  out->write(bytes, 1, 2);
  out->write(bytes);
  out->write(0x100 + '!');
  out->flush();
  EXPECT_EQ(readHost("log.txt"), "bcabcd!");
  out->close();
  out->close();
  EXPECT_THROWS_CODE(code::IOException, out->write('x'));
  EXPECT_THROWS_CODE(code::IOException, out->flush());
}

TEST_F(FileStreamTest, PrintStreamsWriteTheANSICodePage) {
  DByteArrayOutputStreamPtr sink = new DByteArrayOutputStream();
  DPrintStreamPtr print = new DPrintStream(sink);
  print->println(u"Gr\u00FC\u00DFe \u20AC");
  print->print(nullptr);
  print->println();
  const DbyteArrayPtr bytes = sink->toByteArray();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes->data()), static_cast<size_t>(bytes->length)),
            "Gr\xFC\xDF"
            "e \x80\r\nnull\r\n");

  // Without an underlying stream nothing happens and nothing fails.
  DPrintStreamPtr nowhere = new DPrintStream(nullptr);
  nowhere->println(u"dropped");
  nowhere->write(1);
  nowhere->flush();
  nowhere->close();

  // An empty line onto a file is just the line end; closing the print stream closes the file.
  DFileOutputStreamPtr file = DFileOutputStream::open(u"/doutput.txt");
  DPrintStreamPtr log = new DPrintStream(file);
  log->println(u"");
  log->println(u"done");
  log->close();
  EXPECT_EQ(readHost("doutput.txt"), "\r\ndone\r\n");
  EXPECT_THROWS_CODE(code::IOException, file->write('x'));

  // Letting go of a print stream leaves its stream open.
  DFileOutputStreamPtr kept = DFileOutputStream::open(u"/kept.txt");
  DPrintStreamPtr(new DPrintStream(kept))->print(u"a");
  kept->write('b');
  kept->close();
  EXPECT_EQ(readHost("kept.txt"), "ab");
}
