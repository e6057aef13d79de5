// The one exception object of the system: a type code whose bits contain its parents' bits, and a message.
#pragma once

#include <cstdint>
#include <memory>

namespace nuv::lang {

namespace ExceptionCode {
inline constexpr uint32_t Exception = 0x4000000;
inline constexpr uint32_t IOException = 0x6000000;
inline constexpr uint32_t RuntimeException = 0x5000000;
inline constexpr uint32_t IndexOutOfBoundsException = 0x5800000;
inline constexpr uint32_t IllegalArgumentException = 0x5400000;
inline constexpr uint32_t RecordStoreException = 0x4200000;
inline constexpr uint32_t ClassNotFoundException = 0x4000001;
inline constexpr uint32_t IllegalAccessException = 0x4000002;
inline constexpr uint32_t InterruptedException = 0x4000004;
inline constexpr uint32_t InstantiationException = 0x4000008;
inline constexpr uint32_t MediaException = 0x4000010;
inline constexpr uint32_t MIDletStateChangeException = 0x4000020;
inline constexpr uint32_t VideoException = 0x4000040;
inline constexpr uint32_t ConnectionNotFoundException = 0x6000001;
inline constexpr uint32_t EOFException = 0x6000002;
inline constexpr uint32_t InterruptedIOException = 0x6000004;
inline constexpr uint32_t UnsupportedEncodingException = 0x6000008;
inline constexpr uint32_t UTFDataFormatException = 0x6000010;
inline constexpr uint32_t CertificateException = 0x6000020;
inline constexpr uint32_t DBluetoothStateException = 0x6000040;
inline constexpr uint32_t DBluetoothConnectionException = 0x6000080;
inline constexpr uint32_t DServiceRegistrationException = 0x6000100;
inline constexpr uint32_t ArithmeticException = 0x5000001;
inline constexpr uint32_t ArrayStoreException = 0x5000002;
inline constexpr uint32_t ClassCastException = 0x5000004;
inline constexpr uint32_t EmptyStackException = 0x5000008;
inline constexpr uint32_t IllegalMonitorStateException = 0x5000010;
inline constexpr uint32_t NegativeArraySizeException = 0x5000020;
inline constexpr uint32_t NoSuchElementException = 0x5000040;
inline constexpr uint32_t NullPointerException = 0x5000080;
inline constexpr uint32_t SecurityException = 0x4100000;
inline constexpr uint32_t IllegalStateException = 0x5000100;
inline constexpr uint32_t ArrayIndexOutOfBoundsException = 0x5800001;
inline constexpr uint32_t StringIndexOutOfBoundsException = 0x5800002;
inline constexpr uint32_t IllegalThreadStateException = 0x5400001;
inline constexpr uint32_t NumberFormatException = 0x5400002;
inline constexpr uint32_t InvalidRecordIDException = 0x4200001;
inline constexpr uint32_t RecordStoreFullException = 0x4200002;
inline constexpr uint32_t RecordStoreNotFoundException = 0x4200004;
inline constexpr uint32_t RecordStoreNotOpenException = 0x4200008;
}  // namespace ExceptionCode

// Created with new, thrown as DExceptionBase*, deleted by the handler that takes it.
class DExceptionBase {
 public:
  static constexpr int kMessageCapacity = 124;  // characters, terminator included

  explicit DExceptionBase(uint32_t code);
  // Message from a format: %d int, %x int as unsigned hex, %s const char16_t*, %c int, %% a percent
  // sign; any other specifier takes no argument and adds nothing. Cut to 123 characters.
  DExceptionBase(uint32_t code, const char16_t* format, ...);

  uint32_t code() const noexcept { return code_; }
  const char16_t* message() const noexcept { return message_; }
  // True when this exception is of the given type or one of its descendants.
  bool isA(uint32_t parent) const noexcept { return (code_ & parent) == parent; }

 private:
  uint32_t code_;
  char16_t message_[kMessageCapacity];
};

// The table name of a code, or its hexadecimal text (in a buffer the next call overwrites).
const char16_t* getExceptionName(uint32_t code);

[[noreturn]] void throwException(uint32_t code);

// The one way to handle an exception: inside `catch (DExceptionBase* e)`, takes ownership of e when it is
// of the given type (it is deleted when the result goes) and rethrows it unchanged otherwise.
std::unique_ptr<DExceptionBase> catchException(DExceptionBase* e, uint32_t parent);

// Runs work; an exception of the given type is dropped and false returned, any other goes on up. For
// loads a caller can go on without.
template <class Work>
bool dropException(uint32_t parent, Work work) {
  try {
    work();
    return true;
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> dropped = catchException(e, parent);
    return false;
  }
}

}  // namespace nuv::lang
