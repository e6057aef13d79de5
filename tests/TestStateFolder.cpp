// Built into every test program: logs of tests that choose no folder of their own land in the build, never
// in the user's state folder, also when a test program is run by hand.
#include <cstdlib>

namespace {

[[maybe_unused]] const bool stateInTheBuild = (setenv("XDG_STATE_HOME", GH_TEST_STATE_HOME, 1), true);

}  // namespace
