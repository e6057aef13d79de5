// Marked-up text: laying the chunks out into lines for a width.
#include <algorithm>
#include <utility>
#include <vector>

#include "gui/GUIEngine.h"
#include "gui/GUIRect.h"
#include "gui/GUIText.h"

namespace gamelib {

namespace {

struct Placed {
  GUITextChunk* chunk;
  int32_t valign;
};

}  // namespace

GUIFontPtr GUIText::layoutFont() {
  GUIFontPtr chosen = font.isNull() ? GUIEngine::getInstance()->getDefaultFont() : font;
  if (chosen.isNull()) nuv::lang::throwNullPointerException();
  return chosen;
}

void GUIText::layout(int32_t width) {
  layoutWidth = width;
  widestLine = 0;
  lastLineWidth = lastLineTop = 0;
  markerShown_ = false;
  marker_ = nullptr;
  markerWidth_ = 0;
  if (maxHeight > 0) {
    marker_ = overflowMarker.isNull() ? GUIEngine::getInstance()->getEllipsisText() : overflowMarker;
    if (marker_.isNull() || marker_.get() == this) {
      marker_ = new GUIText();
      marker_->setResolvedText(u"");
    }
    marker_->getHeight(width);
    markerWidth_ = marker_->widestLine;
  }
  bool cut = false;
  height = layoutContainer(*root, width, 0, cut);
}

int32_t GUIText::layoutContainer(GUITextChunk& container, int32_t width, int32_t top, bool& cut) {
  const GUIFontPtr base = layoutFont();
  GUIFontPtr current = base;
  const int32_t gap = base->stringWidth(u" ");
  int32_t hAlign = alignment & ALIGN_HORIZONTAL, vAlign = 0;
  const int32_t n = container.childCount();

  // Floating pictures sit at the top; the lines beside them start or end short of them.
  int32_t leftWidth = 0, leftBottom = 0, rightWidth = 0, rightBottom = 0;
  for (int32_t i = 0; i < n; ++i) {
    GUITextChunk& chunk = *container.child(i);
    if (!chunk.isFloating()) continue;
    if ((chunk.align & ALIGN_HORIZONTAL) == 0) {
      chunk.x = chunk.y = 0;
      leftWidth = chunk.w;
      leftBottom = chunk.h;
    } else if ((chunk.align & ALIGN_HORIZONTAL) == ALIGN_RIGHT) {
      chunk.x = width - chunk.w;
      chunk.y = 0;
      rightWidth = chunk.w;
      rightBottom = chunk.h;
    }
  }

  std::vector<Placed> line;
  bool cutMode = false;
  int32_t y = 0;
  int32_t i = 0;
  while (i < n) {
    const int32_t lineStart = i;
    const GUIFontPtr lineFont = current;
    const int32_t lineHAlign = hAlign, lineVAlign = vAlign;
    GUITextChunk& first = *container.child(i);
    if (first.type == GUITextChunk::PARAGRAPH) {
      first.x = 0;
      first.y = y;
      first.w = width;
      first.h = layoutContainer(first, width, top + y, cut);
      y += first.h;
      ++i;
      if (cut) {
        container.children->setSize(i);
        return y;
      }
      continue;
    }

    int32_t left = y < leftBottom ? leftWidth : 0;
    int32_t right = y < rightBottom ? width - rightWidth : width;
    if (cutMode) right -= markerWidth_;
    int32_t lineHeight = current->getHeight();
    line.clear();
    bool lineEnded = false, broken = false;
    while (!lineEnded && i < n) {
      // One run: the chunks up to the next change of alignment, placed together.
      const size_t runStart = line.size();
      int32_t runWidth = 0, space = right - left;
      bool overflowed = false;
      GUITextChunk* alignChange = nullptr;
      while (i < n) {
        GUITextChunk& chunk = *container.child(i);
        if (chunk.type == GUITextChunk::FONT) {
          current = chunk.content.isNull() ? base : nuv::lang::dynamicCast<GUIFont>(chunk.content);
          if (current.isNull()) current = base;
        } else if (chunk.type == GUITextChunk::ALIGN || chunk.type == GUITextChunk::VALIGN) {
          alignChange = &chunk;
          ++i;
          break;
        } else if (chunk.type == GUITextChunk::BREAK) {
          ++i;
          lineEnded = broken = true;
          break;
        } else if (chunk.type == GUITextChunk::PARAGRAPH) {
          lineEnded = true;
          break;
        } else if (chunk.isInline()) {
          if (chunk.type == GUITextChunk::WORD && chunk.font.isNull()) {
            chunk.font = current;
            measure(chunk);
          }
          // A chunk too wide for the space left ends the line, unless the line has nothing yet.
          if (chunk.w > space && !line.empty()) {
            lineEnded = overflowed = true;
            break;
          }
          runWidth += (line.size() > runStart ? gap : 0) + chunk.w;
          line.push_back({&chunk, vAlign});
          space -= chunk.w + gap;
          lineHeight = std::max(lineHeight, chunk.h);
        }
        ++i;
      }

      const int32_t count = static_cast<int32_t>(line.size() - runStart);
      if (count > 0) {
        int32_t x = left, step = gap;
        if (hAlign == ALIGN_RIGHT) {
          x = right - runWidth;
          right = x - gap;
        } else {
          if (hAlign == ALIGN_HCENTER) x = (right - runWidth + left) / 2;
          // The last line of justified text, and a line of one chunk, stay left-aligned.
          if (hAlign == ALIGN_JUSTIFY && count > 1 && overflowed) step = gap + (right - left - runWidth) / (count - 1);
          left = x + runWidth + gap;
        }
        for (size_t k = runStart; k < line.size(); ++k) {
          line[k].chunk->x = x;
          x += line[k].chunk->w + step;
        }
      }
      if (alignChange != nullptr) {
        if (alignChange->type == GUITextChunk::ALIGN) {
          hAlign = alignChange->align & ALIGN_HORIZONTAL;
        } else {
          vAlign = alignChange->align & ALIGN_VERTICAL;
        }
      }
    }

    if (line.empty() && !broken) continue;
    if (maxHeight > 0 && !cutMode && top + y + lineHeight > maxHeight) {
      // The line that crosses the limit is laid out again, leaving room for the overflow mark, and ends
      // the text.
      i = lineStart;
      current = lineFont;
      hAlign = lineHAlign;
      vAlign = lineVAlign;
      cutMode = true;
      continue;
    }
    int32_t lineWidth = 0;
    for (const Placed& p : line) {
      int32_t free = lineHeight - p.chunk->h;
      p.chunk->y = y + (p.valign == ALIGN_BOTTOM ? free : p.valign == ALIGN_VCENTER ? free >> 1 : 0);
      lineWidth = std::max(lineWidth, p.chunk->x + p.chunk->w);
    }
    widestLine = std::max(widestLine, lineWidth);
    lastLineWidth = lineWidth;
    lastLineTop = top + y;
    if (cutMode) {
      markerShown_ = true;
      markerX_ = lineWidth + (line.empty() ? 0 : gap);
      markerY_ = top + y;
      container.children->setSize(i);
      cut = true;
      return y + lineHeight;
    }
    y += lineHeight;
  }
  return y;
}

}  // namespace gamelib
