// The text notation of music, compiled into a module.
#pragma once

#include <string>

#include "Mod.h"

namespace datakit {

struct Tune {
  Module module;
  int speed = 6;
  int tempo = 125;
};

// See docs/data.md for the notation; errors name the source line.
Tune parseTune(const std::string& source, const std::string& file);

}  // namespace datakit
