// The display layer's test fixture.
#include "shell/DisplayFixture.h"

#include <fstream>
#include <sstream>

#include "platform/device/screen.h"
#include "platform/host/datafolder.h"
#include "platform/host/desktop.h"
#include "platform/host/paths.h"
#include "shell/hal/DisplayServices.h"
#include "shell/hal/Log.h"
#include "shell/hal/VideoDetect.h"

namespace test {

void DisplayFixture::SetUp() {
  platform::setHeadless(true);
  // Windows are published per program folder: tests running side by side must not meet.
  platform::setProgramFile(folder_.file("glimmerhut"));
  platform::setLogFolder(folder_.path());
  previousFolder_ = std::filesystem::current_path();
  std::filesystem::current_path(folder_.path());
  useScreen(240, 320);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = windowName_;
  RegisterClassW(&wc);
  window_ =
      CreateWindowExW(0, windowName_, windowName_, WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window_, nullptr);
}

void DisplayFixture::TearDown() {
  closeWindow();
  platform::setProgramFile("");
  platform::setLogFolder("");
  std::filesystem::current_path(previousFolder_);
  platform::Device pocketPc;
  platform::findDeviceProfile("pocketpc", pocketPc);
  useDevice(pocketPc);
}

void DisplayFixture::useDevice(const platform::Device& device) {
  platform::setDevice(device);
  platform::deviceScreen().resize(device.screenWidth, device.screenHeight);
  ScreenHAL::VideoDetect::forget();
  ScreenHAL::resetDisplayServices();
  ScreenHAL::restartLog();
}

void DisplayFixture::useScreen(int width, int height) {
  platform::Device device;
  platform::findDeviceProfile("pocketpc", device);
  device.screenWidth = width;
  device.screenHeight = height;
  useDevice(device);
}

void DisplayFixture::closeWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  window_ = nullptr;
  UnregisterClassW(windowName_, nullptr);
}

std::string DisplayFixture::logText() const {
  std::ifstream in(folder_.file("Log_SHAL.txt"));
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace test
