// Reading text tables and looking their entries up.
#include "gamelib/TextTable.h"

#include <vector>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DInteger.h"
#include "core/lang/DStringBuffer.h"
#include "gamelib/GameLib.h"
#include "gamelib/ResourceDamage.h"

namespace gamelib {

using nuv::io::DDataInputStream;
using nuv::io::DDataInputStreamPtr;
using nuv::io::DInputStreamPtr;
using nuv::lang::catchException;
using nuv::lang::DExceptionBase;
using nuv::lang::DString;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

constexpr char16_t kKeySeparator = u'=';
constexpr int32_t kCarriageReturn = 13;

}  // namespace

void TextTable::load(DStringPtr name, bool utf) {
  if (table.isNull()) nuv::lang::throwNullPointerException();
  if (name->indexOf(u'.') < 0) name = name + u".txt";
  DInputStreamPtr stream = GameLib::loadFile(name);
  if (stream.isNull()) ResourceDamage::refuseMissing(name);
  ResourceDamage::reading(name, [&] {
    if (!parse(stream, utf)) ResourceDamage::refuse(name, u"its last line is cut short");
  });
}

bool TextTable::parse(DInputStreamPtr stream, bool utf) {
  table->clear();
  utfMode = utf;
  if (stream.isNull()) return true;
  DDataInputStreamPtr data = new DDataInputStream(stream);
  bool whole = true;
  try {
    // A UTF table ends between two lines; the end of the data inside one cuts it short.
    while (!utf || data->available() > 0) {
      DStringPtr line = readLine(data, utf);
      if (line.isNull()) break;
      int32_t split = line->indexOf(kKeySeparator);
      if (split >= 0) table->put(line->substring(0, split), line->substring(split + 1));
    }
  } catch (DExceptionBase* e) {
    // The end of a UTF table; anything else is the caller's, once the stream is closed.
    try {
      catchException(e, ExceptionCode::EOFException);
      whole = false;
    } catch (...) {
      stream->close();
      throw;
    }
  }
  stream->close();
  return whole;
}

DStringPtr TextTable::readLine(DDataInputStreamPtr stream, bool utf) {
  if (utf) return stream->readUTF();
  std::u16string line;
  try {
    for (;;) {
      int32_t b = stream->readByte();
      if ((b & 0xFF) == kCarriageReturn) {
        stream->readByte();
        break;
      }
      line.push_back(static_cast<char16_t>(b));
    }
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
  }
  if (line.empty()) return nullptr;
  return new DString(std::u16string_view(line));
}

DStringPtr TextTable::getString(DStringPtr key) {
  nuv::lang::DObject* value = table->get(key);
  if (value == nullptr) return key;
  return static_cast<DString*>(value);
}

int32_t TextTable::getInt(DStringPtr key, int32_t defaultValue) {
  nuv::lang::DObject* value = table->get(key);
  if (value == nullptr) return defaultValue;
  try {
    return nuv::lang::DInteger::parseInt(static_cast<DString*>(value));
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
    return defaultValue;
  }
}

DStringArrayPtr TextTable::split(DStringPtr text, char16_t separator) {
  std::u16string_view rest = text->view();
  std::vector<std::u16string_view> parts;
  for (;;) {
    size_t at = rest.find(separator);
    parts.push_back(rest.substr(0, at));
    if (at == std::u16string_view::npos) break;
    rest.remove_prefix(at + 1);
  }
  DStringArrayPtr result = new DStringArray(static_cast<int32_t>(parts.size()));
  for (size_t i = 0; i < parts.size(); ++i) (*result)[static_cast<int32_t>(i)] = new DString(parts[i]);
  return result;
}

}  // namespace gamelib
