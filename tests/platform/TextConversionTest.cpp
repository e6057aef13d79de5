// The stand-in's case conversion and ANSI code page conversion.
#include <gtest/gtest.h>

#include <string>

#include "platform/api/strings.h"

TEST(TextConversionTest, CaseRoundTripsEveryCoveredLetter) {
  // Every capital of the covered blocks lowers to a letter that uppers back to it.
  struct Block {
    char16_t first;
    char16_t last;
  } blocks[] = {{0x41, 0x5A}, {0xC0, 0xDE}, {0x100, 0x17F}, {0x386, 0x3AB}, {0x400, 0x42F}, {0x460, 0x52F}};
  int capitals = 0;
  for (const Block& b : blocks) {
    for (char16_t c = b.first; c <= b.last; ++c) {
      char16_t lower = c;
      CharLowerBuffW(&lower, 1);
      if (lower == c || c == 0x130) continue;
      ++capitals;
      char16_t upper = lower;
      CharUpperBuffW(&upper, 1);
      EXPECT_EQ(upper, c) << std::hex << int(c);
    }
  }
  EXPECT_GT(capitals, 250);
  std::u16string others = u"1 \u00d7\u00df\u2122\u4e2d";
  std::u16string same = others;
  EXPECT_EQ(CharLowerBuffW(same.data(), static_cast<DWORD>(same.size())), same.size());
  CharUpperBuffW(same.data(), static_cast<DWORD>(same.size()));
  EXPECT_EQ(same, others);
}

TEST(TextConversionTest, AnsiCodePageBothWays) {
  const std::u16string wide = u"a\u00ff\u20ac\u2122\u0081\u4e2d";
  const std::string ansi = "a\xff\x80\x99\x81?";
  char out[16] = {};
  BOOL usedDefault = FALSE;
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr), 7);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, out, sizeof out, nullptr, &usedDefault), 7);
  EXPECT_EQ(std::string(out), ansi);
  EXPECT_TRUE(usedDefault);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), 6, out, 5, nullptr, nullptr), 0);  // too small
  EXPECT_EQ(WideCharToMultiByte(65001, 0, wide.c_str(), 6, out, sizeof out, nullptr, nullptr), 0);

  char16_t back[16] = {};
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, back, 16), 7);
  EXPECT_EQ(std::u16string(back), u"a\u00ff\u20ac\u2122\u0081?");
}
