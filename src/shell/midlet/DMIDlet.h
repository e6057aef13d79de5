// The application base class the shell drives: life cycle, one call per frame, and opening web addresses.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"

namespace nuv::microedition::lcdui {
class DDisplay;
}

namespace nuv::microedition::midlet {

class DMIDlet;
using DMIDletPtr = nuv::lang::DPtr<DMIDlet>;

class DMIDlet : public nuv::lang::DObject {
 public:
  // Becomes the current MIDlet.
  DMIDlet();
  ~DMIDlet() override;
  const char* getClassName() const override { return "DMIDlet"; }

  virtual void destroyApp(bool unconditional) = 0;
  virtual void pauseApp() = 0;
  virtual void startApp() = 0;
  // Once per active loop pass.
  virtual void tick() = 0;
  // Milliseconds from now during which tick will have nothing to do, so the loop may wait for input that
  // long; 0 when the next tick may have work (the base class always answers so: the loop keeps polling).
  virtual int32_t idleTime() { return 0; }
  virtual void onTimer() {}
  // The application's own properties; the base knows none.
  virtual nuv::lang::DStringPtr getAppProperty(nuv::lang::DStringPtr key);

  // The engine's next tick ends the loop.
  void notifyDestroyed() { running = 0; }
  // A failure known before the run ends: the program exits with that status (shell/ExitStatus.h) whatever
  // ends the run from now on, the application itself or a close request.
  void recordFailure(int32_t status) { exitStatus = status; }
  // As notifyDestroyed, for an end by a failure.
  void notifyFailed(int32_t status) {
    recordFailure(status);
    running = 0;
  }
  // Opens the address in the browser: "http://" and the address in lower case when it names no scheme.
  // False when the browser could not be started.
  bool platformRequest(nuv::lang::DStringPtr url);

  // The most recently constructed MIDlet, or null.
  static DMIDlet* current();
  // Lets the current MIDlet go (the engine's shutdown).
  static void releaseCurrent();

  int32_t running = 1;
  // 0 unless recordFailure or notifyFailed said otherwise.
  int32_t exitStatus = 0;
  nuv::lang::DPtr<nuv::microedition::lcdui::DDisplay> display;
};

}  // namespace nuv::microedition::midlet
