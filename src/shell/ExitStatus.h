// The program's exit statuses: how a run ended, for whoever started it. Only a player's own end is 0.
#pragma once

#include <cstdint>

namespace shell {

enum ExitStatus : int32_t {
  // The main menu's exit, a close request (the window's, SIGINT, SIGTERM), or a second start.
  kEndedByPlayer = 0,
  // The start could not be made, or the main menu failed later; stderr says why.
  kFailed = 1,
  // GLIMMERHUT_SCRIPT names no usable script.
  kScriptUnusable = 2,
  // game.dat holds nothing for this screen size.
  kScreenNotSupported = 3,
  // A failure reached a last-chance handler (an "Error!" box of the run or of the application's start).
  kUnhandledFailure = 4,
};

}  // namespace shell
