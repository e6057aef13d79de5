// Marked-up text: its source, resolving it through the text table, its resources, and painting.
#include "gui/GUIText.h"

#include "gamelib/TextTable.h"
#include "gui/GUIAnimation.h"
#include "gui/GUIEngine.h"
#include "gui/GUIRect.h"

namespace gamelib {

using nuv::lang::DObjectPtr;
using nuv::lang::DString;
using nuv::lang::DStringPtr;
using nuv::microedition::lcdui::DGraphicsPtr;
using nuv::microedition::lcdui::DImage;
using nuv::util::DHashtable;

void GUITextChunk::addChild(GUITextChunkPtr chunk) {
  if (children.isNull()) children = new nuv::util::DVector();
  children->addElement(chunk);
}

void GUIText::setText(DStringPtr text) {
  source = std::move(text);
  resolved = nullptr;
  resolve();
}

void GUIText::setResolvedText(DStringPtr text) {
  resolved = std::move(text);
  root = nullptr;
  layoutWidth = -1;
}

void GUIText::setFont(GUIFontPtr newFont) {
  font = std::move(newFont);
  root = nullptr;
  layoutWidth = -1;
}

void GUIText::putResource(DStringPtr name, DObjectPtr object) {
  if (name.isNull()) return;
  DStringPtr key = name->toLowerCase();
  if (object.isNull()) {
    if (!resources.isNull()) resources->remove(key);
  } else {
    if (resources.isNull()) resources = new DHashtable(DHashtable::kDefaultBuckets, DHashtable::kDefaultLoadFactor);
    resources->put(key, object);
  }
  root = nullptr;
  layoutWidth = -1;
}

DObjectPtr GUIText::getResource(DStringPtr name) {
  if (name.isNull()) return nullptr;
  DStringPtr key = name->toLowerCase();
  if (!resources.isNull()) {
    if (nuv::lang::DObject* found = resources->get(key)) return found;
  }
  return GUIEngine::getInstance()->getResource(key);
}

// The layout settings change what is measured or parsed, so the cached levels go.
void GUIText::setAlignment(int32_t bits) {
  alignment = bits;
  layoutWidth = -1;
}

void GUIText::setKeepNewlines(bool on) {
  keepNewlines = on;
  root = nullptr;
  layoutWidth = -1;
}

void GUIText::setLineSpacing(int32_t pixels) {
  lineSpacing = pixels;
  root = nullptr;
  layoutWidth = -1;
}

void GUIText::setMaxHeight(int32_t pixels) {
  maxHeight = pixels;
  root = nullptr;
  layoutWidth = -1;
}

void GUIText::setOverflowMarker(GUITextPtr marker) {
  overflowMarker = std::move(marker);
  root = nullptr;
  layoutWidth = -1;
}

void GUIText::resolve() {
  GUIEnginePtr engine = GUIEngine::getInstance();
  language = engine->textStamp;
  // A text set as it is has no source to look up.
  if (source.isNull()) return;
  StringManagerPtr manager = textTable.isNull() ? engine->getStringManager() : textTable;
  resolved = manager.isNull() ? source : TextTable::getString(source);
  root = nullptr;
  layoutWidth = -1;
}

void GUIText::makeCurrent() {
  if (language != GUIEngine::getInstance()->textStamp) resolve();
  if (root.isNull()) parse();
}

int32_t GUIText::getHeight(int32_t width) {
  makeCurrent();
  if (root.isNull() || root->childCount() == 0) return 0;
  if (width != layoutWidth) layout(width);
  return height;
}

void GUIText::paint(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h) {
  makeCurrent();
  if (root.isNull()) return;
  if (w != layoutWidth) layout(w);
  int32_t textHeight = root->childCount() == 0 ? layoutFont()->getHeight() : height;
  if (textHeight < h) {
    if ((alignment & ALIGN_VERTICAL) == ALIGN_BOTTOM) y += h - textHeight;
    if ((alignment & ALIGN_VERTICAL) == ALIGN_VCENTER) y += (h - textHeight) >> 1;
  }
  paintContainer(g, *root, x, y);
  if (markerShown_ && !marker_.isNull())
    marker_->paint(g, x + markerX_, y + markerY_, markerWidth_, marker_->getHeight(markerWidth_));
}

void GUIText::paintContainer(const DGraphicsPtr& g, GUITextChunk& container, int32_t x, int32_t y) {
  GUIRect clip = GUIEngine::getClip(g);
  for (int32_t i = 0; i < container.childCount(); ++i) {
    GUITextChunk& chunk = *container.child(i);
    int32_t px = x + chunk.x + chunk.marginLeft, py = y + chunk.y + chunk.marginTop;
    switch (chunk.type) {
      case GUITextChunk::PARAGRAPH:
        paintContainer(g, chunk, x + chunk.x, y + chunk.y);
        break;
      case GUITextChunk::WORD:
        if (!chunk.font.isNull() && rectsOverlap(clip, {x + chunk.x, y + chunk.y, chunk.w, chunk.h}))
          chunk.font->drawString(g, nuv::lang::dynamicCast<DString>(chunk.content), px, py, 0);
        break;
      case GUITextChunk::ANIMATION:
      case GUITextChunk::FLOATING_ANIMATION:
        static_cast<GUIAnimation*>(chunk.content.get())->paintAt(g, px, py);
        break;
      case GUITextChunk::PICTURE:
      case GUITextChunk::FLOATING_PICTURE:
        g->drawImage(nuv::lang::dynamicCast<DImage>(chunk.content), px, py, 0);
        break;
      default:
        break;
    }
  }
}

}  // namespace gamelib
