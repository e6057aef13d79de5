// JPEG decoding into RGB565 surfaces, one scan line at a time. libjpeg reports errors by longjmp; the
// decode keeps what it allocated in a job record outside the jumping function.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "shell/raster/ImageDecoder.h"
#include "shell/raster/ImageFormats.h"

namespace Raster {

namespace {

// The end-of-image marker handed out once the input is used up, so a truncated picture ends cleanly.
constexpr JOCTET kEndOfImage[2] = {0xFF, 0xD9};

struct JpegError {
  jpeg_error_mgr manager;
  jmp_buf jump;
};

struct JpegJob {
  jpeg_decompress_struct info{};
  JpegError error{};
  bool created = false;
  uint8_t* row = nullptr;
  RasterSurface* surface = nullptr;

  ~JpegJob() {
    std::free(row);
    if (created) jpeg_destroy_decompress(&info);
    delete surface;
  }
};

[[noreturn]] void jpegErrorExit(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }
void jpegEmitMessage(j_common_ptr, int) {}
void jpegOutputMessage(j_common_ptr) {}
void jpegResetErrors(j_common_ptr info) {
  info->err->num_warnings = 0;
  info->err->msg_code = 0;
}

void sourceNothing(j_decompress_ptr) {}
boolean sourceFill(j_decompress_ptr info) {
  info->src->next_input_byte = kEndOfImage;
  info->src->bytes_in_buffer = sizeof kEndOfImage;
  return TRUE;
}
void sourceSkip(j_decompress_ptr info, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* src = info->src;
  while (static_cast<size_t>(count) > src->bytes_in_buffer) {
    count -= static_cast<long>(src->bytes_in_buffer);
    sourceFill(info);
  }
  src->next_input_byte += count;
  src->bytes_in_buffer -= static_cast<size_t>(count);
}

bool runJpeg(JpegJob& job, const uint8_t* begin, size_t size) {
  job.info.err = jpeg_std_error(&job.error.manager);
  job.error.manager.error_exit = jpegErrorExit;
  job.error.manager.emit_message = jpegEmitMessage;
  job.error.manager.output_message = jpegOutputMessage;
  job.error.manager.reset_error_mgr = jpegResetErrors;
  if (setjmp(job.error.jump)) return false;

  jpeg_create_decompress(&job.info);
  job.created = true;
  if (job.info.src == nullptr) {
    job.info.src = static_cast<jpeg_source_mgr*>(
        job.info.mem->alloc_small(reinterpret_cast<j_common_ptr>(&job.info), JPOOL_PERMANENT, sizeof(jpeg_source_mgr)));
  }
  jpeg_source_mgr* src = job.info.src;
  src->next_input_byte = begin;
  src->bytes_in_buffer = size;
  src->init_source = sourceNothing;
  src->fill_input_buffer = sourceFill;
  src->skip_input_data = sourceSkip;
  src->resync_to_restart = jpeg_resync_to_restart;
  src->term_source = sourceNothing;

  jpeg_read_header(&job.info, TRUE);
  if (!ImageDecoder::fits(job.info.image_width, job.info.image_height)) return false;
  job.info.out_color_space = JCS_RGB;
  job.info.scale_num = 1;
  job.info.scale_denom = 1;
  job.info.output_gamma = 1.0;
  jpeg_start_decompress(&job.info);
  if (job.info.output_components < 3) return false;

  const auto width = static_cast<int32_t>(job.info.output_width);
  const auto height = static_cast<int32_t>(job.info.output_height);
  job.surface = RasterSurface::create(width, height).release();
  if (job.surface == nullptr) return false;
  job.row = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(job.info.output_components) * width + 1));
  if (job.row == nullptr) return false;

  while (job.info.output_scanline < job.info.output_height) {
    const auto y = static_cast<int32_t>(job.info.output_scanline);
    JSAMPROW rows[1] = {job.row};
    if (jpeg_read_scanlines(&job.info, rows, 1) != 1) return false;
    const uint8_t* in = job.row;
    uint16_t* out = job.surface->surface->row(y);
    for (int32_t x = 0; x < width; ++x, in += job.info.output_components) out[x] = toRgb565(in[0], in[1], in[2]);
  }
  jpeg_finish_decompress(&job.info);
  return true;
}

}  // namespace

std::unique_ptr<RasterSurface> decodeJpeg(const uint8_t* begin, size_t size) {
  auto job = std::make_unique<JpegJob>();
  if (!runJpeg(*job, begin, size)) return nullptr;
  std::unique_ptr<RasterSurface> result(job->surface);
  job->surface = nullptr;
  return result;
}

}  // namespace Raster
