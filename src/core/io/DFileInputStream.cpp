// Reading files beside the program through the handheld's file calls.
#include "core/io/DFileInputStream.h"

#include <algorithm>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "platform/api/file.h"

namespace nuv::io {

using lang::ExceptionCode::EOFException;
using lang::ExceptionCode::IndexOutOfBoundsException;
using lang::ExceptionCode::IOException;
using lang::ExceptionCode::NullPointerException;

DFileInputStreamPtr DFileInputStream::open(lang::DStringPtr name) {
  if (name.isNull()) lang::throwException(NullPointerException);
  DFileInputStreamPtr stream = new DFileInputStream();
  std::u16string turned(name->view());
  std::replace(turned.begin(), turned.end(), u'/', u'\\');
  // Names are meant with a leading "/"; one without it still lies in the program's folder.
  const char16_t* separator = !name->view().empty() && name->view()[0] == u'/' ? u"" : u"/";
  const std::u16string path = std::u16string(lang::DSystem::getProperty(u"app.fullpath")->view()) + separator + turned;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) lang::throwException(IOException);
  stream->handle = file;
  return stream;
}

DFileInputStream::~DFileInputStream() { close(); }

DWORD DFileInputStream::position() {
  DWORD at = SetFilePointer(handle, 0, nullptr, FILE_CURRENT);
  if (at == INVALID_SET_FILE_POINTER) lang::throwException(IOException);
  return at;
}

DWORD DFileInputStream::end() {
  const DWORD here = position();
  DWORD at = SetFilePointer(handle, 0, nullptr, FILE_END);
  if (at == INVALID_SET_FILE_POINTER) lang::throwException(IOException);
  moveTo(here);
  return at;
}

void DFileInputStream::moveTo(DWORD target) {
  if (SetFilePointer(handle, static_cast<LONG>(target), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
    lang::throwException(IOException);
  }
}

int32_t DFileInputStream::available() {
  const DWORD here = position();
  const DWORD last = end();
  // A file cut short by someone else never gives a negative count.
  return last > here ? static_cast<int32_t>(std::min<DWORD>(last - here, INT32_MAX)) : 0;
}

int32_t DFileInputStream::readBuffer(unsigned char* buf, int32_t len) {
  if (buf == nullptr) lang::throwException(NullPointerException);
  if (len < 0) lang::throwException(IndexOutOfBoundsException);
  DWORD n = 0;
  if (!ReadFile(handle, buf, static_cast<DWORD>(len), &n, nullptr)) lang::throwException(IOException);
  return static_cast<int32_t>(n);
}

int32_t DFileInputStream::read(DbyteArrayPtr b, int32_t off, int32_t len) {
  if (b.isNull() || off > b->length || len == 0) lang::throwException(IOException);
  checkRange(*b, off, len);
  DWORD n = 0;
  if (!ReadFile(handle, b->data() + off, static_cast<DWORD>(len), &n, nullptr)) lang::throwException(IOException);
  return n == 0 ? -1 : static_cast<int32_t>(n);
}

int32_t DFileInputStream::read() {
  uint8_t byte = 0;
  DWORD n = 0;
  if (!ReadFile(handle, &byte, 1, &n, nullptr)) lang::throwException(IOException);
  if (n == 0) lang::throwException(EOFException);
  return byte;
}

void DFileInputStream::close() {
  if (handle != nullptr) CloseHandle(handle);
  handle = nullptr;
}

void DFileInputStream::reset() { moveTo(0); }

int64_t DFileInputStream::skip(int64_t n) {
  const DWORD here = position();
  if (n <= 0) return 0;
  const DWORD last = end();
  const int64_t left = last > here ? int64_t{last} - here : 0;
  const int64_t skipped = std::min(n, left);
  moveTo(static_cast<DWORD>(here + skipped));
  return skipped;
}

}  // namespace nuv::io
