// The display layer's log, "Log_SHAL.txt" in the program's current directory, which on the handheld
// is the program's own folder: the first line of a run replaces the previous run's file, and the file
// is closed after every line.
#pragma once

namespace ScreenHAL {

// printf rules; a line is cut below 1,000 characters. A file that cannot be opened loses the line.
void log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Starts a new run: the next line truncates the file again (for tests).
void restartLog();

}  // namespace ScreenHAL
