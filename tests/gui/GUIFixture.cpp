// The GUI engine's test fixture.
#include "gui/GUIFixture.h"

#include <cstring>

#include "core/lang/DString.h"
#include "core/lang/DbyteArray.h"
#include "core/lang/DintArray.h"
#include "gamelib/GameLib.h"
#include "gui/GUIAction.h"
#include "platform/seam/clock.h"

namespace guitest {

using gamelib::GameLib;
using gamelib::GUIAction;
using gamelib::GUIActionPtr;
using gamelib::GUIEngine;
using gamelib::GUIWidget;
using gamelib::GUIWidgetPtr;
using gamelib::ImageFont;
using gamelib::ImageFontPtr;

namespace {

constexpr const char16_t* kCharacters =
    u" abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,:;!?-<>&=%/'\"()";

EventLog* log = nullptr;

void record(GUIActionPtr action) {
  std::vector<int32_t> values;
  for (int32_t i = 0; i < action->eventDataLength / 4; ++i) values.push_back(action->dataInt(i));
  currentLog().codes.push_back(action->eventCode);
  currentLog().data.push_back(values);
}

}  // namespace

EventLog& currentLog() {
  static EventLog fallback;
  return log != nullptr ? *log : fallback;
}

void EventLog::watch(const GUIWidgetPtr& w, std::initializer_list<int32_t> list) {
  log = this;
  for (int32_t code : list) w->addNewAction(code, 0, 0, nullptr, record);
}

ImageFontPtr makeFont(int32_t glyphWidth, int32_t spaceWidth, int32_t height) {
  const std::u16string_view characters = kCharacters;
  const int32_t count = static_cast<int32_t>(characters.size());
  ImageFontPtr f = new ImageFont();
  f->upperCase = false;
  f->pages = new gamelib::DImageArray(ImageFont::kMaxPages);
  f->glyphOffsets = new nuv::lang::DintArray2d(ImageFont::kMaxPages);
  f->glyphWidths = new nuv::lang::DbyteArray2d(ImageFont::kMaxPages);
  f->charsets = new nuv::lang::DStringArray(ImageFont::kMaxPages);
  nuv::lang::DintArrayPtr offsets = new nuv::lang::DintArray(count + 1);
  nuv::lang::DbyteArrayPtr widths = new nuv::lang::DbyteArray(count + 1);
  for (int32_t i = 0; i < count; ++i) {
    (*widths)[i] = static_cast<int8_t>(i == 0 ? spaceWidth : glyphWidth);
    (*offsets)[i + 1] = (*offsets)[i] + (*widths)[i];
  }
  nuv::microedition::lcdui::DImagePtr page =
      nuv::microedition::lcdui::DImage::createMutableImage((*offsets)[count], height);
  // Glyphs are solid black blocks, so painted words show where they are.
  nuv::microedition::lcdui::DGraphicsPtr g = page->getGraphics();
  g->setColor(0x000000);
  g->fillRect(0, 0, (*offsets)[count], height);
  (*f->pages)[0] = page;
  (*f->glyphOffsets)[0] = offsets;
  (*f->glyphWidths)[0] = widths;
  (*f->charsets)[0] = new nuv::lang::DString(characters);
  f->pageCount = 1;
  return f;
}

void GUIFixture::SetUp() {
  GameLibFixture::SetUp();
  GameLib::fonts = new gamelib::ImageFontArray(GameLib::FONT_COUNT);
  font = makeFont(kGlyph, kSpace, kLine);
  for (int32_t i = 0; i < GameLib::FONT_COUNT; ++i) (*GameLib::fonts)[i] = font;
  engine = GUIEngine::getInstance();
  engine->setDefaultImageFont(font);
}

void GUIFixture::TearDown() {
  engine = nullptr;
  GUIEngine::disposeAll();
  log = nullptr;
  font = nullptr;
  GameLibFixture::TearDown();
}

void GUIFixture::step() {
  engine->update();
  drain();
}

void GUIFixture::steps(int n) {
  for (int i = 0; i < n; ++i) step();
}

int GUIFixture::drain() {
  int count = 0;
  for (GUIActionPtr action = engine->pollAction(); !action.isNull(); action = engine->pollAction()) {
    GUIAction::execute(engine, action);
    ++count;
  }
  return count;
}

void GUIFixture::paint() { engine->paintWidgets(false); }

void GUIFixture::advance(int64_t ms) { platform::advanceManualClock(ms); }

GUIWidgetPtr GUIFixture::widget(int32_t x, int32_t y, int32_t w, int32_t h, int32_t id) {
  GUIWidgetPtr made = new GUIWidget(id);
  made->setRect(x, y, w, h);
  return made;
}

GUIWidgetPtr GUIFixture::pushScreen() {
  GUIWidgetPtr screen = new GUIWidget(-1);
  screen->fillScreen();
  engine->pushScreen(screen);
  return screen;
}

uint16_t to565(uint32_t rgb) {
  return static_cast<uint16_t>(((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F));
}

uint16_t pixel(int32_t x, int32_t y) { return gltest::canvasPixel(x, y); }

int countOther(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour) {
  int count = 0;
  for (int32_t j = y; j < y + h; ++j) {
    for (int32_t i = x; i < x + w; ++i) count += pixel(i, j) != colour ? 1 : 0;
  }
  return count;
}

void clearScreen(uint32_t rgb) {
  GameLib::graphics->setClip(0, 0, GameLib::screenWidth, GameLib::screenHeight);
  GameLib::graphics->setColor(static_cast<int32_t>(rgb));
  GameLib::graphics->fillRect(0, 0, GameLib::screenWidth, GameLib::screenHeight);
}

}  // namespace guitest
