// The short-message library: open, send into the message store's outbox, close.
#include "platform/api/sms.h"

#include <atomic>
#include <string>

#include "platform/api/handle.h"
#include "platform/host/handles.h"
#include "platform/host/messagestore.h"

namespace {

constexpr int kMaxAddressDigits = 20;

std::atomic<HRESULT> radioOpen{S_OK};
std::atomic<HRESULT> radioSend{S_OK};
std::atomic<SMS_MESSAGE_ID> nextMessageId{1};

class SmsSession : public platform::KernelObject {
 public:
  explicit SmsSession(DWORD modes) : modes(modes) {}
  const DWORD modes;
};

bool validAddress(const SMS_ADDRESS& address, std::u16string& out) {
  int length = 0;
  while (length < SMS_MAX_ADDRESS_LENGTH && address.ptsAddress[length] != 0) ++length;
  out.assign(address.ptsAddress, static_cast<size_t>(length));
  size_t at = !out.empty() && out[0] == u'+' ? 1 : 0;
  const size_t digits = out.size() - at;
  if (digits < 1 || digits > kMaxAddressDigits) return false;
  for (; at < out.size(); ++at) {
    if (out[at] < u'0' || out[at] > u'9') return false;
  }
  return true;
}

HRESULT SmsOpen(LPCWSTR protocol, DWORD modes, SMS_HANDLE* handle, HANDLE* messageAvailable) {
  if (handle == nullptr || protocol == nullptr || std::u16string_view(protocol) != SMS_MSGTYPE_TEXT) {
    return E_INVALIDARG;
  }
  // Receiving goes through the message store; this library only sends.
  if ((modes & SMS_MODE_SEND) == 0 || (modes & SMS_MODE_RECEIVE) != 0) return E_INVALIDARG;
  if (HRESULT radio = radioOpen.load(); radio < 0) return radio;
  if (messageAvailable != nullptr) *messageAvailable = nullptr;
  *handle = (new SmsSession(modes))->handle();
  return S_OK;
}

HRESULT SmsClose(SMS_HANDLE handle) {
  if (platform::handleObject<SmsSession>(handle) == nullptr) return E_INVALIDARG;
  CloseHandle(handle);
  return S_OK;
}

HRESULT SmsSendMessage(SMS_HANDLE handle, const SMS_ADDRESS*, const SMS_ADDRESS* destination, const SYSTEMTIME*,
                       const BYTE* data, DWORD dataSize, const BYTE* providerData, DWORD providerDataSize,
                       DWORD encoding, DWORD, SMS_MESSAGE_ID* messageId) {
  if (platform::handleObject<SmsSession>(handle) == nullptr || destination == nullptr) return E_INVALIDARG;
  if ((data == nullptr && dataSize > 0) || dataSize % 2 != 0) return E_INVALIDARG;
  if (providerData == nullptr || providerDataSize != sizeof(TEXT_PROVIDER_SPECIFIC_DATA)) return E_INVALIDARG;
  if (encoding > SMSDE_UCS2) return SMS_E_BADPARAM;
  std::u16string address;
  if (!validAddress(*destination, address)) return SMS_E_INVALIDADDRESS;
  const DWORD characters = dataSize / 2;
  if (characters > static_cast<DWORD>(encoding == SMSDE_UCS2 ? SMS_MAX_TEXT_UCS2 : SMS_MAX_TEXT_7BIT)) {
    return SMS_E_BADPARAM;
  }
  if (HRESULT radio = radioSend.load(); radio < 0) return radio;
  std::u16string text(characters, u'\0');
  for (DWORD i = 0; i < characters; ++i) {
    text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  if (platform::messagestore::write(platform::messagestore::Folder::Outbox, address, text).empty()) return E_FAIL;
  if (messageId != nullptr) *messageId = nextMessageId.fetch_add(1);
  return S_OK;
}

struct Export {
  std::u16string_view name;
  FARPROC entry;
};

const Export kExports[] = {
    {u"SmsOpen", reinterpret_cast<FARPROC>(SmsOpen)},
    {u"SmsClose", reinterpret_cast<FARPROC>(SmsClose)},
    {u"SmsSendMessage", reinterpret_cast<FARPROC>(SmsSendMessage)},
};

}  // namespace

namespace platform {

FARPROC smsExport(std::u16string_view library, std::u16string_view name) {
  if (library != u"sms.dll") return nullptr;
  for (const Export& e : kExports) {
    if (e.name == name) return e.entry;
  }
  return nullptr;
}

void setSmsRadio(HRESULT openResult, HRESULT sendResult) {
  radioOpen = openResult;
  radioSend = sendResult;
}

}  // namespace platform
