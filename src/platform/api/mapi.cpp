// The messaging store over the folder of message files: the session, the store "SMS", its two folders,
// their tables and the notification of new messages.
#include "platform/api/mapi.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <variant>
#include <vector>

#include "platform/host/messagestore.h"

namespace {

namespace store = platform::messagestore;

// ---- Buffers: one allocation and the ones made "more" on it are freed together.

std::mutex buffersLock;
std::map<void*, std::vector<std::unique_ptr<std::max_align_t[]>>> buffers;  // guarded by buffersLock

void* allocate(size_t size, void* parent) {
  size_t cells = (size + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
  auto block = std::make_unique<std::max_align_t[]>(cells == 0 ? 1 : cells);
  std::memset(block.get(), 0, (cells == 0 ? 1 : cells) * sizeof(std::max_align_t));
  void* address = block.get();
  std::lock_guard lock(buffersLock);
  if (parent == nullptr) {
    buffers[address].push_back(std::move(block));
  } else {
    buffers[parent].push_back(std::move(block));
  }
  return address;
}

// ---- Entry identifiers: a mark, a kind and a name.

constexpr char kIdMark[] = "GHMS";
constexpr size_t kIdMarkLength = 4;
using EntryId = std::vector<BYTE>;

EntryId makeId(char kind, std::string_view name) {
  EntryId id(kIdMark, kIdMark + kIdMarkLength);
  id.push_back(static_cast<BYTE>(kind));
  id.insert(id.end(), name.begin(), name.end());
  return id;
}

EntryId storeId() { return makeId('S', "SMS"); }
EntryId folderId(store::Folder folder) { return makeId('F', folder == store::Folder::Inbox ? "i" : "o"); }
EntryId messageId(store::Folder folder, const std::string& name) {
  return makeId('M', (folder == store::Folder::Inbox ? "i" : "o") + name);
}

bool sameId(const EntryId& id, ULONG size, const BYTE* bytes) {
  return bytes != nullptr && size == id.size() && std::memcmp(bytes, id.data(), size) == 0;
}

// ---- Property values kept by the stand-in, turned into the handheld's records on demand.

using Value = std::variant<LONG, std::u16string, EntryId, uint64_t>;
using Row = std::map<ULONG, Value>;

// Fills one record, its text or bytes allocated more on parent.
void fill(SPropValue& out, ULONG tag, const Row& row, void* parent) {
  auto found = row.find(tag);
  if (found == row.end()) {
    out.ulPropTag = PROP_TAG(PT_ERROR, tag >> 16);
    out.Value.err = MAPI_E_NOT_FOUND;
    return;
  }
  out.ulPropTag = tag;
  const Value& v = found->second;
  if (const auto* l = std::get_if<LONG>(&v)) {
    out.Value.l = *l;
  } else if (const auto* s = std::get_if<std::u16string>(&v)) {
    auto* text = static_cast<WCHAR*>(allocate((s->size() + 1) * sizeof(WCHAR), parent));
    std::memcpy(text, s->data(), s->size() * sizeof(WCHAR));
    out.Value.lpszW = text;
  } else if (const auto* b = std::get_if<EntryId>(&v)) {
    auto* bytes = static_cast<BYTE*>(allocate(b->size(), parent));
    std::memcpy(bytes, b->data(), b->size());
    out.Value.bin = {static_cast<ULONG>(b->size()), bytes};
  } else {
    uint64_t time = std::get<uint64_t>(v);
    out.Value.ft = {static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
  }
}

SPropValue* values(const SPropTagArray& tags, const Row& row) {
  auto* out = static_cast<SPropValue*>(allocate(tags.cValues * sizeof(SPropValue), nullptr));
  for (ULONG i = 0; i < tags.cValues; ++i) fill(out[i], tags.aulPropTag[i], row, out);
  return out;
}

bool validTags(const SPropTagArray* tags) { return tags != nullptr && tags->cValues <= kMaxTagColumns; }

// ---- Objects.

template <class I>
class Counted : public I {
 public:
  HRESULT QueryInterface(const GUID&, void** object) override {
    if (object) *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~Counted() = default;

 private:
  std::atomic<ULONG> references_{1};
};

class Table : public Counted<IMAPITable> {
 public:
  Table(std::vector<Row> rows, SPropTagArray columns) : rows_(std::move(rows)), columns_(columns) {}

  HRESULT SetColumns(const SPropTagArray* columns, ULONG) override {
    if (!validTags(columns)) return MAPI_E_INVALID_PARAMETER;
    columns_ = *columns;
    return S_OK;
  }

  HRESULT QueryRows(LONG count, ULONG, SRowSet** rows) override {
    if (rows == nullptr || count < 0) return MAPI_E_INVALID_PARAMETER;
    size_t n = std::min(static_cast<size_t>(count), rows_.size() - position_);
    auto* set = static_cast<SRowSet*>(allocate(sizeof(SRowSet) + n * sizeof(SRow), nullptr));
    set->cRows = static_cast<ULONG>(n);
    set->aRow = reinterpret_cast<SRow*>(set + 1);
    for (size_t i = 0; i < n; ++i) {
      set->aRow[i] = {0, columns_.cValues, values(columns_, rows_[position_++])};
    }
    *rows = set;
    return S_OK;
  }

  HRESULT SortTable(const SSortOrderSet* order, ULONG) override {
    if (order == nullptr || order->cSorts > kMaxSorts) return MAPI_E_INVALID_PARAMETER;
    std::stable_sort(rows_.begin(), rows_.end(), [order](const Row& a, const Row& b) {
      for (ULONG i = 0; i < order->cSorts; ++i) {
        const SSortOrder& key = order->aSort[i];
        auto x = a.find(key.ulPropTag);
        auto y = b.find(key.ulPropTag);
        if (x == a.end() || y == b.end()) continue;
        if (x->second == y->second) continue;
        return key.ulOrder == TABLE_SORT_DESCEND ? y->second < x->second : x->second < y->second;
      }
      return false;
    });
    position_ = 0;
    return S_OK;
  }

 private:
  std::vector<Row> rows_;
  SPropTagArray columns_;
  size_t position_ = 0;
};

HRESULT getProps(const Row& row, const SPropTagArray* tags, ULONG* count, SPropValue** out) {
  if (!validTags(tags) || count == nullptr || out == nullptr) return MAPI_E_INVALID_PARAMETER;
  *out = values(*tags, row);
  *count = tags->cValues;
  for (ULONG i = 0; i < tags->cValues; ++i) {
    if (PROP_TYPE((*out)[i].ulPropTag) == PT_ERROR) return MAPI_W_ERRORS_RETURNED;
  }
  return S_OK;
}

class Folder : public Counted<IMAPIFolder> {
 public:
  explicit Folder(store::Folder folder) : folder_(folder) {}

  HRESULT GetProps(const SPropTagArray* tags, ULONG, ULONG* count, SPropValue** out) override {
    Row row{{PR_DISPLAY_NAME_W, std::u16string(folder_ == store::Folder::Inbox ? u"Inbox" : u"Outbox")},
            {PR_ENTRYID, folderId(folder_)}};
    return getProps(row, tags, count, out);
  }

  HRESULT GetContentsTable(ULONG, IMAPITable** table) override {
    if (table == nullptr) return MAPI_E_INVALID_PARAMETER;
    std::vector<Row> rows;
    for (store::Message& m : store::list(folder_)) {
      rows.push_back({{PR_SUBJECT_W, std::move(m.text)},
                      {PR_SENDER_EMAIL_ADDRESS_W, std::move(m.address)},
                      {PR_ENTRYID, messageId(folder_, m.name)},
                      {PR_MESSAGE_DELIVERY_TIME, m.deliveryTime},
                      {PR_MESSAGE_FLAGS, LONG{0}}});
    }
    SPropTagArray columns{
        5, {PR_SUBJECT_W, PR_SENDER_EMAIL_ADDRESS_W, PR_ENTRYID, PR_MESSAGE_DELIVERY_TIME, PR_MESSAGE_FLAGS}};
    *table = new Table(std::move(rows), columns);
    return S_OK;
  }

 private:
  const store::Folder folder_;
};

// Advise connections of every store, so that the test seam can reach them.
std::mutex advisesLock;
std::map<ULONG, std::unique_ptr<store::Watcher>> advises;  // guarded by advisesLock
ULONG nextConnection = 1;                                  // guarded by advisesLock

class Store : public Counted<IMsgStore> {
 public:
  HRESULT GetProps(const SPropTagArray* tags, ULONG, ULONG* count, SPropValue** out) override {
    Row row{{PR_DISPLAY_NAME_W, std::u16string(u"SMS")},
            {PR_ENTRYID, storeId()},
            {PR_CE_IPM_INBOX_ENTRYID, folderId(store::Folder::Inbox)},
            {PR_CE_IPM_OUTBOX_ENTRYID, folderId(store::Folder::Outbox)}};
    return getProps(row, tags, count, out);
  }

  HRESULT OpenEntry(ULONG idSize, LPENTRYID id, LPCIID, ULONG, ULONG* type, IUnknown** object) override {
    if (object == nullptr) return MAPI_E_INVALID_PARAMETER;
    *object = nullptr;
    for (store::Folder folder : {store::Folder::Inbox, store::Folder::Outbox}) {
      if (sameId(folderId(folder), idSize, id)) {
        if (type) *type = MAPI_FOLDER;
        *object = static_cast<IMAPIFolder*>(new Folder(folder));
        return S_OK;
      }
    }
    return MAPI_E_NOT_FOUND;
  }

  HRESULT Advise(ULONG idSize, LPENTRYID id, ULONG eventMask, IMAPIAdviseSink* sink, ULONG* connection) override {
    if (sink == nullptr || connection == nullptr) return MAPI_E_INVALID_PARAMETER;
    if (idSize != 0 || id != nullptr) return MAPI_E_NO_SUPPORT;  // the whole store only
    if ((eventMask & fnevObjectCreated) == 0) return MAPI_E_NO_SUPPORT;
    sink->AddRef();
    // The watcher's announcements end before it is destroyed; the sink is released after that.
    auto release = [sink](IMAPIAdviseSink*) { sink->Release(); };
    std::shared_ptr<IMAPIAdviseSink> held(sink, release);
    auto watcher = store::Watcher::start([held](store::Folder folder, const std::string& name) {
      EntryId message = messageId(folder, name);
      EntryId parent = folderId(folder);
      NOTIFICATION n{fnevObjectCreated,
                     {static_cast<ULONG>(message.size()), message.data(), MAPI_MESSAGE,
                      static_cast<ULONG>(parent.size()), parent.data()}};
      held->OnNotify(1, &n);
    });
    if (!watcher) return MAPI_E_CALL_FAILED;
    std::lock_guard lock(advisesLock);
    *connection = nextConnection++;
    advises[*connection] = std::move(watcher);
    mine_.push_back(*connection);
    return S_OK;
  }

  HRESULT Unadvise(ULONG connection) override {
    auto mine = std::find(mine_.begin(), mine_.end(), connection);
    if (mine == mine_.end()) return MAPI_E_NOT_FOUND;
    mine_.erase(mine);
    std::unique_ptr<store::Watcher> watcher;
    {
      std::lock_guard lock(advisesLock);
      auto found = advises.find(connection);
      if (found != advises.end()) {
        watcher = std::move(found->second);
        advises.erase(found);
      }
    }
    return S_OK;  // the watcher ends here, outside the lock
  }

 protected:
  ~Store() override {
    while (!mine_.empty()) Unadvise(mine_.back());
  }

 private:
  std::vector<ULONG> mine_;  // connections of this store; the caller's thread
};

class Session : public Counted<IMAPISession> {
 public:
  HRESULT GetMsgStoresTable(ULONG, IMAPITable** table) override {
    if (table == nullptr) return MAPI_E_INVALID_PARAMETER;
    std::vector<Row> rows{{{PR_DISPLAY_NAME_W, std::u16string(u"SMS")}, {PR_ENTRYID, storeId()}}};
    *table = new Table(std::move(rows), SPropTagArray{2, {PR_DISPLAY_NAME_W, PR_ENTRYID}});
    return S_OK;
  }

  HRESULT OpenMsgStore(ULONG_PTR, ULONG idSize, LPENTRYID id, LPCIID, ULONG, IMsgStore** out) override {
    if (out == nullptr) return MAPI_E_INVALID_PARAMETER;
    *out = nullptr;
    if (!sameId(storeId(), idSize, id)) return MAPI_E_NOT_FOUND;
    if (store::open().empty()) return MAPI_E_CALL_FAILED;
    *out = new Store();
    return S_OK;
  }
};

std::atomic<int> initializations{0};

}  // namespace

HRESULT MAPIInitialize(void*) {
  ++initializations;
  return S_OK;
}

void MAPIUninitialize() {
  int now = initializations.load();
  while (now > 0 && !initializations.compare_exchange_weak(now, now - 1)) {
  }
}

HRESULT MAPILogonEx(ULONG_PTR, LPWSTR, LPWSTR, ULONG, IMAPISession** session) {
  if (session == nullptr) return MAPI_E_INVALID_PARAMETER;
  *session = nullptr;
  if (initializations.load() <= 0) return MAPI_E_NOT_INITIALIZED;
  if (store::open().empty()) return MAPI_E_LOGON_FAILED;
  *session = new Session();
  return S_OK;
}

ULONG MAPIFreeBuffer(void* buffer) {
  if (buffer == nullptr) return S_OK;
  std::vector<std::unique_ptr<std::max_align_t[]>> freed;
  std::lock_guard lock(buffersLock);
  auto found = buffers.find(buffer);
  if (found == buffers.end()) return static_cast<ULONG>(MAPI_E_INVALID_PARAMETER);
  freed = std::move(found->second);
  buffers.erase(found);
  return S_OK;
}

void FreeProws(SRowSet* rows) {
  if (rows == nullptr) return;
  for (ULONG i = 0; i < rows->cRows; ++i) MAPIFreeBuffer(rows->aRow[i].lpProps);
  MAPIFreeBuffer(rows);
}

namespace platform {

void settleMessageStore() {
  std::lock_guard lock(advisesLock);
  for (auto& [connection, watcher] : advises) watcher->settle();
}

}  // namespace platform
