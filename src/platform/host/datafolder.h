// Where the stand-in keeps what the handheld keeps in its own storage (the registry's user hive), and where
// the program's logs go.
#pragma once

#include <string>

namespace platform {

// $XDG_DATA_HOME/glimmerhut, else ~/.local/share/glimmerhut, unless a test chose another folder.
// The folder is not created here; whoever writes into it does that.
std::string dataFolder();
// Points the stand-in at another folder; an empty path goes back to the default.
void setDataFolder(std::string hostPath);

// Where the program's logs go: $XDG_STATE_HOME/glimmerhut, else ~/.local/state/glimmerhut, unless the
// start (GLIMMERHUT_DATA) or a test chose another folder. Not created here either.
std::string logFolder();
// An empty path goes back to the default.
void setLogFolder(std::string hostPath);

}  // namespace platform
