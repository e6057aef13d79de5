// The handheld's text calls: case conversion and the ANSI code page.
#pragma once

#include "platform/types.h"

// The handheld's ANSI code page is Windows-1252.
inline constexpr UINT CP_ACP = 0;

// Case conversion in place, covering Basic Latin, Latin-1, Latin Extended-A, Greek and Cyrillic letters;
// other characters are left as they are. Returns the number of characters processed.
DWORD CharLowerBuffW(LPWSTR text, DWORD length);
DWORD CharUpperBuffW(LPWSTR text, DWORD length);

// Wide text to the ANSI code page; a character the code page lacks becomes defaultChar ("?" when null)
// and sets *usedDefaultChar. wideLength -1 converts up to and with the terminator. With outSize 0 only
// the needed size is returned; 0 means failure (an unknown code page or too small a buffer).
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideLength, char* out, int outSize,
                        const char* defaultChar, BOOL* usedDefaultChar);
// ANSI code page text to wide text, the same conventions.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* bytes, int byteLength, LPWSTR out, int outLength);
