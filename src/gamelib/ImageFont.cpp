// Bitmap fonts: loading the pages and their metrics, finding glyphs, measuring, drawing and line breaking.
#include "gamelib/ImageFont.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "core/io/DDataInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DbyteArray.h"
#include "core/lang/DintArray.h"
#include "gamelib/GameLib.h"
#include "gamelib/PageLayout.h"
#include "gamelib/ResourceDamage.h"

namespace gamelib {

using nuv::io::DDataInputStream;
using nuv::io::DDataInputStreamPtr;
using nuv::io::DInputStreamPtr;
using nuv::lang::catchException;
using nuv::lang::DbyteArray;
using nuv::lang::DbyteArray2d;
using nuv::lang::DExceptionBase;
using nuv::lang::DintArray;
using nuv::lang::DintArray2d;
using nuv::lang::DString;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;
using nuv::microedition::lcdui::DGraphics;
using nuv::microedition::lcdui::DGraphicsPtr;
using nuv::microedition::lcdui::DImage;
using nuv::microedition::lcdui::DImagePtr;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

constexpr char16_t kSpace = u' ';
constexpr char16_t kLineFeed = u'\n';

DStringPtr pageName(DStringPtr prefix, int32_t page) { return (prefix + u"/font_") + page; }

}  // namespace

ImageFont::~ImageFont() {
  pages = nullptr;
  glyphOffsets = nullptr;
  glyphWidths = nullptr;
  charsets = nullptr;
}

void ImageFont::load(DStringPtr prefix) {
  pageCount = 0;
  pages = new DImageArray(kMaxPages);
  glyphOffsets = new DintArray2d(kMaxPages);
  glyphWidths = new DbyteArray2d(kMaxPages);
  charsets = new DStringArray(kMaxPages);
  for (int32_t i = 0; i < kMaxPages; ++i) {
    // A page that is not there leaves its slot empty; one that is there but cannot be read is damage.
    bool undecodable = false;
    (*pages)[i] = GameLib::createPicture(pageName(prefix, i) + u".png", undecodable);
    if (undecodable) ResourceDamage::refuse(pageName(prefix, i) + u".png", u"not a PNG picture");
    if ((*pages)[i].isNull()) continue;
    std::u16string characters;
    DInputStreamPtr stream = GameLib::loadFile(pageName(prefix, i));
    if (!stream.isNull()) {
      ResourceDamage::reading(pageName(prefix, i), [&] {
        characters = readMetrics(DDataInputStreamPtr(new DDataInputStream(stream)), i, pageName(prefix, i));
        stream->close();
      });
      ++pageCount;
    }
    (*charsets)[i] = new DString(std::u16string_view(characters));
  }
}

std::u16string ImageFont::readMetrics(DDataInputStreamPtr data, int32_t page, DStringPtr name) {
  std::u16string characters;
  try {
    // The count is a byte without sign; every glyph it promises must be there and lie inside the picture.
    const int32_t count = data->readUnsignedByte();
    const int32_t pictureWidth = (*pages)[page]->getWidth();
    (*glyphOffsets)[page] = new DintArray(count + 1);
    (*glyphWidths)[page] = new DbyteArray(count + 1);
    DintArray& offsets = *(*glyphOffsets)[page];
    DbyteArray& widths = *(*glyphWidths)[page];
    for (int32_t j = 0; j < count; ++j) {
      DStringPtr character = data->readUTF();
      if (upperCase) character = character->toUpperCase();
      // One character per glyph keeps the character string and the glyph tables in step.
      if (character->length() != 1) ResourceDamage::refuse(name, u"a glyph is not one character");
      characters += character->view();
      const int8_t width = static_cast<int8_t>(data->readByte());
      if (width < 0) ResourceDamage::refuse(name, u"a glyph has a negative width");
      widths[j] = width;
      offsets[j + 1] = offsets[j] + width;
      if (offsets[j + 1] > pictureWidth) ResourceDamage::refuse(name, u"the glyphs run past the page's picture");
    }
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> end = catchException(e, ExceptionCode::EOFException);
    ResourceDamage::refuse(name, u"the table ends before its last glyph");
  }
  if (data->available() > 0) ResourceDamage::refuse(name, u"bytes after the last glyph");
  return characters;
}

int32_t ImageFont::getHeight() { return (*pages)[0]->getHeight(); }

bool ImageFont::findGlyph(char16_t c, int32_t& page, int32_t& glyph) const {
  for (int32_t p = 0; p < pageCount; ++p) {
    // A page whose picture is missing has no characters; the pages after such a gap are not reached.
    DStringPtr characters = (*charsets)[p];
    if (characters.isNull()) return false;
    int32_t j = characters->indexOf(c);
    if (j >= 0) {
      page = p;
      glyph = j;
      return true;
    }
  }
  return false;
}

int32_t ImageFont::spaceAdvance() { return (*(*glyphWidths)[0])[0] + spacing; }

DStringPtr ImageFont::prepare(DStringPtr text) { return upperCase ? text->toUpperCase() : text; }

int32_t ImageFont::stringWidth(DStringPtr text) {
  text = prepare(text);
  int32_t width = 0;
  for (char16_t c : text->view()) {
    int32_t page = 0, glyph = 0;
    if (drawsAsSpace(c)) {
      width += spaceAdvance();
    } else if (findGlyph(c, page, glyph)) {
      width += (*(*glyphWidths)[page])[glyph] + spacing;
    }
  }
  return width;
}

void ImageFont::drawString(DGraphicsPtr g, DStringPtr text, int32_t x, int32_t y, int32_t anchor) {
  int32_t clipX = g->getClipX(), clipY = g->getClipY(), clipW = g->getClipWidth(), clipH = g->getClipHeight();
  if ((anchor & (DGraphics::HCENTER | DGraphics::RIGHT)) != 0) {
    int32_t width = stringWidth(text);
    if ((anchor & DGraphics::HCENTER) != 0) x -= width >> 1;
    if ((anchor & DGraphics::RIGHT) != 0) x -= width;
  }
  if ((anchor & DGraphics::BASELINE) != 0) y -= getHeight() >> 1;
  if ((anchor & DGraphics::VCENTER) != 0) y -= getHeight() >> 1;
  if ((anchor & DGraphics::BOTTOM) != 0) y -= getHeight();

  text = prepare(text);
  for (char16_t c : text->view()) {
    int32_t page = 0, glyph = 0;
    if (drawsAsSpace(c)) {
      x += spaceAdvance();
      continue;
    }
    if (!findGlyph(c, page, glyph)) continue;
    int32_t width = (*(*glyphWidths)[page])[glyph];
    DImagePtr picture = (*pages)[page];
    g->clipRect(x, y, width, picture->getHeight());
    g->drawImage(picture, x - (*(*glyphOffsets)[page])[glyph], y, DGraphics::TOP_LEFT);
    g->setClip(clipX, clipY, clipW, clipH);
    x += width + spacing;
  }
}

void ImageFont::drawStringOnScreen(DStringPtr text, int32_t x, int32_t y, int32_t anchor) {
  drawString(GameLib::graphics, std::move(text), x, y, anchor);
}

DStringArrayPtr ImageFont::splitLines(int32_t maxWidth, DStringPtr text) {
  const int32_t length = text->length();
  std::vector<DStringPtr> lines;
  int32_t start = 0;
  for (;;) {
    int32_t lineEnd = length;
    int32_t accepted = -1;
    int32_t from = start;
    for (;;) {
      int32_t space = text->indexOf(kSpace, from);
      int32_t lineFeed = text->indexOf(kLineFeed, from);
      if (space < 0) space = length;
      if (lineFeed < 0) lineFeed = length;
      int32_t end = std::min(space, lineFeed);
      if (stringWidth(text->substring(start, end)) > maxWidth) {
        // A word wider than the line keeps a line of its own.
        lineEnd = accepted >= 0 ? accepted : end;
        break;
      }
      accepted = end;
      if (end == lineFeed || end == length) {
        lineEnd = end;
        break;
      }
      from = end + 1;
    }
    lines.push_back(text->substring(start, lineEnd));
    if (lineEnd >= length) break;
    start = lineEnd + 1;
  }
  DStringArrayPtr result = new DStringArray(static_cast<int32_t>(lines.size()));
  for (size_t i = 0; i < lines.size(); ++i) (*result)[static_cast<int32_t>(i)] = lines[i];
  return result;
}

}  // namespace gamelib
