// A text in the GUI's small tag language: resolved through the current language's text table, parsed into
// a tree of chunks, laid out into lines for a width (wrapping, alignment, justification, floating pictures,
// a height limit with an overflow mark) and painted.
//
// Tags (names and attribute names in any case, attribute values without quotes):
//   <p>...</p> a paragraph   <br> a line break   <align align=left|right|center|justify|default>
//   <valign align=top|bottom|vcenter>   <img src=NAME> and <anim src=NAME> inline, or floating at the
//   left or right edge with align=left|right   <font face=NAME|default>   <token token=NAME> the text of
//   a resource read as markup in place. Margins: margin-left, margin-top, margin-right, margin-bottom.
//   An <align> or <valign> does not end the line: the words after it go on in the space the line still
//   has free; a <br> or a paragraph starts them on a line of their own.
//   "&lt;" is "<". A "<" without a ">" after it is ordinary text, and so is a <p> (with its closing tag)
//   nested deeper than kMaxNesting.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "core/util/DHashtable.h"
#include "gui/GUIFont.h"
#include "gui/GUITextChunk.h"
#include "gui/StringManager.h"
#include "shell/lcdui/DGraphics.h"

namespace gamelib {

class GUIText;
using GUITextPtr = nuv::lang::DPtr<GUIText>;

class GUIText : public nuv::lang::DObject {
 public:
  // Paragraphs and tokens nest at most this deep; parsing, layout and painting recurse once per level.
  static constexpr int32_t kMaxNesting = 64;

  GUIText() = default;
  const char* getClassName() const override { return "GUIText"; }

  // The source is a text-table key or markup; it is resolved at once.
  void setText(nuv::lang::DStringPtr text);
  // The text to show as it is, without a lookup.
  void setResolvedText(nuv::lang::DStringPtr text);
  // Null: the engine's default font.
  void setFont(GUIFontPtr newFont);
  // Stored under the lower-cased name; null removes it.
  void putResource(nuv::lang::DStringPtr name, nuv::lang::DObjectPtr object);
  // This text's resource of the lower-cased name, else the engine's; null when neither has it.
  nuv::lang::DObjectPtr getResource(nuv::lang::DStringPtr name);
  void setAlignment(int32_t bits);
  void setKeepNewlines(bool on);
  void setLineSpacing(int32_t pixels);
  void setMaxHeight(int32_t pixels);
  void setOverflowMarker(GUITextPtr marker);

  // The height of the layout for the width; 0 without text.
  int32_t getHeight(int32_t width);
  // The text laid out for w, drawn in the box (x, y, w, h), moved down by the vertical alignment.
  void paint(const nuv::microedition::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h);

  nuv::lang::DStringPtr getSource() const { return source; }
  nuv::lang::DStringPtr getResolved() const { return resolved; }
  GUITextChunkPtr getRoot() const { return root; }

  // The engine's text stamp the text was resolved for.
  int32_t language = -1;
  nuv::lang::DStringPtr source;
  nuv::lang::DStringPtr resolved;
  // -1: not laid out.
  int32_t layoutWidth = -1;
  int32_t height = 0;
  int32_t widestLine = 0;
  int32_t lineSpacing = 0;
  int32_t lastLineWidth = 0;
  int32_t lastLineTop = 0;
  GUITextChunkPtr root;
  // Null: the engine's.
  StringManagerPtr textTable;
  GUIFontPtr font;
  // Horizontal bits 0 left, 1 right, 2 centre, 3 justify; vertical bits 0 top, 4 bottom, 8 middle.
  int32_t alignment = 0;
  bool keepNewlines = false;
  // Not positive: no limit.
  int32_t maxHeight = -1;
  GUITextPtr overflowMarker;
  nuv::util::DHashtablePtr resources;

 private:
  struct LineState;

  // Resolves again when the engine's text stamp changed, and parses when there is no tree.
  void makeCurrent();
  void resolve();
  void parse();
  // Parses from pos into the container up to a closing tag (returns the position after it) or the end.
  // tokenDepth counts the tokens being read, nesting the paragraphs and tokens around the container.
  int32_t parseInto(GUITextChunk& container, const nuv::lang::DString& text, int32_t pos, int32_t tokenDepth,
                    int32_t nesting);
  void parseTag(GUITextChunk& container, std::u16string_view name, std::u16string_view attributes, int32_t tokenDepth,
                int32_t nesting);
  void measure(GUITextChunk& chunk);

  void layout(int32_t width);
  // The container's lines for the width; its height. Sets cut when the height limit ended the text there.
  int32_t layoutContainer(GUITextChunk& container, int32_t width, int32_t top, bool& cut);
  GUIFontPtr layoutFont();

  void paintContainer(const nuv::microedition::lcdui::DGraphicsPtr& g, GUITextChunk& container, int32_t x, int32_t y);

  // The overflow mark of a cut layout: which text, where and how wide.
  GUITextPtr marker_;
  bool markerShown_ = false;
  int32_t markerX_ = 0;
  int32_t markerY_ = 0;
  int32_t markerWidth_ = 0;
};

}  // namespace gamelib
