// Bitmap fonts: pages and metrics as the game library loads them.
#include <gtest/gtest.h>

#include "Fonts.h"
#include "TextTables.h"

using namespace datakit;

namespace {

struct Metrics {
  std::u16string chars;
  std::vector<int> widths;
};

Metrics readMetrics(const Bytes& m) {
  Metrics out;
  size_t at = 1;
  for (int i = 0; i < static_cast<std::int8_t>(m.at(0)); ++i) {
    size_t len = size_t(m.at(at)) << 8 | m.at(at + 1);
    Bytes one(m.begin() + static_cast<long>(at), m.begin() + static_cast<long>(at + 2 + len));
    out.chars += readUtfStrings(one, "m").at(0).text;
    at += 2 + len;
    out.widths.push_back(static_cast<std::int8_t>(m.at(at++)));
  }
  EXPECT_EQ(at, m.size());
  return out;
}

}  // namespace

TEST(Fonts, PagesListTheirGlyphsSideBySide) {
  FontRenderer renderer(DATAKIT_FONT_DIR);
  FontStyle style;
  style.upperCase = false;
  std::u16string charset;
  for (char16_t c = u'!'; c <= u'~'; ++c) charset.push_back(c);
  charset += u"äöüßéÈ€";
  for (int scale : {1, 2}) {
    std::vector<FontPage> pages = renderer.renderPages(style, charset, scale);
    ASSERT_EQ(pages.size(), 1 + (charset.size() + 1) / 128);
    std::u16string all;
    for (const FontPage& page : pages) {
      Metrics m = readMetrics(writeFontMetrics(page));
      EXPECT_EQ(m.chars, page.chars);
      EXPECT_LE(m.chars.size(), 127u);
      int sum = 0;
      for (int w : m.widths) {
        EXPECT_GT(w, 0);
        sum += w;
      }
      EXPECT_EQ(sum, page.picture.width());
      EXPECT_EQ(page.picture.height(), pages[0].picture.height()) << "a font has one line height";
      all += m.chars;
    }
    EXPECT_EQ(all[0], u' ') << "glyph 0 of page 0 gives the space's width";
    EXPECT_EQ(all.size(), charset.size() + 1);
  }
}

TEST(Fonts, UpperCasedFontsHoldCapitalsOnly) {
  FontStyle style;
  style.upperCase = true;
  struct Case {
    char16_t in, glyph;
  };
  const Case cases[] = {{u'a', u'A'}, {u'z', u'Z'}, {u'é', u'É'}, {u'ÿ', u'Ÿ'}, {u'œ', u'Œ'}, {u'1', u'1'}};
  for (const Case& c : cases) {
    std::u16string chars = fontCharacters(style, std::u16string(1, c.in));
    EXPECT_EQ(chars, std::u16string(u" ") + c.glyph);
  }
  EXPECT_EQ(fontCharacters(style, u"aAbB"), u" AB");
}

TEST(Fonts, OutlinedGlyphsLeaveTheKeyColourAround) {
  FontRenderer renderer(DATAKIT_FONT_DIR);
  FontStyle style;
  style.outline = 0x101010;
  Image text = renderer.renderText(style, u"I", 1);
  ASSERT_FALSE(text.empty());
  bool ink = false, fill = false;
  for (int y = 0; y < text.height(); ++y)
    for (int x = 0; x < text.width(); ++x) {
      ink = ink || text.at(x, y) == 0x101010u;
      fill = fill || text.at(x, y) == 0xFFFFFFu;
    }
  EXPECT_TRUE(ink && fill);
  EXPECT_EQ(text.at(0, 0), kKeyColour);
}
