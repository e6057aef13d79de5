// PNG decoding into RGB565 surfaces. libpng reports errors by longjmp; the decode keeps what it
// allocated in a job record outside the jumping function, so a damaged picture frees it all.
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "shell/raster/ImageDecoder.h"
#include "shell/raster/ImageFormats.h"

namespace Raster {

namespace {

// The colour that becomes the key colour 0xF81F: palette entries that are fully transparent get it.
constexpr png_color kKeyColour = {255, 0, 255};

struct PngReader {
  const uint8_t* data = nullptr;
  size_t length = 0;
  size_t position = 0;
};

struct PngJob {
  png_structp png = nullptr;
  png_infop info = nullptr;
  PngReader reader;
  RasterSurface* surface = nullptr;
  uint32_t width = 0;
  uint32_t height = 0;
  int channels = 0;
  size_t rowBytes = 0;
  int passes = 1;

  ~PngJob() {
    if (png != nullptr) png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
    delete surface;
  }
};

// A decoded row before its conversion, kept from one decode to the next (per thread): decoding a picture
// allocates nothing but its surface.
thread_local std::vector<uint8_t> rowBuffer;

void toRgb565Row(const uint8_t* in, uint16_t* out, uint32_t width, int channels) {
  for (uint32_t x = 0; x < width; ++x, in += channels) out[x] = toRgb565(in[0], in[1], in[2]);
}

[[noreturn]] void pngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void pngWarning(png_structp, png_const_charp) {}

void pngRead(png_structp png, png_bytep out, png_size_t wanted) {
  auto* reader = static_cast<PngReader*>(png_get_io_ptr(png));
  size_t n = std::min(wanted, reader->length - reader->position);
  std::memcpy(out, reader->data + reader->position, n);
  reader->position += n;
  // Reading past the end is an error the library must see, not garbage.
  if (n < wanted) png_error(png, "truncated");
}

// Both steps return false on any failure; the job frees what was made. No object with a destructor may
// live in their frames across the library calls, since an error jumps straight back to the setjmp.

// The header, the conversions to 8-bit RGB and the size of the picture.
bool readHeader(PngJob& job) {
  job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
  if (job.png == nullptr) return false;
  job.info = png_create_info_struct(job.png);
  if (job.info == nullptr) return false;
  if (setjmp(png_jmpbuf(job.png))) return false;

  png_set_read_fn(job.png, &job.reader, pngRead);
  png_set_user_limits(job.png, ImageDecoder::kMaxSide, ImageDecoder::kMaxSide);
  png_read_info(job.png, job.info);
  if (!ImageDecoder::fits(png_get_image_width(job.png, job.info), png_get_image_height(job.png, job.info)))
    return false;

  png_set_strip_16(job.png);
  png_set_strip_alpha(job.png);
  png_set_packing(job.png);
  const int colourType = png_get_color_type(job.png, job.info);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(job.png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(job.png);

  png_bytep alphas = nullptr;
  int alphaCount = 0;
  png_colorp palette = nullptr;
  int paletteSize = 0;
  if (colourType == PNG_COLOR_TYPE_PALETTE && png_get_tRNS(job.png, job.info, &alphas, &alphaCount, nullptr) &&
      png_get_PLTE(job.png, job.info, &palette, &paletteSize)) {
    png_color keyed[PNG_MAX_PALETTE_LENGTH];
    const int n = std::min(paletteSize, PNG_MAX_PALETTE_LENGTH);
    std::memcpy(keyed, palette, sizeof(png_color) * static_cast<size_t>(n));
    for (int i = 0; i < std::min(alphaCount, n); ++i) {
      if (alphas[i] == 0) keyed[i] = kKeyColour;
    }
    png_set_PLTE(job.png, job.info, keyed, n);
  }

  job.passes = png_set_interlace_handling(job.png);
  png_read_update_info(job.png, job.info);
  job.width = png_get_image_width(job.png, job.info);
  job.height = png_get_image_height(job.png, job.info);
  job.channels = png_get_channels(job.png, job.info);
  job.rowBytes = png_get_rowbytes(job.png, job.info);
  return job.channels >= 3 && job.rowBytes >= size_t{job.width} * 3;
}

// The rows, each converted into the surface as soon as it is complete.
bool readRows(PngJob& job, uint8_t* rows) {
  if (setjmp(png_jmpbuf(job.png))) return false;
  ScreenHAL::Surface& out = *job.surface->surface;
  if (job.passes == 1) {
    for (uint32_t y = 0; y < job.height; ++y) {
      png_read_row(job.png, rows, nullptr);
      toRgb565Row(rows, out.row(static_cast<int32_t>(y)), job.width, job.channels);
    }
    return true;
  }
  // Every pass of an interlaced picture adds pixels to rows the earlier passes began.
  for (int pass = 0; pass < job.passes; ++pass) {
    for (uint32_t y = 0; y < job.height; ++y) png_read_row(job.png, rows + y * job.rowBytes, nullptr);
  }
  for (uint32_t y = 0; y < job.height; ++y)
    toRgb565Row(rows + y * job.rowBytes, out.row(static_cast<int32_t>(y)), job.width, job.channels);
  return true;
}

}  // namespace

std::unique_ptr<RasterSurface> decodePng(const uint8_t* begin, size_t size) {
  PngJob job;
  job.reader = {begin, size, 0};
  if (!readHeader(job)) return nullptr;
  // An interlaced picture is complete only after its last pass: it needs all its rows at once.
  std::vector<uint8_t> wholePicture;
  try {
    if (job.passes > 1) {
      wholePicture.resize(job.rowBytes * job.height);
    } else if (rowBuffer.size() < job.rowBytes) {
      rowBuffer.resize(job.rowBytes);
    }
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  job.surface = RasterSurface::create(static_cast<int32_t>(job.width), static_cast<int32_t>(job.height)).release();
  if (job.surface == nullptr) return nullptr;
  if (!readRows(job, job.passes > 1 ? wholePicture.data() : rowBuffer.data())) return nullptr;
  std::unique_ptr<RasterSurface> result(job.surface);
  job.surface = nullptr;
  return result;
}

}  // namespace Raster
