// What the drawing classes ask of the running engine and its MIDlet.
#pragma once

#include "core/lang/DString.h"

namespace nuv::microedition::lcdui {

// The engine's pixel-doubling flag; false while no engine runs.
bool enginePixelDoubling();
// The current MIDlet's application property, or null while there is none.
nuv::lang::DStringPtr midletAppProperty(const char16_t* key);

}  // namespace nuv::microedition::lcdui
