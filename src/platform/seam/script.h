// Scripted input for tests and replays: key, pen, activation and close events at given times, and frame
// captures of the device screen. The format is described in docs/testing.md.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ScriptEvent {
  enum class Kind {
    KeyDown,
    KeyUp,
    KeyRepeat,
    PenDown,
    PenMove,
    PenHover,
    PenUp,
    Activate,
    Deactivate,
    Close,
    Capture
  };
  uint64_t time = 0;  // milliseconds on the program's clock
  Kind kind = Kind::Close;
  int a = 0;         // key code, or pen x
  int b = 0;         // pen y
  std::string file;  // capture file
};

struct Script {
  std::vector<ScriptEvent> events;  // in time order; equal times keep their line order
  bool realtime = false;            // run on the real clock instead of the stepped one
  uint64_t step = 1;                // milliseconds the stepped clock moves per message poll
};

// Parses script text; on failure `error` names the line.
bool parseScript(std::string_view text, Script& out, std::string& error);
// A key name ("F1", "Escape", "A", "5", "App1") or a number (decimal or 0x hex); 0 when unknown.
unsigned keyCodeByName(std::string_view name);

// Loads a script file and starts playing it: the clock becomes manual at 0 unless the script is realtime.
// Relative capture files are written beside the script.
bool startScript(const std::string& path, std::string& error);
// Plays a parsed script; for tests.
void startScript(Script script, std::string captureFolder);
void stopScript();
bool isScriptRunning();
bool isSteppedClock();
uint64_t scriptStep();

// Takes the next event that is due on the clock; false when none is. A capture's file comes as the path
// to write.
bool takeDueScriptEvent(ScriptEvent& event);
// True once, when every event has been taken and none of them was a close: nothing in the script will
// end the run.
bool takeScriptEnd();
// Time of the next event, or UINT64_MAX when none remains.
uint64_t nextScriptTime();

}  // namespace platform
