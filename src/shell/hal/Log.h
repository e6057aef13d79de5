// The display layer's log, "Log_SHAL.txt" in the log folder: the first line of a run replaces the previous
// run's file, and the file is closed after every line.
#pragma once

namespace ScreenHAL {

// printf rules; a line is cut below 1,000 characters. A file that cannot be opened or written (one that is
// not a file, a blocked folder, a full disk) loses the line; stderr says so once a run.
void log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Starts a new run: the next line truncates the file again (for tests).
void restartLog();

}  // namespace ScreenHAL
