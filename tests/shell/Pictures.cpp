// In-memory PNG and JPEG writers for the decoder tests.
#include "shell/Pictures.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
#include <png.h>

namespace shelltest {

namespace {

void appendPng(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}
void flushPng(png_structp) {}

}  // namespace

std::vector<uint8_t> makePng(const PngContent& content) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("PNG writer failed");
  }
  png_set_write_fn(png, &out, appendPng, flushPng);
  png_set_IHDR(png, info, static_cast<png_uint_32>(content.width), static_cast<png_uint_32>(content.height),
               content.bitDepth, content.colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (size_t i = 0; i + 2 < content.palette.size(); i += 3)
    palette.push_back({content.palette[i], content.palette[i + 1], content.palette[i + 2]});
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!content.alphas.empty()) {
    png_set_tRNS(png, info, content.alphas.data(), static_cast<int>(content.alphas.size()), nullptr);
  }
  png_write_info(png, info);
  const size_t stride = content.rows.size() / static_cast<size_t>(content.height);
  for (int y = 0; y < content.height; ++y) png_write_row(png, content.rows.data() + stride * static_cast<size_t>(y));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint8_t> makeJpeg(int width, int height, const std::vector<uint8_t>& samples, bool grey, int quality) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  const size_t stride = static_cast<size_t>(width) * (grey ? 1 : 3);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + stride * info.next_scanline);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

}  // namespace shelltest
