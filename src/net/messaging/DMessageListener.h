// Told, on the main thread, that a message connection has a new message waiting.
#pragma once

#include "core/lang/DObject.h"

namespace nuv::wireless::messaging {

class DMessageConnection;

class DMessageListener : public nuv::lang::DObject {
 public:
  virtual void notifyIncomingMessage(nuv::lang::DPtr<DMessageConnection> connection) = 0;
};

using DMessageListenerPtr = nuv::lang::DPtr<DMessageListener>;

}  // namespace nuv::wireless::messaging
