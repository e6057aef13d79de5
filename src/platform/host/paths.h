// The handheld's file names ("\" separators, rooted at "\") and where they live on the host.
// This is the one place that maps between the two; every file call of the stand-in goes through it.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// "\a\b.txt" and "a\b.txt" both name "/a/b.txt" on the host: the device root is the host root.
std::string toHostPath(std::u16string_view devicePath);
std::u16string toDevicePath(std::string_view hostPath);

// The program file, as a host path; tests point it into a temporary folder.
std::string programFile();
std::string programFolder();
void setProgramFile(std::string hostPath);

}  // namespace platform
