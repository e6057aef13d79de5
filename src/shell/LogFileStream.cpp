// The program's output and error logs, which a full disk or a vanished folder never turns into a game's failure.
#include "shell/LogFileStream.h"

#include <memory>
#include <utility>

#include "core/lang/DExceptionBase.h"
#include "platform/api/handle.h"
#include "platform/api/program.h"

namespace shell {

using nuv::lang::DExceptionBase;

LogFileStream::LogFileStream(nuv::io::DOutputStreamPtr file, std::u16string path)
    : file_(std::move(file)), path_(std::move(path)) {}

template <class Operation>
void LogFileStream::onFile(Operation operation) {
  if (file_.isNull()) return;
  try {
    operation(*file_);
  } catch (DExceptionBase* e) {
    const DWORD error = GetLastError();
    std::unique_ptr<DExceptionBase> owned = nuv::lang::catchException(e, nuv::lang::ExceptionCode::IOException);
    // Every later line would fail the same way: the file goes, and the lines with it.
    nuv::io::DOutputStreamPtr failed = std::move(file_);
    nuv::lang::dropException(nuv::lang::ExceptionCode::IOException, [&] { failed->close(); });
    platform::sayLogLost(path_, error);
  }
}

void LogFileStream::write(nuv::lang::DbyteArrayPtr b, int32_t off, int32_t len) {
  onFile([&](nuv::io::DOutputStream& file) { file.write(b, off, len); });
}

void LogFileStream::write(nuv::lang::DbyteArrayPtr b) {
  onFile([&](nuv::io::DOutputStream& file) { file.write(b); });
}

void LogFileStream::write(int32_t b) {
  onFile([&](nuv::io::DOutputStream& file) { file.write(b); });
}

void LogFileStream::flush() {
  onFile([](nuv::io::DOutputStream& file) { file.flush(); });
}

void LogFileStream::close() {
  onFile([](nuv::io::DOutputStream& file) { file.close(); });
  file_ = nullptr;
}

}  // namespace shell
