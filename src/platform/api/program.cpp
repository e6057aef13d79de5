// The host side of starting the program.
#include "platform/api/program.h"

#include <cstdio>
#include <cstdlib>

#include "platform/api/registry.h"
#include "platform/host/paths.h"
#include "platform/host/text.h"
#include "platform/seam/script.h"

namespace platform {

namespace {

// The program file is taken to lie in the data folder, so everything beside it is looked for there.
constexpr const char* kProgramName = "/glimmerhut";

}  // namespace

bool startProgram(int argc, char** argv, std::u16string& commandLine) {
  if (const char* data = std::getenv("GLIMMERHUT_DATA"); data && *data) {
    std::string folder = data;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    setProgramFile(folder + kProgramName);
  }
  // Headless means no sound card either: the output goes to the null device unless one is named.
  const char* headless = std::getenv("GLIMMERHUT_HEADLESS");
  if (headless && *headless && std::string(headless) != "0") setenv("GLIMMERHUT_AUDIO", "null", 0);
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

void endProgram() { closeUserHive(); }

}  // namespace platform
