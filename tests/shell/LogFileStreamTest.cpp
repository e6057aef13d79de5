// The program's output and error logs: a write that fails loses the log, said once, and never throws into
// the code that wrote the line.
#include <gtest/gtest.h>

#include <string>

#include "core/io/DByteArrayOutputStream.h"
#include "core/io/DPrintStream.h"
#include "core/lang/DExceptionBase.h"
#include "platform/api/handle.h"
#include "shell/LogFileStream.h"

namespace {

// A file that takes `room` bytes and then fails as a full disk does.
class FillingFile : public nuv::io::DByteArrayOutputStream {
 public:
  explicit FillingFile(int32_t room) : room_(room) {}
  const char* getClassName() const override { return "FillingFile"; }
  void write(nuv::lang::DbyteArrayPtr b, int32_t off, int32_t len) override {
    if (size() + len > room_) {
      SetLastError(ERROR_DISK_FULL);
      nuv::lang::throwException(nuv::lang::ExceptionCode::IOException);
    }
    DByteArrayOutputStream::write(b, off, len);
  }
  void close() override { closed = true; }
  bool closed = false;

 private:
  int32_t room_;
};

TEST(LogFileStreamTest, AFullDiskLosesTheLogOnceAndThrowsNothing) {
  nuv::lang::DPtr<FillingFile> file = new FillingFile(12);
  nuv::io::DPrintStreamPtr log = new nuv::io::DPrintStream(new shell::LogFileStream(file, u"\\logs\\doutput.txt"));
  testing::internal::CaptureStderr();
  log->println(u"first");   // 7 bytes with the line end
  log->println(u"second");  // past the room: lost
  log->println(u"third");   // the log is gone: nothing more is tried or said
  log->flush();
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(said, "GlimmerHut: the log /logs/doutput.txt cannot be written: the disk is full; its lines are lost\n");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(file->toByteArray()->data()), file->size()), "first\r\n");
  EXPECT_TRUE(file->closed);
}

}  // namespace
