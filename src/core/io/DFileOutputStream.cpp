// Writing files beside the program through the handheld's file calls.
#include "core/io/DFileOutputStream.h"

#include <algorithm>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "platform/api/file.h"

namespace nuv::io {

using lang::ExceptionCode::IOException;

DFileOutputStreamPtr DFileOutputStream::open(lang::DStringPtr name) {
  if (name.isNull()) lang::throwException(lang::ExceptionCode::NullPointerException);
  std::u16string turned(name->view());
  std::replace(turned.begin(), turned.end(), u'/', u'\\');
  // Without a separator of its own the name would land beside the program's folder, not in it.
  const char16_t* separator = !turned.empty() && turned[0] == u'\\' ? u"" : u"\\";
  return openPath(std::u16string(lang::DSystem::getProperty(u"app.fullpath")->view()) + separator + turned);
}

DFileOutputStreamPtr DFileOutputStream::openPath(const std::u16string& path) {
  DFileOutputStreamPtr stream = new DFileOutputStream();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) lang::throwException(IOException);
  stream->handle = file;
  return stream;
}

DFileOutputStream::~DFileOutputStream() { close(); }

void DFileOutputStream::put(const void* bytes, DWORD count) {
  DWORD written = 0;
  if (!WriteFile(handle, bytes, count, &written, nullptr) || written != count) lang::throwException(IOException);
}

void DFileOutputStream::write(DbyteArrayPtr b, int32_t off, int32_t len) {
  if (b.isNull() || off > b->length || len == 0) lang::throwException(IOException);
  checkRange(*b, off, len);
  put(b->data() + off, static_cast<DWORD>(len));
}

void DFileOutputStream::write(int32_t b) {
  const auto byte = static_cast<uint8_t>(b);
  put(&byte, 1);
}

void DFileOutputStream::flush() {
  if (!FlushFileBuffers(handle)) lang::throwException(IOException);
}

void DFileOutputStream::close() {
  if (handle != nullptr) CloseHandle(handle);
  handle = nullptr;
}

}  // namespace nuv::io
