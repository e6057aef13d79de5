// The message service: its start and stop, the per-frame delivery to listeners, sending through the
// short-message library and reading the inbox of the message store.
#include "net/messaging/DMessageConnection.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <vector>

#include "core/lang/DExceptionBase.h"
#include "core/util/DVector.h"
#include "net/messaging/DMAPIEntry.h"
#include "net/messaging/MAPIAdviseSink.h"
#include "platform/api/module.h"
#include "platform/api/sms.h"
#include "platform/api/sync.h"

namespace nuv::wireless::messaging {

using nuv::lang::DString;
using nuv::lang::DStringPtr;
namespace Code = nuv::lang::ExceptionCode;

namespace {

constexpr char16_t kLibraryName[] = u"sms.dll";
constexpr char16_t kStoreName[] = u"SMS";
constexpr char16_t kMutexName[] = u"dsmsaccess";
constexpr ULONG kOpenStoreFlags = 0x11;
constexpr ULONG kOpenEntryFlags = 2;
constexpr DWORD kAddressTypeUnknown = 0;
constexpr DWORD kProviderOptions[] = {4, 1, 0};
constexpr DWORD kEncodingGsm = 1;

// The service, started and stopped on the main thread.
struct Service {
  HMODULE library = nullptr;
  SmsOpenProc smsOpen = nullptr;
  SmsCloseProc smsClose = nullptr;
  SmsSendMessageProc smsSend = nullptr;
  // Connections with a listener; main thread.
  nuv::util::DVectorPtr listening;
  bool initialized = false;  // MAPIInitialize succeeded
  IMAPISession* session = nullptr;
  IMsgStore* store = nullptr;
  IMAPIFolder* inbox = nullptr;
  SPropValue* inboxId = nullptr;  // read by the store's thread while advised
  MAPIAdviseSink* sink = nullptr;
  ULONG connection = 0;
  bool advised = false;
  // "dsmsaccess": guards newMessages.
  HANDLE mutex = nullptr;
  int32_t newMessages = 0;
  // Read by the store's thread.
  std::atomic<bool> listeningFlag{false};
};

Service service;

template <class T>
void releaseObject(T*& object) {
  if (object != nullptr) object->Release();
  object = nullptr;
}

void ensureList() {
  if (service.listening.isNull()) service.listening = new nuv::util::DVector();
}

// Takes one of the new messages; false when there is none.
bool takeNewMessage() {
  if (service.mutex == nullptr) return false;
  WaitForSingleObject(service.mutex, INFINITE);
  const bool took = service.newMessages > 0;
  if (took) --service.newMessages;
  ReleaseMutex(service.mutex);
  return took;
}

void clearNewMessages() {
  if (service.mutex == nullptr) return;
  WaitForSingleObject(service.mutex, INFINITE);
  service.newMessages = 0;
  ReleaseMutex(service.mutex);
}

// The rows of the table of stores.
DMAPIEntryArrayPtr storeEntries(IMAPITable* table) {
  std::vector<DMAPIEntryPtr> rows;
  const SPropTagArray columns{2, {PR_DISPLAY_NAME_W, PR_ENTRYID}};
  if (table->SetColumns(&columns, 0) < 0) return nullptr;
  while (true) {
    SRowSet* set = nullptr;
    if (table->QueryRows(1, 0, &set) < 0 || set == nullptr) break;
    const bool got = set->cRows == 1 && set->aRow[0].cValues == 2;
    if (got) {
      const SPropValue* p = set->aRow[0].lpProps;
      DStringPtr name = PROP_TYPE(p[0].ulPropTag) == PT_UNICODE ? new DString(p[0].Value.lpszW) : nullptr;
      const bool hasId = PROP_TYPE(p[1].ulPropTag) == PT_BINARY;
      rows.push_back(new DMAPIEntry(name, hasId ? p[1].Value.bin.lpb : nullptr,
                                    hasId ? static_cast<int32_t>(p[1].Value.bin.cb) : 0));
    }
    FreeProws(set);
    if (!got) break;
  }
  DMAPIEntryArrayPtr out(new DMAPIEntryArray(static_cast<int32_t>(rows.size())));
  for (size_t i = 0; i < rows.size(); ++i) (*out)[static_cast<int32_t>(i)] = rows[i];
  return out;
}

// Logs on and opens the "SMS" store and its inbox; false (with nothing left open) when it cannot.
bool openStore(HWND window) {
  if (MAPIInitialize(nullptr) < 0) return false;
  service.initialized = true;
  auto giveUp = [] {
    if (service.inboxId != nullptr) MAPIFreeBuffer(service.inboxId);
    service.inboxId = nullptr;
    releaseObject(service.inbox);
    releaseObject(service.store);
    releaseObject(service.session);
    MAPIUninitialize();
    service.initialized = false;
    return false;
  };
  if (MAPILogonEx(reinterpret_cast<ULONG_PTR>(window), nullptr, nullptr, 0, &service.session) < 0) return giveUp();

  IMAPITable* stores = nullptr;
  if (service.session->GetMsgStoresTable(MAPI_UNICODE, &stores) < 0 || stores == nullptr) return giveUp();
  DMAPIEntryArrayPtr entries = storeEntries(stores);
  stores->Release();
  DMAPIEntryPtr sms;
  for (int32_t i = 0; !entries.isNull() && i < entries->length && sms.isNull(); ++i) {
    DMAPIEntryPtr entry = (*entries)[i];
    if (!entry->name.isNull() && entry->name->equals(kStoreName)) sms = entry;
  }
  if (sms.isNull()) return giveUp();
  if (service.session->OpenMsgStore(0, static_cast<ULONG>(sms->id->length), reinterpret_cast<BYTE*>(sms->id->data()),
                                    nullptr, kOpenStoreFlags, &service.store) < 0) {
    return giveUp();
  }

  const SPropTagArray inboxTag{1, {PR_CE_IPM_INBOX_ENTRYID}};
  ULONG count = 0;
  if (service.store->GetProps(&inboxTag, MAPI_UNICODE, &count, &service.inboxId) != S_OK || count != 1 ||
      service.inboxId[0].ulPropTag != PR_CE_IPM_INBOX_ENTRYID) {
    return giveUp();
  }
  IUnknown* folder = nullptr;
  ULONG type = 0;
  if (service.store->OpenEntry(service.inboxId[0].Value.bin.cb, service.inboxId[0].Value.bin.lpb, nullptr,
                               kOpenEntryFlags, &type, &folder) < 0 ||
      folder == nullptr || type != MAPI_FOLDER) {
    if (folder != nullptr) folder->Release();
    return giveUp();
  }
  service.inbox = static_cast<IMAPIFolder*>(folder);
  return true;
}

// Registers for new messages; false (with the sink and the mutex gone) when it cannot.
bool advise() {
  service.sink = new MAPIAdviseSink();
  service.sink->AddRef();
  service.mutex = CreateMutexW(nullptr, FALSE, kMutexName);
  if (service.mutex == nullptr) {
    releaseObject(service.sink);
    return false;
  }
  if (service.store->Advise(0, nullptr, fnevObjectCreated, service.sink, &service.connection) < 0) {
    releaseObject(service.sink);
    CloseHandle(service.mutex);
    service.mutex = nullptr;
    return false;
  }
  service.advised = true;
  return true;
}

// A message built from a row of the inbox's table: its sender and its text.
DMessagePtr messageOf(const SRow& row) {
  DMessagePtr message(new DMessage());
  for (ULONG i = 0; i < row.cValues; ++i) {
    const SPropValue& p = row.lpProps[i];
    if (p.ulPropTag == PR_SENDER_EMAIL_ADDRESS_W) message->setAddress(new DString(p.Value.lpszW));
    if (p.ulPropTag == PR_SUBJECT_W) message->setPayloadText(new DString(p.Value.lpszW));
  }
  return message;
}

[[noreturn]] void throwSendFailure(HRESULT result) {
  struct Failure {
    HRESULT result;
    uint32_t code;
    const char16_t* message;
  };
  static constexpr Failure kFailures[] = {
      {E_INVALIDARG, Code::IllegalArgumentException, u"Failed send SMS - error E_INVALIDARG"},
      {SMS_E_BADPARAM, Code::IllegalArgumentException, u"Failed send SMS - error SMS_E_BADPARAM"},
      {SMS_E_INVALIDADDRESS, Code::IllegalArgumentException, u"Failed send SMS - error SMS_E_INVALIDADDRESS"},
      {SMS_E_NETWORKACCESS, Code::IOException, u"Failed send SMS - error SMS_E_NETWORKACCESS"},
      {SMS_E_NETWORK, Code::IOException, u"Failed send SMS - error SMS_E_NETWORK"},
      {SMS_E_RADIOUNAVAILABLE, Code::IOException, u"Failed send SMS - error SMS_E_RADIOUNAVAILABLE"},
  };
  for (const Failure& f : kFailures) {
    if (f.result == result) throw new nuv::lang::DExceptionBase(f.code, f.message);
  }
  throw new nuv::lang::DExceptionBase(Code::IOException, u"Failed send SMS - error code %xh", result);
}

}  // namespace

// ---- Connections.

DMessageConnection::DMessageConnection(DStringPtr name) {
  const int32_t slashes = name->indexOf(DStringPtr(u"//"));
  address_ = slashes >= 0 ? name->substring(slashes + 2) : DStringPtr(u"");
}

DMessagePtr DMessageConnection::newMessage(DStringPtr, DStringPtr address) {
  DMessagePtr message(new DMessage());
  message->setAddress(std::move(address));
  return message;
}

void DMessageConnection::send(DMessagePtr message) { sendSms(message->getAddress(), message->getPayloadText()); }

void DMessageConnection::setMessageListener(DMessageListenerPtr listener) {
  listener_ = listener;
  DMessageConnectionPtr self(this);
  if (!listener.isNull()) {
    ensureList();
    service.listeningFlag = true;
    if (!service.listening->contains(self)) service.listening->addElement(self);
    return;
  }
  if (!service.listening.isNull()) service.listening->removeElement(self);
  // New messages are kept for the listeners that remain; only the last one going forgets them.
  if (service.listening.isNull() || service.listening->size() == 0) {
    service.listeningFlag = false;
    clearNewMessages();
  }
}

DMessagePtr DMessageConnection::receive(DStringPtr pattern) {
  if (pattern.isNull()) nuv::lang::throwNullPointerException();
  return newestInbox(pattern, false);
}

DMessagePtr DMessageConnection::readInbox() { return newestInbox(nullptr, true); }

DMessagePtr DMessageConnection::newestInbox(DStringPtr pattern, bool withFlags) {
  if (service.inbox == nullptr) return nullptr;
  if (MAPIInitialize(nullptr) < 0) return nullptr;
  struct Session {
    ~Session() { MAPIUninitialize(); }
  } session;
  IMAPITable* table = nullptr;
  if (service.inbox->GetContentsTable(MAPI_UNICODE, &table) < 0 || table == nullptr) return nullptr;
  std::unique_ptr<IMAPITable, void (*)(IMAPITable*)> held(table, [](IMAPITable* t) { t->Release(); });
  const SPropTagArray columns{
      withFlags ? 5u : 4u,
      {PR_SUBJECT_W, PR_SENDER_EMAIL_ADDRESS_W, PR_ENTRYID, PR_MESSAGE_DELIVERY_TIME, PR_MESSAGE_FLAGS}};
  const SSortOrderSet newestFirst{1, 0, 0, {{PR_MESSAGE_DELIVERY_TIME, TABLE_SORT_DESCEND}}};
  if (table->SetColumns(&columns, 0) < 0 || table->SortTable(&newestFirst, 0) < 0) return nullptr;
  while (true) {
    SRowSet* rows = nullptr;
    if (table->QueryRows(1, 0, &rows) < 0 || rows == nullptr) return nullptr;
    std::unique_ptr<SRowSet, void (*)(SRowSet*)> freed(rows, FreeProws);
    if (rows->cRows == 0) return nullptr;
    DMessagePtr message = messageOf(rows->aRow[0]);
    if (pattern.isNull()) return message;
    DStringPtr text = message->getPayloadText();
    if (DString::wildcardMatch(pattern->chars(), text.isNull() ? u"" : text->chars(), DString::kNoEscape) == 0) {
      return message;
    }
  }
}

// ---- The service.

bool DMessageConnection::initMessaging(HWND window) {
  doneMessaging();
  service.library = LoadLibraryW(kLibraryName);
  if (service.library != nullptr) {
    service.smsOpen = reinterpret_cast<SmsOpenProc>(GetProcAddressW(service.library, u"SmsOpen"));
    service.smsClose = reinterpret_cast<SmsCloseProc>(GetProcAddressW(service.library, u"SmsClose"));
    service.smsSend = reinterpret_cast<SmsSendMessageProc>(GetProcAddressW(service.library, u"SmsSendMessage"));
  }
  service.listening = new nuv::util::DVector();
  service.newMessages = 0;
  if (!openStore(window)) return false;
  return advise();
}

void DMessageConnection::pollListeners() {
  if (service.listening.isNull() || service.sink == nullptr || service.listening->size() == 0) return;
  // A listener may add or remove connections; the walk is over the list as it stood.
  std::vector<DMessageConnectionPtr> connections;
  for (int32_t i = 0; i < service.listening->size(); ++i) {
    connections.emplace_back(static_cast<DMessageConnection*>(service.listening->elementAt(i)));
  }
  for (DMessageConnectionPtr& c : connections) {
    if (!c->listener_.isNull() && takeNewMessage()) c->listener_->notifyIncomingMessage(c);
  }
}

void DMessageConnection::doneMessaging() {
  service.smsOpen = nullptr;
  service.smsClose = nullptr;
  service.smsSend = nullptr;
  if (service.library != nullptr) FreeLibrary(service.library);
  service.library = nullptr;
  service.listening = nullptr;
  service.listeningFlag = false;
  // No notification runs once Unadvise has returned.
  if (service.advised) service.store->Unadvise(service.connection);
  service.advised = false;
  if (service.inboxId != nullptr) MAPIFreeBuffer(service.inboxId);
  service.inboxId = nullptr;
  releaseObject(service.inbox);
  releaseObject(service.store);
  releaseObject(service.session);
  if (service.initialized) MAPIUninitialize();
  service.initialized = false;
  releaseObject(service.sink);
  if (service.mutex != nullptr) CloseHandle(service.mutex);
  service.mutex = nullptr;
  service.newMessages = 0;
}

int32_t DMessageConnection::listenerCount() { return service.listening.isNull() ? 0 : service.listening->size(); }

void DMessageConnection::noteArrival(ULONG parentSize, const BYTE* parent) {
  if (!service.listeningFlag.load() || service.inboxId == nullptr || parent == nullptr) return;
  const SBinary& inbox = service.inboxId[0].Value.bin;
  if (parentSize != inbox.cb || std::memcmp(parent, inbox.lpb, parentSize) != 0) return;
  WaitForSingleObject(service.mutex, INFINITE);
  ++service.newMessages;
  ReleaseMutex(service.mutex);
}

void DMessageConnection::sendSms(DStringPtr address, DStringPtr text) {
  if (service.smsOpen == nullptr || service.smsClose == nullptr || service.smsSend == nullptr) {
    nuv::lang::throwException(Code::IllegalArgumentException);
  }
  SMS_HANDLE handle = nullptr;
  HRESULT result = service.smsOpen(SMS_MSGTYPE_TEXT, SMS_MODE_SEND, &handle, nullptr);
  if (result < 0) {
    throw new nuv::lang::DExceptionBase(Code::IOException, u"Failed open SMS in SMS_MODE_SEND - error code %x", result);
  }
  SMS_ADDRESS destination{};
  destination.smsatAddressType = kAddressTypeUnknown;
  if (!address.isNull()) {
    const int32_t n = std::min<int32_t>(address->length(), SMS_MAX_ADDRESS_LENGTH);
    std::memcpy(destination.ptsAddress, address->chars(), static_cast<size_t>(n) * sizeof(WCHAR));
  }
  TEXT_PROVIDER_SPECIFIC_DATA provider{};
  provider.dwMessageOptions = kProviderOptions[0];
  provider.psMessageClass = kProviderOptions[1];
  provider.psReplaceOption = kProviderOptions[2];
  // A message without text sends an empty one.
  const char16_t* chars = text.isNull() ? u"" : text->chars();
  const DWORD size = text.isNull() ? 0 : static_cast<DWORD>(text->length()) * 2;
  SMS_MESSAGE_ID id = 0;
  result = service.smsSend(handle, nullptr, &destination, nullptr, reinterpret_cast<const BYTE*>(chars), size,
                           reinterpret_cast<const BYTE*>(&provider), sizeof provider, kEncodingGsm, 0, &id);
  service.smsClose(handle);
  if (result < 0) throwSendFailure(result);
}

}  // namespace nuv::wireless::messaging
