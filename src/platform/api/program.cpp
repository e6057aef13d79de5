// The host side of starting the program.
#include "platform/api/program.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/api/registry.h"
#include "platform/api/waveout.h"
#include "platform/host/datafolder.h"
#include "platform/host/files.h"
#include "platform/host/paths.h"
#include "platform/host/text.h"
#include "platform/seam/script.h"

namespace platform {

namespace {

// The program file is taken to lie in the data folder, so everything beside it is looked for there.
constexpr const char* kProgramName = "/glimmerhut";
constexpr const char* kArchiveName = "/game.dat";
// Where an installed program's data lies, from the program's folder: <prefix>/bin to <prefix>/share.
constexpr const char* kInstalledData = "/../share/glimmerhut";

// An installed program takes its shared data folder as its own; a game.dat beside the program wins.
void findInstalledData() {
  namespace fs = std::filesystem;
  std::error_code error;
  const std::string folder = programFolder();
  if (fs::exists(folder + kArchiveName, error)) return;
  const fs::path installed = fs::weakly_canonical(folder + kInstalledData, error);
  if (!error && fs::exists(installed.string() + kArchiveName, error)) setProgramFile(installed.string() + kProgramName);
}

}  // namespace

bool startProgram(int argc, char** argv, std::u16string& commandLine) {
  if (const char* data = std::getenv("GLIMMERHUT_DATA"); data && *data) {
    // A relative folder is taken from the current folder at the start, as any program takes a relative path.
    std::error_code noCurrentFolder;
    const std::filesystem::path whole = std::filesystem::absolute(data, noCurrentFolder);
    std::string folder = noCurrentFolder ? std::string(data) : whole.string();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    setProgramFile(folder + kProgramName);
    setLogFolder(folder);
  } else {
    findInstalledData();
  }
  // Headless means no sound card either: the output goes to the null device unless one is named.
  const char* headless = std::getenv("GLIMMERHUT_HEADLESS");
  const bool soundless = headless && *headless && std::string(headless) != "0";
  if (const char* audio = std::getenv("GLIMMERHUT_AUDIO"); audio && !isAudioDriver(audio)) {
    std::fprintf(stderr, "GlimmerHut: unknown sound device \"%s\", %s\n", audio,
                 soundless ? "using \"null\"" : "choosing one automatically");
    unsetenv("GLIMMERHUT_AUDIO");
  }
  if (soundless) setenv("GLIMMERHUT_AUDIO", "null", 0);
  if (const char* script = std::getenv("GLIMMERHUT_SCRIPT"); script && *script) {
    std::string error;
    if (!startScript(script, error)) {
      std::fprintf(stderr, "GlimmerHut: %s\n", error.c_str());
      return false;
    }
  }
  commandLine.clear();
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += u' ';
    commandLine += fromUtf8(argv[i]);
  }
  return true;
}

std::u16string makeLogFolder() {
  const std::string folder = platform::logFolder();
  std::error_code ignored;
  // A folder that cannot be made loses the lines, as a log file that cannot be opened does.
  std::filesystem::create_directories(folder, ignored);
  std::u16string device = toDevicePath(folder);
  if (device.back() != u'\\') device += u'\\';
  return device;
}

std::string logFileFailure(const std::u16string& path, DWORD error) {
  const std::string host = toHostPath(path);
  if (hostPathExists(host) && !isHostRegularFile(host)) return host + " is not a file";
  switch (error) {
    case ERROR_FILE_NOT_FOUND:  // a creation fails so only when something on the way is missing
    case ERROR_PATH_NOT_FOUND:
      return host + " cannot be made: its folder is missing";
    case ERROR_ACCESS_DENIED:
      return host + " may not be written";
    case ERROR_DISK_FULL:
      return host + " cannot be written: the disk is full";
    default:
      return host + " cannot be written";
  }
}

void sayLogLost(const std::u16string& path, DWORD error) {
  std::fprintf(stderr, "GlimmerHut: the log %s; its lines are lost\n", logFileFailure(path, error).c_str());
}

void endProgram() { closeUserHive(); }

}  // namespace platform
