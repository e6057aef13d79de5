#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace test {

// In the build, not the shared /tmp: a folder made there is cheap while other programs churn /tmp, and a
// test's copy of the build's staged data can be made of hard links.
TempFolder::TempFolder() {
  std::filesystem::create_directories(GH_TEST_TEMP);
  std::string pattern = (std::filesystem::path(GH_TEST_TEMP) / "glimmerhut-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace test
