// The rotation driver's present (tiled, turned copy into the frame buffer) beside a plain per-pixel
// rotation and a straight copy of the same bytes, at the two screen sizes the games run at.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "shell/hal/RotationCopy.h"
#include "shell/hal/RotationDriver.h"
#include "shell/hal/ScreenHAL.h"

namespace {

struct Screen {
  int width, height;
};
constexpr Screen kScreens[] = {{240, 320}, {480, 640}};

// A frame buffer in memory, turned by its orientation against the frames the program draws.
class MemoryDriver : public ScreenHAL::VideoDriver {
 public:
  MemoryDriver(int width, int height, int orientation) : pixels_(static_cast<size_t>(width) * height) {
    mode_.width = width;
    mode_.height = height;
    mode_.bitsPerPixel = 16;
    mode_.pitch = width * 2;
    mode_.orientation = orientation;
    surface_.width = width;
    surface_.height = height;
    surface_.pitch = width * 2;
    surface_.pixels = reinterpret_cast<uint8_t*>(pixels_.data());
  }
  bool initialize(HWND, ScreenHAL::DisplayParams&, ScreenHAL::DetectionRecord&) override { return true; }
  ScreenHAL::Surface* lock() override { return &surface_; }
  void present(uint32_t) override {}

 private:
  std::vector<uint16_t> pixels_;
};

void fill(ScreenHAL::Surface& s) {
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) *s.at(x, y) = static_cast<uint16_t>(x * 31 + y * 7);
}

void BM_RotationDriverPresent(benchmark::State& state) {
  const Screen screen = kScreens[state.range(0)];
  const int delta = static_cast<int>(state.range(1));
  const bool across = delta % 2 == 1;
  auto inner = std::make_unique<MemoryDriver>(across ? screen.height : screen.width,
                                              across ? screen.width : screen.height, delta);
  ScreenHAL::RotationDriver rotation(std::move(inner));
  ScreenHAL::DisplayParams params{screen.width, screen.height, 0, 2};
  ScreenHAL::DetectionRecord detection;
  if (!rotation.initialize(nullptr, params, detection)) {
    state.SkipWithError("no back buffer");
    return;
  }
  Raster::Rect dirty{0, 0, screen.width, screen.height};
  rotation.adjustRect(dirty);
  fill(*rotation.lock());
  rotation.present(0);
  for (auto _ : state) {
    rotation.lock();
    rotation.present(0);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * screen.width * screen.height * 2);
}
BENCHMARK(BM_RotationDriverPresent)->ArgsProduct({{0, 1}, {1, 2, 3}});

void BM_PerPixelRotation(benchmark::State& state) {
  const Screen screen = kScreens[state.range(0)];
  const int delta = static_cast<int>(state.range(1));
  const bool across = delta % 2 == 1;
  std::unique_ptr<ScreenHAL::Surface> back(ScreenHAL::Surface::create(screen.width, screen.height));
  std::unique_ptr<ScreenHAL::Surface> frame(
      ScreenHAL::Surface::create(across ? screen.height : screen.width, across ? screen.width : screen.height));
  fill(*back);
  const Raster::Rect all{0, 0, frame->width, frame->height};
  for (auto _ : state) {
    ScreenHAL::copyRotatedPerPixel(*back, *frame, all, delta);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * screen.width * screen.height * 2);
}
BENCHMARK(BM_PerPixelRotation)->ArgsProduct({{0, 1}, {1, 2, 3}});

void BM_StraightCopy(benchmark::State& state) {
  const Screen screen = kScreens[state.range(0)];
  std::unique_ptr<ScreenHAL::Surface> back(ScreenHAL::Surface::create(screen.width, screen.height));
  std::unique_ptr<ScreenHAL::Surface> frame(ScreenHAL::Surface::create(screen.width, screen.height));
  fill(*back);
  for (auto _ : state) {
    std::memcpy(frame->pixels, back->pixels, static_cast<size_t>(back->pitch) * back->height);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * screen.width * screen.height * 2);
}
BENCHMARK(BM_StraightCopy)->Arg(0)->Arg(1);

}  // namespace
