// PNG files of our pictures: 8-bit RGB without alpha (the desktop's pictures with it), the same bytes for
// the same picture.
#include "Png.h"

#include <png.h>

#include <algorithm>
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
bool writeRows(png_structp png, png_infop info, png_uint_32 w, png_uint_32 h, int colourType, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_compression_level(png, compressionLevel);
  png_set_IHDR(png, info, w, h, 8, colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

// Rows of RGB, or of RGBA (opaque where the file has no alpha) when alpha is kept.
bool readHeader(png_structp png, png_infop info, bool keepAlpha, png_uint_32* w, png_uint_32* h, size_t* rowBytes) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  png_set_strip_16(png);
  if (keepAlpha) {
    png_set_tRNS_to_alpha(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  } else {
    png_set_strip_alpha(png);
  }
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

// Pixels of `channels` bytes each, row after row.
Bytes encodePixels(const std::vector<png_byte>& pixels, int width, int height, int channels) {
  const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(channels);
  std::vector<png_bytep> rows(static_cast<size_t>(height));
  for (size_t y = 0; y < rows.size(); ++y) rows[y] = const_cast<png_bytep>(pixels.data()) + y * rowBytes;
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, quietWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = info != nullptr;
  if (ok) {
    png_set_write_fn(png, &out, writeToVector, flushNothing);
    ok = writeRows(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                   channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, rows.data());
  }
  png_destroy_write_struct(&png, &info);
  if (!ok) throw std::runtime_error("PNG: cannot encode the picture");
  return out;
}

}  // namespace

void setPngCompressionLevel(int level) { compressionLevel = level; }

Bytes encodePng(const Image& image) {
  std::vector<png_byte> pixels;
  pixels.reserve(image.pixels().size() * 3);
  for (Rgb c : image.pixels())
    for (int channel : {red(c), green(c), blue(c)}) pixels.push_back(static_cast<png_byte>(channel));
  return encodePixels(pixels, image.width(), image.height(), 3);
}

Bytes encodePngWithAlpha(const Image& image, int reduce) {
  if (reduce < 1 || image.width() % reduce != 0 || image.height() % reduce != 0)
    throw std::runtime_error("PNG: the picture is no whole multiple of its reduction");
  const int w = image.width() / reduce, h = image.height() / reduce, block = reduce * reduce;
  std::vector<png_byte> pixels;
  pixels.reserve(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int drawn = 0, r = 0, g = 0, b = 0;
      for (int j = 0; j < reduce; ++j)
        for (int i = 0; i < reduce; ++i)
          if (Rgb c = image.at(x * reduce + i, y * reduce + j); c != kKeyColour) {
            ++drawn;
            r += red(c);
            g += green(c);
            b += blue(c);
          }
      const int n = std::max(1, drawn);
      for (int channel : {(r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n, (255 * drawn + block / 2) / block})
        pixels.push_back(static_cast<png_byte>(channel));
    }
  return encodePixels(pixels, w, h, 4);
}

Image decodePng(const Bytes& data, std::vector<std::uint8_t>* alpha) {
  if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) throw std::runtime_error("PNG: not a PNG file");
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, quietWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  ReadCursor cursor{&data, 0};
  const size_t channels = alpha ? 4 : 3;
  png_uint_32 w = 0, h = 0;
  size_t rowBytes = 0;
  bool ok = info != nullptr;
  if (ok) {
    png_set_read_fn(png, &cursor, readFromVector);
    ok = readHeader(png, info, alpha != nullptr, &w, &h, &rowBytes) && rowBytes == size_t(w) * channels && w < 16384 &&
         h < 16384;
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
  if (alpha) alpha->clear();
  for (png_uint_32 y = 0; y < h; ++y)
    for (png_uint_32 x = 0; x < w; ++x) {
      const png_bytep p = rows[y] + x * channels;
      image.set(int(x), int(y), rgb(p[0], p[1], p[2]));
      if (alpha) alpha->push_back(p[3]);
    }
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
