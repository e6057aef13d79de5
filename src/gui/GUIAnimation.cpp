// Drawing the animations of widgets and texts.
#include "gui/GUIAnimation.h"

#include "gui/GUIEngine.h"

namespace gamelib {

using nuv::microedition::lcdui::DGraphicsPtr;
using nuv::microedition::lcdui::DImagePtr;

GUIAnimation::GUIAnimation(DImagePtr picture) : kind(KIND_PICTURE), picture(std::move(picture)) {}

GUIAnimation::GUIAnimation(int32_t fillColour, int32_t borderColour)
    : kind(KIND_BOX), fillColour(fillColour), borderColour(borderColour) {}

GUIAnimation::GUIAnimation(AnimationPtr frames, bool loop) : kind(KIND_FRAMES), frames(std::move(frames)), loop(loop) {}

GUISize GUIAnimation::getSize() {
  if (kind == KIND_PICTURE && !picture.isNull()) return {picture->getWidth(), picture->getHeight()};
  if (kind == KIND_FRAMES && !frames.isNull()) return {frames->maxWidth, frames->maxHeight};
  return {};
}

GUISize GUIAnimation::getTileSize() { return getSize(); }

GUIRect GUIAnimation::getFrameRect(int32_t) { return {}; }

bool GUIAnimation::isFinished() const { return kind != KIND_FRAMES || finished; }

void GUIAnimation::setFrame(int32_t n) {
  if (kind == KIND_FRAMES) frame = n;
}

void GUIAnimation::setFinished(bool flag) {
  if (kind == KIND_FRAMES) finished = flag;
}

void GUIAnimation::paintAt(const DGraphicsPtr& g, int32_t x, int32_t y) {
  if (g.isNull()) return;
  switch (kind) {
    case KIND_BOX: {
      if (width <= 0 || height <= 0) return;
      int32_t colour = g->getColor();
      if (fillColour != kNoColour) {
        g->setColor(fillColour);
        g->fillRect(x, y, width, height);
      }
      if (borderColour != kNoColour) {
        g->setColor(borderColour);
        g->drawRect(x, y, width, height);
      }
      g->setColor(colour);
      return;
    }
    case KIND_PICTURE:
      if (!picture.isNull()) g->drawImage(picture, x, y, 0);
      return;
    default:
      if (loop) {
        frame = 0;
        GUIEngine::requestRepaint();
      } else {
        finished = true;
      }
      return;
  }
}

void GUIAnimation::paintArea(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (g.isNull()) return;
  GUIRect saved = GUIEngine::getClip(g);
  GUIEngine::clipRect(g, {x, y, w, h});
  if (kind == KIND_BOX) {
    int32_t ownW = width, ownH = height;
    width = w;
    height = h;
    paintAt(g, x, y);
    width = ownW;
    height = ownH;
  } else {
    GUISize tile = getTileSize();
    // A tile without area would never cover the area.
    if (tile.width > 0 && tile.height > 0) {
      int32_t x0 = x, y0 = y;
      int32_t rx = w % tile.width, ry = h % tile.height;
      if ((tileAlign & ALIGN_HORIZONTAL) == ALIGN_RIGHT) x0 = x + rx - tile.width;
      if ((tileAlign & ALIGN_HORIZONTAL) == ALIGN_HCENTER && rx != 0) x0 = x + (rx >> 1) - (tile.width >> 1);
      if ((tileAlign & ALIGN_VERTICAL) == ALIGN_BOTTOM) y0 = y + ry - tile.height;
      if ((tileAlign & ALIGN_VERTICAL) == ALIGN_VCENTER && ry != 0) y0 = y + (ry >> 1) - (tile.height >> 1);
      for (int32_t ty = y0; ty < y + h; ty += tile.height) {
        for (int32_t tx = x0; tx < x + w; tx += tile.width) paintAt(g, tx, ty);
      }
    } else if (kind == KIND_FRAMES) {
      paintAt(g, x, y);
    }
  }
  GUIEngine::setClip(g, saved);
}

}  // namespace gamelib
