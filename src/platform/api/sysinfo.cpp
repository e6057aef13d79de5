// Answers system-parameter queries from the device configuration.
#include "platform/api/sysinfo.h"

#include <algorithm>
#include <string>

#include "platform/device/device.h"

BOOL SystemParametersInfoW(UINT uiAction, UINT uiParam, void* pvParam, UINT) {
  const std::u16string* text = nullptr;
  if (uiAction == SPI_GETPLATFORMTYPE) text = &platform::device().platformType;
  if (uiAction == SPI_GETOEMINFO) text = &platform::device().oemInfo;
  if (text == nullptr || pvParam == nullptr) return FALSE;

  UINT capacity = uiParam / sizeof(WCHAR);
  if (capacity < text->size() + 1) return FALSE;
  auto* out = static_cast<WCHAR*>(pvParam);
  std::copy(text->begin(), text->end(), out);
  out[text->size()] = 0;
  return TRUE;
}
