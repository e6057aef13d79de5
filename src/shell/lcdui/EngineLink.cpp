// The drawing classes' questions to the running engine and the current MIDlet.
#include "shell/lcdui/EngineLink.h"

#include "shell/CGameEngine.h"
#include "shell/midlet/DMIDlet.h"

namespace nuv::microedition::lcdui {

bool enginePixelDoubling() {
  CGameEngine* engine = CGameEngine::instance();
  return engine != nullptr && engine->pixelDoubling;
}

nuv::lang::DStringPtr midletAppProperty(const char16_t* key) {
  midlet::DMIDlet* current = midlet::DMIDlet::current();
  return current != nullptr ? current->getAppProperty(key) : nullptr;
}

}  // namespace nuv::microedition::lcdui
