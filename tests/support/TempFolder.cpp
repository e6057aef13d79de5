#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace test {

TempFolder::TempFolder() : TempFolder(std::filesystem::temp_directory_path().string()) {}

TempFolder::TempFolder(const std::string& parent) {
  std::filesystem::create_directories(parent);
  std::string pattern = (std::filesystem::path(parent) / "glimmerhut-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace test
