// Tests that read the built game.dat through the program's own archive stream.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "core/io/D7zipInputStream.h"
#include "core/lang/DString.h"
#include "platform/host/paths.h"

namespace builtarchive {

inline nuv::lang::DStringPtr name(const std::string& s) {
  return new nuv::lang::DString(std::u16string(s.begin(), s.end()));
}

// Opens game.dat beside the program, as the program finds it.
class BuiltArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setProgramFile((std::filesystem::path(GH_GAME_DAT).parent_path() / "glimmerhut").string());
    nuv::io::D7zipInputStream::openArchive(name("game.dat"), name(""));
  }
  void TearDown() override {
    nuv::io::D7zipInputStream::closeArchive();
    platform::setProgramFile("");
  }
};

inline bool has(const std::string& entry) { return nuv::io::D7zipInputStream::getSize(name(entry)) >= 0; }

inline std::string read(const std::string& entry) {
  std::string text;
  auto stream = nuv::io::D7zipInputStream::open(name("/" + entry));
  for (int b = stream->read(); b >= 0; b = stream->read()) text.push_back(static_cast<char>(b));
  return text;
}

// "key=value" or "key;x;y;w;h" lines, CR LF ended.
inline std::map<std::string, std::string> lines(const std::string& entry, char separator) {
  std::map<std::string, std::string> out;
  std::istringstream in(read(entry));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t at = line.find(separator);
    if (at != std::string::npos) out[line.substr(0, at)] = line.substr(at + 1);
  }
  return out;
}

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
};

// An image table's rectangles under one screen size.
inline std::map<std::string, Rect> atlas(const std::string& imageTable, const std::string& size) {
  std::map<std::string, Rect> out;
  for (auto& [key, rest] : lines("graphics/" + size + "/" + imageTable + ".txt", ';')) {
    Rect r;
    char sep;
    std::istringstream(rest) >> r.x >> sep >> r.y >> sep >> r.w >> sep >> r.h;
    out[key] = r;
  }
  return out;
}

}  // namespace builtarchive
