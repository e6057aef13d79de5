// The program's command-line options.
#pragma once

#include <cstdint>
#include <string_view>

namespace shell {

struct CommandLine {
  bool fullScreen = true;
  int32_t width = -1;
  int32_t height = -1;
};

// "/nofullscreen", "/width" N and "/height" N; the value follows the option after one separator character.
CommandLine parseCommandLine(std::u16string_view commandLine);

}  // namespace shell
