// The program's entry: the command line, the shell library's entry points, and the engine's last-chance
// error boxes.
#pragma once

#include <cstdint>

#include "platform/api/window.h"

// Creates, runs and destroys the engine; an exception that escapes is shown in an "Error!" box.
void runGameEngine(HINSTANCE instance, int32_t width, int32_t height);

// Always 0.
int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR commandLine, int showCommand);
