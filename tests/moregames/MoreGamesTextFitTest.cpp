// Every word of every more-games entry, in each language of the real data and at both screen sizes, ends
// inside its text column: the layout keeps a word too wide for its line on that line, where the column's
// edge would cut it, so the texts must be short enough beside the icon and below it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/lang/DString.h"
#include "gamelib/TextTable.h"
#include "gui/GUIText.h"
#include "gui/GUITextChunk.h"
#include "moregames/MoreGames.h"
#include "moregames/MoreGamesFixture.h"

namespace gltest {

void PrintTo(const MenuFixture::ScreenSize& size, std::ostream* out) { *out << size.width << "x" << size.height; }

}  // namespace gltest

namespace {

using gamelib::GUIText;
using gamelib::GUITextChunk;
using gamelib::TextTable;
using moregames::MoreGames;
using nuv::lang::DString;
using nuv::lang::DStringPtr;
using ScreenSize = gltest::MenuFixture::ScreenSize;

// The chunks of the container (and of its paragraphs) that end past the width, with where they end.
void chunksPastTheEdge(const GUITextChunk& container, int32_t width, std::string& out) {
  for (int32_t i = 0; i < container.childCount(); ++i) {
    const GUITextChunk& c = *container.child(i);
    if (c.type == GUITextChunk::PARAGRAPH) chunksPastTheEdge(c, width, out);
    if (!c.isInline() || c.x + c.w <= width) continue;
    out += c.type == GUITextChunk::WORD ? "\"" + gltest::narrow(nuv::lang::dynamicCast<DString>(c.content)) + "\""
                                        : std::string("a picture");
    out += " from " + std::to_string(c.x) + " to " + std::to_string(c.x + c.w) + "; ";
  }
}

class MoreGamesTextFit : public moregamestest::MoreGamesFixture, public ::testing::WithParamInterface<ScreenSize> {
 protected:
  void SetUp() override {
    screenSize = GetParam();
    MoreGamesFixture::SetUp();
  }
};

TEST_P(MoreGamesTextFit, EveryLineOfEveryEntryFitsItsColumn) {
  for (const char16_t* language : {u"/txt/res_en", u"/txt/res_de", u"/txt/res_fr"}) {
    TextTable::load(language, true);
    open();
    for (int32_t n = 0; n < MoreGames::kEntryCount; ++n) {
      GUIText& text = *entry(n)->getText();
      // The column the entry's text is laid out for and painted in.
      ASSERT_EQ(text.layoutWidth, entry(n)->clientW);
      std::string past;
      chunksPastTheEdge(*text.getRoot(), text.layoutWidth, past);
      EXPECT_LE(text.widestLine, text.layoutWidth)
          << gltest::narrow(DStringPtr(language)) << " at " << ::testing::PrintToString(screenSize) << ", MORE_GAME"
          << n << ": the column is " << text.layoutWidth << " pixels wide (the icon takes "
          << text.getRoot()->child(0)->w << " beside it), past its edge: " << past;
    }
    screen->leave();
  }
}

INSTANTIATE_TEST_SUITE_P(BothSizes, MoreGamesTextFit, ::testing::Values(ScreenSize{240, 320}, ScreenSize{480, 640}),
                         [](const ::testing::TestParamInfo<ScreenSize>& size) {
                           return ::testing::PrintToString(size.param);
                         });

}  // namespace
