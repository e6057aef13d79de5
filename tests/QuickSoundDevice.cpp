// Built into the test programs whose tests each open the sound device: the device's settling pauses
// would add a fifth of a second of waiting to every test, and nothing in them waits on the device.
#include "sound/aud/audWinMM.h"

namespace {

[[maybe_unused]] const bool quickSoundDevice = (audWinMM::setSettlePause(0), true);

}  // namespace
