// The emulated handheld's screen: what drawing to a window puts on the glass. The desktop window and
// frame capture both show this buffer.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace platform {

class DeviceScreen {
 public:
  int width() const { return width_; }
  int height() const { return height_; }
  // 0x00RRGGBB, row after row, width() * height() pixels.
  uint32_t* pixels() { return pixels_.data(); }
  const uint32_t* pixels() const { return pixels_.data(); }
  void resize(int width, int height);

  // Called by whoever finished changing pixels; hands the frame to the presenters (window, capture).
  // changed is false when the pixels are those of the last present.
  void present(bool changed = true);
  uint64_t presentCount() const { return presentCount_; }
  // Counts the presents whose pixels changed: presenters skip a picture they have shown.
  uint64_t pictureCount() const { return pictureCount_; }
  using Presenter = std::function<void(const DeviceScreen&)>;
  // Returns an id for removePresenter.
  int addPresenter(Presenter presenter);
  void removePresenter(int id);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
  uint64_t presentCount_ = 0;
  uint64_t pictureCount_ = 0;
  std::vector<std::pair<int, Presenter>> presenters_;
  int nextPresenterId_ = 1;
};

// The one screen, sized from the device on first use. Main thread only.
DeviceScreen& deviceScreen();

}  // namespace platform
