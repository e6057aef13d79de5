// Review renderings: contact sheets of the pictures and fonts, mock screens, and sound files.
#pragma once

#include <filesystem>
#include <string>

namespace datakit {

// Reads the staged tree under out/archive and writes PNG sheets and WAV files into dir; prints
// the length and levels of every sound.
int review(const std::filesystem::path& out, const std::filesystem::path& dir, const std::string& fontDir);

}  // namespace datakit
