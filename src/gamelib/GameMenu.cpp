// The in-game menu's list and table pages: input with its shared 200 ms gate, painting, the shaded
// background, the shared pictures, the loading bar and the level texts.
#include "gamelib/GameMenu.h"

#include <algorithm>
#include <cstdlib>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DInteger.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/TextTable.h"

namespace gamelib {

using nuv::lang::DintArray;
using nuv::lang::DintArrayPtr;
using nuv::lang::DInteger;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;
using nuv::lang::DSystem;
using nuv::microedition::lcdui::DFont;
using nuv::microedition::lcdui::DGraphics;
using nuv::microedition::lcdui::DGraphicsPtr;
using nuv::microedition::lcdui::DImage;
using nuv::microedition::lcdui::DImagePtr;

namespace {

constexpr int64_t kInputGapMs = 200;
constexpr int32_t kFirstRowOffset = 4;
constexpr int32_t kArrowGap = 2;
constexpr int32_t kTableInset = 10;

constexpr int32_t kBarFrameWidth = 108;
constexpr int32_t kBarFrameHeight = 10;
constexpr int32_t kBarInset = 2;
constexpr int32_t kBarWidth = 104;
constexpr int32_t kBarHeight = 6;
// A game's loading bar.
constexpr int32_t kLoadingStep = 10;
constexpr int32_t kLoadingBack = 0xFFFFFF;
constexpr int32_t kLoadingBar = 0xFF0000;

constexpr const char16_t* kSfxLevelKeys[] = {u"soundfxoff", u"soundfxlow", u"soundfxnormal", u"soundfxhigh"};
constexpr const char16_t* kMusicLevelKeys[] = {u"musicoff", u"musiclow", u"musicnormal", u"musichigh"};
constexpr int32_t kLevelCount = 4;

DStringPtr levelKey(const char16_t* const* keys, int32_t level) {
  return level >= 0 && level < kLevelCount ? DStringPtr(keys[level]) : DStringPtr(u"");
}

// The picture, or null when it is not there.
DImagePtr tryLoad(const char16_t* name) {
  DImagePtr picture;
  ResourceDamage::skipMissing(nuv::lang::ExceptionCode::Exception, [&] { picture = GameLib::loadImage(name); });
  return picture;
}

}  // namespace

GameMenu::GameMenu()
    : left(GameLib::screenWidth >> 3),
      top(GameLib::screenHeight * 25 / 176),
      height(GameLib::screenHeight - GameLib::screenHeight * 15 / 176 - GameLib::screenHeight * 25 / 176),
      itemHeight(GameLib::font(GameLib::FONT_MENU)->getHeight() * 18 / 12),
      font(DFont::getDefaultFont()) {}

GameMenu::~GameMenu() {
  font = nullptr;
  background = nullptr;
  titleImage = nullptr;
  scores = nullptr;
  items = nullptr;
}

void GameMenu::setItems(DStringArrayPtr newItems) { items = std::move(newItems); }

void GameMenu::releaseImage() { titleImage = nullptr; }

bool GameMenu::isPointerIn(int32_t l, int32_t t, int32_t r, int32_t b) {
  int32_t x = ScreenCanvas::pointerX, y = ScreenCanvas::pointerY;
  return x > l && x < r && y > t && y < b;
}

void GameMenu::update() {
  int64_t now = DSystem::currentTimeMillis();
  if (inputClock <= 0) inputClock = now;
  chosen = false;
  if (mode == MODE_NAME_ENTRY) {
    updateNameEntry();
    return;
  }
  visibleRows = mode == MODE_HELP ? (helpBottom - helpTop) / helpLineHeight : (height - 2 * border) / itemHeight;
  if (now - inputClock <= kInputGapMs) return;
  if (handleInput(now)) inputClock = now;
}

void GameMenu::moveUp() {
  if (mode != MODE_LIST) {
    if (first > 0) --first;
    return;
  }
  int32_t count = items->length;
  if (selected < 1) {
    selected = count - 1;
    first = std::max(count - visibleRows, 0);
  } else if (--selected < first) {
    first = selected;
  }
}

void GameMenu::moveDown() {
  switch (mode) {
    case MODE_LIST:
      if (selected < items->length - 1) {
        if (++selected > first + visibleRows - 1) ++first;
      } else {
        selected = 0;
        first = 0;
      }
      break;
    case MODE_TABLE:
      if (first < items->length - visibleRows) ++first;
      break;
    case MODE_HELP:
      if (first + visibleRows < helpLineCount) ++first;
      break;
    default:
      break;
  }
}

bool GameMenu::handleInput(int64_t now) {
  const bool* held = ScreenCanvas::held;
  if (held[GameAction::Up] || held[GameAction::Special1]) {
    moveUp();
  } else if (held[GameAction::Down] || held[GameAction::Special2]) {
    moveDown();
  } else if (held[GameAction::Fire]) {
    if (mode == MODE_LIST) {
      chosen = true;
      // Choosing the last entry closes the menu as well.
      if (selected >= items->length - 1) closed = true;
    } else if (mode == MODE_TABLE) {
      closed = true;
    } else if (mode == MODE_HELP) {
      helpPageDown();
    }
  } else if (ScreenCanvas::select && (mode == MODE_TABLE || mode == MODE_HELP)) {
    closed = true;
    inputClock = now;
    ScreenCanvas::resetInput();
    return false;
  } else if (ScreenCanvas::back) {
    if (mode == MODE_HELP) helpPageDown();
    if (mode == MODE_TABLE) closed = true;
  } else if (ScreenCanvas::pointerDown) {
    switch (mode) {
      case MODE_LIST:
        tapList(now);
        break;
      case MODE_TABLE:
        closed = true;
        break;
      case MODE_HELP:
        tapHelp();
        break;
      default:
        return false;
    }
  } else {
    return false;
  }
  return true;
}

void GameMenu::tapList(int64_t now) {
  int32_t count = items->length;
  int32_t cx = GameLib::screenWidth >> 1;
  ImageFontPtr rowFont = GameLib::font(GameLib::FONT_MENU);
  for (int32_t i = first; i < first + visibleRows && i < count; ++i) {
    int32_t y = border + top + kFirstRowOffset + (i - first) * itemHeight;
    int32_t half = rowFont->stringWidth((*items)[i]) >> 1;
    if (isPointerIn(cx - half, y + 1, cx + half, y + itemHeight - 1)) {
      selected = i;
      chosen = true;
      inputClock = now;
      // The highlight shows before the game acts on the choice.
      paint();
      GameLib::canvas->flush();
    }
  }
  // The arrows only have a box while their pictures are there.
  if (count > visibleRows && !arrowUp.isNull()) {
    int32_t half = arrowUp->getWidth() >> 1;
    if (isPointerIn(cx - half, top - arrowUp->getHeight() - kArrowGap, cx + half, top - kArrowGap)) moveUp();
  }
  if (count > visibleRows && !arrowDown.isNull()) {
    int32_t half = arrowDown->getWidth() >> 1;
    int32_t arrowTop = top + height + kArrowGap;
    if (isPointerIn(cx - half, arrowTop, cx + half, arrowTop + arrowDown->getHeight())) moveDown();
  }
  if (chosen && selected == count - 1) closed = true;
}

void GameMenu::paint() {
  switch (mode) {
    case MODE_FRESH:
      mode = MODE_LIST;
      GameLib::screenWidth = GameLib::canvas->getWidth();
      GameLib::screenHeight = GameLib::canvas->getHeight();
      return;
    case MODE_HELP:
      paintHelp();
      return;
    case MODE_NAME_ENTRY:
      paintBackground();
      keyboard->paint();
      return;
    default:
      paintList();
      return;
  }
}

void GameMenu::paintBackground() {
  DGraphics& g = *GameLib::graphics;
  if (background.isNull()) {
    g.setColor(backColor);
    g.fillRect(0, 0, GameLib::screenWidth, GameLib::screenHeight);
  } else {
    g.drawImage(background, GameLib::screenWidth >> 1, GameLib::screenHeight >> 1, DGraphics::CENTRE);
  }
}

void GameMenu::paintList() {
  DGraphics& g = *GameLib::graphics;
  const int32_t sw = GameLib::screenWidth, sh = GameLib::screenHeight, cx = sw >> 1;
  g.setFont(font);
  int32_t w = sw - 2 * left;
  int32_t y = border + top + kFirstRowOffset;
  paintBackground();
  if (!titleImage.isNull()) titleImage->paint((sw - titleImage->w) >> 1, 0);
  if (drawBox) {
    g.setClip(0, 0, sw, sh);
    g.setColor(frameColor);
    g.fillRect(left, top, w, height);
    g.setColor(boxColor);
    g.fillRect(left + border, top + border, w - 2 * border, height - 2 * border);
  }
  if (items.isNull()) return;

  int32_t count = items->length;
  ImageFontPtr rowFont = GameLib::font(GameLib::FONT_MENU);
  for (int32_t i = first; i < first + visibleRows && i < count; ++i, y += itemHeight) {
    if (mode == MODE_LIST && i == selected) {
      ImageFontPtr selectedFont = GameLib::font(GameLib::FONT_MENUSEL);
      if (!selectedImage.isNull())
        g.drawImage(selectedImage, cx, y + (selectedFont->getHeight() >> 1), DGraphics::CENTRE);
      selectedFont->drawStringOnScreen((*items)[i], cx, y, DGraphics::TOP_CENTRE);
    } else if (mode == MODE_LIST) {
      g.setColor(itemColor);
      rowFont->drawStringOnScreen((*items)[i], cx, y, DGraphics::TOP_CENTRE);
    } else if (mode == MODE_TABLE) {
      g.setColor(tableColor);
      rowFont->drawStringOnScreen((*items)[i], left + kTableInset, y, DGraphics::TOP_LEFT);
      rowFont->drawStringOnScreen(DInteger::toString((*scores)[i]), sw - left - kTableInset, y, DGraphics::TOP_RIGHT);
    }
  }
  // In the list the highlight wraps, so both arrows stay while the list is longer than the page.
  if (count <= visibleRows) return;
  if (!arrowUp.isNull() && (mode != MODE_TABLE || first != 0)) {
    g.drawImage(arrowUp, cx, top - kArrowGap, DGraphics::BOTTOM_CENTRE);
  }
  if (!arrowDown.isNull() && (mode != MODE_TABLE || first + visibleRows < count)) {
    g.drawImage(arrowDown, cx, top + height, DGraphics::TOP_CENTRE);
  }
}

void GameMenu::setBackground(DImagePtr picture, int32_t level) {
  if (level == kListShade) left >>= 1;
  drawBox = false;
  int32_t d = picture->getWidth() - GameLib::screenWidth;
  background = shadeImage(picture, level, left + (d >> 1), GameLib::screenWidth - left + (d >> 1));
}

DImagePtr GameMenu::shadeImage(DImagePtr picture, int32_t level, int32_t fromX, int32_t toX) {
  int32_t n = toX - fromX + 1;
  int32_t alpha = std::abs(level);
  int32_t colour = (alpha << 24) | (level > 0 ? 0xFFFFFF : 0x000000);
  DintArrayPtr row = new DintArray(std::max(n, 1));
  for (int32_t i = 0; i < row->length; ++i) (*row)[i] = colour;
  DImagePtr result = DImage::createTransformedImage(picture, DGraphics::TRANS_NONE);
  DGraphicsPtr g = result->getGraphics();
  for (int32_t y = 0; y < picture->getHeight(); ++y) g->drawRGB(row, 0, n, fromX, y, n, 1, true);
  return result;
}

void GameMenu::loadImages() {
  if (arrowUp.isNull()) {
    arrowUp = tryLoad(u"arrowUp");
    arrowDown = tryLoad(u"arrowDown");
    pauseImage = tryLoad(u"pause");
  }
  if (selectedImage.isNull()) selectedImage = tryLoad(u"selected");
}

void GameMenu::startProgress(int32_t y, int32_t start, int32_t step, int32_t backColor, int32_t barColor) {
  progressY = y;
  progressPercent = start;
  progressStep = step;
  progressBackColor = backColor;
  progressBarColor = barColor;
  advanceProgress();
}

void GameMenu::advanceProgress() {
  progressPercent = std::clamp(progressPercent + progressStep, 0, 100);
  progressX = (GameLib::screenWidth - kBarFrameWidth) >> 1;
  DGraphics& g = *GameLib::graphics;
  g.setColor(progressBackColor);
  g.drawRect(progressX, progressY, kBarFrameWidth, kBarFrameHeight);
  g.setColor(progressBarColor);
  g.fillRect(progressX + kBarInset, progressY + kBarInset, progressPercent * kBarWidth / 100, kBarHeight);
}

void GameMenu::startLoading() {
  const int32_t h = GameLib::screenHeight;
  startProgress(h - (h >> 3), 0, kLoadingStep, kLoadingBack, kLoadingBar);
  GameLib::canvas->flush();
}

void GameMenu::advanceLoading() {
  advanceProgress();
  GameLib::canvas->flush();
}

DStringPtr GameMenu::getSfxLevelKey(int32_t level) { return levelKey(kSfxLevelKeys, level); }
DStringPtr GameMenu::getMusicLevelKey(int32_t level) { return levelKey(kMusicLevelKeys, level); }

DStringPtr GameMenu::getSfxLevelText(int32_t level) {
  DStringPtr key = getSfxLevelKey(level);
  return key->length() == 0 ? key : TextTable::getString(key);
}

DStringPtr GameMenu::getMusicLevelText(int32_t level) {
  DStringPtr key = getMusicLevelKey(level);
  return key->length() == 0 ? key : TextTable::getString(key);
}

}  // namespace gamelib
