// A temporary folder that lives as long as the test.
#pragma once

#include <string>

namespace test {

class TempFolder {
 public:
  // In the system's temporary folder, or in the given one (made when missing).
  TempFolder();
  explicit TempFolder(const std::string& parent);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace test
