// Tests that read the built game.dat through the program's own archive stream.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
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

}  // namespace builtarchive
