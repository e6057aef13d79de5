// The "Error!" boxes the shell shows when the application lets a failure out.
#pragma once

#include "core/lang/DExceptionBase.h"

namespace shell {

// Shows text in an "Error!" box (and on stderr).
void showError(const char16_t* text);
// "<where> - unhadled exception 0x<code>!\n<name>", and "\r\n<message>" when asked for.
void showUnhandled(const char16_t* where, const nuv::lang::DExceptionBase& failure, bool withMessage);

}  // namespace shell
