// One node of a parsed marked-up text: a paragraph holding further chunks, a word, an inline or floating
// picture or animation, a line break, or a switch of alignment or font.
#pragma once

#include <cstdint>

#include "core/lang/DObject.h"
#include "core/util/DVector.h"
#include "gui/GUIFont.h"

namespace gamelib {

class GUITextChunk;
using GUITextChunkPtr = nuv::lang::DPtr<GUITextChunk>;

class GUITextChunk : public nuv::lang::DObject {
 public:
  static constexpr int32_t PARAGRAPH = 0;
  static constexpr int32_t ALIGN = 1;
  static constexpr int32_t VALIGN = 2;
  static constexpr int32_t WORD = 3;
  static constexpr int32_t ANIMATION = 4;
  static constexpr int32_t PICTURE = 5;
  static constexpr int32_t FLOATING_ANIMATION = 6;
  static constexpr int32_t FLOATING_PICTURE = 7;
  static constexpr int32_t BREAK = 8;
  static constexpr int32_t FONT = 9;

  GUITextChunk(int32_t type, int32_t align) : type(type), align(align) {}
  const char* getClassName() const override { return "GUITextChunk"; }

  void addChild(GUITextChunkPtr chunk);
  int32_t childCount() const { return children.isNull() ? 0 : children->size(); }
  GUITextChunk* child(int32_t i) const { return static_cast<GUITextChunk*>(children->elementAt(i)); }
  bool isFloating() const { return type == FLOATING_ANIMATION || type == FLOATING_PICTURE; }
  // Words, inline pictures and animations: what a line is made of.
  bool isInline() const { return type == WORD || type == ANIMATION || type == PICTURE; }

  int32_t type;
  // The alignment an align attribute gave: horizontal (0 left, 1 right, 2 centre, 3 justify) or vertical
  // (0 top, 4 bottom, 8 middle).
  int32_t align;
  // Set by the layout, relative to the container.
  int32_t x = 0;
  int32_t y = 0;
  // Margins included.
  int32_t w = 0;
  int32_t h = 0;
  // The word (DString), the picture (DImage), the animation (GUIAnimation) or the font (GUIFont).
  nuv::lang::DObjectPtr content;
  // Of a word: given by the layout, which measures it then.
  GUIFontPtr font;
  int32_t marginLeft = 0;
  int32_t marginTop = 0;
  int32_t marginRight = 0;
  int32_t marginBottom = 0;
  nuv::util::DVectorPtr children;
};

}  // namespace gamelib
