// Loading image tables and their atlas, naming rectangles with transform suffixes, and drawing them
// through the clip.
#include "gamelib/GameImage.h"

#include <string>

#include "core/io/DInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DInteger.h"
#include "core/lang/DintArray.h"
#include "gamelib/GameLib.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/TextTable.h"

namespace gamelib {

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
constexpr int32_t kCarriageReturn = 13;
constexpr int32_t kLineFeed = 10;
constexpr const char16_t* kLineEnds = u"; the table's lines end in CR LF";
// A line's fields, named as a refusal names the one that is wrong.
constexpr const char16_t* kFieldNames[kRectFields + 1] = {u"name", u"x", u"y", u"width", u"height"};

// The table's rectangle for the name with its suffix cut off, and the suffix's transform; null when absent.
DintArray* lookUp(DStringPtr name, int32_t& transform) {
  int32_t baseLength = name->length();
  transform = DGraphics::TRANS_NONE;
  for (const Suffix& suffix : kSuffixes) {
    if (name->endsWith(suffix.text)) {
      transform = suffix.transform;
      baseLength -= kSuffixLength;
      break;
    }
  }
  return static_cast<DintArray*>(GameImage::imageTable->get(name->substring(0, baseLength)));
}

// The line's bytes up to its CR LF; null at the end of the data. An empty line, or one that ends otherwise, is
// refused by its number: read past, the lines after it would be lost or run together without a word.
DStringPtr readTableLine(DInputStreamPtr in, DStringPtr path, int32_t lineNumber) {
  const DStringPtr where = DStringPtr(u"line ") + lineNumber;
  std::u16string line;
  for (;;) {
    const int32_t byte = in->read();
    if (byte < 0) return line.empty() ? nullptr : new DString(std::u16string_view(line));
    if (byte == kLineFeed) ResourceDamage::refuse(path, where + u" ends in a line feed alone" + kLineEnds);
    if (byte == kCarriageReturn) {
      if (in->read() != kLineFeed)
        ResourceDamage::refuse(path, where + u" ends in a carriage return alone" + kLineEnds);
      if (line.empty()) ResourceDamage::refuse(path, where + u" is empty");
      return new DString(std::u16string_view(line));
    }
    line.push_back(static_cast<char16_t>(byte));
  }
}

[[noreturn]] void refuseShortLine(DStringPtr path, int32_t lineNumber, int32_t fieldCount) {
  DStringPtr why =
      (DStringPtr(u"line ") + lineNumber) + u" has " + fieldCount + (fieldCount == 1 ? u" field" : u" fields");
  ResourceDamage::refuse(
      path, ((why + u", ") + (kRectFields + 1)) + u" are needed: the " + kFieldNames[fieldCount] + u" is missing");
}

// Field `field` of the line as a number; a refusal naming the line and the field when it is none.
int32_t numberField(DStringPtr path, int32_t lineNumber, DStringArrayPtr fields, int32_t field) {
  DStringPtr text = (*fields)[field];
  try {
    return DInteger::parseInt(text);
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::NumberFormatException);
  }
  DStringPtr where = (DStringPtr(u"line ") + lineNumber) + u": the " + kFieldNames[field];
  ResourceDamage::refuse(path, text->trim()->length() == 0 ? where + u" is empty, a number is needed"
                                                           : (where + u" \"") + text + u"\" is not a number");
}

DStringPtr tableShownName() {
  return GameImage::tableName.isNull() ? DStringPtr(u"the image table") : GameImage::tableName;
}

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

  tableName = nullptr;
  DStringPtr path = GameLib::resolvePath(u"graphics/", setName + u".txt");
  DInputStreamPtr stream = path.isNull() ? nullptr : GameLib::loadFile(path);
  if (stream.isNull()) ResourceDamage::refuseMissing(GameLib::firstCandidate(u"graphics/", setName + u".txt"));
  // A line that is no rectangle is damage to the table, named; the lines before it stay.
  ResourceDamage::reading(path, [&] {
    try {
      for (int32_t lineNumber = 1;; ++lineNumber) {
        DStringPtr line = readTableLine(stream, path, lineNumber);
        if (line.isNull()) break;
        DStringArrayPtr fields = TextTable::split(line, u';');
        if (fields->length < kRectFields + 1) refuseShortLine(path, lineNumber, fields->length);
        DintArrayPtr rect = new DintArray(kRectFields);
        for (int32_t i = 0; i < kRectFields; ++i) (*rect)[i] = numberField(path, lineNumber, fields, i + 1);
        imageTable->put(DStringPtr((*fields)[0]), rect);
      }
    } catch (...) {
      stream->close();
      throw;
    }
  });
  stream->close();

  atlas = GameLib::requireImage(setName);
  atlasWidth = atlas->getWidth();
  atlasHeight = atlas->getHeight();
  tableName = path;
  checkRectangles(path);
}

void GameImage::checkRectangles(DStringPtr path) {
  // Games size their sprites, cells and buffers from these: a rectangle must be a part of the picture.
  for (nuv::util::DEnumerationPtr keys = imageTable->keys(); keys->hasMoreElements();) {
    DStringPtr key = static_cast<DString*>(keys->nextElement());
    const DintArray& r = *static_cast<DintArray*>(imageTable->get(key));
    const int64_t x = r[0], y = r[1], w = r[2], h = r[3];
    if (x < 0 || y < 0 || w < 1 || h < 1 || x + w > atlasWidth || y + h > atlasHeight) {
      ResourceDamage::refuse(path, u"the rectangle of \"" + key + u"\" is not inside the picture");
    }
  }
}

GameImagePtr GameImage::create(DStringPtr name) {
  int32_t code = DGraphics::TRANS_NONE;
  DintArray* rect = lookUp(name, code);
  if (rect == nullptr) {
    // A screen may go without it; if it cannot, its null-pointer failure names what was not there.
    ResourceDamage::noteMissing((u"\"" + name + u"\" is not in ") + tableShownName());
    return nullptr;
  }
  GameImagePtr image = new GameImage((*rect)[0], (*rect)[1], (*rect)[2], (*rect)[3]);
  image->setTransform(code);
  return image;
}

bool GameImage::has(DStringPtr name) {
  int32_t code = DGraphics::TRANS_NONE;
  return lookUp(name, code) != nullptr;
}

GameImagePtr GameImage::require(DStringPtr name) {
  if (tableName.isNull()) ResourceDamage::refuseMissing(name);
  if (!has(name)) ResourceDamage::refuse(tableName, u"it has no \"" + name + u"\"");
  return create(name);
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
