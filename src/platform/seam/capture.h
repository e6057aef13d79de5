// Frame capture: the device screen written to PNG files, and read back by tests.
#pragma once

#include <string>

#include "platform/seam/picture.h"

namespace platform {

// Writes the device screen as an 8-bit RGB PNG; false (with a line on stderr) when the file cannot be written.
bool captureScreen(const std::string& path);

bool writePng(const std::string& path, const Picture& picture);
// False for a missing or damaged file.
bool readPng(const std::string& path, Picture& out);

}  // namespace platform
