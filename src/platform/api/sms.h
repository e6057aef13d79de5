// The handheld's short-message library ("sms.dll"): reached through LoadLibraryW and GetProcAddressW.
// Sending files the message in the message store's outbox (platform/host/messagestore.h).
#pragma once

#include <string_view>

#include "platform/types.h"

using SMS_HANDLE = HANDLE;
using SMS_MESSAGE_ID = DWORD;

inline constexpr char16_t SMS_MSGTYPE_TEXT[] = u"Microsoft Text SMS Protocol";
inline constexpr DWORD SMS_MODE_RECEIVE = 1;
inline constexpr DWORD SMS_MODE_SEND = 2;

inline constexpr int SMS_MAX_ADDRESS_LENGTH = 256;
// The most characters one message carries in the 7-bit alphabet, and in 16-bit characters.
inline constexpr int SMS_MAX_TEXT_7BIT = 160;
inline constexpr int SMS_MAX_TEXT_UCS2 = 70;

// Data encodings of SmsSendMessage.
inline constexpr DWORD SMSDE_OPTIMAL = 0;
inline constexpr DWORD SMSDE_GSM = 1;
inline constexpr DWORD SMSDE_UCS2 = 2;

inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
inline constexpr HRESULT SMS_E_INVALIDADDRESS = static_cast<HRESULT>(0x82000107);
inline constexpr HRESULT SMS_E_NETWORKACCESS = static_cast<HRESULT>(0x82000203);
inline constexpr HRESULT SMS_E_NETWORK = static_cast<HRESULT>(0x82000204);
inline constexpr HRESULT SMS_E_BADPARAM = static_cast<HRESULT>(0x82000208);
inline constexpr HRESULT SMS_E_RADIOUNAVAILABLE = static_cast<HRESULT>(0x8200020D);

// 516 bytes: the address type, then the address as 16-bit characters ending in a 0 (or filling all 256).
struct SMS_ADDRESS {
  DWORD smsatAddressType;
  WCHAR ptsAddress[SMS_MAX_ADDRESS_LENGTH];
};
static_assert(sizeof(SMS_ADDRESS) == 516);

// 164 bytes of options for text messages.
struct TEXT_PROVIDER_SPECIFIC_DATA {
  DWORD dwMessageOptions;
  DWORD psMessageClass;
  DWORD psReplaceOption;
  DWORD dwHeaderDataSize;
  BYTE pbHeaderData[140];
  BOOL fMessageContainsEMSHeaders;
  DWORD dwProtocolID;
};
static_assert(sizeof(TEXT_PROVIDER_SPECIFIC_DATA) == 164);

struct SYSTEMTIME;

// The library's entry points by these names: "SmsOpen", "SmsClose", "SmsSendMessage".
using SmsOpenProc = HRESULT (*)(LPCWSTR protocol, DWORD modes, SMS_HANDLE* handle, HANDLE* messageAvailable);
using SmsCloseProc = HRESULT (*)(SMS_HANDLE handle);
// The text is dataSize bytes of 16-bit characters. SMS_E_INVALIDADDRESS for an address that is not
// an optional "+" and 1 to 20 digits; SMS_E_BADPARAM for a text longer than one message carries.
using SmsSendMessageProc = HRESULT (*)(SMS_HANDLE handle, const SMS_ADDRESS* serviceCentre,
                                       const SMS_ADDRESS* destination, const SYSTEMTIME* validity, const BYTE* data,
                                       DWORD dataSize, const BYTE* providerData, DWORD providerDataSize, DWORD encoding,
                                       DWORD options, SMS_MESSAGE_ID* messageId);

namespace platform {

// The entries of "sms.dll" by name; null for another library or name.
FARPROC smsExport(std::u16string_view library, std::u16string_view name);

// Seam for tests: what the radio answers to SmsOpen and to each send (S_OK: it works).
void setSmsRadio(HRESULT openResult, HRESULT sendResult);

}  // namespace platform
