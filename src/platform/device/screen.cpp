// The device screen buffer and the presenters that show it.
#include "platform/device/screen.h"

#include <algorithm>

#include "platform/device/device.h"

namespace platform {

void DeviceScreen::resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0xFFFFFF);
}

void DeviceScreen::present(bool changed) {
  ++presentCount_;
  if (changed) ++pictureCount_;
  // A presenter may remove itself; walk a copy.
  auto presenters = presenters_;
  for (auto& entry : presenters) entry.second(*this);
}

int DeviceScreen::addPresenter(Presenter presenter) {
  presenters_.emplace_back(nextPresenterId_, std::move(presenter));
  return nextPresenterId_++;
}

void DeviceScreen::removePresenter(int id) {
  std::erase_if(presenters_, [id](const auto& entry) { return entry.first == id; });
}

DeviceScreen& deviceScreen() {
  static DeviceScreen screen = [] {
    DeviceScreen s;
    s.resize(device().screenWidth, device().screenHeight);
    return s;
  }();
  return screen;
}

}  // namespace platform
