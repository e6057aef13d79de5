// The main menu: the entry table, the grid layout and its icon motion, navigation with wrap-around, the
// title slide, and starting the chosen screen.
#include "gamelib/MainMenu.h"

#include <array>
#include <cstdlib>
#include <string>

#include "core/lang/DExceptionBase.h"
#include "gamelib/GameLib.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/TextTable.h"

namespace gamelib {

using nuv::lang::catchException;
using nuv::lang::DExceptionBase;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;
using nuv::microedition::lcdui::DGraphics;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

constexpr int32_t kStartDelayMs = 1000;
constexpr int32_t kChooseDelayMs = 1700;
constexpr int32_t kTitleSlideMs = 200;
constexpr int32_t kAcceleration = 0x7000;
constexpr int32_t kKick = 0x15000;
constexpr int32_t kFlyOutFactor = 5;
constexpr int32_t kTitleMargin = 20;
constexpr const char16_t* kIconTable = u"menu/icons";
constexpr const char16_t* kBackground = u"menu/back";

int32_t fixed(int32_t pixels) { return pixels << 16; }

// One axis of an icon: hard braking while it moves away from its target, a gentle pull towards it.
void moveAxis(int32_t& pos, int32_t& vel, int32_t target) {
  if (pos > target) {
    vel -= vel > 0 ? kAcceleration : kAcceleration >> 2;
  } else if (pos < target) {
    vel += vel < 0 ? kAcceleration : kAcceleration >> 2;
  }
  if (std::abs(target - pos) < kAcceleration && std::abs(vel) < kAcceleration) {
    vel = 0;
    pos = target;
  }
  pos += vel;
}

}  // namespace

MainMenu::~MainMenu() {
  titles = nullptr;
  background = nullptr;
  icons = nullptr;
  selectedIcons = nullptr;
}

void MainMenu::init() {
  ScreenCanvas::clearKeys();
  // Titles in the chosen language, whatever texts a game loaded last; without the file they stay.
  GameLib::loadChosenTexts();

  chooseDelay = kChooseDelayMs;
  titleInTime = kTitleSlideMs;
  titleOutTime = kTitleSlideMs;
  timer = kStartDelayMs;
  state = STATE_START;
  gameChosen = exitChosen = titleShown = false;

  background = GameLib::loadImage(kBackground);
  const MenuList list = GameLib::menuList;
  const int32_t entries = static_cast<int32_t>(list.size());
  titles = new DStringArray(entries);
  for (int32_t i = 0; i < entries; ++i) (*titles)[i] = TextTable::getString(list[i].names.titleKey);

  GameImage::loadImageTable(kIconTable);
  icons = new GameImageArray(entries);
  selectedIcons = new GameImageArray(entries);
  for (int32_t i = 0; i < entries; ++i) {
    // Every icon is painted: one the table lacks ends the menu here, by name, not in a later paint.
    (*icons)[i] = GameImage::require(list[i].names.icon);
    (*selectedIcons)[i] = GameImage::require(list[i].names.selectedIcon);
  }

  GameImagePtr first = (*icons)[0];
  columnStep = first->w;
  rowStep = first->h - 2;
  acceleration = kAcceleration;
  row = column = 0;

  const Grid& cells = GameLib::showMoreGames ? kMoreGamesGrid : kPlainGrid;
  rows = cells.rows;
  columns = cells.columns;
  for (int32_t r = 0; r < kMaxRows; ++r) {
    for (int32_t c = 0; c < kMaxColumns; ++c) grid[r][c] = cells.cells[r][c];
  }
  targetPos.assign(static_cast<size_t>(entries), {});
  currentPos.assign(static_cast<size_t>(entries), {});
  velocity.assign(static_cast<size_t>(entries), {});
  layout();
  exitEntry = indexOfRow(list, MenuRowKind::Exit);
  shownEntry = grid[0][0];
}

MainMenu::Vec MainMenu::gridCentre() const {
  int32_t fontHeight = GameLib::font(GameLib::FONT_HUD1)->getHeight();
  return {GameLib::screenWidth >> 1, GameLib::screenHeight - (((rows - 1) * rowStep) >> 1) - 2 * fontHeight};
}

MainMenu::Vec MainMenu::cellOffset(int32_t r, int32_t c) const {
  return {-(((columns - 1) * columnStep) >> 1) + c * columnStep, -((rows * rowStep) >> 1) + r * rowStep};
}

void MainMenu::layout() {
  Vec centre = gridCentre();
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      int32_t e = grid[r][c];
      if (e == kEmptyCell) continue;
      Vec d = cellOffset(r, c);
      // The icons start beyond their places, drift further out and are pulled in.
      int32_t k = ((r + c) >> 2) + 3;
      targetPos[e] = {fixed(centre.x + d.x), fixed(centre.y + d.y)};
      currentPos[e] = {fixed(centre.x + k * d.x), fixed(centre.y + k * d.y)};
      velocity[e] = {d.x << 10, d.y << 10};
    }
  }
}

void MainMenu::showTitle() {
  if (state == STATE_TITLE_IN) return;
  timer = state == STATE_TITLE_OUT ? titleOutTime - timer : titleInTime;
  state = STATE_TITLE_IN;
}

void MainMenu::hideTitle() {
  if (state == STATE_TITLE_OUT) return;
  if (state == STATE_TITLE_IN) {
    timer = titleInTime - timer;
  } else {
    timer = titleShown ? titleOutTime : 0;
  }
  state = STATE_TITLE_OUT;
}

void MainMenu::update() {
  move();
  if (state == STATE_IDLE || state == STATE_TITLE_IN || state == STATE_TITLE_OUT) handleInput();
  runState();
}

void MainMenu::move() {
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      int32_t e = grid[r][c];
      if (e == kEmptyCell) continue;
      moveAxis(currentPos[e].x, velocity[e].x, targetPos[e].x);
      moveAxis(currentPos[e].y, velocity[e].y, targetPos[e].y);
    }
  }
}

void MainMenu::kick(int32_t entry, int32_t dx, int32_t dy) {
  velocity[entry].x += dx;
  velocity[entry].y += dy;
}

void MainMenu::stepBackward() {
  int32_t c = column - 1;
  while (c >= 0 && grid[row][c] == kEmptyCell) --c;
  if (c >= 0) {
    column = c;
    kick(grid[row][column], -kKick, 0);
    return;
  }
  column = columns - 1;
  for (int32_t tries = 0; tries < rows; ++tries) {
    row = (row + rows - 1) % rows;
    if (grid[row][column] != kEmptyCell) break;
  }
  kick(grid[row][column], 0, -kKick);
}

void MainMenu::stepForward() {
  int32_t c = column + 1;
  while (c < columns && grid[row][c] == kEmptyCell) ++c;
  if (c < columns) {
    column = c;
    kick(grid[row][column], kKick, 0);
    return;
  }
  column = 0;
  for (int32_t tries = 0; tries < rows; ++tries) {
    row = (row + 1) % rows;
    if (grid[row][column] != kEmptyCell) break;
  }
  kick(grid[row][column], 0, kKick);
}

void MainMenu::stepRow(int32_t direction) {
  for (int32_t tries = 0; tries < rows; ++tries) {
    row = (row + rows + direction) % rows;
    if (grid[row][column] != kEmptyCell) break;
  }
  kick(grid[row][column], 0, direction * kKick);
}

void MainMenu::stepColumn(int32_t direction) {
  for (int32_t tries = 0; tries < columns; ++tries) {
    column = (column + columns + direction) % columns;
    if (grid[row][column] != kEmptyCell) break;
  }
  kick(grid[row][column], direction * kKick, 0);
}

void MainMenu::handleInput() {
  bool* held = ScreenCanvas::held;
  if (held[GameAction::Special1]) {
    // Held, these keep moving on every step.
    stepBackward();
    hideTitle();
  } else if (held[GameAction::Special2]) {
    stepForward();
    hideTitle();
  } else if (held[GameAction::Up] || held[GameAction::Down]) {
    int32_t direction = held[GameAction::Up] ? -1 : 1;
    held[direction < 0 ? GameAction::Up : GameAction::Down] = false;
    stepRow(direction);
    hideTitle();
  } else if (held[GameAction::Fire] || ScreenCanvas::select) {
    if (ScreenCanvas::pointerDown) {
      tapIcon();
    } else {
      choose();
    }
  } else if (ScreenCanvas::pointerDown) {
    tapIcon();
  } else if (held[GameAction::Left] || held[GameAction::Right]) {
    int32_t direction = held[GameAction::Left] ? -1 : 1;
    held[direction < 0 ? GameAction::Left : GameAction::Right] = false;
    stepColumn(direction);
    hideTitle();
  }
}

bool MainMenu::tapIcon() {
  ScreenCanvas::pointerDown = false;
  int32_t px = ScreenCanvas::pointerX, py = ScreenCanvas::pointerY;
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      int32_t e = grid[r][c];
      if (e == kEmptyCell) continue;
      GameImagePtr icon = (*icons)[e];
      int32_t x = (currentPos[e].x >> 16) - (icon->w >> 1);
      int32_t y = (currentPos[e].y >> 16) - (icon->h >> 1);
      if (px < x || px > x + icon->w || py < y || py > y + icon->h) continue;
      row = r;
      column = c;
      choose();
      return true;
    }
  }
  return false;
}

void MainMenu::choose() {
  int32_t e = grid[row][column];
  state = STATE_CHOSEN;
  exitChosen = e == exitEntry;
  gameChosen = !exitChosen;
  shownEntry = e;
  timer = chooseDelay;
  Vec centre = gridCentre();
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      if (grid[r][c] == kEmptyCell) continue;
      Vec d = cellOffset(r, c);
      targetPos[grid[r][c]] = {fixed(centre.x + kFlyOutFactor * d.x), fixed(centre.y + kFlyOutFactor * d.y)};
    }
  }
  targetPos[e] = {fixed(GameLib::screenWidth >> 1), fixed(GameLib::screenHeight >> 1)};
}

void MainMenu::runState() {
  if (state == STATE_IDLE) return;
  if (timer > 0) timer -= GameLib::kStepMs;
  if (state == STATE_TITLE_IN) titleShown = true;
  if (timer > 0) return;
  switch (state) {
    case STATE_START:
      hideTitle();
      break;
    case STATE_CHOSEN:
      if (exitChosen) {
        GameLib::instance->notifyDestroyed();
      } else {
        startChosen();
      }
      break;
    case STATE_TITLE_IN:
      state = STATE_IDLE;
      break;
    case STATE_TITLE_OUT:
      titleShown = false;
      if (gameChosen || exitChosen) {
        state = STATE_CHOSEN;
        timer = chooseDelay;
      } else {
        shownEntry = grid[row][column];
        showTitle();
      }
      break;
    default:
      break;
  }
}

void MainMenu::startChosen() {
  GameInterface* (*make)() = GameLib::menuList[static_cast<size_t>(grid[row][column])].newScreen;
  if (make == nullptr) {
    returnToGrid();
    return;
  }
  GameInterfacePtr screen = make();
  GameLib::currentScreen = screen;
  ResourceDamage::forgetMissing();
  try {
    screen->init();
  } catch (DExceptionBase* e) {
    std::unique_ptr<DExceptionBase> failure = catchException(e, ExceptionCode::Exception);
    GameLib::report((GameLib::narrow((*titles)[grid[row][column]]->chars()) + " could not start").c_str(), *failure);
    // The half-built game goes, whatever its leave meets on the way; the menu stays, with its icons' picture
    // loaded again in place of the game's.
    GameLib::currentScreen = this;
    nuv::lang::dropException(ExceptionCode::Exception, [&] { screen->leave(); });
    GameImage::loadImageTable(kIconTable);
    returnToGrid();
  }
}

void MainMenu::returnToGrid() {
  gameChosen = exitChosen = false;
  Vec centre = gridCentre();
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      if (grid[r][c] == kEmptyCell) continue;
      Vec d = cellOffset(r, c);
      targetPos[grid[r][c]] = {fixed(centre.x + d.x), fixed(centre.y + d.y)};
    }
  }
  state = STATE_START;
  timer = 0;
}

void MainMenu::paint() {
  DGraphics& g = *GameLib::graphics;
  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  if (!background.isNull()) g.drawImageOpaque(background, w >> 1, h >> 1, DGraphics::CENTRE);
  if (timer < 0) timer = 0;
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      int32_t e = grid[r][c];
      if (e == kEmptyCell) continue;
      GameImagePtr icon = r == row && c == column ? (*selectedIcons)[e] : (*icons)[e];
      icon->paint((currentPos[e].x >> 16) - (icon->w >> 1), (currentPos[e].y >> 16) - (icon->h >> 1));
    }
  }
  if (titleShown) paintTitle();
}

void MainMenu::paintTitle() {
  const int32_t w = GameLib::screenWidth, h = GameLib::screenHeight;
  ImageFontPtr font = GameLib::font(GameLib::FONT_HUD1);
  DStringPtr title = (*titles)[shownEntry];
  int32_t f = font->getHeight();
  bool twoLines = font->stringWidth(title) > w - kTitleMargin;
  int32_t block = twoLines ? 2 * f + 3 : f + 2;
  int32_t visible = block;
  if (state == STATE_TITLE_IN) visible = block * (titleInTime - timer) / titleInTime;
  if (state == STATE_TITLE_OUT) visible = block * timer / titleInTime;
  int32_t y = h - visible;
  if (!twoLines) {
    font->drawStringOnScreen(title, w >> 1, y, DGraphics::TOP_CENTRE);
    return;
  }
  DStringArrayPtr words = TextTable::split(title, u' ');
  if (words->length < 2) return;
  font->drawStringOnScreen((*words)[0], w >> 1, y, DGraphics::TOP_CENTRE);
  font->drawStringOnScreen((*words)[1], w >> 1, y + f, DGraphics::TOP_CENTRE);
}

}  // namespace gamelib
