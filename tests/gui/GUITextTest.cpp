// Marked-up text with a font of 4-pixel glyphs, 3-pixel spaces and 8-pixel lines: parsing (tags in any
// case, entities, collapsed spaces, tokens, malformed markup), layout (wrapping, alignment, justification,
// breaks, paragraphs, inline and floating pictures, a height limit), resolving through the text table, and
// painting.
#include <gtest/gtest.h>

#include <string>

#include "core/lang/DString.h"
#include "gamelib/GameLibFixture.h"
#include "gamelib/TextTable.h"
#include "gui/GUIAnimation.h"
#include "gui/GUIFixture.h"
#include "gui/GUIText.h"
#include "support/Exceptions.h"

namespace {

using gamelib::GUIText;
using gamelib::GUITextChunk;
using gamelib::GUITextPtr;
using nuv::lang::DString;
using nuv::lang::DStringPtr;

// "word@x,y" for words, "[name]@x,y" for pictures and animations, in tree order; paragraphs add their
// position to their chunks'.
void describe(const GUITextChunk& container, int32_t dx, int32_t dy, std::string& out) {
  for (int32_t i = 0; i < container.childCount(); ++i) {
    const GUITextChunk& c = *container.child(i);
    std::string name;
    if (c.type == GUITextChunk::PARAGRAPH) {
      describe(c, dx + c.x, dy + c.y, out);
      continue;
    }
    if (c.type == GUITextChunk::WORD) name = gltest::narrow(nuv::lang::dynamicCast<DString>(c.content));
    if (c.type == GUITextChunk::PICTURE || c.type == GUITextChunk::FLOATING_PICTURE) name = "[img]";
    if (c.type == GUITextChunk::ANIMATION || c.type == GUITextChunk::FLOATING_ANIMATION) name = "[anim]";
    if (name.empty()) continue;
    out += (out.empty() ? "" : " ") + name + "@" + std::to_string(dx + c.x) + "," + std::to_string(dy + c.y);
  }
}

class GUITextTest : public guitest::GUIFixture {
 protected:
  std::string layout(const char16_t* markup, int32_t width, int32_t alignment = 0, bool keepNewlines = false) {
    GUITextPtr text = new GUIText();
    text->putResource(u"pic", nuv::microedition::lcdui::DImage::createMutableImage(6, 12));
    text->putResource(u"Spark", new gamelib::GUIAnimation(0xF80000, -1));
    text->putResource(u"greeting", new DString(u"x <br> y"));
    text->setAlignment(alignment);
    text->setKeepNewlines(keepNewlines);
    text->setText(markup);
    int32_t height = text->getHeight(width);
    std::string out;
    describe(*text->getRoot(), 0, 0, out);
    return out + " h=" + std::to_string(height);
  }
};

TEST_F(GUITextTest, LayoutTable) {
  struct Case {
    const char16_t* markup;
    int32_t width, alignment;
    const char* expected;
  };
  const Case cases[] = {
      {u"ab cd", 100, 0, "ab@0,0 cd@11,0 h=8"},
      // Runs of spaces and line feeds are one gap.
      {u"  ab    cd\n\n ef ", 100, 0, "ab@0,0 cd@11,0 ef@22,0 h=8"},
      {u"aaaa bbbb cccc", 35, 0, "aaaa@0,0 bbbb@19,0 cccc@0,8 h=16"},
      {u"ab cd", 50, 1, "ab@31,0 cd@42,0 h=8"},
      {u"ab cd", 50, 2, "ab@15,0 cd@26,0 h=8"},
      // Justified lines spread their words; the last line stays left-aligned.
      {u"aa bb cc dd", 40, 3, "aa@0,0 bb@16,0 cc@32,0 dd@0,8 h=16"},
      {u"ab<br>cd<BR>", 100, 0, "ab@0,0 cd@0,8 h=16"},
      {u"a&lt;b &LT;", 100, 0, "a<b@0,0 <@15,0 h=8"},
      // A word wider than the line stands alone and overflows it.
      {u"abcdefghijkl x", 20, 0, "abcdefghijkl@0,0 x@0,8 h=16"},
      // An alignment change continues the line in the space still free; names in any case.
      {u"ab<ALIGN Align=RIGHT>cd", 50, 0, "ab@0,0 cd@42,0 h=8"},
      {u"ab<align align=bogus>cd", 50, 0, "ab@0,0 cd@11,0 h=8"},
      // A second centred block goes on centred in what the first leaves free; a break or a paragraph
      // puts it below.
      {u"<align align=center>ab<align align=center>cd", 100, 0, "ab@46,0 cd@74,0 h=8"},
      {u"<align align=center>ab<br><align align=center>cd", 100, 0, "ab@46,0 cd@46,8 h=16"},
      {u"<p><align align=center>ab</p><p><align align=center>cd</p>", 100, 0, "ab@46,0 cd@46,8 h=16"},
      // Pictures inline: the line is as high as the tallest chunk; the vertical alignment places words.
      {u"ab <img src=pic> cd", 100, 0, "ab@0,0 [img]@11,0 cd@20,0 h=12"},
      {u"<valign align=bottom>ab <IMG SRC=PIC margin-left=2> cd", 100, 0, "ab@0,4 [img]@11,0 cd@22,4 h=12"},
      {u"<valign align=vcenter>ab <anim src=spark>", 100, 0, "ab@0,0 [anim]@11,4 h=8"},
      // A floating picture moves the edge of the lines that start beside it.
      {u"<img src=pic align=left>ab cd ef", 30, 0, "[img]@0,0 ab@6,0 cd@17,0 ef@6,8 h=16"},
      {u"ab cd ef<img src=pic align=right>", 30, 0, "ab@0,0 cd@11,0 ef@0,8 [img]@24,0 h=16"},
      // A src that names nothing shows the name.
      {u"<img src=nothing>", 100, 0, "nothing@0,0 h=8"},
      // Paragraphs are blocks of their own lines.
      {u"ab<p>cd ef</p>gh", 100, 0, "ab@0,0 cd@0,8 ef@11,8 gh@0,16 h=24"},
      // A closing tag at the top ends the text.
      {u"ab</x> cd", 100, 0, "ab@0,0 h=8"},
      // A token's text is read as markup in place; unknown tags and attributes are ignored.
      {u"a<token token=greeting>b<blink on=yes>", 100, 0, "a@0,0 x@7,0 y@0,8 b@7,8 h=16"},
      {u"<token token=plain>", 100, 0, "plain@0,0 h=8"},
      // A tag without its end is text, not a fault that ends the screen.
      {u"ab <cd ef", 100, 0, "ab@0,0 <cd@11,0 ef@26,0 h=8"},
      {u"<p>ab <i", 100, 0, "ab@0,0 <i@11,0 h=8"},
      {u"", 100, 0, " h=0"},
      // A no-break space (shown as "?") joins a mark to its word and takes a space's room; a plain one lets the
      // mark begin a line.
      {u"ab cd\u00A0!", 24, 0, "ab@0,0 cd?!@0,8 h=16"},
      {u"ab cd\u202F!", 26, 0, "ab@0,0 cd?!@11,0 h=8"},
      {u"ab cd !", 24, 0, "ab@0,0 cd@11,0 !@0,8 h=16"},
  };
  for (const Case& c : cases) {
    std::string markup(gltest::narrow(new DString(c.markup)));
    EXPECT_EQ(layout(c.markup, c.width, c.alignment), c.expected) << markup;
  }
}

// Paragraphs below the container, down its last child at every level.
int32_t paragraphDepth(const GUITextChunk& container) {
  for (int32_t i = container.childCount() - 1; i >= 0; --i) {
    if (container.child(i)->type == GUITextChunk::PARAGRAPH) return 1 + paragraphDepth(*container.child(i));
  }
  return 0;
}

TEST_F(GUITextTest, ParagraphsNestedTooDeeplyAreText) {
  auto repeat = [](std::u16string_view part, int32_t n) {
    std::u16string out;
    for (int32_t i = 0; i < n; ++i) out += part;
    return out;
  };
  const int32_t deepest = GUIText::kMaxNesting;
  // Two levels past the bound: their tags, closing ones included, are words of the deepest paragraph.
  GUITextPtr text = new GUIText();
  text->setText(new DString(repeat(u"<p>", deepest + 2) + u"x" + repeat(u"</p>", deepest + 2) + u"y"));
  EXPECT_EQ(text->getHeight(1000), 16);
  EXPECT_EQ(paragraphDepth(*text->getRoot()), deepest);
  std::string out;
  describe(*text->getRoot(), 0, 0, out);
  EXPECT_EQ(out, "<p><p>x</p></p>@0,0 y@0,8");

  // No markup, however deep, can exhaust the stack.
  text->setText(new DString(repeat(u"<p>", 200000) + u"x"));
  EXPECT_EQ(text->getHeight(1000), 8);
  EXPECT_EQ(paragraphDepth(*text->getRoot()), deepest);
}

TEST_F(GUITextTest, LineFeedsBreakOnlyWhenKept) {
  EXPECT_EQ(layout(u"ab\ncd", 100, 0, true), "ab@0,0 cd@0,8 h=16");
  EXPECT_EQ(layout(u"ab\ncd", 100, 0, false), "ab@0,0 cd@11,0 h=8");
}

TEST_F(GUITextTest, AHeightLimitCutsTheTextAtTheLineThatCrossesIt) {
  GUITextPtr text = new GUIText();
  text->setMaxHeight(16);
  text->setText(u"aaa bbb ccc ddd eee fff ggg");
  // Three lines of two words; the third crosses the limit and is laid out again with room for "..."
  // (12 pixels): it keeps one word, and the rest is dropped.
  EXPECT_EQ(text->getHeight(30), 24);
  std::string out;
  describe(*text->getRoot(), 0, 0, out);
  EXPECT_EQ(out, "aaa@0,0 bbb@15,0 ccc@0,8 ddd@15,8 eee@0,16");
}

TEST_F(GUITextTest, TextsResolveThroughTheTextTableWhenAStringManagerIsSet) {
  gamelib::TextTable::table->put(new DString(u"GREETING"), new DString(u"hello there"));
  GUITextPtr text = new GUIText();
  text->setText(u"GREETING");
  EXPECT_EQ(gltest::narrow(text->getResolved()), "GREETING");  // no text service: the markup itself
  engine->setStringManager(new gamelib::StringManager());
  engine->textStamp = 1;  // a new language: texts resolve again before their next use
  EXPECT_EQ(text->getHeight(100), 8);
  EXPECT_EQ(gltest::narrow(text->getResolved()), "hello there");
  text->setText(u"NO_SUCH_KEY");
  EXPECT_EQ(gltest::narrow(text->getResolved()), "NO_SUCH_KEY");
}

TEST_F(GUITextTest, NoFontAtAllIsANullPointer) {
  engine->setDefaultFont(nullptr);
  GUITextPtr text = new GUIText();
  text->setText(u"ab");
  EXPECT_THROWS_CODE(nuv::lang::ExceptionCode::NullPointerException, text->getHeight(100));
}

TEST_F(GUITextTest, PaintingPlacesWordsInTheBoxByTheVerticalAlignment) {
  GUITextPtr text = new GUIText();
  text->setAlignment(gamelib::ALIGN_BOTTOM);
  text->setText(u"ab");
  guitest::clearScreen(0xFFFFFF);
  text->paint(gamelib::GameLib::graphics, 10, 20, 50, 30);
  // The glyphs are black blocks 4 x 8: "ab" covers 10..17 x 42..49.
  EXPECT_EQ(guitest::pixel(10, 42), guitest::to565(0x000000));
  EXPECT_EQ(guitest::pixel(17, 49), guitest::to565(0x000000));
  EXPECT_EQ(guitest::pixel(10, 41), guitest::to565(0xFFFFFF));
  EXPECT_EQ(guitest::pixel(18, 49), guitest::to565(0xFFFFFF));
  // An empty text counts as one line when painted.
  GUITextPtr empty = new GUIText();
  empty->setText(u"");
  empty->paint(gamelib::GameLib::graphics, 0, 0, 50, 30);
  EXPECT_EQ(empty->getHeight(50), 0);
}

}  // namespace
