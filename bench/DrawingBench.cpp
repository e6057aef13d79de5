// Drawing speed at the two screen sizes the games run at: clears, fills, copies, lines, a frame
// presented through the display layer, and PNG decoding, beside a memcpy of the same bytes; and the
// ratios of each hot path to its yardstick, both timed in the same run.
#include <benchmark/benchmark.h>
#include <png.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/api/window.h"
#include "platform/device/device.h"
#include "platform/device/screen.h"
#include "platform/host/datafolder.h"
#include "platform/host/desktop.h"
#include "platform/host/paths.h"
#include "shell/hal/ScreenHAL.h"
#include "shell/hal/VideoDetect.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"
#include "shell/raster/ImageDecoder.h"
#include "shell/raster/Raster2D.h"
#include "shell/raster/RasterTarget.h"

namespace {

using Raster::RasterSurface;
using Raster::Internal::Raster2D;

struct Screen {
  int width, height;
};
constexpr Screen kScreens[] = {{240, 320}, {480, 640}};

std::unique_ptr<RasterSurface> patterned(int w, int h, bool keyed) {
  auto s = RasterSurface::create(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      // A sprite-like picture: a quarter of its pixels transparent.
      const bool hole = keyed && ((x ^ y) & 3) == 0;
      *s->surface->at(x, y) = hole ? 0xF81F : static_cast<uint16_t>(x * 31 + y * 7);
    }
  if (keyed) s->key = 0xF81F;
  return s;
}

Screen screenOf(const benchmark::State& state) { return kScreens[state.range(0)]; }

// A photo-like RGB picture: every pixel differs from its neighbours, as in the games' backgrounds.
std::vector<uint8_t> photoPng(int w, int h);

void bytesPerFrame(benchmark::State& state, int64_t bytes) {
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["w"] = screenOf(state).width;
}

int64_t screenBytes(const Screen& s) { return int64_t{s.width} * s.height * 2; }

// Times subject and yardstick alternately, each repeated, in every iteration, and reports the subject's
// time over the yardstick's: both see the same machine at the same moment.
template <class Subject, class Yardstick>
double timeRatio(benchmark::State& state, Subject subject, Yardstick yardstick, int repeats = 8) {
  using Clock = std::chrono::steady_clock;
  Clock::duration subjectTime{}, yardstickTime{};
  for (auto _ : state) {
    const auto a = Clock::now();
    for (int i = 0; i < repeats; ++i) {
      subject();
      benchmark::ClobberMemory();
    }
    const auto b = Clock::now();
    for (int i = 0; i < repeats; ++i) {
      yardstick();
      benchmark::ClobberMemory();
    }
    const auto c = Clock::now();
    subjectTime += b - a;
    yardstickTime += c - b;
  }
  return std::chrono::duration<double>(subjectTime).count() / std::chrono::duration<double>(yardstickTime).count();
}

// Runs draw once per iteration, keeping its stores, and counts bytes of drawn frame.
template <class Draw>
void drawFrames(benchmark::State& state, int64_t bytes, Draw draw) {
  for (auto _ : state) {
    draw();
    benchmark::ClobberMemory();
  }
  bytesPerFrame(state, bytes);
}

void Memcpy(benchmark::State& state) {
  const Screen s = screenOf(state);
  const size_t bytes = static_cast<size_t>(s.width) * s.height * 2;
  std::vector<uint8_t> from(bytes, 1), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  bytesPerFrame(state, static_cast<int64_t>(bytes));
}
BENCHMARK(Memcpy)->Arg(0)->Arg(1);

void Clear(benchmark::State& state) {
  const Screen s = screenOf(state);
  auto target = RasterSurface::create(s.width, s.height);
  uint16_t colour = 0x1234;
  drawFrames(state, screenBytes(s), [&] {
    Raster2D::instance().clear(*target->surface, colour);
    colour ^= 0x0101;
  });
}
BENCHMARK(Clear)->Arg(0)->Arg(1);

void FillRect(benchmark::State& state) {
  const Screen s = screenOf(state);
  auto target = RasterSurface::create(s.width, s.height);
  Raster::RasterTarget raster(target.get());
  drawFrames(state, screenBytes(s), [&] { raster.fillRect(0, 0, s.width, s.height, 0x1234); });
}
BENCHMARK(FillRect)->Arg(0)->Arg(1);

// A full-screen fill (and one a pixel inside the edges, filled row by row) against memset of the same
// bytes: memset's time over the fill's is the fill's speed as a share of memset's.
void FillAgainstMemset(benchmark::State& state) {
  const Screen s = screenOf(state);
  const int inset = static_cast<int>(state.range(1));
  auto target = RasterSurface::create(s.width, s.height);
  Raster::RasterTarget raster(target.get());
  const size_t bytes = static_cast<size_t>(screenBytes(s));
  std::vector<uint8_t> plain(bytes);
  const double ratio = timeRatio(
      state, [&] { raster.fillRect(inset, inset, s.width - inset, s.height - inset, 0x1234); },
      [&] {
        std::memset(plain.data(), 0x12, bytes);
        benchmark::DoNotOptimize(plain.data());
      });
  state.counters["speed_vs_memset"] = 1 / ratio;
  state.counters["w"] = s.width;
}
BENCHMARK(FillAgainstMemset)->ArgNames({"screen", "inset"})->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1});

void ClearAgainstMemset(benchmark::State& state) {
  const Screen s = screenOf(state);
  auto target = RasterSurface::create(s.width, s.height);
  const size_t bytes = static_cast<size_t>(screenBytes(s));
  std::vector<uint8_t> plain(bytes);
  const double ratio = timeRatio(
      state, [&] { Raster2D::instance().clear(*target->surface, 0x1234); },
      [&] {
        std::memset(plain.data(), 0x12, bytes);
        benchmark::DoNotOptimize(plain.data());
      });
  state.counters["speed_vs_memset"] = 1 / ratio;
  state.counters["w"] = s.width;
}
BENCHMARK(ClearAgainstMemset)->Arg(0)->Arg(1);

void blitFullScreen(benchmark::State& state, bool keyed) {
  const Screen s = screenOf(state);
  auto target = RasterSurface::create(s.width, s.height);
  auto picture = patterned(s.width, s.height, keyed);
  Raster::RasterTarget raster(target.get());
  drawFrames(state, screenBytes(s), [&] { raster.blit(*picture, 0, 0); });
}

void OpaqueBlitFullScreen(benchmark::State& state) { blitFullScreen(state, false); }
BENCHMARK(OpaqueBlitFullScreen)->Arg(0)->Arg(1);

void KeyedBlitFullScreen(benchmark::State& state) { blitFullScreen(state, true); }
BENCHMARK(KeyedBlitFullScreen)->Arg(0)->Arg(1);

// A full-screen picture without a key-coloured pixel, decoded from a file as the games load theirs and
// drawn through the graphics context, against memcpy of the same bytes.
void OpaquePictureAgainstMemcpy(benchmark::State& state) {
  const Screen s = screenOf(state);
  using nuv::microedition::lcdui::DImage;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("glimmerhut-bench-picture-" + std::to_string(s.width));
  std::filesystem::create_directories(folder);
  const std::vector<uint8_t> png = photoPng(s.width, s.height);
  std::ofstream(folder / "picture.png", std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  platform::setProgramFile((folder / "glimmerhut").string());
  nuv::microedition::lcdui::DImagePtr picture = DImage::createImage(u"picture.png");
  nuv::microedition::lcdui::DImagePtr canvas = DImage::createMutableImage(s.width, s.height);
  auto g = canvas->getGraphics();
  const size_t bytes = static_cast<size_t>(screenBytes(s));
  std::vector<uint8_t> from(bytes, 1), to(bytes);
  const double ratio = timeRatio(
      state, [&] { g->drawImage(picture, 0, 0, 0); },
      [&] {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
      });
  state.counters["time_vs_memcpy"] = ratio;
  state.counters["keyed"] = picture->rasterSurface()->key >= 0 ? 1 : 0;
  state.counters["w"] = s.width;
  platform::setProgramFile("");
  std::filesystem::remove_all(folder);
}
BENCHMARK(OpaquePictureAgainstMemcpy)->Arg(0)->Arg(1);

// A screenful of sprites of one size, drawn through the graphics context as the games do.
void KeyedSprites(benchmark::State& state) {
  const Screen s = screenOf(state);
  const int side = static_cast<int>(state.range(1));
  using nuv::microedition::lcdui::DImage;
  nuv::microedition::lcdui::DImagePtr canvas = DImage::createMutableImage(s.width, s.height);
  nuv::microedition::lcdui::DImagePtr sprite = DImage::fromSurface(patterned(side, side, true), true);
  auto g = canvas->getGraphics();
  const int across = s.width / side, down = s.height / side;
  drawFrames(state, int64_t{across} * down * side * side * 2, [&] {
    for (int y = 0; y < down; ++y)
      for (int x = 0; x < across; ++x) g->drawImage(sprite, x * side, y * side, 0);
  });
}
BENCHMARK(KeyedSprites)->Args({0, 16})->Args({0, 64})->Args({1, 16})->Args({1, 64});

// A full-screen picture turned a quarter (the graphics context's transform 5) and scaled by the matrix copy.
void TransformedBlit(benchmark::State& state) {
  const Screen s = screenOf(state);
  using nuv::microedition::lcdui::DImage;
  nuv::microedition::lcdui::DImagePtr canvas = DImage::createMutableImage(s.width, s.height);
  nuv::microedition::lcdui::DImagePtr picture = DImage::fromSurface(patterned(s.height, s.width, true), true);
  auto g = canvas->getGraphics();
  drawFrames(state, screenBytes(s),
             [&] { g->drawImage(picture, 0, 0, 0, nuv::microedition::lcdui::DGraphics::TRANS_ROT90); });
}
BENCHMARK(TransformedBlit)->Arg(0)->Arg(1);

void MatrixBlit(benchmark::State& state) {
  const Screen s = screenOf(state);
  auto target = RasterSurface::create(s.width, s.height);
  auto picture = patterned(s.width / 2, s.height / 2, true);
  Raster::Internal::Matrix twice{{512, 0, 0, 512, 0, 0}};
  drawFrames(state, screenBytes(s), [&] {
    Raster2D::instance().blitTransformedKeyed(*target->surface, Raster::Rect{0, 0, s.width, s.height}, twice,
                                              *picture->surface, 0xF81F);
  });
}
BENCHMARK(MatrixBlit)->Arg(0)->Arg(1);

// 256 lines across the screen in every direction, clipped by a margin.
void Lines(benchmark::State& state) {
  const Screen s = screenOf(state);
  auto target = RasterSurface::create(s.width, s.height);
  Raster::RasterTarget raster(target.get());
  for (auto _ : state) {
    for (int i = 0; i < 256; ++i) {
      const int x = (i * 37) % s.width, y = (i * 53) % s.height;
      raster.line(x - 20, -10, s.width - x + 20, s.height + 10 - y, 0xFFFF);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 256);
}
BENCHMARK(Lines)->Arg(0)->Arg(1);

// Frames drawn into the display's back buffer, each a fill in the next of the colours, and presented to
// the device screen.
void presentFills(benchmark::State& state, std::initializer_list<uint16_t> colours) {
  const Screen s = screenOf(state);
  platform::setHeadless(true);
  platform::Device d;
  platform::findDeviceProfile("pocketpc", d);
  d.screenWidth = s.width;
  d.screenHeight = s.height;
  platform::setDevice(d);
  platform::deviceScreen().resize(s.width, s.height);
  ScreenHAL::VideoDetect::forget();
  const std::string folder = "/tmp/glimmerhut-bench-" + std::to_string(s.width);
  platform::setProgramFile(folder + "/glimmerhut");
  // The display's log goes there too, not into the user's own log folder.
  platform::setLogFolder(folder);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"DrawingBench";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, u"DrawingBench", u"DrawingBench", WS_VISIBLE, 0, 0, s.width, s.height, nullptr,
                                nullptr, nullptr, nullptr);
  ScreenHAL::DisplayParams params{s.width, s.height, 0, 1};
  auto context = ScreenHAL::DisplayContext::open(window, params);
  if (!context) {
    state.SkipWithError("no display");
    return;
  }
  auto colour = colours.begin();
  for (auto _ : state) {
    if (context->beginFrame() == nullptr) continue;
    context->raster().fillRect(0, 0, s.width, s.height, *colour);
    context->endFrame();
    if (++colour == colours.end()) colour = colours.begin();
  }
  context.reset();
  DestroyWindow(window);
  UnregisterClassW(u"DrawingBench", nullptr);
  bytesPerFrame(state, screenBytes(s));
}

// The same picture again and again: the screen already shows it.
void FramePresent(benchmark::State& state) { presentFills(state, {0x07E0}); }
BENCHMARK(FramePresent)->Arg(0)->Arg(1);

// Every pixel changes from one frame to the next.
void ChangedFramePresent(benchmark::State& state) { presentFills(state, {0x07E0, 0xF800}); }
BENCHMARK(ChangedFramePresent)->Arg(0)->Arg(1);

std::vector<uint8_t> photoPng(int w, int h) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t n) {
        auto* v = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
        v->insert(v->end(), data, data + n);
      },
      nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      row[x * 3] = static_cast<uint8_t>(x + y);
      row[x * 3 + 1] = static_cast<uint8_t>(x * y / 8 | 4);  // never the key colour's green
      row[x * 3 + 2] = static_cast<uint8_t>((x ^ y) * 3);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

void DecodePng(benchmark::State& state) {
  const Screen s = screenOf(state);
  const std::vector<uint8_t> png = photoPng(s.width, s.height);
  for (auto _ : state) {
    auto surface = Raster::ImageDecoder::decodeMemory(png.data(), png.data() + png.size());
    benchmark::DoNotOptimize(surface.get());
  }
  state.counters["w"] = s.width;
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(png.size()));
}
BENCHMARK(DecodePng)->Arg(0)->Arg(1);

// The larger screen's picture has four times the pixels: its decode time over the smaller one's.
void DecodePngLargeAgainstSmall(benchmark::State& state) {
  const std::vector<uint8_t> large = photoPng(kScreens[1].width, kScreens[1].height);
  const std::vector<uint8_t> small = photoPng(kScreens[0].width, kScreens[0].height);
  auto decode = [](const std::vector<uint8_t>& png) {
    auto surface = Raster::ImageDecoder::decodeMemory(png.data(), png.data() + png.size());
    benchmark::DoNotOptimize(surface.get());
  };
  state.counters["time_vs_240x320"] = timeRatio(
      state, [&] { decode(large); }, [&] { decode(small); }, 2);
}
BENCHMARK(DecodePngLargeAgainstSmall);

}  // namespace
