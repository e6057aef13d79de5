// The application's MIDlet: the start (archive, screen-size check, fonts, logo and loading bar, first
// screens), the fixed 30 ms frame step over the one current screen, and the resource lookup every screen
// uses. Its state lives in the globals below.
#pragma once

#include <cstdint>
#include <string>

#include "core/io/D7zipInputStream.h"
#include "core/io/DFileInputStream.h"
#include "core/io/DInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DString.h"
#include "core/lang/DStringArray.h"
#include "core/util/DRandom.h"
#include "gamelib/GameInterface.h"
#include "gamelib/ImageFont.h"
#include "gamelib/MenuList.h"
#include "gamelib/ScreenCanvas.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"
#include "shell/midlet/DMIDlet.h"

namespace gamelib {

class GameLib;
using GameLibPtr = nuv::lang::DPtr<GameLib>;

class GameLib : public nuv::microedition::midlet::DMIDlet {
 public:
  // The shared bitmap fonts, by index.
  static constexpr int32_t FONT_MENU = 0;
  static constexpr int32_t FONT_MENUSEL = 1;
  static constexpr int32_t FONT_HUD0 = 2;
  static constexpr int32_t FONT_HUD1 = 3;
  static constexpr int32_t FONT_NUM0 = 4;
  static constexpr int32_t FONT_NUM1 = 5;
  static constexpr int32_t FONT_SMALL = 6;
  static constexpr int32_t FONT_COUNT = 7;

  static constexpr int32_t kStepMs = 30;

  // Registers itself in GameLib::instance, with the main menu's rows: the games, the end and more games.
  explicit GameLib(MenuList rows);
  const char* getClassName() const override { return "GameLib"; }

  void destroyApp(bool unconditional) override;
  // Queues the pause key as a press and a release, so the running screen sees it.
  void pauseApp() override;
  // The start; the language and sound menus call it again when they are done. Its fixed waits do not
  // block: the start goes on in a later frame call once the time has passed.
  void startApp() override;
  // One frame call: at most one 30 ms step (or the next stage of the start).
  void tick() override;
  // "GlimmerHut: what: the exception" on stderr.
  static void report(const char* what, const nuv::lang::DExceptionBase& failure);
  // A text for stderr: ASCII as it is, anything else as '?'.
  static std::string narrow(const char16_t* text);
  // Until the next step is due, or the start's next flush or stage.
  int32_t idleTime() override;
  // "app.name" and "image.path"; null for any other key.
  nuv::lang::DStringPtr getAppProperty(nuv::lang::DStringPtr key) override;

  // Screen switching. A main menu whose data is damaged ends the program in order, saying why.
  static void showMainMenu();
  static void quit();
  static void resetFrameClock();

  // Start helpers.
  static bool checkResolution(int32_t width, int32_t height);
  static void loadKeysAndTexts();
  // The chosen language's texts over the loaded ones; with no language chosen, or without the file,
  // they stay as they are. A damaged file is reported.
  static void loadChosenTexts();
  // The code of the chosen language; English until one is chosen.
  static nuv::lang::DStringPtr languageCode();
  // folder + language code + "_help.txt", e.g. "/txt/bnc/en_help.txt".
  static nuv::lang::DStringPtr helpPath(const char16_t* folder);
  static void drawLogo();
  // Splits a resolution file's "PATH" value into pathList, each entry ending in "/".
  static void setPathList(nuv::lang::DStringPtr value);

  // Application globals (filled by the menus' part of the library).
  static void initGlobals();
  static void releaseGlobals();
  static nuv::lang::DStringPtr version();

  // Resource lookup: the archive under the bare name and each prefix of pathList, then (loadFile only)
  // files beside the program, which are read whole and handed out like an archive entry.
  static nuv::io::DInputStreamPtr loadFile(nuv::lang::DStringPtr name);
  // The name under which loadFile finds the resource, with whether it is an archive entry (else a file
  // beside the program, named with a leading "/"); null when it is nowhere. Given opened, a file beside
  // the program is handed out there still open, for the caller to read and close.
  static nuv::lang::DStringPtr locateFile(nuv::lang::DStringPtr name, bool& inArchive,
                                          nuv::io::DFileInputStreamPtr* opened = nullptr);
  static nuv::lang::DStringPtr findInPath(nuv::lang::DStringPtr dir, nuv::lang::DStringPtr name);
  static nuv::lang::DStringPtr resolvePath(nuv::lang::DStringPtr dir, nuv::lang::DStringPtr name);
  static nuv::lang::DStringPtr resolveImagePath(nuv::lang::DStringPtr dir, nuv::lang::DStringPtr name);
  // How a resource that is nowhere is named: dir + the path list's first prefix + name.
  static nuv::lang::DStringPtr firstCandidate(nuv::lang::DStringPtr dir, nuv::lang::DStringPtr name);
  // DImage::createImage(name), given the name's entry when the caller has found it; null when the picture
  // is not there, or is there but cannot be decoded (undecodable is set then). An entry the archive cannot
  // decode is reported (ResourceDamage).
  static nuv::microedition::lcdui::DImagePtr createPicture(nuv::lang::DStringPtr name, bool& undecodable,
                                                           const nuv::io::D7zipInputStream::Entry* entry = nullptr);
  // path + ".png", else path + ".jpg"; null when neither is there. A picture there that cannot be
  // decoded, with no other format standing in for it, is reported as damage (ResourceDamage).
  static nuv::microedition::lcdui::DImagePtr loadImageFile(nuv::lang::DStringPtr path);
  // "graphics/" + a prefix + name, as PNG or JPEG; null when not found (noted, ResourceDamage::noteMissing).
  static nuv::microedition::lcdui::DImagePtr loadImage(nuv::lang::DStringPtr name);
  // loadImage for a picture the caller cannot go without: one that is nowhere is refused by name
  // (ResourceDamage::refuseMissing).
  static nuv::microedition::lcdui::DImagePtr requireImage(nuv::lang::DStringPtr name);
  static nuv::lang::DStringPtr resolutionFileName(int32_t width, int32_t height);

  static inline GameLibPtr instance;
  // The rows the application was made with.
  static inline MenuList menuList;
  static inline ScreenCanvasPtr canvas;
  static inline nuv::microedition::lcdui::DGraphicsPtr graphics;
  static inline int32_t screenWidth = 0;
  static inline int32_t screenHeight = 0;
  static inline GameInterfacePtr currentScreen;
  static inline nuv::lang::DStringArrayPtr pathList;
  static inline bool resolutionSupported = false;
  static inline bool showMoreGames = false;
  static inline ImageFontArrayPtr fonts;
  // One of the shared fonts, by its FONT_ index.
  static ImageFontPtr font(int32_t index) { return (*fonts)[index]; }
  // The games' random numbers; made with the application's globals.
  static inline nuv::util::DRandomPtr random;

  // Languages (the language menu fills the lists).
  static inline int32_t languageIndex = -1;
  static inline nuv::lang::DStringArrayPtr languageNames;
  static inline nuv::lang::DStringArrayPtr languageCodes;
  static inline int32_t languageCount = 0;

  // Soft-key codes from "/data/keys"; the second ones act as select and back.
  static inline int32_t leftSoftKey1 = nuv::microedition::lcdui::FrameworkKey::SoftLeft;
  static inline int32_t leftSoftKey2 = 0;
  static inline int32_t rightSoftKey1 = nuv::microedition::lcdui::FrameworkKey::SoftRight;
  static inline int32_t rightSoftKey2 = 0;
  static inline int32_t middleSoftKey = nuv::microedition::lcdui::FrameworkKey::Action;

  // The frame clock.
  static inline int64_t lastStepTime = 0;
  static inline int64_t paintTime = 0;
  // -1 none, 0 back to the main menu before the next step.
  static inline int32_t pendingSwitch = -1;

 private:
  // locateFile, which also hands out the archive entry it found, for loadFile to open.
  static nuv::lang::DStringPtr locate(nuv::lang::DStringPtr name, bool& inArchive, nuv::io::DFileInputStreamPtr* opened,
                                      nuv::io::D7zipInputStream::Entry* found);
  // loadImageFile, given the entry the search found for path + foundAs, which is then not looked up again.
  static nuv::microedition::lcdui::DImagePtr loadImageFile(nuv::lang::DStringPtr path, const char16_t* foundAs,
                                                           const nuv::io::D7zipInputStream::Entry& found);

  enum class StartStage { None, UnsupportedShown, LogoShown, LoadingLogoShown };

  // Steps of the start between its waits.
  void startFirstPart();
  void startLanguageStep();
  void startLaterPart();
  void startLoading();
  // Continues the start with `next` once `ms` have passed since `since`.
  void waitThen(int64_t since, int64_t ms, StartStage next);
  // True while the start is waiting or has just gone on: that frame call does nothing else.
  bool runPendingStart();
  // A failed start: the reason on stderr, and the application ends.
  void endStart(const char* doing, const nuv::lang::DExceptionBase& failure);
  // The main menu made current and initialised; what fails goes to the caller.
  static void openMainMenu();
  // A screen whose step or paint failed: a question of the start ends the start, the main menu ends the
  // program, any other screen ends into the main menu.
  static void screenFailed(const GameInterfacePtr& screen, const nuv::lang::DExceptionBase& failure);
  static void notSupportedFrame();
  static void drawCentredLines(const char16_t* const* lines, int32_t count);

  StartStage pendingStage_ = StartStage::None;
  int64_t waitStart_ = 0;
  int64_t waitLength_ = 0;
  int64_t lastWaitFlush_ = 0;
};

}  // namespace gamelib
