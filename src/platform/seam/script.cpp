// Reading and playing input scripts.
#include "platform/seam/script.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/seam/clock.h"
#include "platform/types.h"

namespace platform {

namespace {

struct NamedKey {
  std::string_view name;
  unsigned code;
};

constexpr NamedKey kKeyNames[] = {
    {"Backspace", VK_BACK}, {"Tab", VK_TAB},    {"Enter", VK_RETURN}, {"Shift", VK_SHIFT}, {"Ctrl", VK_CONTROL},
    {"Escape", VK_ESCAPE},  {"Esc", VK_ESCAPE}, {"Space", VK_SPACE},  {"Left", VK_LEFT},   {"Up", VK_UP},
    {"Right", VK_RIGHT},    {"Down", VK_DOWN},  {"LWin", VK_LWIN},    {"RWin", VK_RWIN},   {"App1", VK_APP1},
    {"App2", VK_APP2},      {"App3", VK_APP3},  {"App4", VK_APP4},
};

struct Playback {
  Script script;
  std::string captureFolder;
  size_t next = 0;
  bool running = false;
  bool endTold = false;  // a close was taken, or the end without one was told
};

Playback playback;  // main thread only

bool parseNumber(std::string_view text, int& value) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size();
}

bool parseTime(std::string_view text, uint64_t previous, uint64_t& time) {
  bool relative = !text.empty() && text[0] == '+';
  if (relative) text.remove_prefix(1);
  uint64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return false;
  time = relative ? previous + value : value;
  return true;
}

bool parseLine(const std::vector<std::string>& words, uint64_t previous, Script& script, std::string& error) {
  if (words[0] == "realtime" && words.size() == 1) {
    script.realtime = true;
    return true;
  }
  if (words[0] == "step" && words.size() == 2) {
    int step = 0;
    if (!parseNumber(words[1], step) || step <= 0) return error = "the step must be a positive number", false;
    script.step = static_cast<uint64_t>(step);
    return true;
  }
  ScriptEvent event;
  if (!parseTime(words[0], previous, event.time)) return error = "expected a time in milliseconds", false;
  if (words.size() < 2) return error = "expected an event after the time", false;
  using Kind = ScriptEvent::Kind;
  const std::string& what = words[1];
  size_t arguments = words.size() - 2;
  if (what == "key" && arguments == 2) {
    const std::string& action = words[2];
    if (action == "down")
      event.kind = Kind::KeyDown;
    else if (action == "up")
      event.kind = Kind::KeyUp;
    else if (action == "repeat")
      event.kind = Kind::KeyRepeat;
    else
      return error = "a key event is down, up or repeat", false;
    event.a = static_cast<int>(keyCodeByName(words[3]));
    if (event.a == 0) return error = "unknown key \"" + words[3] + "\"", false;
  } else if (what == "pen" && arguments == 3) {
    const std::string& action = words[2];
    if (action == "down")
      event.kind = Kind::PenDown;
    else if (action == "move")
      event.kind = Kind::PenMove;
    else if (action == "up")
      event.kind = Kind::PenUp;
    else if (action == "hover")
      event.kind = Kind::PenHover;
    else
      return error = "a pen event is down, move, up or hover", false;
    if (!parseNumber(words[3], event.a) || !parseNumber(words[4], event.b))
      return error = "pen coordinates must be numbers", false;
  } else if (what == "activate" && arguments == 0) {
    event.kind = Kind::Activate;
  } else if (what == "deactivate" && arguments == 0) {
    event.kind = Kind::Deactivate;
  } else if (what == "close" && arguments == 0) {
    event.kind = Kind::Close;
  } else if (what == "capture" && arguments == 1) {
    event.kind = Kind::Capture;
    event.file = words[2];
  } else {
    return error = "unknown event \"" + what + "\" or wrong number of values", false;
  }
  script.events.push_back(std::move(event));
  return true;
}

}  // namespace

unsigned keyCodeByName(std::string_view name) {
  for (const NamedKey& k : kKeyNames) {
    if (k.name == name) return k.code;
  }
  if (name.size() == 1 && ((name[0] >= '0' && name[0] <= '9') || (name[0] >= 'A' && name[0] <= 'Z')))
    return static_cast<unsigned char>(name[0]);
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return static_cast<unsigned>(name[0] - 'a' + 'A');
  int number = 0;
  if (name.size() >= 2 && name[0] == 'F' && parseNumber(name.substr(1), number) && number >= 1 && number <= 24)
    return VK_F1 + static_cast<unsigned>(number - 1);
  if (parseNumber(name, number) && number > 0) return static_cast<unsigned>(number);
  return 0;
}

bool parseScript(std::string_view text, Script& out, std::string& error) {
  Script script;
  std::istringstream lines{std::string(text)};
  std::string line;
  int lineNumber = 0;
  uint64_t previous = 0;
  while (std::getline(lines, line)) {
    ++lineNumber;
    if (size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream split(line);
    std::vector<std::string> words;
    for (std::string w; split >> w;) words.push_back(w);
    if (words.empty()) continue;
    std::string problem;
    if (!parseLine(words, previous, script, problem)) {
      error = "line " + std::to_string(lineNumber) + ": " + problem;
      return false;
    }
    if (!script.events.empty()) previous = script.events.back().time;
  }
  std::stable_sort(script.events.begin(), script.events.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.time < b.time; });
  out = std::move(script);
  return true;
}

bool startScript(const std::string& path, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot read the script \"" + path + "\"";
    return false;
  }
  std::stringstream text;
  text << file.rdbuf();
  Script script;
  if (!parseScript(text.str(), script, error)) {
    error = path + ", " + error;
    return false;
  }
  size_t slash = path.find_last_of('/');
  startScript(std::move(script), slash == std::string::npos ? std::string(".") : path.substr(0, slash));
  return true;
}

void startScript(Script script, std::string captureFolder) {
  playback = Playback{std::move(script), std::move(captureFolder), 0, true, false};
  if (!playback.script.realtime) setManualClock(0);
}

void stopScript() { playback = Playback{}; }

bool isScriptRunning() { return playback.running; }

bool isSteppedClock() { return playback.running && !playback.script.realtime; }

uint64_t scriptStep() { return playback.script.step; }

bool takeDueScriptEvent(ScriptEvent& event) {
  if (!playback.running) return false;
  const std::vector<ScriptEvent>& events = playback.script.events;
  if (playback.next >= events.size() || events[playback.next].time > tickCount64()) return false;
  event = events[playback.next++];
  if (event.kind == ScriptEvent::Kind::Close) playback.endTold = true;
  const bool absolute = !event.file.empty() && event.file[0] == '/';
  if (event.kind == ScriptEvent::Kind::Capture && !absolute && !playback.captureFolder.empty())
    event.file = playback.captureFolder + "/" + event.file;
  return true;
}

bool takeScriptEnd() {
  if (!playback.running || playback.endTold || playback.next < playback.script.events.size()) return false;
  playback.endTold = true;
  return true;
}

uint64_t nextScriptTime() {
  if (!playback.running || playback.next >= playback.script.events.size()) return UINT64_MAX;
  return playback.script.events[playback.next].time;
}

}  // namespace platform
