// The program's command-line options.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace shell {

struct CommandLine {
  bool fullScreen = true;
  int32_t width = -1;
  int32_t height = -1;
};

// "/nofullscreen", "/width" N and "/height" N; the value follows the option after one separator character.
CommandLine parseCommandLine(std::u16string_view commandLine);

// Whether the given size is the program's: with "/nofullscreen" and two positive values, each at most
// platform::kMaxScreenSide. A size refused for its largeness gets the line that says so in `refused`.
bool usesGivenSize(const CommandLine& options, std::string& refused);

}  // namespace shell
