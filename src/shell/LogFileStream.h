// The program's output and error logs: a file stream whose failure loses the log, said once, and never
// reaches the code that wrote the line.
#pragma once

#include <cstdint>
#include <string>

#include "core/io/DOutputStream.h"

namespace shell {

class LogFileStream : public nuv::io::DOutputStream {
 public:
  // `file` is the opened log, `path` its name in the handheld's form, for the word on stderr.
  LogFileStream(nuv::io::DOutputStreamPtr file, std::u16string path);
  const char* getClassName() const override { return "LogFileStream"; }

  void write(nuv::lang::DbyteArrayPtr b, int32_t off, int32_t len) override;
  void write(nuv::lang::DbyteArrayPtr b) override;
  void write(int32_t b) override;
  void flush() override;
  void close() override;

 private:
  // Runs one operation on the file; an IOException lets the file go and is said, once.
  template <class Operation>
  void onFile(Operation operation);

  nuv::io::DOutputStreamPtr file_;
  std::u16string path_;
};

}  // namespace shell
