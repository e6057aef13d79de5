// The application object: its life-cycle calls, the start sequence with its logo, waits and loading bar,
// and the start's helpers.
#include "gamelib/GameLib.h"

#include <cstdio>
#include <string>

#include "core/io/D7zipInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DSystem.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/StartScreens.h"
#include "gamelib/StoreSaves.h"
#include "gamelib/TextTable.h"
#include "shell/ExitStatus.h"
#include "shell/lcdui/DDisplay.h"
#include "shell/lcdui/DFont.h"

namespace gamelib {

using nuv::io::D7zipInputStream;
using nuv::lang::catchException;
using nuv::lang::DExceptionBase;
using nuv::lang::DString;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;
using nuv::lang::DSystem;
using nuv::microedition::lcdui::DDisplay;
using nuv::microedition::lcdui::DFont;
using nuv::microedition::lcdui::DGraphics;
using nuv::microedition::lcdui::DImagePtr;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

constexpr const char16_t* kArchiveName = u"game.dat";
constexpr const char16_t* kMoreGamesMarker = u"/greedy_vendors";
constexpr const char16_t* kKeysTable = u"/data/keys";
constexpr const char16_t* kLogo = u"vandelorn";
constexpr const char16_t* kFontProbe = u"menu/font_0";
constexpr const char16_t* kFontNames[GameLib::FONT_COUNT] = {u"menu", u"menusel", u"hud0", u"hud1",
                                                             u"num0", u"num1",    u"small"};
constexpr int32_t kSmallFontSpacing = 1;

constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kBlack = 0x000000;
constexpr int32_t kBarColor = 0xFF0000;
constexpr int32_t kBarStart = 0;
constexpr int32_t kBarStep = 20;
constexpr int32_t kVersionX = 2;
constexpr int32_t kVersionY = 2;

constexpr int64_t kLogoMs = 1000;
constexpr int64_t kLoadingLogoMs = 1500;
constexpr int64_t kNotSupportedMs = 2000;

constexpr int32_t kImagePathMinHeight = 240;

// The keys of the games, whose levels the sound question sets.
DStringArrayPtr gameKeys() {
  DStringArrayPtr keys = new DStringArray(countGames(GameLib::menuList));
  int32_t n = 0;
  for (const MenuListEntry& row : GameLib::menuList) {
    if (row.names.kind == MenuRowKind::Game) (*keys)[n++] = new DString(row.names.gameKey);
  }
  return keys;
}

int64_t now() { return DSystem::currentTimeMillis(); }

// Every screen measures and draws its text with page 0 of each font: a font without it ends the start.
void requireFirstPage(const ImageFontPtr& font, DStringPtr prefix) {
  DStringPtr page = prefix + u"/font_0";
  if ((*font->pages)[0].isNull()) ResourceDamage::refuseMissing(page + u".png");
  if ((*font->glyphOffsets)[0].isNull()) ResourceDamage::refuseMissing(page);
}

}  // namespace

GameLib::GameLib(MenuList rows) {
  instance = this;
  menuList = rows;
}

void GameLib::pauseApp() {
  if (canvas.isNull()) return;
  canvas->keyPressed(FrameworkKey::Pause);
  canvas->keyReleased(FrameworkKey::Pause);
}

void GameLib::destroyApp(bool) {
  // Saves the settings file could not take during the run get their last chance.
  StoreSaves::writeKept();
  releaseGlobals();
  D7zipInputStream::closeArchive();
}

DStringPtr GameLib::getAppProperty(DStringPtr key) {
  if (key.isNull()) return nullptr;
  if (key == u"app.name") return u"glimmerhut";
  if (key == u"image.path") return screenHeight >= kImagePathMinHeight ? u"/ppc" : u"";
  return nullptr;
}

bool GameLib::checkResolution(int32_t width, int32_t height) {
  if (!D7zipInputStream::isArchiveOpen()) return false;
  return D7zipInputStream::getSize(resolutionFileName(width, height)) >= 0;
}

void GameLib::setPathList(DStringPtr value) {
  pathList = TextTable::split(value, u';');
  for (int32_t i = pathList->length - 1; i >= 0; --i) {
    DStringPtr entry = (*pathList)[i];
    if (!entry->endsWith(u"/")) (*pathList)[i] = entry + u"/";
  }
}

void GameLib::loadKeysAndTexts() {
  // Tables that are not there leave the values and texts as they were; damaged ones are reported.
  ResourceDamage::skipMissing(ExceptionCode::Exception, [] {
    TextTable::load(kKeysTable, false);
    leftSoftKey1 = TextTable::getInt(u"KEY_LEFT_SOFT1", FrameworkKey::SoftLeft);
    leftSoftKey2 = TextTable::getInt(u"KEY_LEFT_SOFT2", 0);
    rightSoftKey1 = TextTable::getInt(u"KEY_RIGHT_SOFT1", FrameworkKey::SoftRight);
    rightSoftKey2 = TextTable::getInt(u"KEY_RIGHT_SOFT2", 0);
    middleSoftKey = TextTable::getInt(u"KEY_MIDDLE_SOFT", FrameworkKey::Action);
  });
  loadChosenTexts();
  GameInterfacePtr screen = currentScreen;
  screen->init();
}

void GameLib::loadChosenTexts() {
  ResourceDamage::skipMissing(ExceptionCode::Exception, [] {
    // No language chosen, or an index beyond the list of codes, leaves the texts as they are.
    if (!languageCodes.isNull() && languageIndex >= 0 && languageIndex < languageCodes->length) {
      TextTable::load(u"/txt/res_" + (*languageCodes)[languageIndex], true);
    }
  });
}

DStringPtr GameLib::languageCode() {
  if (languageCodes.isNull() || languageIndex < 0 || languageIndex >= languageCodes->length) return u"en";
  return (*languageCodes)[languageIndex];
}

DStringPtr GameLib::helpPath(const char16_t* folder) { return (DStringPtr(folder) + languageCode()) + u"_help.txt"; }

void GameLib::drawLogo() {
  DImagePtr logo = loadImage(kLogo);
  graphics->drawImage(logo, screenWidth >> 1, (screenHeight - logo->getHeight()) >> 1, DGraphics::TOP_CENTRE);
  canvas->flush();
}

void GameLib::drawCentredLines(const char16_t* const* lines, int32_t count) {
  DGraphics& g = *graphics;
  g.setColor(kBlack);
  g.setFont(DFont::getFont(DFont::FACE_SYSTEM, DFont::STYLE_PLAIN, DFont::SIZE_SMALL));
  int32_t lineStep = g.getFont()->getHeight() + 5;
  int32_t x = screenWidth >> 1;
  int32_t y = (screenHeight >> 1) - lineStep * (count >> 1);
  for (int32_t i = 0; i < count; ++i, y += lineStep) g.drawString(lines[i], x, y, DGraphics::HCENTER);
}

void GameLib::startApp() {
  if (languageIndex == -1) {
    startFirstPart();
  } else {
    startLaterPart();
  }
}

void GameLib::startFirstPart() {
  const char* doing = "making the screen canvas";
  try {
    pathList = new DStringArray(1);
    (*pathList)[0] = new DString(u"");
    canvas = new ScreenCanvas();
    DDisplay::getDisplay(this)->setCurrent(canvas);

    DStringPtr archive = DSystem::getProperty(u"archive.name");
    if (archive.isNull()) archive = kArchiveName;
    // The archive's name in the reason, so a missing or damaged file is easy to find.
    static std::string openingArchive;
    openingArchive = "opening the resource archive \"" + narrow(archive->chars()) + "\"";
    doing = openingArchive.c_str();
    D7zipInputStream::openArchive(archive, u"");
    // An archive that lists no file is damaged, not one without this screen's set.
    if (D7zipInputStream::fileCount() == 0)
      throw new DExceptionBase(ExceptionCode::IOException, u"%s: the archive lists no files", archive->chars());
    graphics->setColor(kWhite);
    graphics->fillRect(0, 0, screenWidth, screenHeight);
    resolutionSupported = checkResolution(screenWidth, screenHeight);
    showMoreGames = D7zipInputStream::getSize(kMoreGamesMarker) < 0;
    if (!resolutionSupported) {
      // The screen's three lines do not say what the archive lacks; stderr does, named as the archive lists it.
      std::string missing = narrow(resolutionFileName(screenWidth, screenHeight)->chars());
      if (!missing.empty() && missing[0] == '/') missing.erase(0, 1);
      std::fprintf(stderr, "GlimmerHut: %s has no data for a %d x %d screen: %s is missing\n",
                   narrow(archive->chars()).c_str(), static_cast<int>(screenWidth), static_cast<int>(screenHeight),
                   missing.c_str());
      static constexpr const char16_t* kLines[] = {u"This screen", u"resolution is", u"not supported!"};
      drawCentredLines(kLines, 3);
      canvas->flush();
      // The notice only lets the player read it: a close request meanwhile ends the run as this failure.
      recordFailure(shell::kScreenNotSupported);
      waitThen(now(), kNotSupportedMs, StartStage::UnsupportedShown);
      return;
    }

    doing = "making the application's globals";
    initGlobals();
    doing = "reading the resolution file";
    TextTable::load(resolutionFileName(screenWidth, screenHeight), false);
    setPathList(TextTable::getString(u"PATH"));

    doing = "loading the fonts";
    DStringPtr prefix = findInPath(u"", kFontProbe);
    // Without fonts every screen would fail at its first text; better to say so now.
    if (prefix.isNull()) ResourceDamage::refuseMissing((*pathList)[0] + kFontProbe);
    fonts = new ImageFontArray(FONT_COUNT);
    for (int32_t i = 0; i < FONT_COUNT; ++i) {
      ImageFontPtr font = new ImageFont();
      (*fonts)[i] = font;
      if (i == FONT_SMALL) {
        font->spacing = kSmallFontSpacing;
        font->upperCase = false;
      }
      font->load(prefix + kFontNames[i]);
      requireFirstPage(font, prefix + kFontNames[i]);
    }
    canvas->flush();

    doing = "showing the logo";
    int64_t shown = now();
    drawLogo();
    waitThen(shown, kLogoMs, StartStage::LogoShown);
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> owned = catchException(e, ExceptionCode::Exception);
    endStart(doing, *owned);
  }
}

void GameLib::startLanguageStep() {
  try {
    GameInterfacePtr menu = start::makeLanguageMenu();
    if (languageIndex == -1) {
      currentScreen = menu;
      return;
    }
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> owned = catchException(e, ExceptionCode::Exception);
    endStart("reading the language list", *owned);
    return;
  }
  startLaterPart();
}

void GameLib::startLaterPart() {
  int64_t started = now();
  const char* doing = "asking whether sound should be on";
  try {
    if (!start::soundQuestionAnswered()) {
      currentScreen = start::makeSoundMenu(gameKeys());
      return;
    }
    doing = "showing the logo";
    graphics->setColor(kWhite);
    graphics->fillRect(0, 0, screenWidth, screenHeight);
    drawLogo();
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> owned = catchException(e, ExceptionCode::Exception);
    endStart(doing, *owned);
    return;
  }
  waitThen(started, kLoadingLogoMs, StartStage::LoadingLogoShown);
}

void GameLib::startLoading() {
  const char* doing = "loading the menus";
  try {
    DStringPtr text = version();
    if (!text.isNull()) {
      graphics->setColor(kBlack);
      graphics->setFont(DFont::getFont(DFont::FACE_SYSTEM, DFont::STYLE_PLAIN, DFont::SIZE_SMALL));
      graphics->drawString(text, kVersionX, kVersionY, DGraphics::TOP_LEFT);
    }
    start::startProgress(screenHeight - (screenHeight >> 3), kBarStart, kBarStep, kBlack, kBarColor);
    canvas->flush();
    start::advanceProgress();
    canvas->flush();
    start::advanceProgress();
    canvas->flush();
    start::loadMenuImages();
    currentScreen = start::makeMainMenu();
    start::advanceProgress();
    canvas->flush();
    // Reading the keys and texts initialises the main menu too.
    doing = "making the main menu";
    loadKeysAndTexts();
    start::advanceProgress();
    canvas->flush();
    openMainMenu();
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> owned = catchException(e, ExceptionCode::Exception);
    endStart(doing, *owned);
  }
}

void GameLib::waitThen(int64_t since, int64_t ms, StartStage next) {
  pendingStage_ = next;
  waitStart_ = since;
  waitLength_ = ms;
}

bool GameLib::runPendingStart() {
  if (pendingStage_ == StartStage::None) return false;
  if (now() - waitStart_ < waitLength_) {
    // The loop goes on while the start waits: keep the start's picture on the screen, over the splash.
    if (now() - lastWaitFlush_ >= kStepMs) {
      lastWaitFlush_ = now();
      canvas->flush();
    }
    return true;
  }
  StartStage stage = pendingStage_;
  pendingStage_ = StartStage::None;
  switch (stage) {
    case StartStage::UnsupportedShown:
      notifyFailed(shell::kScreenNotSupported);
      break;
    case StartStage::LogoShown:
      startLanguageStep();
      break;
    case StartStage::LoadingLogoShown:
      startLoading();
      break;
    case StartStage::None:
      break;
  }
  return true;
}

void GameLib::endStart(const char* doing, const DExceptionBase& failure) {
  report((std::string("the start failed while ") + doing).c_str(), failure);
  // Nothing half made stays on the screen while the program ends.
  currentScreen = nullptr;
  notifyFailed(shell::kFailed);
}

std::string GameLib::narrow(const char16_t* text) {
  std::string result;
  for (; text != nullptr && *text != 0; ++text) result.push_back(*text < 0x80 ? static_cast<char>(*text) : '?');
  return result;
}

void GameLib::report(const char* what, const DExceptionBase& failure) {
  std::fprintf(stderr, "GlimmerHut: %s: %s\n", what, narrow(ResourceDamage::describe(failure).c_str()).c_str());
}

}  // namespace gamelib
