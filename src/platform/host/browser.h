// Opening an address with the desktop's handler for it.
#pragma once

#include <string>

namespace platform {

// Starts the command in GLIMMERHUT_BROWSER, else xdg-open, on the address; false when it could not be
// started. Handlers that were started are reaped later, so none lingers as a zombie for long.
bool startBrowser(const std::string& address);

}  // namespace platform
