// Case conversion and the ANSI code page (Windows-1252) of the handheld.
#include "platform/api/strings.h"

#include <cstring>
#include <string>
#include <string_view>

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five unassigned bytes stand for the control characters of the same
// value, as the handheld's conversion does.
constexpr char16_t kAnsiHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t ansiToWide(uint8_t b) { return b >= 0x80 && b < 0xA0 ? kAnsiHighControls[b - 0x80] : b; }

// The code page byte of a character, or -1 when the code page lacks it.
int wideToAnsi(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (int i = 0; i < 32; ++i) {
    if (kAnsiHighControls[i] == c) return 0x80 + i;
  }
  return -1;
}

// How a block of letters pairs its capitals with its small letters.
enum class CaseShape {
  Offset,   // capitals first..last, each small letter at capital + delta
  EvenOdd,  // capital at an even code, small letter right after it
  OddEven,  // capital at an odd code, small letter right after it
};

struct CaseBlock {
  char16_t first;
  char16_t last;  // the last code of the block, capitals and small letters alike for the pair shapes
  CaseShape shape;
  int delta;
};

constexpr CaseBlock kCaseBlocks[] = {
    {0x0041, 0x005A, CaseShape::Offset, 0x20},  // A-Z
    {0x00C0, 0x00D6, CaseShape::Offset, 0x20},  // Latin-1 capitals before the multiplication sign
    {0x00D8, 0x00DE, CaseShape::Offset, 0x20},  // and after it
    {0x0100, 0x012F, CaseShape::EvenOdd, 1},    // Latin Extended-A, up to the dotted capital I
    {0x0132, 0x0137, CaseShape::EvenOdd, 1},
    {0x0139, 0x0148, CaseShape::OddEven, 1},
    {0x014A, 0x0177, CaseShape::EvenOdd, 1},
    {0x0179, 0x017E, CaseShape::OddEven, 1},
    {0x0386, 0x0386, CaseShape::Offset, 0x26},  // Greek capitals with tonos
    {0x0388, 0x038A, CaseShape::Offset, 0x25},
    {0x038C, 0x038C, CaseShape::Offset, 0x40},
    {0x038E, 0x038F, CaseShape::Offset, 0x3F},
    {0x0391, 0x03A1, CaseShape::Offset, 0x20},  // Greek capitals, around the unassigned 0x03A2
    {0x03A3, 0x03AB, CaseShape::Offset, 0x20},
    {0x0400, 0x040F, CaseShape::Offset, 0x50},  // Cyrillic
    {0x0410, 0x042F, CaseShape::Offset, 0x20},
    {0x0460, 0x0481, CaseShape::EvenOdd, 1},
    {0x048A, 0x04BF, CaseShape::EvenOdd, 1},
    {0x04C0, 0x04C0, CaseShape::Offset, 0x0F},
    {0x04C1, 0x04CE, CaseShape::OddEven, 1},
    {0x04D0, 0x052F, CaseShape::EvenOdd, 1},
};

// Letters whose partner lies outside their block, or whose mapping goes one way only.
struct CaseMapping {
  char16_t from;
  char16_t to;
};
constexpr CaseMapping kExtraLowerings[] = {
    {0x0178, 0x00FF},  // Y with diaeresis
    {0x0130, 0x0069},  // capital I with dot above
};
constexpr CaseMapping kExtraUpperings[] = {
    {0x00FF, 0x0178},  // y with diaeresis
    {0x0131, 0x0049},  // dotless i
    {0x017F, 0x0053},  // long s
    {0x03C2, 0x03A3},  // final sigma
};

bool isCapitalOf(const CaseBlock& b, char16_t c) {
  if (c < b.first || c > b.last) return false;
  switch (b.shape) {
    case CaseShape::Offset:
      return true;
    case CaseShape::EvenOdd:
      return c % 2 == 0;
    case CaseShape::OddEven:
      return c % 2 == 1;
  }
  return false;
}

char16_t lowerOf(char16_t c) {
  for (const CaseBlock& b : kCaseBlocks) {
    if (isCapitalOf(b, c)) return static_cast<char16_t>(c + b.delta);
  }
  for (const CaseMapping& m : kExtraLowerings) {
    if (m.from == c) return m.to;
  }
  return c;
}

char16_t upperOf(char16_t c) {
  for (const CaseBlock& b : kCaseBlocks) {
    if (b.shape == CaseShape::Offset) {
      if (c >= b.first + b.delta && c <= b.last + b.delta) return static_cast<char16_t>(c - b.delta);
    } else if (c > b.first && c <= b.last && !isCapitalOf(b, c)) {
      return static_cast<char16_t>(c - 1);
    }
  }
  for (const CaseMapping& m : kExtraUpperings) {
    if (m.from == c) return m.to;
  }
  return c;
}

}  // namespace

DWORD CharLowerBuffW(LPWSTR text, DWORD length) {
  if (text == nullptr) return 0;
  for (DWORD i = 0; i < length; ++i) text[i] = lowerOf(text[i]);
  return length;
}

DWORD CharUpperBuffW(LPWSTR text, DWORD length) {
  if (text == nullptr) return 0;
  for (DWORD i = 0; i < length; ++i) text[i] = upperOf(text[i]);
  return length;
}

int WideCharToMultiByte(UINT codePage, DWORD /*flags*/, LPCWSTR wide, int wideLength, char* out, int outSize,
                        const char* defaultChar, BOOL* usedDefaultChar) {
  if (codePage != CP_ACP || wide == nullptr || outSize < 0) return 0;
  if (usedDefaultChar) *usedDefaultChar = FALSE;
  size_t count = wideLength < 0 ? std::u16string_view(wide).size() + 1 : static_cast<size_t>(wideLength);
  if (outSize == 0) return static_cast<int>(count);
  if (out == nullptr || count > static_cast<size_t>(outSize)) return 0;
  const char fallback = defaultChar ? *defaultChar : '?';
  for (size_t i = 0; i < count; ++i) {
    int b = wideToAnsi(wide[i]);
    if (b < 0) {
      b = static_cast<uint8_t>(fallback);
      if (usedDefaultChar) *usedDefaultChar = TRUE;
    }
    out[i] = static_cast<char>(b);
  }
  return static_cast<int>(count);
}

int MultiByteToWideChar(UINT codePage, DWORD /*flags*/, const char* bytes, int byteLength, LPWSTR out, int outLength) {
  if (codePage != CP_ACP || bytes == nullptr || outLength < 0) return 0;
  size_t count = byteLength < 0 ? std::string_view(bytes).size() + 1 : static_cast<size_t>(byteLength);
  if (outLength == 0) return static_cast<int>(count);
  if (out == nullptr || count > static_cast<size_t>(outLength)) return 0;
  for (size_t i = 0; i < count; ++i) out[i] = ansiToWide(static_cast<uint8_t>(bytes[i]));
  return static_cast<int>(count);
}
