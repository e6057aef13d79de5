// GlimmerHut's entry point. Until the game library is built, the program starts into a canvas that shows
// which game actions are held and where the pen is.
#include <cstdint>
#include <string>

#include "platform/program.h"
#include "shell/CGameEngine.h"
#include "shell/WinMain.h"
#include "shell/lcdui/game/DGameCanvas.h"
#include "shell/raster/RasterTarget.h"

namespace {

using nuv::microedition::lcdui::DDisplay;
using nuv::microedition::lcdui::GameAction::Count;
using nuv::microedition::lcdui::game::DGameCanvas;

constexpr uint16_t kBackground = 0x18E3;
constexpr uint16_t kActionIdle = 0x4208;
constexpr uint16_t kActionHeld = 0xFFE0;
constexpr uint16_t kPen = 0xF800;
constexpr int32_t kGrid = 4;
constexpr int32_t kPenSize = 6;

class ActionCanvas : public DGameCanvas {
 public:
  void keyPressed(int32_t key) override { hold(key, true); }
  void keyReleased(int32_t key) override { hold(key, false); }
  void pointerPressed(int32_t x, int32_t y) override { movePen(x, y, true); }
  void pointerDragged(int32_t x, int32_t y) override { movePen(x, y, true); }
  void pointerReleased(int32_t x, int32_t y) override { movePen(x, y, false); }
  void showNotify() override { dirty_ = true; }

  void draw() {
    if (!dirty_ || backBuffer == nullptr) return;
    dirty_ = false;
    Raster::RasterTarget target(backBuffer.get());
    target.clear(kBackground);
    int32_t cellWidth = width / kGrid, cellHeight = height / kGrid;
    for (int32_t action = 0; action < Count; ++action) {
      int32_t left = (action % kGrid) * cellWidth, top = (action / kGrid) * cellHeight;
      target.fillRect(left + 2, top + 2, left + cellWidth - 2, top + cellHeight - 2,
                      held_[action] ? kActionHeld : kActionIdle);
    }
    if (penDown_) target.fillRect(penX_ - kPenSize, penY_ - kPenSize, penX_ + kPenSize, penY_ + kPenSize, kPen);
    flushGraphics();
  }

 private:
  void hold(int32_t key, bool down) {
    int32_t action = getGameAction(key);
    if (action < 0) return;
    held_[action] = down;
    dirty_ = true;
  }
  void movePen(int32_t x, int32_t y, bool down) {
    penX_ = x;
    penY_ = y;
    penDown_ = down;
    dirty_ = true;
  }

  bool held_[Count] = {};
  bool penDown_ = false;
  int32_t penX_ = 0;
  int32_t penY_ = 0;
  bool dirty_ = true;
};

class ActionMIDlet : public nuv::microedition::midlet::DMIDlet {
 public:
  const char* getClassName() const override { return "ActionMIDlet"; }
  void startApp() override {
    canvas_ = new ActionCanvas();
    DDisplay::getDisplay(this)->setCurrent(canvas_);
  }
  void tick() override { canvas_->draw(); }
  void pauseApp() override {}
  void destroyApp(bool) override { canvas_ = nullptr; }

 private:
  nuv::lang::DPtr<ActionCanvas> canvas_;
};

nuv::microedition::midlet::DMIDletPtr createActionMIDlet() { return new ActionMIDlet(); }

}  // namespace

int main(int argc, char** argv) {
  std::u16string commandLine;
  if (!platform::startProgram(argc, argv, commandLine)) return 2;
  CGameEngine::setMIDletFactory(createActionMIDlet);
  return WinMain(nullptr, nullptr, commandLine.data(), SW_SHOWNORMAL);
}
