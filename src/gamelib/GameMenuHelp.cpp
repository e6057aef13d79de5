// The in-game menu's two full-screen pages: the help text with its animations and scroll bar, and the name
// entry for a new high score on the shared on-screen keyboard.
#include <algorithm>

#include "core/io/DDataInputStream.h"
#include "core/lang/DExceptionBase.h"
#include "core/lang/DInteger.h"
#include "core/lang/DStringBuffer.h"
#include "gamelib/Animation.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/PageLayout.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/TextTable.h"

namespace gamelib {

using nuv::io::DDataInputStream;
using nuv::io::DDataInputStreamPtr;
using nuv::io::DInputStreamPtr;
using nuv::lang::catchException;
using nuv::lang::DExceptionBase;
using nuv::lang::DInteger;
using nuv::lang::DObject;
using nuv::lang::DObjectArray;
using nuv::lang::DObjectArrayPtr;
using nuv::lang::DString;
using nuv::lang::DStringBuffer;
using nuv::lang::DStringBufferPtr;
using nuv::lang::DStringPtr;
using nuv::microedition::lcdui::DFont;
using nuv::microedition::lcdui::DGraphics;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

constexpr int32_t kHelpCapacity = 250;
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kSpace = u' ';
constexpr char16_t kAnimationMark = u'%';
constexpr int32_t kTitleY = 3;
constexpr int32_t kTitleGap = 12;
constexpr int32_t kLineGap = 3;
constexpr int32_t kTextInset = 5;
constexpr int32_t kAnimationX = 2;
constexpr int32_t kAnimationGap = 2;
constexpr int32_t kWrapMargin = 4;
constexpr int32_t kBarRightInset = 8;
constexpr int32_t kBarWidth = 6;
constexpr int32_t kTrackColor = 0xCCCCCC;
constexpr int32_t kTrackOutline = 0x444444;
constexpr int32_t kThumbColor = 0xFFFFFF;
constexpr int32_t kThumbOutline = 0x000000;

constexpr const char16_t* kNameAlphabet = u"abcdefghijklmnopqrstuvwxyz-_";
constexpr int32_t kKeyboardColumns = 6;
constexpr int32_t kGlyphColor = 0x000000;
constexpr int32_t kCursorColor = 0x555555;
constexpr int32_t kTextIndent = 5;

// The paragraphs of the help file, each ended by a line feed; empty when there is no such file.
DStringPtr readParagraphs(DStringPtr path) {
  DStringBufferPtr buffer = new DStringBuffer();
  DInputStreamPtr stream = GameLib::loadFile(path);
  if (stream.isNull()) return buffer->toString();
  ResourceDamage::reading(path, [&] {
    DDataInputStreamPtr data = new DDataInputStream(stream);
    // The file ends between two paragraphs; the end of the data inside one is damage.
    while (data->available() > 0) {
      buffer->append(data->readUTF());
      buffer->append(kLineFeed);
    }
    stream->close();
  });
  return buffer->toString();
}

// The animation a "%" line names; a line that names none is damage to the help file.
DObject* namedAnimation(DStringPtr line, const DObjectArrayPtr& animations) {
  int32_t m = -1;
  try {
    m = DInteger::valueOf(line->substring(1))->intValue();
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::NumberFormatException);
  }
  if (animations.isNull() || m < 0 || m >= animations->length) {
    throw new DExceptionBase(ExceptionCode::IOException, u"a line starting with %% names no animation: %s",
                             line->chars());
  }
  return (*animations)[m].get();
}

}  // namespace

void GameMenu::loadHelp(DStringPtr path, DObjectArrayPtr animations) {
  DStringPtr text = readParagraphs(path);
  helpBottom = GameLib::screenHeight - GameLib::font(GameLib::FONT_HUD0)->getHeight();
  ImageFontPtr small = GameLib::font(GameLib::FONT_SMALL);
  helpMinChars = std::max(1, (GameLib::screenWidth - 2 * left - kWrapMargin) / std::max(1, small->stringWidth(u"W")));
  helpTop = GameLib::font(GameLib::FONT_MENUSEL)->getHeight() + kTitleGap;
  helpLineHeight = small->getHeight() + kLineGap;
  visibleRows = (helpBottom - helpTop) / helpLineHeight;
  first = 0;
  helpLines = new DObjectArray(kHelpCapacity);
  helpLineCount = 0;
  ResourceDamage::reading(path, [&] { layoutHelp(text, animations); });
}

void GameMenu::addHelpLine(DStringPtr line, DObjectArrayPtr animations, bool opensParagraph) {
  // A long help text gets the room it needs rather than failing.
  if (helpLineCount == helpLines->length) {
    DObjectArrayPtr larger = new DObjectArray(helpLines->length * 2);
    for (int32_t i = 0; i < helpLines->length; ++i) (*larger)[i] = (*helpLines)[i];
    helpLines = larger;
  }
  // Only a whole paragraph names an animation; a wrapped line that happens to begin with the mark ("50 %")
  // is text.
  if (opensParagraph && line->length() >= 2 && line->charAt(0) == kAnimationMark) {
    (*helpLines)[helpLineCount] = namedAnimation(line, animations);
  } else {
    (*helpLines)[helpLineCount] = line;
  }
  ++helpLineCount;
}

void GameMenu::layoutHelp(DStringPtr text, DObjectArrayPtr animations) {
  const int32_t length = text->length();
  const int32_t maxWidth = GameLib::screenWidth - 2 * left - kWrapMargin;
  ImageFontPtr small = GameLib::font(GameLib::FONT_SMALL);
  auto tooWide = [&](int32_t from, int32_t to) {
    return to - from > helpMinChars && small->stringWidth(text->substring(from, to)) > maxWidth;
  };
  int32_t s = 0;
  int32_t paragraphStart = 0;
  int32_t lastSpace = 0;
  for (int32_t i = 0; i < length; ++i) {
    const char16_t c = text->charAt(i);
    const int32_t lineStart = s;
    if ((c == kLineFeed || c == kSpace) && tooWide(s, i)) {
      // Break at the last space of the line (dropping it), or cut a word longer than a line.
      int32_t lineEnd;
      if (s < lastSpace - 1) {
        lineEnd = lastSpace;
        s = lastSpace + 1;
      } else {
        s += helpMinChars;
        lineEnd = s;
      }
      addHelpLine(text->substring(lineStart, lineEnd), animations, lineStart == paragraphStart);
      if (c == kLineFeed) {
        // The rest of the paragraph is scanned again from the new line's start.
        i = s - 1;
        continue;
      }
    } else if (c == kLineFeed) {
      s = i + 1;
      addHelpLine(text->substring(lineStart, i), animations, lineStart == paragraphStart);
      paragraphStart = s;
    }
    if (c == kSpace) lastSpace = i;
  }
}

void GameMenu::helpPageDown() {
  if (first + visibleRows >= helpLineCount) return;
  first = lastHelpLine;
  if (lastHelpLine + visibleRows > helpLineCount) first = helpLineCount - visibleRows;
}

void GameMenu::tapHelp() {
  const int32_t sw = GameLib::screenWidth, sh = GameLib::screenHeight;
  ImageFontPtr labels = GameLib::font(GameLib::FONT_HUD0);
  int32_t h2 = labels->getHeight();
  // The labels' zones reach from the screen's corners over the labels as drawn, kSoftKeyInset in.
  const int32_t quitRight = kSoftKeyInset + labels->stringWidth(TextTable::getString(u"quit"));
  const int32_t downLeft = sw - kSoftKeyInset - labels->stringWidth(TextTable::getString(u"down")) - 1;
  if (isPointerIn(0, sh - h2, quitRight, sh)) {
    closed = true;
  } else if (isPointerIn(downLeft, sh - h2, sw, sh)) {
    helpPageDown();
  } else if (isPointerIn(0, helpTop, sw, helpBottom)) {
    if (ScreenCanvas::pointerY > (sh >> 1)) {
      if (first + visibleRows < helpLineCount) ++first;
    } else if (first > 0) {
      --first;
    }
  }
}

void GameMenu::paintHelp() {
  DGraphics& g = *GameLib::graphics;
  const int32_t sw = GameLib::screenWidth, sh = GameLib::screenHeight;
  if (background.isNull()) {
    g.setColor(boxColor);
    g.fillRect(0, 0, sw, sh);
  } else {
    g.drawImage(background, sw >> 1, sh >> 1, DGraphics::CENTRE);
  }
  GameLib::font(GameLib::FONT_MENUSEL)
      ->drawStringOnScreen(TextTable::getString(u"help"), sw >> 1, kTitleY, DGraphics::TOP_CENTRE);
  g.setFont(DFont::getFont(DFont::FACE_PROPORTIONAL, DFont::STYLE_PLAIN, DFont::SIZE_SMALL));

  ImageFontPtr small = GameLib::font(GameLib::FONT_SMALL);
  int32_t y = helpTop;
  for (int32_t i = first; i - first < visibleRows && i < helpLineCount && y < helpBottom; ++i) {
    lastHelpLine = i;
    DObject* line = (*helpLines)[i].get();
    if (line == nullptr) {
      y += helpLineHeight;
    } else if (auto* animation = dynamic_cast<Animation*>(line)) {
      animation->paint(kAnimationX, y);
      // Animations take their first frame's height on the page.
      y += (*animation->frames)[0]->h + kAnimationGap;
    } else {
      g.setColor(itemColor);
      small->drawStringOnScreen(line->toString(), left + kTextInset, y, DGraphics::TOP_LEFT);
      y += helpLineHeight;
    }
  }

  // The scroll bar; an empty text or one that fits on the page shows the thumb over the whole track.
  int32_t track = helpBottom - helpTop;
  int32_t thumb = helpLineCount > visibleRows ? visibleRows * track / helpLineCount : track;
  int32_t offset = helpLineCount > visibleRows ? (track - thumb) * first / (helpLineCount - visibleRows) : 0;
  int32_t barX = sw - kBarRightInset;
  g.setColor(kTrackColor);
  g.fillRect(barX, helpTop, kBarWidth, track);
  g.setColor(kTrackOutline);
  g.drawRect(barX, helpTop, kBarWidth, track);
  g.setColor(kThumbColor);
  g.fillRect(barX, helpTop + offset, kBarWidth, thumb);
  g.setColor(kThumbOutline);
  g.drawRect(barX, helpTop + offset, kBarWidth, thumb + 1);

  ImageFontPtr labels = GameLib::font(GameLib::FONT_HUD0);
  labels->drawStringOnScreen(TextTable::getString(u"quit"), kSoftKeyInset, sh, DGraphics::BOTTOM_LEFT);
  labels->drawStringOnScreen(TextTable::getString(u"down"), sw - kSoftKeyInset, sh, DGraphics::BOTTOM_RIGHT);
}

void GameMenu::showNameEntry() {
  mode = MODE_NAME_ENTRY;
  // Only keys pressed while the entry is open type: what play left pressed, held or queued is dropped.
  ScreenCanvas::clearKeys();
  nameEntered = false;
  VirtualKeyboard& k = *keyboard;
  int32_t fh = GameLib::font(GameLib::FONT_HUD0)->getHeight();
  k.alphabet = kNameAlphabet;
  k.glyphColor = kGlyphColor;
  k.cursorColor = kCursorColor;
  k.cellWidth = fh * 21 / 12;
  k.cellHeight = fh * 19 / 12;
  k.font = DFont::getFont(DFont::FACE_SYSTEM, DFont::STYLE_BOLD, DFont::SIZE_SMALL);
  k.columns = kKeyboardColumns;
  k.x = (GameLib::screenWidth - k.cellWidth * kKeyboardColumns) >> 1;
  k.text = enteredName.isNull() ? DStringPtr(u"") : enteredName;
  k.title = TextTable::getString(u"entername");
  k.setup(background);
  k.textX = k.x + kTextIndent;
}

void GameMenu::updateNameEntry() {
  VirtualKeyboard& k = *keyboard;
  if (!k.done) k.update();
  if (k.done) {
    nameEntered = true;
    enteredName = k.text;
  }
}

}  // namespace gamelib
