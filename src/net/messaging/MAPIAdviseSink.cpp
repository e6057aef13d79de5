// The notification sink: counts objects created in the inbox.
#include "net/messaging/MAPIAdviseSink.h"

#include "net/messaging/DMessageConnection.h"

namespace nuv::wireless::messaging {

HRESULT MAPIAdviseSink::QueryInterface(const GUID&, void** object) {
  if (object != nullptr) *object = nullptr;
  return E_NOTIMPL;
}

ULONG MAPIAdviseSink::AddRef() { return ++references_; }

ULONG MAPIAdviseSink::Release() {
  ULONG now = references_.load();
  while (now > 0 && !references_.compare_exchange_weak(now, now - 1)) {
  }
  if (now == 1) {
    delete this;
    return 0;
  }
  return now > 0 ? now - 1 : 0;
}

ULONG MAPIAdviseSink::OnNotify(ULONG count, NOTIFICATION* notifications) {
  for (ULONG i = 0; notifications != nullptr && i < count; ++i) {
    const NOTIFICATION& n = notifications[i];
    if (n.ulEventType == fnevObjectCreated) DMessageConnection::noteArrival(n.obj.cbParentID, n.obj.lpParentID);
  }
  return 0;
}

}  // namespace nuv::wireless::messaging
