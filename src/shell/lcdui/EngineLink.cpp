// The drawing classes' questions to the engine. Until the engine is linked in, no engine runs.
#include "shell/lcdui/EngineLink.h"

namespace nuv::microedition::lcdui {

bool enginePixelDoubling() { return false; }

nuv::lang::DStringPtr midletAppProperty(const char16_t*) { return nullptr; }

}  // namespace nuv::microedition::lcdui
