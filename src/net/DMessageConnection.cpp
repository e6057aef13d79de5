// The short-message service as far as the engine drives it: no message store yet, so no connection
// listens and every poll finds nothing.
#include "net/DMessageConnection.h"

#include "core/util/DVector.h"

namespace nuv::wireless::messaging {

namespace {

// Connections with a listener; main thread only.
nuv::lang::DPtr<nuv::util::DVector> listeners;

}  // namespace

bool DMessageConnection::initMessaging() {
  listeners = new nuv::util::DVector();
  return false;  // there is no message store to log on to
}

void DMessageConnection::pollListeners() {
  if (listeners.isNull()) return;
  // Delivery comes with the connections themselves; until then the list stays empty.
}

void DMessageConnection::doneMessaging() { listeners = nullptr; }

int DMessageConnection::listenerCount() { return listeners.isNull() ? 0 : listeners->size(); }

}  // namespace nuv::wireless::messaging
