// The built game.dat, opened with the program's own archive stream: every shared entry is there
// for both screen sizes and reads back byte for byte as staged.
#include <gtest/gtest.h>

#include <filesystem>

#include "BuiltArchive.h"
#include "Check.h"
#include "Stage.h"
#include "core/io/D7zipInputStream.h"
#include "core/lang/DString.h"

namespace fs = std::filesystem;
using namespace datakit;
using nuv::io::D7zipInputStream;

namespace {

using builtarchive::name;

using GameDat = builtarchive::BuiltArchive;

std::vector<std::string> sharedEntries() {
  std::vector<std::string> entries = {"data/keys.txt",  "txt/lang.txt",         "txt/res_en.txt",      "txt/res_de.txt",
                                      "txt/res_fr.txt", "graphics/240x320.dat", "graphics/480x640.dat"};
  for (std::string size : {"240x320", "480x640"}) {
    for (const std::string& image : kSharedImages) entries.push_back("graphics/" + size + "/" + image + ".png");
    entries.push_back("graphics/" + size + "/menu/icons.txt");
    for (const std::string& font : kFontNames) {
      entries.push_back(size + "/" + font + "/font_0.png");
      entries.push_back(size + "/" + font + "/font_0");
    }
  }
  return entries;
}

}  // namespace

TEST_F(GameDat, HoldsEverySharedEntryUnderBothScreenSizes) {
  const fs::path staged = builtarchive::stagedTree();
  for (const std::string& entry : sharedEntries()) {
    Bytes expected = readBytes(staged / entry);
    ASSERT_EQ(D7zipInputStream::getSize(name(entry)), static_cast<int32_t>(expected.size())) << entry;
    auto stream = D7zipInputStream::open(name("/" + entry));
    Bytes read;
    for (int b = stream->read(); b >= 0; b = stream->read()) read.push_back(static_cast<std::uint8_t>(b));
    EXPECT_TRUE(read == expected) << entry;
  }
}

TEST_F(GameDat, HoldsExactlyTheStagedTree) {
  const fs::path staged = builtarchive::stagedTree();
  int files = 0;
  for (const auto& f : fs::recursive_directory_iterator(staged))
    if (f.is_regular_file()) {
      ++files;
      EXPECT_EQ(D7zipInputStream::getSize(name(fs::relative(f.path(), staged).generic_string())),
                static_cast<int32_t>(f.file_size()))
          << f.path();
    }
  EXPECT_GE(files, static_cast<int>(sharedEntries().size()));
  EXPECT_EQ(D7zipInputStream::getSize(name("greedy_vendors")), -1) << "the marker hides the more-games entry";
}
