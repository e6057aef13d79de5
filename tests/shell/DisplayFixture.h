// A headless window, a device of the test's choosing with a fresh detection, and the display log in a
// folder of the test's own: what the display layer's tests stand on.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/api/window.h"
#include "platform/device/device.h"
#include "support/TempFolder.h"

namespace test {

class DisplayFixture : public ::testing::Test {
 protected:
  // The window's class and title; one window per test, of the default screen's size (the display reads
  // the screen's size from the device, not the window).
  explicit DisplayFixture(const char16_t* windowName) : windowName_(windowName) {}

  // Starts on the Pocket PC profile.
  void SetUp() override;
  void TearDown() override;

  // Makes the device current and forgets what was detected, looked up and logged for the last one.
  void useDevice(const platform::Device& device);
  // The Pocket PC profile with this screen size.
  void useScreen(int width, int height);
  void closeWindow();
  std::string logText() const;

  test::TempFolder folder_;
  HWND window_ = nullptr;

 private:
  const char16_t* windowName_;
  std::filesystem::path previousFolder_;
};

}  // namespace test
