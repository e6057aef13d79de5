// Short-message connections: the service the engine starts, polls each frame and stops.
#pragma once

#include "core/lang/DObject.h"

namespace nuv::wireless::messaging {

class DMessageConnection : public nuv::lang::DObject {
 public:
  const char* getClassName() const override { return "DMessageConnection"; }

  // Starts the short-message layer; false when it could not (the engine goes on either way).
  static bool initMessaging();
  // Hands each listening connection its pending messages; main thread.
  static void pollListeners();
  // Stops the layer and forgets every listener.
  static void doneMessaging();
  // Connections currently listening.
  static int listenerCount();
};

}  // namespace nuv::wireless::messaging
