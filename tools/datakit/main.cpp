// ghdata: builds the program's data from data/, checks it, and renders it for review.
//   ghdata stage DATA OUT    sources -> OUT/archive (game.dat's tree), OUT/program, OUT/sources.txt
//   ghdata check OUT         reads OUT/archive as the game library will; faults as file:line, notes on stdout
//   ghdata review OUT DIR    contact sheets (PNG) and sound renderings (WAV) into DIR
#include <fstream>
#include <iostream>
#include <sstream>

#include "Check.h"
#include "DataError.h"
#include "Review.h"
#include "Stage.h"

#ifndef DATAKIT_FONT_DIR
#define DATAKIT_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

namespace fs = std::filesystem;
using namespace datakit;

namespace {

// Files under "program/" are the program's own resources (the splash), not archive entries.
constexpr const char* kProgramPrefix = "program/";

int stage(const fs::path& data, const fs::path& out) {
  Staged staged = stageData(data, DATAKIT_FONT_DIR);
  StagedFiles archive, program;
  for (auto& [name, bytes] : staged.files)
    (name.rfind(kProgramPrefix, 0) == 0 ? program[name.substr(8)] : archive[name]) = bytes;
  writeStaged(archive, out / "archive");
  writeStaged(program, out / "program");
  std::ostringstream manifest;
  for (const auto& [name, source] : staged.sources) manifest << name << '\t' << source << '\n';
  std::string text = manifest.str();
  fs::path manifestPath = out / "sources.txt";
  if (!fs::exists(manifestPath) || readFile(manifestPath) != text)
    std::ofstream(manifestPath, std::ios::binary) << text;
  return 0;
}

int check(const fs::path& out) {
  std::map<std::string, std::string> sources;
  std::istringstream manifest(readFile(out / "sources.txt"));
  std::string line;
  while (std::getline(manifest, line))
    if (size_t tab = line.find('\t'); tab != std::string::npos) sources[line.substr(0, tab)] = line.substr(tab + 1);
  CheckReport report = checkStaged(out / "archive", sources);
  for (const std::string& n : report.notes) std::cout << "note: " << n << '\n';
  for (const std::string& e : report.errors) std::cerr << e << '\n';
  if (!report.errors.empty()) std::cerr << report.errors.size() << " fault(s) in the game data\n";
  return report.errors.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  try {
    if (command == "stage" && argc == 4) return stage(argv[2], argv[3]);
    if (command == "check" && argc == 3) return check(argv[2]);
    if (command == "review" && argc == 4) return review(argv[2], argv[3], DATAKIT_FONT_DIR);
  } catch (const DataError& e) {
    std::cerr << e.what() << '\n';
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "ghdata: " << e.what() << '\n';
    return 1;
  }
  std::cerr << "usage: ghdata stage DATA OUT | check OUT | review OUT DIR\n";
  return 2;
}
