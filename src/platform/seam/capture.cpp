// PNG files of pictures, through libpng; its errors end in a longjmp back to the call.
#include "platform/seam/capture.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>

namespace platform {

namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

}  // namespace

static bool encode(png_structp png, png_infop info, FILE* file, const Picture& picture, std::vector<png_byte>& row);
static bool decode(png_structp png, png_infop info, FILE* file, Picture& picture, std::vector<png_byte>& row);

bool writePng(const std::string& path, const Picture& picture) {
  File file(std::fopen(path.c_str(), "wb"));
  if (!file || picture.width <= 0 || picture.height <= 0) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<png_byte> row(static_cast<size_t>(picture.width) * 3);
  bool written = encode(png, info, file.get(), picture, row);
  png_destroy_write_struct(&png, &info);
  return written;
}

// Locals of the caller are not touched by the longjmp: only the row buffer, reached through a reference.
static bool encode(png_structp png, png_infop info, FILE* file, const Picture& picture, std::vector<png_byte>& row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < picture.height; ++y) {
    const uint32_t* source = picture.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(picture.width);
    for (int x = 0; x < picture.width; ++x) {
      row[static_cast<size_t>(x) * 3] = static_cast<png_byte>(source[x] >> 16);
      row[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>(source[x] >> 8);
      row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(source[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  return true;
}

bool readPng(const std::string& path, Picture& out) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  Picture picture;
  std::vector<png_byte> row;
  bool read = decode(png, info, file.get(), picture, row);
  png_destroy_read_struct(&png, &info, nullptr);
  if (read) out = std::move(picture);
  return read;
}

static bool decode(png_structp png, png_infop info, FILE* file, Picture& picture, std::vector<png_byte>& row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_read_info(png, info);
  // Whatever was stored, read it back as 8-bit RGB.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_strip_alpha(png);
  png_set_gray_to_rgb(png);
  png_read_update_info(png, info);
  picture.width = static_cast<int>(png_get_image_width(png, info));
  picture.height = static_cast<int>(png_get_image_height(png, info));
  row.resize(png_get_rowbytes(png, info));
  picture.pixels.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
  for (int y = 0; y < picture.height; ++y) {
    png_read_row(png, row.data(), nullptr);
    uint32_t* target = picture.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(picture.width);
    for (int x = 0; x < picture.width; ++x) {
      const png_byte* p = &row[static_cast<size_t>(x) * 3];
      target[x] = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
  }
  png_read_end(png, nullptr);
  return true;
}

}  // namespace platform
