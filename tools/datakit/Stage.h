// The staging step: turns the sources under data/ into the archive's tree of finished files.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "Fonts.h"
#include "PixelArt.h"
#include "Png.h"

namespace datakit {

// One supported screen size, from a resolution file "graphics/WxH.dat": its first PATH entry is
// the folder of its pictures and fonts, and the scale is its width over 240.
struct ScreenSize {
  int width = 0;
  int height = 0;
  std::string folder;  // without the trailing '/'
  int scale = 1;
};

// Everything a picture generator or font may draw with.
struct StageContext {
  std::filesystem::path dataDir;
  Palette palette;
  std::u16string charset;
  std::map<std::string, FontStyle> fonts;  // by source path without ".font", e.g. "all/menu"
  FontRenderer* renderer = nullptr;
};

using StagedFiles = std::map<std::string, Bytes>;  // archive name -> content

struct Staged {
  StagedFiles files;
  std::map<std::string, std::string> sources;  // archive name -> the source file it came from
};

// Reads every source; throws DataError naming the source file and line of the first fault.
Staged stageData(const std::filesystem::path& dataDir, const std::string& fontDir);

// Replaces the folder's content with the staged files; only files that changed are rewritten.
void writeStaged(const StagedFiles& files, const std::filesystem::path& outDir);

std::vector<ScreenSize> readScreenSizes(const std::filesystem::path& dataDir);

std::string readFile(const std::filesystem::path& path);
Bytes readBytes(const std::filesystem::path& path);

}  // namespace datakit
