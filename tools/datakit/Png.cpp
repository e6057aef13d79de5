// PNG files of our pictures: 8-bit RGB without alpha, the same bytes for the same picture.
#include "Png.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <stdexcept>

namespace datakit {

namespace {

int compressionLevel = 9;

void writeToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

struct ReadCursor {
  const Bytes* data;
  size_t pos;
};

void readFromVector(png_structp png, png_bytep out, png_size_t length) {
  auto* cursor = static_cast<ReadCursor*>(png_get_io_ptr(png));
  if (cursor->pos + length > cursor->data->size()) png_error(png, "truncated");
  std::memcpy(out, cursor->data->data() + cursor->pos, length);
  cursor->pos += length;
}

void quietWarning(png_structp, png_const_charp) {}

std::uint32_t bigEndian32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// libpng reports errors by longjmp, so everything with a destructor lives outside these two.
bool writeRows(png_structp png, png_infop info, png_uint_32 w, png_uint_32 h, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_compression_level(png, compressionLevel);
  png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

bool readHeader(png_structp png, png_infop info, png_uint_32* w, png_uint_32* h, size_t* rowBytes) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  png_set_strip_16(png);
  png_set_strip_alpha(png);
  png_set_packing(png);
  png_set_palette_to_rgb(png);
  png_set_gray_to_rgb(png);
  png_read_update_info(png, info);
  *w = png_get_image_width(png, info);
  *h = png_get_image_height(png, info);
  *rowBytes = png_get_rowbytes(png, info);
  return true;
}

bool readRows(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  return true;
}

}  // namespace

void setPngCompressionLevel(int level) { compressionLevel = level; }

Bytes encodePng(const Image& image) {
  const size_t w = static_cast<size_t>(image.width());
  std::vector<png_byte> pixels(w * 3 * static_cast<size_t>(image.height()));
  std::vector<png_bytep> rows(static_cast<size_t>(image.height()));
  for (int y = 0; y < image.height(); ++y) {
    rows[y] = pixels.data() + y * w * 3;
    for (int x = 0; x < image.width(); ++x) {
      Rgb c = image.at(x, y);
      rows[y][x * 3] = static_cast<png_byte>(red(c));
      rows[y][x * 3 + 1] = static_cast<png_byte>(green(c));
      rows[y][x * 3 + 2] = static_cast<png_byte>(blue(c));
    }
  }
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, quietWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = info != nullptr;
  if (ok) {
    png_set_write_fn(png, &out, writeToVector, flushNothing);
    ok = writeRows(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()),
                   rows.data());
  }
  png_destroy_write_struct(&png, &info);
  if (!ok) throw std::runtime_error("PNG: cannot encode the picture");
  return out;
}

Image decodePng(const Bytes& data) {
  if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) throw std::runtime_error("PNG: not a PNG file");
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, quietWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  ReadCursor cursor{&data, 0};
  png_uint_32 w = 0, h = 0;
  size_t rowBytes = 0;
  bool ok = info != nullptr;
  if (ok) {
    png_set_read_fn(png, &cursor, readFromVector);
    ok = readHeader(png, info, &w, &h, &rowBytes) && rowBytes == size_t(w) * 3 && w < 16384 && h < 16384;
  }
  std::vector<png_byte> pixels;
  std::vector<png_bytep> rows;
  if (ok) {
    pixels.resize(rowBytes * h);
    for (png_uint_32 y = 0; y < h; ++y) rows.push_back(pixels.data() + y * rowBytes);
    ok = readRows(png, rows.data());
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok) throw std::runtime_error("PNG: cannot decode the picture");
  Image image(static_cast<int>(w), static_cast<int>(h));
  for (png_uint_32 y = 0; y < h; ++y)
    for (png_uint_32 x = 0; x < w; ++x)
      image.set(int(x), int(y), rgb(rows[y][x * 3], rows[y][x * 3 + 1], rows[y][x * 3 + 2]));
  return image;
}

bool readPngInfo(const Bytes& data, PngInfo& info) {
  static constexpr std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (data.size() < 33 || std::memcmp(data.data(), signature, 8) != 0 || std::memcmp(data.data() + 12, "IHDR", 4) != 0)
    return false;
  info.width = static_cast<int>(bigEndian32(data.data() + 16));
  info.height = static_cast<int>(bigEndian32(data.data() + 20));
  info.colourType = data[25];
  return true;
}

}  // namespace datakit
