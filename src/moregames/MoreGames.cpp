// The more-games screen: its list of entries, their icons, texts and addresses, and its step.
#include "moregames/MoreGames.h"

#include <bit>

#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "gamelib/TextTable.h"
#include "gui/GUIAction.h"
#include "gui/GUIEngine.h"
#include "gui/GUIVScrollBar.h"
#include "gui/StringManager.h"
#include "moregames/MoreGamesLook.h"
#include "shell/midlet/DMIDlet.h"

namespace moregames {

using gamelib::GameLib;
using gamelib::GUIAction;
using gamelib::GUIActionPtr;
using gamelib::GUIAnimation;
using gamelib::GUIAnimationPtr;
using gamelib::GUIEngine;
using gamelib::GUIEnginePtr;
using gamelib::GUIFont;
using gamelib::GUIModalScreen;
using gamelib::GUIModalScreenPtr;
using gamelib::GUIRect;
using gamelib::GUIVScrollBar;
using gamelib::GUIVScrollBarPtr;
using gamelib::GUIWidget;
using gamelib::GUIWidgetArray;
using gamelib::GUIWidgetArrayPtr;
using gamelib::GUIWidgetPtr;
using gamelib::TextTable;
using nuv::lang::DObjectPtr;
using nuv::lang::DString;
using nuv::lang::DStringPtr;
using nuv::microedition::lcdui::DImagePtr;

namespace {

constexpr const char16_t* kEntryText = u"MORE_GAME";
constexpr const char16_t* kEntryAddress = u"MORE_GAME_URL";
constexpr const char16_t* kEntryIcon = u"moregames/game_";
constexpr const char16_t* kIconName = u"%ICON%";
constexpr const char16_t* kBackground = u"menu/back";
constexpr const char16_t* kButton = u"button";
constexpr const char16_t* kArrowUp = u"arrowUp";
constexpr const char16_t* kArrowDown = u"arrowDown";
constexpr const char16_t* kLeftText = u"OK";
constexpr const char16_t* kRightText = u"BACK";
constexpr const char16_t* kBrowserProperty = u"platform.browser";
constexpr int32_t kLeftButtonId = 0;
constexpr int32_t kRightButtonId = 1;
constexpr uint32_t kAnyState = 0;
constexpr int32_t kRightMiddle = gamelib::ALIGN_RIGHT | gamelib::ALIGN_VCENTER;
// Raised when an entry's pressed bit becomes set.
constexpr int32_t kPressed = GUIWidget::EVENT_STATE_SET + std::countr_zero(GUIWidget::STATE_PRESSED);

// For every state.
void setImage(const GUIWidgetPtr& widget, DImagePtr image, int32_t tileAlign = 0) {
  if (image.isNull()) return;
  GUIAnimationPtr animation = new GUIAnimation(std::move(image));
  animation->tileAlign = tileAlign;
  widget->setAnimation(GUIWidget::ANIM_IMAGE, animation, kAnyState, kAnyState);
}

void setUpButton(const GUIWidgetPtr& button, int32_t id, DStringPtr text) {
  button->id = id;
  button->setText(std::move(text));
  setImage(button, GameLib::loadImage(kButton));
  button->getText()->setFont(new GUIFont(GameLib::font(GameLib::FONT_MENU)));
}

// The entry's address; null when the texts have none (the table answers a missing key with the key).
DStringPtr addressOf(int32_t n) {
  DStringPtr key = DStringPtr(kEntryAddress) + n;
  DStringPtr address = TextTable::getString(key);
  if (address->equals(key) || address->trim()->length() == 0) return nullptr;
  return address;
}

// Run after the screen's scroll by an eighth of the screen: a key held past the list's repeat gate scrolls
// by that step from where the view stands, which may leave the highlighted entry cut off where the
// focus's own scroll would have shown it. The least further scroll then brings it wholly into view (its
// top, when it is taller than the view).
void keepHighlightWhole(GUIActionPtr action) {
  GUIWidgetPtr list = action->target;
  if (list.isNull() || list->focusedChild.isNull()) return;
  GUIWidgetPtr entry = list->focusedChild;
  const int32_t top = entry->getAbsolutePosition({}, false).y - list->clientY;
  const int32_t viewHeight = list->clientH - list->padTop - list->padBottom;
  int32_t target = list->scrollTargetY;
  if (top + entry->h > target + list->padTop + viewHeight) target = top + entry->h - viewHeight - list->padTop;
  if (top < target + list->padTop) target = top - list->padTop;
  list->setScrollTarget(list->scrollTargetX, target);
}

GUIWidgetPtr buildEntry(int32_t n, int32_t width, int32_t y, const GUIAnimationPtr& highlight) {
  GUIWidgetPtr item = new GUIWidget(-1);
  item->setAnimation(GUIWidget::ANIM_BACKGROUND, GUIAnimation::kNoColour, GUIAnimation::kNoColour, kAnyState,
                     kAnyState);
  item->setAnimation(GUIWidget::ANIM_BACKGROUND, highlight, GUIWidget::STATE_FOCUSED, GUIWidget::STATE_FOCUSED);
  item->focusOrder = n;
  item->setPosition(0, y);
  item->setText(DStringPtr(kEntryText) + n);
  item->getText()->setAlignment(0);
  item->getText()->setFont(new GUIFont(GameLib::font(GameLib::FONT_SMALL)));
  // A missing icon leaves the entry without a picture: an empty box stands in for it.
  DImagePtr icon = GameLib::loadImage(DStringPtr(kEntryIcon) + n);
  GUIAnimationPtr picture =
      icon.isNull() ? new GUIAnimation(GUIAnimation::kNoColour, GUIAnimation::kNoColour) : new GUIAnimation(icon);
  item->getText()->putResource(kIconName, picture);
  item->addNewAction(GUIWidget::EVENT_POINTER_PRESSED, GUIAction::SET_STATE,
                     GUIWidget::STATE_FOCUSED | GUIWidget::STATE_PRESSED, nullptr);
  item->addNewAction(GUIWidget::EVENT_FIRE, GUIAction::SET_STATE, GUIWidget::STATE_PRESSED, nullptr);
  DStringPtr address = addressOf(n);
  if (!address.isNull()) item->addNewAction(kPressed, MoreGames::OPEN_ADDRESS, 0, address);
  int32_t textHeight = item->getText()->getHeight(width - 2 * kInset);
  item->setSize(width, textHeight + 2 * kInset);
  item->setClientRect(kInset, kInset, width - 2 * kInset, textHeight, false);
  return item;
}

}  // namespace

gamelib::GameInterface* newScreen() { return new MoreGames(); }

MoreGames::~MoreGames() {
  if (GUIEngine::hasInstance()) GUIEngine::disposeAll();
}

void MoreGames::load() {
  GUIEnginePtr engine = GUIEngine::getInstance();
  engine->setDefaultImageFont(GameLib::font(GameLib::FONT_SMALL));
  engine->setStringManager(new gamelib::StringManager());
  engine->pushScreen(buildList());
}

void MoreGames::update() {
  GUIEnginePtr engine = GUIEngine::getInstance();
  engine->update();
  for (GUIActionPtr action = engine->pollAction(); !action.isNull(); action = engine->pollAction()) {
    if (action->type == OPEN_ADDRESS) openAddress(action->paramObject);
    if (action->type == BACK_TO_MAIN_MENU) {
      GUIAction::execute(engine, action);
      // Leaving disposes this screen's engine; nothing of it runs after this.
      GameLib::showMainMenu();
      return;
    }
    GUIAction::execute(engine, action);
  }
}

// The browser opens beside the program, which goes on running.
void MoreGames::openAddress(const DObjectPtr& address) {
  DStringPtr url = nuv::lang::dynamicCast<DString>(address);
  if (url.isNull() || nuv::lang::DSystem::getIntProperty(kBrowserProperty) == 0) return;
  nuv::microedition::midlet::DMIDlet* midlet = nuv::microedition::midlet::DMIDlet::current();
  if (midlet != nullptr) midlet->platformRequest(url);
}

void MoreGames::paint() {
  if (GUIEngine::hasInstance()) GUIEngine::getInstance()->paintWidgets(false);
}

void MoreGames::unload() { GUIEngine::disposeAll(); }

GUIModalScreenPtr MoreGames::buildScreen(GUIModalScreenPtr screen, DStringPtr leftText, DStringPtr rightText) {
  if (screen.isNull()) screen = new GUIModalScreen(-1);
  setImage(screen, GameLib::loadImage(kBackground), gamelib::ALIGN_CENTER);
  if (!leftText.isNull()) setUpButton(screen->getLeftButton(), kLeftButtonId, leftText);
  if (!rightText.isNull()) setUpButton(screen->getRightButton(), kRightButtonId, rightText);
  screen->addNewAction(GUIWidget::EVENT_SELECT, GUIAction::SEND_SCREEN_EVENT, GUIWidget::EVENT_FIRE, nullptr);
  return screen;
}

GUIModalScreenPtr MoreGames::buildList() {
  GUIModalScreenPtr screen = buildScreen(nullptr, kLeftText, kRightText);
  screen->addNewAction(GUIWidget::EVENT_BACK, GUIAction::POP_SCREEN, 0, nullptr);
  screen->addNewAction(GUIWidget::EVENT_BACK, BACK_TO_MAIN_MENU, 0, nullptr);

  const GUIRect bounds = GUIEngine::getScreenBounds();
  GUIWidgetPtr list = new GUIWidget(-1);
  list->setSize(4 * bounds.width / 5, 4 * bounds.height / 5);
  list->setAnchors(gamelib::ALIGN_CENTER, gamelib::ALIGN_CENTER);
  list->setAnimation(GUIWidget::ANIM_BACKGROUND, kPanelFill, kHighlightBorder, kAnyState, kAnyState);
  list->setNewAction(GUIWidget::EVENT_DOWN, GUIAction::FOCUS_NEXT, 0, nullptr);
  list->setNewAction(GUIWidget::EVENT_UP, GUIAction::FOCUS_PREVIOUS, 0, nullptr);
  screen->addChild(list);

  GUIWidgetArrayPtr items = new GUIWidgetArray(kEntryCount);
  GUIAnimationPtr highlight = new GUIAnimation(kHighlightFill, kHighlightBorder);
  int32_t y = 0;
  for (int32_t n = 0; n < kEntryCount; ++n) {
    GUIWidgetPtr item = buildEntry(n, list->w, y, highlight);
    (*items)[n] = item;
    list->addChild(item);
    y += item->h;
  }

  list->focusFirst();
  list->computeContentRect();
  GUIRect content = list->getContentRect();
  list->setScroll(content.x, content.y);

  GUIVScrollBarPtr bar = new GUIVScrollBar(list, 0, 0, 0, 0, -1);
  bar->setLayer(GUIWidget::LAYER_FRAME);
  setImage(bar->getUpArrow(), GameLib::loadImage(kArrowUp));
  DImagePtr arrowDown = GameLib::loadImage(kArrowDown);
  setImage(bar->getDownArrow(), arrowDown);
  bar->setAnchors(kRightMiddle, kRightMiddle);
  bar->setSize(arrowDown.isNull() ? 0 : arrowDown->getWidth(), list->h);
  // Only the arrows and the keys scroll the list; the thumb, never drawn, still follows it.
  bar->getTrack()->ignorePointer = true;
  bar->getThumb()->ignorePointer = true;
  screen->addChild(bar);

  // Up and down move the highlight through the list's own bindings; held on, they reach the screen, which
  // scrolls the list by an eighth of the screen and then keeps the highlighted entry whole.
  screen->setNewTargetAction(list, GUIWidget::EVENT_UP, GUIAction::SCROLL_UP, 0, nullptr, keepHighlightWhole);
  screen->setNewTargetAction(list, GUIWidget::EVENT_DOWN, GUIAction::SCROLL_DOWN, 0, nullptr, keepHighlightWhole);
  screen->addNewTargetAction(list, GUIWidget::EVENT_SHOWN, GUIAction::SCROLL_TO_TOP, 0, nullptr);
  return screen;
}

}  // namespace moregames
