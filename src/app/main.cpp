// GlimmerHut's entry point: the engine starts the game library's application with the program's games.
#include <string>

#include "app/GameList.h"
#include "gamelib/GameLib.h"
#include "platform/api/program.h"
#include "shell/CGameEngine.h"
#include "shell/ExitStatus.h"
#include "shell/WinMain.h"

namespace {

nuv::microedition::midlet::DMIDletPtr createGameLib() { return new gamelib::GameLib(glimmerhut::kMenuList); }

}  // namespace

int main(int argc, char** argv) {
  std::u16string commandLine;
  if (!platform::startProgram(argc, argv, commandLine)) return shell::kScriptUnusable;
  CGameEngine::setMIDletFactory(createGameLib);
  const int code = WinMain(nullptr, nullptr, commandLine.data(), SW_SHOWNORMAL);
  platform::endProgram();
  return code;
}
