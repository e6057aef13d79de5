// The Game API driver: draws into the frame buffer that "gx.dll" hands out between GXBeginDraw and
// GXEndDraw.
#pragma once

#include "platform/api/gx.h"
#include "platform/api/module.h"
#include "shell/hal/VideoDriver.h"

namespace ScreenHAL {

// "gx.dll" with its entries, found by their decorated export names.
struct GameApi {
  GameApi() = default;
  GameApi(const GameApi&) = delete;
  GameApi& operator=(const GameApi&) = delete;
  ~GameApi();
  // False when the library is missing (loaded stays false) or lacks an entry.
  bool load();

  HMODULE module = nullptr;
  GXOpenDisplayProc openDisplay = nullptr;
  GXCloseDisplayProc closeDisplay = nullptr;
  GXBeginDrawProc beginDraw = nullptr;
  GXEndDrawProc endDraw = nullptr;
  GXOpenInputProc openInput = nullptr;
  GXCloseInputProc closeInput = nullptr;
  GXGetDisplayPropertiesProc displayProperties = nullptr;
  GXGetDefaultKeysProc defaultKeys = nullptr;
  GXSuspendProc suspend = nullptr;
  GXResumeProc resume = nullptr;
  GXSetViewportProc setViewport = nullptr;
  GXIsDisplayDRAMBufferProc isDramBuffer = nullptr;
};

class GameApiDriver final : public VideoDriver {
 public:
  GameApiDriver() = default;
  ~GameApiDriver() override;

  // Fills the detection's mode; libraryLoaded tells whether "gx.dll" could be loaded at all.
  static bool detect(DetectionRecord& detection, bool& libraryLoaded);

  bool initialize(HWND window, DisplayParams& params, DetectionRecord& detection) override;
  Surface* lock() override;
  void present(uint32_t flags) override;
  void adjustRect(Raster::Rect& dirty) override;
  void resume() override;
  void suspend() override;

 private:
  GameApi api_;
  bool open_ = false;
  bool drawing_ = false;
  int64_t offset_ = 0;
  uint8_t* fixedAddress_ = nullptr;  // devices whose frame buffer stays put: no GXBeginDraw per frame
};

}  // namespace ScreenHAL
