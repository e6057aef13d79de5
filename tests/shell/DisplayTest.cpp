// The display layer: creation and its log, swap effects, frames reaching the device screen, the dirty
// rectangle on odd sizes, modes, and input turned to the frame.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/api/window.h"
#include "platform/device/device.h"
#include "platform/device/screen.h"
#include "platform/device/videohw.h"
#include "platform/seam/capture.h"
#include "platform/types.h"
#include "shell/DisplayFixture.h"
#include "shell/hal/Display.h"
#include "shell/hal/ScreenHAL.h"
#include "shell/hal/VideoDetect.h"

using ScreenHAL::DisplayContext;
using ScreenHAL::DisplayParams;

namespace {

class DisplayTest : public test::DisplayFixture {
 protected:
  DisplayTest() : DisplayFixture(u"DisplayTest") {}
};

}  // namespace

TEST_F(DisplayTest, CreationLogsEveryStepAndForcesASwapEffect) {
  std::ofstream(folder_.file("Log_SHAL.txt")) << "the previous run\n";
  DisplayParams params{240, 320, 0, 0};
  auto context = DisplayContext::open(window_, params);
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(params.W, 240);
  EXPECT_EQ(params.H, 320);
  EXPECT_EQ(params.O, 0);
  EXPECT_EQ(params.S, 2);  // the GDI driver copies its section bitmap to the window
  const std::string log = logText();
  EXPECT_EQ(log.find("the previous run"), std::string::npos);
  const char* lines[] = {
      "ScreenHAL (Version 1.0.4)\n",
      "Display::Create( hwnd = ",
      ", W:240, H:320, O:0, S:0 )\n",
      "Swap effect forced to SWAP_DISCARD\n",
      "Initializing display...\n",
      "VideoDetect::DetectDrivers()\n",
      "GDIDriver: Detect()\n",
      "GDIDriver: Found W:240, H:320, D:16\n",
      "VideoDetect: OS Version is 5.2\n",
      "CreateDriver( 00000001 )\n",
      "Initializing video driver...\n",
      "GDIDriver: Initialize()\n",
      "Driver initialized!\n",
      "Success, returning display params to caller (W:240, H:320, O:0, S:2)\n",
  };
  size_t at = 0;
  for (const char* line : lines) {
    const size_t found = log.find(line, at);
    ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "\n" << log;
    at = found;
  }
}

TEST_F(DisplayTest, AnOrientationWithoutAModeOrAWindowFailsCreation) {
  useScreen(240, 318);  // not a multiple of 16: only the upright mode
  DisplayParams turned{240, 318, 1, 1};
  EXPECT_EQ(DisplayContext::open(window_, turned), nullptr);
  EXPECT_NE(logText().find("Failed, destroying internal structures\n"), std::string::npos);
  DisplayParams upright{240, 318, 4, 1};
  EXPECT_NE(DisplayContext::open(window_, upright), nullptr);
  DisplayParams noWindow{240, 318, 0, 1};
  EXPECT_EQ(DisplayContext::open(nullptr, noWindow), nullptr);
}

TEST_F(DisplayTest, FramesDrawnIntoTheBackBufferReachTheScreenAndItsCapture) {
  DisplayParams params{240, 320, 0, 1};
  auto context = DisplayContext::open(window_, params);
  ASSERT_NE(context, nullptr);
  Raster::RasterSurface* back = context->beginFrame();
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->width(), 240);
  context->raster().clear(0x001F);
  context->raster().fillRect(10, 20, 30, 40, 0xF800);
  const uint64_t presents = platform::deviceScreen().presentCount();
  Raster::Rect ignored{0, 0, 1, 1};
  context->endFrame(&ignored);  // the whole screen is presented whatever the rectangle
  EXPECT_GT(platform::deviceScreen().presentCount(), presents);
  EXPECT_EQ(back->surface, nullptr);

  ASSERT_TRUE(platform::captureScreen(folder_.file("frame.png")));
  platform::Picture frame;
  ASSERT_TRUE(platform::readPng(folder_.file("frame.png"), frame));
  EXPECT_EQ(frame.pixels[25 * 240 + 15], 0xF80000u);
  EXPECT_EQ(frame.pixels[0], 0x0000F8u);
  EXPECT_EQ(frame.pixels[319 * 240 + 239], 0x0000F8u);

  // While suspended no frame begins; after resume frames go on.
  context->display()->suspend();
  EXPECT_EQ(context->beginFrame(), nullptr);
  context->display()->resume();
  EXPECT_NE(context->beginFrame(), nullptr);
  context->endFrame();
}

TEST_F(DisplayTest, OddScreenSizesKeepTheDirtyRectangleInsideTheBuffers) {
  useScreen(241, 321);
  DisplayParams params{241, 321, 0, 1};
  auto context = DisplayContext::open(window_, params);
  ASSERT_NE(context, nullptr);
  const Raster::Rect& dirty = context->display()->dirtyRect();
  EXPECT_EQ(dirty.right, 241);
  EXPECT_EQ(dirty.bottom, 321);
  ASSERT_NE(context->beginFrame(), nullptr);
  context->raster().clear(0xFFFF);
  context->endFrame();
  EXPECT_EQ(platform::deviceScreen().pixels()[320 * 241 + 240], 0xF8FCF8u);
}

// A driver whose surface is the screen itself: the display keeps a back buffer of its own and copies the
// dirty rectangle into the driver's pixels at present.
class ScreenItselfDriver : public ScreenHAL::VideoDriver {
 public:
  ScreenItselfDriver(int width, int height) : pixels_(static_cast<size_t>(width) * height) {
    mode_.width = width;
    mode_.height = height;
    mode_.bitsPerPixel = 16;
    mode_.pitch = width * 2;
    mode_.orientation = 0;
    mode_.swapKind = ScreenHAL::kSwapNone;
    surface_.width = width;
    surface_.height = height;
    surface_.pitch = width * 2;
    surface_.pixels = reinterpret_cast<uint8_t*>(pixels_.data());
  }
  bool initialize(HWND, DisplayParams&, ScreenHAL::DetectionRecord&) override { return true; }
  ScreenHAL::Surface* lock() override { return &surface_; }
  void present(uint32_t) override { ++presents; }
  std::vector<uint16_t> pixels_;
  int presents = 0;
};

class ScreenItselfDisplay : public ScreenHAL::Display {
 public:
  using Display::Display;
  ScreenHAL::VideoDriver* createDriver(DisplayParams&) override { return driver = new ScreenItselfDriver(241, 321); }
  ScreenItselfDriver* driver = nullptr;
};

TEST_F(DisplayTest, AnOwnBackBufferIsCopiedWithinTheDriversPixels) {
  ScreenItselfDisplay display(window_);
  DisplayParams params{241, 321, 0, 2};
  ASSERT_TRUE(display.open(params));
  EXPECT_EQ(display.params().S, 2);
  ASSERT_TRUE(display.lock());
  ScreenHAL::Surface* back = display.backBuffer();
  ASSERT_NE(back, nullptr);
  EXPECT_NE(back->pixels, reinterpret_cast<uint8_t*>(display.driver->pixels_.data()));
  *back->at(240, 320) = 0x1234;
  *back->at(0, 0) = 0x4321;
  ASSERT_TRUE(display.present(0));
  EXPECT_EQ(display.driver->pixels_.back(), 0x1234);
  EXPECT_EQ(display.driver->pixels_.front(), 0x4321);
  EXPECT_EQ(display.driver->presents, 1);
  EXPECT_FALSE(display.present(0));  // no frame is open
}

TEST_F(DisplayTest, ModeListsOfferQuarterTurnsOnlyForSidesOfSixteen) {
  struct Case {
    int width, height, orientation, count;
    ScreenHAL::ModeEntry last;
  } cases[] = {
      {240, 320, 0, 4, {320, 240, 3}},
      {240, 318, 2, 2, {240, 318, 0}},
      {240, 318, 1, 2, {318, 240, 0}},
      {240, 318, 0, 1, {240, 318, 0}},
  };
  for (const Case& c : cases) {
    ScreenHAL::DetectionRecord record;
    record.mode.width = c.width;
    record.mode.height = c.height;
    record.mode.orientation = c.orientation;
    ScreenHAL::VideoDetect::buildModeList(record);
    ASSERT_EQ(record.modeCount, c.count) << c.width << "x" << c.height << " o" << c.orientation;
    EXPECT_EQ(record.modes[0].orientation, c.orientation);
    const ScreenHAL::ModeEntry& last = record.modes[c.count - 1];
    EXPECT_EQ(last.width, c.last.width);
    EXPECT_EQ(last.height, c.last.height);
    EXPECT_EQ(last.orientation, c.last.orientation);
  }
}

TEST_F(DisplayTest, StylusAndArrowKeysAreTurnedToTheFrame) {
  struct Case {
    int r, x, y, expectedX, expectedY;
    UINT key, expectedKey;
  } cases[] = {
      {0, 10, 20, 10, 20, VK_LEFT, VK_LEFT},      {1, 10, 20, 219, 10, VK_LEFT, VK_UP},
      {2, 10, 20, 229, 299, VK_LEFT, VK_RIGHT},   {3, 10, 20, 20, 309, VK_DOWN, VK_RIGHT},
      {1, 10, 20, 219, 10, VK_RETURN, VK_RETURN},
  };
  for (const Case& c : cases) {
    int32_t x = c.x, y = c.y;
    ScreenHAL::Display::rotatePoint(c.r, 240, 320, x, y);
    EXPECT_EQ(x, c.expectedX) << "r " << c.r;
    EXPECT_EQ(y, c.expectedY) << "r " << c.r;
    EXPECT_EQ(ScreenHAL::Display::rotateArrowKey(c.r, c.key), c.expectedKey) << "r " << c.r;
  }
}

TEST_F(DisplayTest, TheWindowSubclassHandsOnTurnedInputAndActivation) {
  DisplayParams params{240, 320, 0, 1};
  auto context = DisplayContext::open(window_, params);
  ASSERT_NE(context, nullptr);
  SendMessageW(window_, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_FALSE(context->display()->isActive());
  EXPECT_EQ(context->beginFrame(), nullptr);
  SendMessageW(window_, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(context->display()->isActive());
  context->close();
  // Closing gave the window its own procedure back; messages still reach it.
  EXPECT_EQ(SendMessageW(window_, WM_KEYDOWN, VK_LEFT, 0), 0);
}
