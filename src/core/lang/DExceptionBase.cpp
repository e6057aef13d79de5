// Exception objects, their message formatting and the table of type names.
#include "core/lang/DExceptionBase.h"

#include <cstdarg>
#include <string_view>

namespace nuv::lang {

namespace {

struct CodeName {
  uint32_t code;
  const char16_t* name;
};

// Searched in this order.
constexpr CodeName kCodeNames[] = {
    {0x4000000, u"Exception"},
    {0x6000000, u"IOException"},
    {0x5000000, u"RuntimeException"},
    {0x5800000, u"IndexOutOfBoundsException"},
    {0x5400000, u"IllegalArgumentException"},
    {0x4200000, u"RecordStoreException"},
    {0x4000001, u"ClassNotFoundException"},
    {0x4000002, u"IllegalAccessException"},
    {0x4000004, u"InterruptedException"},
    {0x4000008, u"InstantiationException"},
    {0x4000010, u"MediaException"},
    {0x4000020, u"MIDletStateChangeException"},
    {0x4000040, u"VideoException"},
    {0x6000001, u"ConnectionNotFoundException"},
    {0x6000002, u"EOFException"},
    {0x6000004, u"InterruptedIOException"},
    {0x6000008, u"UnsupportedEncodingException"},
    {0x6000010, u"UTFDataFormatException"},
    {0x6000020, u"CertificateException"},
    {0x6000040, u"DBluetoothStateException"},
    {0x6000080, u"DBluetoothConnectionException"},
    {0x6000100, u"DServiceRegistrationException"},
    {0x5000001, u"ArithmeticException"},
    {0x5000002, u"ArrayStoreException"},
    {0x5000004, u"ClassCastException"},
    {0x5000008, u"EmptyStackException"},
    {0x5000010, u"IllegalMonitorStateException"},
    {0x5000020, u"NegativeArraySizeException"},
    {0x5000040, u"NoSuchElementException"},
    {0x5000080, u"NullPointerException"},
    {0x4100000, u"SecurityException"},
    {0x5000100, u"IllegalStateException"},
    {0x5800001, u"ArrayIndexOutOfBoundsException"},
    {0x5800002, u"StringIndexOutOfBoundsException"},
    {0x5400001, u"IllegalThreadStateException"},
    {0x5400002, u"NumberFormatException"},
    {0x4200001, u"InvalidRecordIDException"},
    {0x4200002, u"RecordStoreFullException"},
    {0x4200004, u"RecordStoreNotFoundException"},
    {0x4200008, u"RecordStoreNotOpenException"},
};

// Appends to a fixed buffer, dropping whatever does not fit.
class MessageWriter {
 public:
  explicit MessageWriter(char16_t* buffer) : buffer_(buffer) { buffer_[0] = 0; }

  void put(char16_t c) {
    if (length_ + 1 >= DExceptionBase::kMessageCapacity) return;
    buffer_[length_++] = c;
    buffer_[length_] = 0;
  }
  void put(std::u16string_view text) {
    for (char16_t c : text) put(c);
  }
  void putDecimal(int32_t value) {
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    if (value < 0) put(u'-');
    putUnsigned(magnitude, 10);
  }
  void putDecimalSign(int32_t value) {
    if (value < 0) put(u'-');
  }
  void putUnsigned(uint32_t value, uint32_t radix) {
    char16_t digits[16];
    int n = 0;
    do {
      digits[n++] = u"0123456789abcdef"[value % radix];
      value /= radix;
    } while (value != 0);
    while (n > 0) put(digits[--n]);
  }

 private:
  char16_t* buffer_;
  int length_ = 0;
};

char16_t hexNameBuffer[DExceptionBase::kMessageCapacity];  // main thread only

}  // namespace

DExceptionBase::DExceptionBase(uint32_t code) : code_(code) { message_[0] = 0; }

DExceptionBase::DExceptionBase(uint32_t code, const char16_t* format, ...) : code_(code) {
  MessageWriter out(message_);
  if (format == nullptr) return;
  va_list args;
  va_start(args, format);
  std::u16string_view rest(format);
  for (size_t percent = rest.find(u'%'); percent != std::u16string_view::npos; percent = rest.find(u'%')) {
    out.put(rest.substr(0, percent));
    if (percent + 1 == rest.size()) {  // a lone "%" at the end is dropped
      rest = {};
      break;
    }
    switch (rest[percent + 1]) {
      case u'd':
        out.putDecimal(va_arg(args, int32_t));
        break;
      case u'x':
        out.putUnsigned(static_cast<uint32_t>(va_arg(args, int32_t)), 16);
        break;
      case u's': {
        const char16_t* text = va_arg(args, const char16_t*);
        out.put(text ? std::u16string_view(text) : std::u16string_view());
        break;
      }
      case u'c':
        out.put(static_cast<char16_t>(va_arg(args, int32_t) & 0xFFFF));
        break;
      case u'%':
        out.put(u'%');
        break;
      default:
        break;
    }
    rest.remove_prefix(percent + 2);
  }
  out.put(rest);
  va_end(args);
}

const char16_t* getExceptionName(uint32_t code) {
  for (const CodeName& row : kCodeNames) {
    if (row.code == code) return row.name;
  }
  // As DInteger::toHexString of the code taken as an int.
  MessageWriter out(hexNameBuffer);
  out.putDecimalSign(static_cast<int32_t>(code));
  out.putUnsigned(static_cast<int32_t>(code) < 0 ? 0u - code : code, 16);
  return hexNameBuffer;
}

void throwException(uint32_t code) { throw new DExceptionBase(code); }

std::unique_ptr<DExceptionBase> catchException(DExceptionBase* e, uint32_t parent) {
  if (!e->isA(parent)) throw e;
  return std::unique_ptr<DExceptionBase>(e);
}

}  // namespace nuv::lang
