// The one error every data tool reports: a source file, a line, and what is wrong there.
#pragma once

#include <stdexcept>
#include <string>

namespace datakit {

class DataError : public std::runtime_error {
 public:
  DataError(std::string file, int line, const std::string& message)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + message), file_(std::move(file)), line_(line) {}
  const std::string& file() const { return file_; }
  int line() const { return line_; }

 private:
  std::string file_;
  int line_;
};

}  // namespace datakit
