// The handheld's messaging store (cemapi): a session, its one message store "SMS" with the folders
// inbox and outbox, tables of their rows, and notification of new messages. The store's content is the
// folder of message files described in platform/host/messagestore.h.
#pragma once

#include <cstdint>

#include "platform/types.h"

using ULONG = uint32_t;
using ULONG_PTR = uintptr_t;
using LPENTRYID = BYTE*;

inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
inline constexpr HRESULT MAPI_E_CALL_FAILED = static_cast<HRESULT>(0x80004005);
inline constexpr HRESULT MAPI_E_NO_SUPPORT = static_cast<HRESULT>(0x80040102);
inline constexpr HRESULT MAPI_E_NOT_FOUND = static_cast<HRESULT>(0x8004010F);
inline constexpr HRESULT MAPI_E_LOGON_FAILED = static_cast<HRESULT>(0x80040111);
inline constexpr HRESULT MAPI_E_NOT_INITIALIZED = static_cast<HRESULT>(0x80040605);
inline constexpr HRESULT MAPI_E_INVALID_PARAMETER = static_cast<HRESULT>(0x80070057);

inline constexpr ULONG MAPI_UNICODE = 0x80000000;
inline constexpr ULONG TABLE_SORT_ASCEND = 0;
inline constexpr ULONG TABLE_SORT_DESCEND = 1;

// Object types of OpenEntry and of notifications.
inline constexpr ULONG MAPI_STORE = 1;
inline constexpr ULONG MAPI_FOLDER = 3;
inline constexpr ULONG MAPI_MESSAGE = 5;

// Event types of Advise and notifications.
inline constexpr ULONG fnevObjectCreated = 0x00000004;

// A property tag: the property's number in the upper 16 bits, its type in the lower.
inline constexpr ULONG PT_LONG = 0x0003;
inline constexpr ULONG PT_ERROR = 0x000A;
inline constexpr ULONG PT_UNICODE = 0x001F;
inline constexpr ULONG PT_SYSTIME = 0x0040;
inline constexpr ULONG PT_BINARY = 0x0102;
constexpr ULONG PROP_TYPE(ULONG tag) { return tag & 0xFFFF; }
constexpr ULONG PROP_TAG(ULONG type, ULONG id) { return (id << 16) | type; }

inline constexpr ULONG PR_SUBJECT_W = 0x0037001F;
inline constexpr ULONG PR_SENDER_EMAIL_ADDRESS_W = 0x0C1F001F;
inline constexpr ULONG PR_MESSAGE_DELIVERY_TIME = 0x0E060040;
inline constexpr ULONG PR_MESSAGE_FLAGS = 0x0E070003;
inline constexpr ULONG PR_ENTRYID = 0x0FFF0102;
inline constexpr ULONG PR_DISPLAY_NAME_W = 0x3001001F;
inline constexpr ULONG PR_CE_IPM_INBOX_ENTRYID = 0x81060102;
inline constexpr ULONG PR_CE_IPM_OUTBOX_ENTRYID = 0x81070102;

struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};
using LPCIID = const GUID*;

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

struct SBinary {
  ULONG cb;
  BYTE* lpb;
};

union PV {
  LONG l;
  LPWSTR lpszW;
  SBinary bin;
  FILETIME ft;
  HRESULT err;
};

struct SPropValue {
  ULONG ulPropTag;
  ULONG dwAlignPad;
  PV Value;
};

inline constexpr ULONG kMaxTagColumns = 16;
// The columns or properties asked for: the first cValues tags.
struct SPropTagArray {
  ULONG cValues;
  ULONG aulPropTag[kMaxTagColumns];
};

struct SRow {
  ULONG ulAdrEntryPad;
  ULONG cValues;
  SPropValue* lpProps;  // freed with MAPIFreeBuffer
};

struct SRowSet {
  ULONG cRows;
  SRow* aRow;  // in the same buffer as the set
};

struct SSortOrder {
  ULONG ulPropTag;
  ULONG ulOrder;
};

inline constexpr ULONG kMaxSorts = 4;
struct SSortOrderSet {
  ULONG cSorts;
  ULONG cCategories;
  ULONG cExpanded;
  SSortOrder aSort[kMaxSorts];
};

struct OBJECT_NOTIFICATION {
  ULONG cbEntryID;
  LPENTRYID lpEntryID;
  ULONG ulObjType;
  ULONG cbParentID;
  LPENTRYID lpParentID;
};

struct NOTIFICATION {
  ULONG ulEventType;
  OBJECT_NOTIFICATION obj;
};

// Objects count their references and delete themselves at the last Release.
class IUnknown {
 public:
  virtual HRESULT QueryInterface(const GUID& iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};

// Implemented by the caller of Advise; called on a thread of the store.
class IMAPIAdviseSink : public IUnknown {
 public:
  virtual ULONG OnNotify(ULONG count, NOTIFICATION* notifications) = 0;

 protected:
  ~IMAPIAdviseSink() = default;
};

class IMAPITable : public IUnknown {
 public:
  virtual HRESULT SetColumns(const SPropTagArray* columns, ULONG flags) = 0;
  // The next rows (at most count) from the current position; an empty set at the end.
  virtual HRESULT QueryRows(LONG count, ULONG flags, SRowSet** rows) = 0;
  virtual HRESULT SortTable(const SSortOrderSet* order, ULONG flags) = 0;

 protected:
  ~IMAPITable() = default;
};

class IMAPIProp : public IUnknown {
 public:
  // A property the object lacks comes back as PT_ERROR with MAPI_E_NOT_FOUND (and the answer is
  // MAPI_W_ERRORS_RETURNED). Free the values with MAPIFreeBuffer.
  virtual HRESULT GetProps(const SPropTagArray* tags, ULONG flags, ULONG* count, SPropValue** values) = 0;

 protected:
  ~IMAPIProp() = default;
};

class IMAPIFolder : public IMAPIProp {
 public:
  virtual HRESULT GetContentsTable(ULONG flags, IMAPITable** table) = 0;

 protected:
  ~IMAPIFolder() = default;
};

class IMsgStore : public IMAPIProp {
 public:
  // Folders only; an identifier of anything else is MAPI_E_NOT_FOUND.
  virtual HRESULT OpenEntry(ULONG idSize, LPENTRYID id, LPCIID iid, ULONG flags, ULONG* type, IUnknown** object) = 0;
  // Without an identifier: the whole store. The sink is held until Unadvise.
  virtual HRESULT Advise(ULONG idSize, LPENTRYID id, ULONG eventMask, IMAPIAdviseSink* sink, ULONG* connection) = 0;
  virtual HRESULT Unadvise(ULONG connection) = 0;

 protected:
  ~IMsgStore() = default;
};

class IMAPISession : public IUnknown {
 public:
  // Columns PR_DISPLAY_NAME_W and PR_ENTRYID of every store.
  virtual HRESULT GetMsgStoresTable(ULONG flags, IMAPITable** table) = 0;
  virtual HRESULT OpenMsgStore(ULONG_PTR window, ULONG idSize, LPENTRYID id, LPCIID iid, ULONG flags,
                               IMsgStore** store) = 0;

 protected:
  ~IMAPISession() = default;
};

inline constexpr HRESULT MAPI_W_ERRORS_RETURNED = 0x00040380;

// Counted: every successful MAPIInitialize is paired with one MAPIUninitialize.
HRESULT MAPIInitialize(void* reserved);
void MAPIUninitialize();
// MAPI_E_LOGON_FAILED when the store's folder cannot be used.
HRESULT MAPILogonEx(ULONG_PTR window, LPWSTR profile, LPWSTR password, ULONG flags, IMAPISession** session);
ULONG MAPIFreeBuffer(void* buffer);
// Frees every row's values and the set.
void FreeProws(SRowSet* rows);

namespace platform {

// Seam for tests: announces now, on the calling thread, every message file that appeared since the
// store's notifications last looked (they otherwise come on the store's own thread).
void settleMessageStore();

}  // namespace platform
