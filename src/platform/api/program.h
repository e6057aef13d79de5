// Starting the program on the host: the environment's settings for the stand-in, and the command line in
// the handheld's form.
#pragma once

#include <string>

#include "platform/types.h"

namespace platform {

// Reads GLIMMERHUT_DATA (the folder the program takes as its own: data files, logs and the single-instance
// rule; a relative one from the current folder), GLIMMERHUT_HEADLESS, GLIMMERHUT_AUDIO (an unknown device is
// said on stderr and the default used) and GLIMMERHUT_SCRIPT, and joins the arguments with blanks into the
// command line.
// Without GLIMMERHUT_DATA an installed program (no game.dat beside it, one in ../share/glimmerhut) takes
// that shared folder as its own.
// False, with the reason on stderr, when the script cannot be used.
bool startProgram(int argc, char** argv, std::u16string& commandLine);

// The folder the program's logs go to, in the handheld's form ending in a backslash, made when missing:
// the one GLIMMERHUT_DATA names, else the user's own ($XDG_STATE_HOME/glimmerhut, else
// ~/.local/state/glimmerhut). Never the program's folder: installed, that is shared by every user and
// belongs to the package.
std::u16string makeLogFolder();

// Why a log file at the path (the handheld's form) is lost, after the file call that failed with the error,
// naming the host's path: "/home/me/.local/state/glimmerhut/Log_SHAL.txt is not a file".
std::string logFileFailure(const std::u16string& path, DWORD error);
// Says on stderr that the log at the path is lost, and why (logFileFailure).
void sayLogLost(const std::u16string& path, DWORD error);

// Lets go of what the run held on the host: the user hive's database is closed, so that its file alone
// holds every setting (nothing is left only in its write-ahead log).
void endProgram();

}  // namespace platform
