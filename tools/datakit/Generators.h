// Pictures drawn by rule: backgrounds, the logo, the splash, panels and icon tiles.
#pragma once

#include <map>
#include <string>

#include "Image.h"
#include "Stage.h"

namespace datakit {

struct GenRequest {
  const StageContext& context;
  const ScreenSize& size;
  std::map<std::string, std::string> params;  // the .gen source's keys
  std::string file;                           // the .gen source, for errors

  const std::string& param(const std::string& key) const;
  int intParam(const std::string& key) const;
  Rgb colourParam(const std::string& key) const;  // a palette colour name
};

using Generator = Image (*)(const GenRequest&);

// Null when no generator has that name.
Generator findGenerator(const std::string& name);

}  // namespace datakit
