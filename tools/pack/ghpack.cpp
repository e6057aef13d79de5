// The game.dat packer: packs a folder tree into a non-solid 7z archive (LZMA, one file per folder)
// whose entry names the program's archive lookup can find. The same tree always gives the same bytes.
//
//   gh_pack <folder> <output>
//
// Names are stored relative to the folder with "/" separators. A name the lookup could not find (one
// that is not printable ASCII, holds a backslash, or is longer than 255 characters) is refused, and
// nothing is written. The 7-Zip command line tool (7zz or 7z) does the compressing.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The lookup narrows requests to 255 characters and turns "\" into "/".
constexpr size_t kMaxNameLength = 255;

// Fixed settings, and no times or attributes, so that the output depends on the files' names and bytes.
// The list of entries is left unpacked: the program reads it at every start, and unpacking it was half of
// what the start spent in the archive besides decoding the entries.
const std::vector<std::string> kSevenZipOptions = {
    "a",        "-t7z",     "-m0=LZMA", "-mx=7",    "-ms=off",  "-mhc=off",
    "-mmt=off", "-mtm=off", "-mtc=off", "-mta=off", "-mtr=off",
    "-spd",  // names are names: no wildcards
    "-bso0",    "-bsp0",    "-y",
};

// Why the lookup could not find the name, or empty when it can.
std::string refusal(const std::string& name) {
  if (name.size() > kMaxNameLength) return "longer than 255 characters";
  for (unsigned char c : name) {
    if (c == '\\') return "holds a backslash";
    if (c < 0x20 || c == 0x7F) return "holds a control character";
    if (c > 0x7F) return "is not ASCII";
  }
  return {};
}

std::string findSevenZip() {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  for (const char* tool : {"7zz", "7z"}) {
    size_t start = 0;
    while (start <= dirs.size()) {
      size_t end = std::min(dirs.find(':', start), dirs.size());
      fs::path candidate = fs::path(dirs.substr(start, end - start)) / tool;
      if (end > start && ::access(candidate.c_str(), X_OK) == 0) return candidate.string();
      start = end + 1;
    }
  }
  return {};
}

// Runs the tool in `folder`; its exit status, or -1 when it could not run.
int run(const std::string& tool, const std::vector<std::string>& args, const fs::path& folder) {
  pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    if (::chdir(folder.c_str()) != 0) ::_exit(127);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(tool.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(tool.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int fail(const std::string& message) {
  std::cerr << "gh_pack: " << message << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return fail("usage: gh_pack <folder> <output>");
  std::error_code error;
  const fs::path folder = fs::absolute(argv[1], error);
  const fs::path output = fs::absolute(argv[2], error);
  if (!fs::is_directory(folder, error)) return fail(std::string("not a folder: ") + argv[1]);

  std::vector<std::string> names;
  std::vector<std::string> refused;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->is_directory(error)) continue;
    const std::string name = it->path().lexically_relative(folder).generic_string();
    if (!it->is_regular_file(error)) {
      refused.push_back("\"" + name + "\" is not a regular file");
      continue;
    }
    if (std::string why = refusal(name); !why.empty()) {
      refused.push_back("\"" + name + "\" " + why);
      continue;
    }
    names.push_back(name);
  }
  if (error) return fail("cannot read " + folder.string() + ": " + error.message());
  if (!refused.empty()) {
    for (const std::string& r : refused) std::cerr << "gh_pack: cannot store " << r << "\n";
    return fail(std::to_string(refused.size()) + " name(s) the archive lookup could not find; nothing written");
  }
  std::sort(names.begin(), names.end());

  const std::string tool = findSevenZip();
  if (tool.empty()) return fail("the 7-Zip tool (7zz or 7z) is not installed");

  // Written beside the output and moved over it at the end: a failed run leaves the old archive.
  const fs::path temporary = output.string() + ".tmp" + std::to_string(::getpid());
  const fs::path list = output.string() + ".list" + std::to_string(::getpid());
  fs::remove(temporary, error);
  {
    std::ofstream out(list, std::ios::binary | std::ios::trunc);
    for (const std::string& name : names) out << name << "\n";
    if (!out) return fail("cannot write " + list.string());
  }
  std::vector<std::string> args = kSevenZipOptions;
  args.push_back(temporary.string());  // absolute, so never taken for a switch
  args.push_back("@" + list.string());
  const int status = run(tool, args, folder);
  fs::remove(list, error);
  if (status != 0) {
    fs::remove(temporary, error);
    return fail(tool + " failed (status " + std::to_string(status) + ")");
  }
  fs::rename(temporary, output, error);
  if (error) {
    fs::remove(temporary, error);
    return fail("cannot write " + output.string());
  }
  return 0;
}
