// Receives the messaging store's notifications, on a thread of the store, and counts messages that
// arrive in the inbox.
#pragma once

#include <atomic>

#include "platform/api/mapi.h"

namespace nuv::wireless::messaging {

class MAPIAdviseSink : public IMAPIAdviseSink {
 public:
  MAPIAdviseSink() = default;
  MAPIAdviseSink(const MAPIAdviseSink&) = delete;
  MAPIAdviseSink& operator=(const MAPIAdviseSink&) = delete;

  HRESULT QueryInterface(const GUID& iid, void** object) override;
  ULONG AddRef() override;
  // Deletes the sink when the count reaches 0.
  ULONG Release() override;
  ULONG OnNotify(ULONG count, NOTIFICATION* notifications) override;

 protected:
  virtual ~MAPIAdviseSink() = default;

 private:
  std::atomic<ULONG> references_{0};
};

}  // namespace nuv::wireless::messaging
