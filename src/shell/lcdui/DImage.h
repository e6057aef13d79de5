// The library's image: one RGB565 surface whose pixels of the key colour 0xF81F are transparent.
// Made by name (a file beside the program, else an archive entry), transformed from another image, or
// blank and mutable.
#pragma once

#include <cstdint>
#include <memory>

#include "core/io/D7zipInputStream.h"
#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "shell/raster/RasterSurface.h"

namespace nuv::microedition::lcdui {

class DImage;
class DGraphics;
using DImagePtr = nuv::lang::DPtr<DImage>;
using DGraphicsPtr = nuv::lang::DPtr<DGraphics>;

class DImage : public nuv::lang::DObject {
 public:
  static constexpr int32_t kKeyColour = 0xF81F;

  // Transforms 2, 3, 5 and 6 turn the picture; any other code keeps it as it is.
  // NullPointerException for a null name or when the picture is nowhere (no archive entry, no file);
  // IOException when the picture cannot be decoded.
  static DImagePtr createImage(nuv::lang::DStringPtr name, int32_t transform = 0);
  // The same for a name whose archive entry the caller has found already: a file beside the program and
  // the entry under the image path still come first, and then that entry is decoded without its name
  // being looked up again.
  static DImagePtr createImage(nuv::lang::DStringPtr name, int32_t transform,
                               const nuv::io::D7zipInputStream::Entry& entry);
  // NullPointerException for a null source, IOException for a source without pixels.
  static DImagePtr createTransformedImage(DImagePtr source, int32_t transform);
  // White and opaque until drawn on. IllegalArgumentException for a negative size, IOException when
  // memory runs out.
  static DImagePtr createMutableImage(int32_t width, int32_t height);
  // An image around a surface made elsewhere, with the key colour set.
  static DImagePtr fromSurface(std::unique_ptr<Raster::RasterSurface> surface, bool immutable);

  const char* getClassName() const override { return "DImage"; }

  int32_t getWidth() const { return surface_ ? surface_->width() : 0; }
  int32_t getHeight() const { return surface_ ? surface_->height() : 0; }
  bool isMutable() const { return !immutable; }
  // A new graphics context over the image's pixels on every call; it keeps the image alive. Drawing may
  // bring key-coloured pixels, so from then on the image is drawn keyed again.
  DGraphicsPtr getGraphics();

  Raster::RasterSurface* rasterSurface() const { return surface_.get(); }

  bool immutable = true;

 private:
  DImage(std::unique_ptr<Raster::RasterSurface> surface, bool isImmutable);
  // createImage, with the name's entry when the caller has found it (else null: it is looked up here).
  static DImagePtr createNamed(nuv::lang::DStringPtr name, int32_t transform,
                               const nuv::io::D7zipInputStream::Entry* entry);
  // A picture without a single key-coloured pixel has no key: it is drawn with the plain copy.
  void dropKeyWhenUnused();

  std::unique_ptr<Raster::RasterSurface> surface_;
};

}  // namespace nuv::microedition::lcdui
