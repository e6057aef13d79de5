// Runs the real program headless with a script, in a data folder of the test's own.
#pragma once

#include <string>
#include <vector>

namespace test {

struct ProgramResult {
  int exitCode = -1;   // -1: killed after the time limit, or not started
  std::string errors;  // what it wrote to stderr
  long peakKiB = 0;    // the most memory it held at once (its largest resident set), in KiB
};

// Writes the script to folder/script.txt and runs the program headless with folder as its data folder;
// relative capture files land in folder, and so do its saved settings (XDG_DATA_HOME). Extra environment
// entries are "NAME=value".
ProgramResult runProgram(const std::string& program, const std::string& folder, const std::string& script,
                         const std::vector<std::string>& arguments = {},
                         const std::vector<std::string>& environment = {}, int timeLimitSeconds = 60);

// Asks a running program to end in order, as the desktop's terminate signal does.
void askToEnd(int processId);

}  // namespace test
