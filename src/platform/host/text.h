// Conversions between the 16-bit text of the stand-in's callers and the host's UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

}  // namespace platform
