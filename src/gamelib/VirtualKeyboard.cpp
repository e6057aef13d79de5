// The on-screen keyboard: rendering its panel, drawing the cursor, text and caret, and typing with keys
// and the pen.
#include "gamelib/VirtualKeyboard.h"

#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"

namespace gamelib {

using nuv::lang::DString;
using nuv::lang::DStringPtr;
using nuv::lang::DSystem;
using nuv::microedition::lcdui::DFont;
using nuv::microedition::lcdui::DGraphics;
using nuv::microedition::lcdui::DGraphicsPtr;
using nuv::microedition::lcdui::DImage;
using nuv::microedition::lcdui::DImagePtr;

namespace {

constexpr const char16_t* kOkLabel = u"ok";
constexpr const char16_t* kDeleteLabel = u"<-";
constexpr const char16_t* kPanelPictures[] = {u"input/input_top", u"input/input_midd", u"input/input_bot"};
constexpr int64_t kCaretBlinkMs = 500;
constexpr int64_t kTapGapMs = 200;
constexpr int32_t kCaretLength = 8;
constexpr int32_t kLabelInset = 4;
constexpr int32_t kEnter = 13;
constexpr int32_t kBackspace = 8;

int64_t now() { return DSystem::currentTimeMillis(); }

// The character of a key code; empty for codes that are no character.
DStringPtr characterOf(int32_t code) {
  if (code <= 0 || code > 0xFFFF) return u"";
  const char16_t text[] = {static_cast<char16_t>(code), 0};
  return new DString(text);
}

}  // namespace

VirtualKeyboard::VirtualKeyboard() : tapTime(now()), text(new DString(u"")), font(DFont::getDefaultFont()) {}

VirtualKeyboard::~VirtualKeyboard() {
  alphabet = nullptr;
  text = nullptr;
  font = nullptr;
  panel = nullptr;
  title = nullptr;
}

int32_t VirtualKeyboard::keyCount() const { return alphabet.isNull() ? 0 : alphabet->length(); }

DStringPtr VirtualKeyboard::label(int32_t key) {
  int32_t n = keyCount();
  if (key == n) return kOkLabel;
  if (key == n + 1) return kDeleteLabel;
  return alphabet->substring(key, key + 1);
}

void VirtualKeyboard::setup(DImagePtr background) {
  done = false;
  if (alphabet.isNull()) return;
  panel = nullptr;
  DImagePtr top = GameLib::loadImage(kPanelPictures[0]);
  DImagePtr middle = GameLib::loadImage(kPanelPictures[1]);
  DImagePtr bottom = GameLib::loadImage(kPanelPictures[2]);
  int32_t ht = top->getHeight(), hm = middle->getHeight(), hb = bottom->getHeight();
  int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  int32_t y0 = (h - (ht + hm + hb)) >> 1;

  panel = DImage::createMutableImage(w, h);
  DGraphicsPtr g = panel->getGraphics();
  if (!background.isNull()) g->drawImage(background, 0, 0, DGraphics::TOP_LEFT);
  g->drawImage(top, w >> 1, y0, DGraphics::TOP_CENTRE);
  g->drawImage(middle, w >> 1, y0 + ht, DGraphics::TOP_CENTRE);
  g->drawImage(bottom, w >> 1, y0 + ht + hm, DGraphics::TOP_CENTRE);

  ImageFontPtr keysFont = GameLib::font(GameLib::FONT_MENU);
  int32_t fh = keysFont->getHeight();
  if (y == 0) y = y0 + ht;
  if (textY == 0) textY = y0 + ht + hm - fh - 3;
  if (!title.isNull()) {
    GameLib::font(GameLib::FONT_SMALL)
        ->drawString(g, title, w >> 1, y0 + ht + hm - 2 * fh - 4, DGraphics::BOTTOM_CENTRE);
  }

  g->setFont(font);
  int32_t n = keyCount();
  int32_t cx = x, cy = y;
  rows = 0;
  auto drawKey = [&](DStringPtr key, int32_t cellX) {
    keysFont->drawString(g, key, cellX + ((cellWidth - keysFont->stringWidth(key)) >> 1), cy + ((cellHeight - fh) >> 1),
                         DGraphics::TOP_LEFT);
  };
  for (int32_t i = 0; i < n;) {
    g->setColor(glyphColor);
    int32_t cells = 0;
    for (; cells < columns && i < n; ++cells, ++i, cx += cellWidth) drawKey(alphabet->substring(i, i + 1), cx);
    lastRowCells = cells;
    if (i < n) {
      cx = x;
      cy += cellHeight;
    }
    ++rows;
  }
  drawKey(kOkLabel, cx);
  drawKey(kDeleteLabel, cx + cellWidth);
  width = cellWidth * columns;
  height = cellHeight * rows;
  lastRowCells += 2;
}

void VirtualKeyboard::paint() {
  DGraphics& g = *GameLib::graphics;
  if (!panel.isNull()) g.drawImageOpaque(panel, 0, 0, DGraphics::TOP_LEFT);
  g.setColor(cursorColor);
  int32_t cellX = x + cellWidth * column, cellY = y + cellHeight * row;
  g.drawRect(cellX, cellY, cellWidth, cellHeight);

  ImageFontPtr plain = GameLib::font(GameLib::FONT_MENU);
  int32_t fh = plain->getHeight();
  if (!alphabet.isNull()) {
    DStringPtr key = label(index);
    GameLib::font(GameLib::FONT_MENUSEL)
        ->drawStringOnScreen(key, cellX + ((cellWidth - plain->stringWidth(key)) >> 1),
                             cellY + ((cellHeight - fh) >> 1), DGraphics::TOP_LEFT);
  }

  if (!text.isNull()) {
    plain->drawStringOnScreen(text, textX, textY, DGraphics::TOP_LEFT);
    int64_t t = now();
    if (t - caretTime > kCaretBlinkMs) {
      caretOn = !caretOn;
      caretTime = t;
    }
    if (caretOn) {
      int32_t tw = plain->stringWidth(text);
      g.setColor(cursorColor);
      g.drawLine(textX + tw + 1, textY + fh, textX + tw + 1 + kCaretLength, textY + fh);
    }
  }

  int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  plain->drawStringOnScreen(kOkLabel, kLabelInset, h - kLabelInset, DGraphics::BOTTOM_LEFT);
  plain->drawStringOnScreen(kDeleteLabel, w - kLabelInset, h - kLabelInset, DGraphics::BOTTOM_RIGHT);
}

void VirtualKeyboard::append(DStringPtr c) {
  if (text->length() < maxLength) text = text + c;
}

void VirtualKeyboard::deleteLast() {
  if (text->length() > 0) text = text->substring(0, text->length() - 1);
}

void VirtualKeyboard::accept() {
  if (text->length() == 0) return;
  done = true;
  ScreenCanvas::resetInput();
}

void VirtualKeyboard::tap() {
  int64_t t = now();
  if (t - tapTime <= kTapGapMs) return;
  int32_t px = ScreenCanvas::pointerX, py = ScreenCanvas::pointerY;
  int32_t n = keyCount();
  if (px >= x && px < x + width && py >= y && py < y + height) {
    int32_t c = (px - x) / cellWidth, r = (py - y) / cellHeight;
    if (r == rows - 1 && c >= lastRowCells) return;
    int32_t i = r * columns + c;
    if (i >= n + 2) return;
    column = c;
    row = r;
    index = i;
    ScreenCanvas::held[GameAction::Fire] = true;
    ScreenCanvas::anyKey = true;
    ScreenCanvas::lastKeyCode = 0;
    tapTime = t;
    return;
  }
  ImageFontPtr plain = GameLib::font(GameLib::FONT_MENU);
  int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  if (py <= h - plain->getHeight() - kLabelInset || py >= h - kLabelInset) return;
  if (px > kLabelInset && px < kLabelInset + plain->stringWidth(kOkLabel)) {
    accept();
  } else if (px > w - plain->stringWidth(kDeleteLabel) - kLabelInset && px < w - kLabelInset) {
    deleteLast();
    ScreenCanvas::anyKey = false;
  }
}

void VirtualKeyboard::moveCursor() {
  int32_t lastRow = rows - 1;
  if (ScreenCanvas::held[GameAction::Left]) {
    if (--column < 0) column = (row == lastRow ? lastRowCells : columns) - 1;
  } else if (ScreenCanvas::held[GameAction::Right]) {
    if (++column >= (row == lastRow ? lastRowCells : columns)) column = 0;
  } else if (ScreenCanvas::held[GameAction::Up]) {
    if (--row < 0) {
      row = lastRow;
      if (column >= lastRowCells) column = lastRowCells - 1;
    }
  } else if (ScreenCanvas::held[GameAction::Down]) {
    if (++row >= rows) row = 0;
    if (row == lastRow && column >= lastRowCells) column = lastRowCells - 1;
  } else if (ScreenCanvas::held[GameAction::Fire]) {
    int32_t n = keyCount();
    if (index < n) {
      append(alphabet->substring(index, index + 1));
    } else if (index == n) {
      accept();
    } else {
      deleteLast();
    }
  } else if (ScreenCanvas::select || ScreenCanvas::lastKeyCode == kEnter) {
    accept();
  } else if (ScreenCanvas::back || ScreenCanvas::lastKeyCode == kBackspace) {
    deleteLast();
    ScreenCanvas::anyKey = false;
  }
}

void VirtualKeyboard::update() {
  if (ScreenCanvas::pointerDown) {
    tap();
    ScreenCanvas::pointerDown = false;
  }
  if (!ScreenCanvas::anyKey) return;

  bool typed = false;
  if (!alphabet.isNull()) {
    DStringPtr c = characterOf(ScreenCanvas::lastKeyCode);
    for (DStringPtr candidate : {c, c->toUpperCase(), c->toLowerCase()}) {
      if (candidate->length() > 0 && text->length() < maxLength && alphabet->indexOf(candidate) >= 0) {
        append(candidate);
        typed = true;
        break;
      }
    }
  }
  if (!typed) moveCursor();

  int32_t i = row * columns + column;
  if (i < keyCount() + 2) index = i;
  ScreenCanvas::anyKey = false;
  for (int32_t action : {GameAction::Fire, GameAction::Down, GameAction::Up, GameAction::Right, GameAction::Left}) {
    ScreenCanvas::held[action] = false;
  }
  ScreenCanvas::select = false;
  ScreenCanvas::back = false;
}

}  // namespace gamelib
