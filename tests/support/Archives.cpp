#include "support/Archives.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace test {

namespace {

std::string quoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

void writeFiles(const std::string& folder, const ArchiveFiles& files) {
  for (const auto& [name, bytes] : files) {
    std::filesystem::path path = std::filesystem::path(folder) / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
  }
}

int runPacker(const std::string& folder, const std::string& output, std::string* messages) {
  const std::string command = quoted(GH_PACK_TOOL) + " " + quoted(folder) + " " + quoted(output) + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  std::string text;
  char buffer[256];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
  const int status = ::pclose(pipe);
  if (messages) *messages = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void packArchive(const std::string& output, const ArchiveFiles& files) {
  const std::string folder = output + ".files";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  writeFiles(folder, files);
  std::string messages;
  if (runPacker(folder, output, &messages) != 0) throw std::runtime_error("packing failed: " + messages);
}

}  // namespace test
