// Images by name, transformed copies and mutable images.
#include "shell/lcdui/DImage.h"

#include <memory>
#include <new>
#include <string>

#include "core/io/D7zipInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "core/lang/DbyteArray.h"
#include "platform/api/file.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/EngineLink.h"
#include "shell/raster/ImageDecoder.h"
#include "shell/raster/Raster2D.h"

namespace nuv::microedition::lcdui {

using nuv::lang::DStringPtr;
using nuv::lang::throwException;
namespace Code = nuv::lang::ExceptionCode;

namespace {

constexpr uint16_t kWhite = 0xFFFF;

bool isSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

// prefix and name joined by exactly one separator, whatever separators they bring themselves.
std::u16string joinPath(std::u16string_view prefix, std::u16string_view name, char16_t separator) {
  while (!prefix.empty() && isSeparator(prefix.back())) prefix.remove_suffix(1);
  while (!name.empty() && isSeparator(name.front())) name.remove_prefix(1);
  std::u16string joined(prefix);
  joined += separator;
  joined += name;
  return joined;
}

// Pixel (sx, sy) of a w x h picture lands at the returned point of the turned picture.
void turnedPosition(int32_t transform, int32_t w, int32_t h, int32_t sx, int32_t sy, int32_t& x, int32_t& y) {
  switch (transform) {
    case DGraphics::TRANS_MIRROR:
      x = w - 1 - sx;
      y = sy;
      return;
    case DGraphics::TRANS_ROT180:
      x = w - 1 - sx;
      y = h - 1 - sy;
      return;
    case DGraphics::TRANS_ROT90:
      x = h - 1 - sy;
      y = sx;
      return;
    case DGraphics::TRANS_ROT270:
      x = sy;
      y = w - 1 - sx;
      return;
    default:
      x = sx;
      y = sy;
      return;
  }
}

bool turns(int32_t transform) {
  return transform == DGraphics::TRANS_MIRROR || transform == DGraphics::TRANS_ROT180 ||
         transform == DGraphics::TRANS_ROT90 || transform == DGraphics::TRANS_ROT270;
}

// A new surface holding the source's pixels turned by the transform; null when memory runs out.
std::unique_ptr<Raster::RasterSurface> transformed(const ScreenHAL::Surface& src, int32_t transform) {
  const bool swap = transform == DGraphics::TRANS_ROT90 || transform == DGraphics::TRANS_ROT270;
  auto out = Raster::RasterSurface::create(swap ? src.height : src.width, swap ? src.width : src.height);
  if (!out) return nullptr;
  for (int32_t sy = 0; sy < src.height; ++sy) {
    for (int32_t sx = 0; sx < src.width; ++sx) {
      int32_t x = 0;
      int32_t y = 0;
      turnedPosition(turns(transform) ? transform : DGraphics::TRANS_NONE, src.width, src.height, sx, sy, x, y);
      *out->surface->at(x, y) = *src.at(sx, sy);
    }
  }
  return out;
}

using nuv::io::D7zipInputStream;

// The entry of that name; none also when no archive is open.
D7zipInputStream::Entry listed(const DStringPtr& name) {
  try {
    return D7zipInputStream::find(name);
  } catch (nuv::lang::DExceptionBase* e) {
    nuv::lang::catchException(e, Code::Exception);
    return {};
  }
}

// The archive entry's bytes, or NullPointerException when there is no such entry. A listed entry that
// cannot be decoded throws the archive's IOException, which names it. The name's own entry is looked up
// only when the caller has not found it (known null).
std::unique_ptr<Raster::RasterSurface> decodeEntry(DStringPtr name, DStringPtr imagePath,
                                                   const D7zipInputStream::Entry* known) {
  D7zipInputStream::Entry entry;
  if (!imagePath.isNull() && imagePath->length() > 0)
    entry = listed(new nuv::lang::DString(joinPath(imagePath->view(), name->view(), u'/')));
  if (!entry.found()) entry = known != nullptr ? *known : listed(name);
  // No entry at all is reported the way a missing stream always was.
  if (!entry.found()) throwException(Code::NullPointerException);
  nuv::io::D7zipInputStreamPtr stream = D7zipInputStream::open(entry);
  const int32_t size = stream->available();
  nuv::lang::DbyteArrayPtr bytes = new nuv::lang::DbyteArray(size);
  if (size > 0) stream->read(bytes, 0, size);
  stream->close();
  const auto* begin = reinterpret_cast<const uint8_t*>(bytes->data());
  return Raster::ImageDecoder::decodeKept(begin, begin + size);
}

}  // namespace

DImage::DImage(std::unique_ptr<Raster::RasterSurface> surface, bool isImmutable)
    : immutable(isImmutable), surface_(std::move(surface)) {
  if (surface_) surface_->key = kKeyColour;
}

void DImage::dropKeyWhenUnused() {
  const ScreenHAL::Surface* pixels = surface_ ? surface_->surface : nullptr;
  if (pixels == nullptr) return;
  for (int32_t y = 0; y < pixels->height; ++y) {
    if (Raster::Internal::rowHasColour(pixels->row(y), pixels->width, static_cast<uint16_t>(kKeyColour))) return;
  }
  surface_->key = -1;
}

DImagePtr DImage::fromSurface(std::unique_ptr<Raster::RasterSurface> surface, bool isImmutable) {
  return new DImage(std::move(surface), isImmutable);
}

DImagePtr DImage::createImage(DStringPtr name, int32_t transform) { return createNamed(name, transform, nullptr); }

DImagePtr DImage::createImage(DStringPtr name, int32_t transform, const D7zipInputStream::Entry& entry) {
  return createNamed(name, transform, &entry);
}

DImagePtr DImage::createNamed(DStringPtr name, int32_t transform, const D7zipInputStream::Entry* entry) {
  if (name.isNull()) throwException(Code::NullPointerException);

  // First a file beside the program, with the handheld's separators.
  std::u16string path(name->view());
  for (char16_t& c : path) {
    if (c == u'/') c = u'\\';
  }
  DStringPtr folder = nuv::lang::DSystem::getProperty(u"app.fullpath");
  const std::u16string file = joinPath(folder.isNull() ? std::u16string_view() : folder->view(), path, u'\\');
  std::unique_ptr<Raster::RasterSurface> decoded = Raster::ImageDecoder::decodeFile(file.c_str());

  // Then the archive: under the MIDlet's image path first, then by the name alone.
  if (!decoded) {
    // Memory running out for the entry's bytes ends like any picture that does not decode.
    try {
      decoded = decodeEntry(name, midletAppProperty(u"image.path"), entry);
    } catch (nuv::lang::DExceptionBase* e) {
      std::unique_ptr<nuv::lang::DExceptionBase> owned = nuv::lang::catchException(e, Code::NullPointerException);
      // No entry, but a file there that is no picture: that is a picture that does not decode.
      if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) throw owned.release();
    } catch (const std::bad_alloc&) {
      decoded = nullptr;
    }
    if (!decoded) throwException(Code::IOException);
  }
  if (turns(transform)) {
    decoded = transformed(*decoded->surface, transform);
    if (!decoded) throwException(Code::IOException);
  }
  DImagePtr image = new DImage(std::move(decoded), true);
  image->dropKeyWhenUnused();
  return image;
}

DImagePtr DImage::createTransformedImage(DImagePtr source, int32_t transform) {
  if (source.isNull()) throwException(Code::NullPointerException);
  Raster::RasterSurface* pixels = source->rasterSurface();
  if (pixels == nullptr || pixels->surface == nullptr) throwException(Code::IOException);
  std::unique_ptr<Raster::RasterSurface> copy = transformed(*pixels->surface, transform);
  if (!copy) throwException(Code::IOException);
  DImagePtr image = new DImage(std::move(copy), source->immutable);
  if (image->immutable) image->dropKeyWhenUnused();
  return image;
}

DImagePtr DImage::createMutableImage(int32_t width, int32_t height) {
  if (width < 0 || height < 0) throwException(Code::IllegalArgumentException);
  std::unique_ptr<Raster::RasterSurface> surface = Raster::RasterSurface::create(width, height);
  if (!surface) throwException(Code::IOException);
  DImagePtr image = new DImage(std::move(surface), false);
  DGraphicsPtr graphics = image->getGraphics();
  graphics->setColor(0xFFFFFF);
  graphics->raster().clear(kWhite);
  return image;
}

DGraphicsPtr DImage::getGraphics() {
  if (surface_) surface_->key = kKeyColour;
  return new DGraphics(surface_.get(), this);
}

}  // namespace nuv::microedition::lcdui
