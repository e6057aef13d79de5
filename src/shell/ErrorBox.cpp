// The shell's error boxes.
#include "shell/ErrorBox.h"

#include <string>

#include "platform/api/msgbox.h"

namespace shell {

namespace {

constexpr const char16_t* kErrorTitle = u"Error!";

std::u16string hex(uint32_t value) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  std::u16string text;
  do {
    text.insert(text.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return text;
}

}  // namespace

void showError(const char16_t* text) { MessageBoxW(nullptr, text, kErrorTitle, MB_OK | MB_ICONERROR); }

void showUnhandled(const char16_t* where, const nuv::lang::DExceptionBase& failure, bool withMessage) {
  std::u16string text = std::u16string(where) + u" - unhadled exception 0x" + hex(failure.code()) + u"!\n" +
                        nuv::lang::getExceptionName(failure.code());
  if (withMessage) text += std::u16string(u"\r\n") + failure.message();
  showError(text.c_str());
}

}  // namespace shell
