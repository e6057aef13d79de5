// Inputs on which a fuzz target once failed, kept: each runs again through the target's own entry (under
// the sanitizers in the sanitizer build, where a memory error shows), and must come back normally.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "Entries.h"

namespace {

struct Kept {
  const char* file;   // under tests/fuzz/kept/, in the folder named after the entry
  const char* fault;  // what the input did before the fix
};

const Kept kKept[] = {
    {"markup/deep-paragraphs", "paragraphs nested 100000 deep exhausted the stack"},
    {"wav/odd-chunk-before-data", "the pad byte after a chunk of odd size was taken for the next chunk"},
    {"wav/alaw", "A-law samples played as 8-bit PCM"},
    {"font/count-ff", "a glyph count of 0xFF read as -1 loaded a page that failed at its first text"},
    {"gobbler_map/line-feeds", "46500 line feeds and a carriage return overflowed the maze's cell count"},
};

std::filesystem::path keptFolder() { return GH_KEPT_INPUTS; }

class KeptInputsTest : public ::testing::TestWithParam<Kept> {};

TEST_P(KeptInputsTest, RunsThroughItsEntry) {
  const std::filesystem::path file = keptFolder() / GetParam().file;
  const fuzz::Entry* entry = fuzz::findEntry(file.parent_path().filename().string());
  ASSERT_NE(entry, nullptr) << "no entry for " << file;
  std::ifstream in(file, std::ios::binary);
  ASSERT_TRUE(in) << file;
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  entry->run(bytes);
}

INSTANTIATE_TEST_SUITE_P(Kept, KeptInputsTest, ::testing::ValuesIn(kKept),
                         [](const ::testing::TestParamInfo<Kept>& kept) {
                           std::string name = kept.param.file;
                           for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

// A kept file without its row would never run.
TEST(KeptFilesTest, EveryFileHasItsRow) {
  std::set<std::string> rows;
  for (const Kept& k : kKept) rows.insert(k.file);
  for (const auto& item : std::filesystem::recursive_directory_iterator(keptFolder())) {
    if (!item.is_regular_file()) continue;
    const std::string file = std::filesystem::relative(item.path(), keptFolder()).generic_string();
    EXPECT_TRUE(rows.count(file)) << file;
  }
}

}  // namespace
