// System parameters of the emulated device.
#pragma once

#include "platform/types.h"

inline constexpr UINT SPI_GETPLATFORMTYPE = 257;
inline constexpr UINT SPI_GETOEMINFO = 258;

// For the two text queries uiParam is the buffer size in bytes and pvParam the buffer.
BOOL SystemParametersInfoW(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);
