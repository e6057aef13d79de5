// The program's entry: the command line, the shell library's entry points, and the engine's last-chance
// error boxes.
#pragma once

#include <cstdint>

#include "platform/api/window.h"

// Creates, runs and destroys the engine; an exception that escapes is shown in an "Error!" box. The
// status the program is to exit with (shell/ExitStatus.h).
int32_t runGameEngine(HINSTANCE instance, int32_t width, int32_t height);

// The engine's exit status: 0 only for a player's own end.
int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR commandLine, int showCommand);
