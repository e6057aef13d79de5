// One running program per user and data folder: the running instance publishes its window, a later start
// finds it and asks it to come to the front.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Claims the window (class, title) for this process; false when another process holds it.
bool publishWindow(std::u16string_view className, std::u16string_view title);
void unpublishWindow();
// The process id of another instance holding (class, title), -1 when it cannot be told, 0 when none.
int findPublishedWindow(std::u16string_view className, std::u16string_view title);
// Asks that process to bring its window to the front.
bool bringInstanceForward(int processId);

// Requests that arrived from outside (another instance, a terminate signal), each reported once.
bool takeForwardRequest();
bool takeCloseRequest();

}  // namespace platform
