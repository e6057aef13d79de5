// The checker: reads a staged archive tree as the game library will and reports every fault.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace datakit {

struct CheckReport {
  std::vector<std::string> errors;  // "file:line: message"
  // What passes only because the program fixes it (a colour no data changes), for a person to know.
  std::vector<std::string> notes;
};

// sources maps archive names to the source files they were made from, so that faults name the
// file a person edits; names missing from it are reported under the staged folder.
CheckReport checkStaged(const std::filesystem::path& stageDir, const std::map<std::string, std::string>& sources);

// What the game library itself looks up, per screen size and in the texts.
extern const std::vector<std::string> kSharedImages;
extern const std::vector<std::string> kMenuIconKeys;
extern const std::vector<std::string> kFontNames;
extern const std::vector<std::string> kTextKeys;

}  // namespace datakit
