// Loading image tables and their atlas, naming rectangles with transform suffixes, and drawing them
// through the clip.
#include "gamelib/GameImage.h"

#include "core/io/DDataInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DInteger.h"
#include "core/lang/DintArray.h"
#include "gamelib/GameLib.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/TextTable.h"

namespace gamelib {

using nuv::io::DDataInputStream;
using nuv::io::DDataInputStreamPtr;
using nuv::io::DInputStreamPtr;
using nuv::lang::catchException;
using nuv::lang::DExceptionBase;
using nuv::lang::DintArray;
using nuv::lang::DintArrayPtr;
using nuv::lang::DInteger;
using nuv::lang::DString;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;
using nuv::microedition::lcdui::DGraphics;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

struct Suffix {
  const char16_t* text;
  int32_t transform;
};
// Tested in this order; each names the same rectangle turned or mirrored.
constexpr Suffix kSuffixes[] = {
    {u"_up", DGraphics::TRANS_ROT270},
    {u"_dn", DGraphics::TRANS_ROT90},
    {u"_lv", DGraphics::TRANS_ROT180},
    {u"_mr", DGraphics::TRANS_MIRROR},
};
constexpr int32_t kSuffixLength = 3;
constexpr int32_t kRectFields = 4;

}  // namespace

void GameImage::setTransform(int32_t code) {
  transform = code;
  int32_t ux = x, uy = y, uw = w, uh = h;
  switch (code) {
    case DGraphics::TRANS_MIRROR:
      x = atlasWidth - uw - ux;
      break;
    case DGraphics::TRANS_ROT90:
      x = atlasHeight - uh - uy;
      y = ux;
      w = uh;
      h = uw;
      break;
    case DGraphics::TRANS_ROT270:
      x = uy;
      y = atlasWidth - uw - ux;
      w = uh;
      h = uw;
      break;
    default:  // none, and 180 degrees: draw takes the opposite corner
      break;
  }
}

void GameImage::loadImageTable(DStringPtr setName) {
  imageTable->clear();
  atlas = nullptr;
  atlasWidth = atlasHeight = 0;

  DStringPtr path = GameLib::resolvePath(u"graphics/", setName + u".txt");
  DInputStreamPtr stream = path.isNull() ? nullptr : GameLib::loadFile(path);
  if (stream.isNull()) nuv::lang::throwException(ExceptionCode::IOException);
  DDataInputStreamPtr data = new DDataInputStream(stream);
  // A line that is no rectangle is damage to the table, named; the lines before it stay.
  ResourceDamage::reading(path, [&] {
    try {
      for (;;) {
        DStringPtr line = TextTable::readLine(data, false);
        if (line.isNull()) break;
        DStringArrayPtr fields = TextTable::split(line, u';');
        DintArrayPtr rect = new DintArray(kRectFields);
        for (int32_t i = 0; i < kRectFields; ++i) (*rect)[i] = DInteger::parseInt((*fields)[i + 1]);
        imageTable->put(DStringPtr((*fields)[0]), rect);
      }
    } catch (DExceptionBase* e) {
      try {
        catchException(e, ExceptionCode::EOFException);
      } catch (...) {
        stream->close();
        throw;
      }
    }
  });
  stream->close();

  atlas = GameLib::loadImage(setName);
  if (atlas.isNull()) nuv::lang::throwException(ExceptionCode::IOException);
  atlasWidth = atlas->getWidth();
  atlasHeight = atlas->getHeight();
}

GameImagePtr GameImage::create(DStringPtr name) {
  int32_t baseLength = name->length();
  int32_t code = DGraphics::TRANS_NONE;
  for (const Suffix& suffix : kSuffixes) {
    if (name->endsWith(suffix.text)) {
      code = suffix.transform;
      baseLength -= kSuffixLength;
      break;
    }
  }
  auto* rect = static_cast<DintArray*>(imageTable->get(name->substring(0, baseLength)));
  if (rect == nullptr) return nullptr;
  GameImagePtr image = new GameImage((*rect)[0], (*rect)[1], (*rect)[2], (*rect)[3]);
  image->setTransform(code);
  return image;
}

void GameImage::draw(int32_t x, int32_t y, GameImagePtr image) { drawWith(x, y, std::move(image), false); }

void GameImage::drawOpaque(int32_t x, int32_t y, GameImagePtr image) { drawWith(x, y, std::move(image), true); }

void GameImage::drawWith(int32_t x, int32_t y, GameImagePtr image, bool opaque) {
  DGraphics& g = *graphics;
  const GameImage& picture = *image;
  int32_t clipX = g.getClipX(), clipY = g.getClipY(), clipW = g.getClipWidth(), clipH = g.getClipHeight();
  int32_t offsetX = picture.x, offsetY = picture.y;
  if (picture.transform == DGraphics::TRANS_ROT180) {
    offsetX = atlas->getWidth() - picture.x - picture.w;
    offsetY = atlas->getHeight() - picture.y - picture.h;
  }
  g.clipRect(x, y, picture.w, picture.h);
  if (opaque) {
    g.drawImageOpaque(atlas, x - offsetX, y - offsetY, DGraphics::TOP_LEFT, picture.transform);
  } else {
    g.drawImage(atlas, x - offsetX, y - offsetY, DGraphics::TOP_LEFT, picture.transform);
  }
  g.setClip(clipX, clipY, clipW, clipH);
}

}  // namespace gamelib
