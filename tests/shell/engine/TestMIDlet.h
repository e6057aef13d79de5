// A MIDlet and a canvas that record what the shell does to them, standing in for the application in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/seam/clock.h"
#include "shell/lcdui/DDisplay.h"
#include "shell/lcdui/game/DGameCanvas.h"
#include "shell/midlet/DMIDlet.h"

namespace test {

// Each call as a short line, e.g. "keyPressed 10000" or "pointerDragged -2 25".
class RecordingCanvas : public nuv::microedition::lcdui::game::DGameCanvas {
 public:
  explicit RecordingCanvas(std::vector<std::string>& log) : log_(log) {}
  void keyPressed(int32_t key) override { note("keyPressed", key); }
  void keyRepeated(int32_t key) override { note("keyRepeated", key); }
  void keyReleased(int32_t key) override { note("keyReleased", key); }
  void pointerPressed(int32_t x, int32_t y) override { note("pointerPressed", x, y); }
  void pointerDragged(int32_t x, int32_t y) override { note("pointerDragged", x, y); }
  void pointerReleased(int32_t x, int32_t y) override { note("pointerReleased", x, y); }
  void showNotify() override { log_.push_back("showNotify"); }
  void hideNotify() override { log_.push_back("hideNotify"); }

 private:
  void note(const char* what, int32_t a) { log_.push_back(std::string(what) + " " + std::to_string(a)); }
  void note(const char* what, int32_t a, int32_t b) {
    log_.push_back(std::string(what) + " " + std::to_string(a) + " " + std::to_string(b));
  }
  std::vector<std::string>& log_;
};

class TestMIDlet : public nuv::microedition::midlet::DMIDlet {
 public:
  const char* getClassName() const override { return "TestMIDlet"; }

  void startApp() override {
    log.push_back("startApp");
    if (onStart) onStart(*this);
    if (makeCanvas) {
      canvas = new RecordingCanvas(log);
      nuv::microedition::lcdui::DDisplay::getDisplay(this)->setCurrent(canvas);
    }
  }
  void tick() override {
    tickTimes.push_back(platform::tickCount64());
    if (onTick) onTick(*this);
  }
  int32_t idleTime() override { return onIdle ? onIdle(*this) : 0; }
  void pauseApp() override { log.push_back("pauseApp"); }
  void destroyApp(bool unconditional) override {
    log.push_back(unconditional ? "destroyApp true" : "destroyApp false");
    canvas = nullptr;
  }
  nuv::lang::DStringPtr getAppProperty(nuv::lang::DStringPtr key) override {
    if (key == u"app.name") return appName;
    return key == u"screen.scale2x" && scale2x ? nuv::lang::DStringPtr(u"1") : nullptr;
  }

  std::vector<std::string> log;
  std::vector<uint64_t> tickTimes;
  std::function<void(TestMIDlet&)> onStart;
  std::function<void(TestMIDlet&)> onTick;
  // The idle time it reports; none (the loop polls) when unset.
  std::function<int32_t(TestMIDlet&)> onIdle;
  bool makeCanvas = true;
  bool scale2x = false;
  nuv::lang::DStringPtr appName;
  nuv::lang::DPtr<RecordingCanvas> canvas;
};

}  // namespace test
