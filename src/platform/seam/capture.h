// Frame capture: pictures written to PNG files, and read back by tests.
#pragma once

#include <string>

#include "platform/types.h"

namespace platform {

bool writePng(const std::string& path, const Picture& picture);
// False for a missing or damaged file.
bool readPng(const std::string& path, Picture& out);

}  // namespace platform
