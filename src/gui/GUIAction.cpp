// Actions: queuing a copy per event, and the interpreter that executes the queued copies.
#include "gui/GUIAction.h"

#include <algorithm>
#include <cstring>

#include "core/lang/DString.h"
#include "gamelib/GameLib.h"
#include "gamelib/SoundManager.h"
#include "gui/GUIEngine.h"
#include "gui/GUIWidget.h"
#include "shell/midlet/DMIDlet.h"

namespace gamelib {

using nuv::lang::DObjectPtr;
using nuv::lang::DString;
using nuv::lang::DStringPtr;
using nuv::microedition::midlet::DMIDlet;

namespace {

constexpr int32_t kLevelCount = 4;

GUIWidgetPtr asWidget(const DObjectPtr& object) { return nuv::lang::dynamicCast<GUIWidget>(object); }

}  // namespace

GUIAction::GUIAction(int32_t type, int32_t arg, DObjectPtr paramObject, Callback callback)
    : type(type), arg(arg), paramObject(std::move(paramObject)), callback(callback) {}

GUIAction::GUIAction(const GUIAction& other)
    : DObject(),
      type(other.type),
      arg(other.arg),
      paramObject(other.paramObject),
      callback(other.callback),
      target(other.target),
      eventCode(other.eventCode),
      soundId(other.soundId),
      soundArg(other.soundArg),
      soundFlag(other.soundFlag) {}

GUIAction::~GUIAction() {
  origin = nullptr;
  next = nullptr;
  target = nullptr;
  paramObject = nullptr;
}

void GUIAction::run(GUIWidgetPtr source, int32_t code, const void* data, int32_t length) {
  GUIActionPtr copy = new GUIAction(*this);
  copy->origin = boundAction();
  if (copy->target.isNull()) copy->target = source;
  if (data != nullptr && length > 0) {
    copy->eventData = std::make_unique<uint8_t[]>(static_cast<size_t>(length));
    std::memcpy(copy->eventData.get(), data, static_cast<size_t>(length));
    copy->eventDataLength = length;
  }
  copy->eventCode = code;
  GUIEngine::getInstance()->queueAction(copy);
  if (!next.isNull()) next->run(source, code, data, length);
}

void GUIAction::appendAction(GUIActionPtr action) {
  GUIAction* last = this;
  while (!last->next.isNull()) last = last->next.get();
  last->next = std::move(action);
}

int32_t GUIAction::dataInt(int32_t n) const {
  int32_t value = 0;
  int32_t at = n * static_cast<int32_t>(sizeof value);
  if (eventData == nullptr || at + static_cast<int32_t>(sizeof value) > eventDataLength) return 0;
  std::memcpy(&value, eventData.get() + at, sizeof value);
  return value;
}

void GUIAction::runHookAndSound() {
  if (callback != nullptr) callback(this);
  if (soundId != -1 && GUIEngine::hasInstance() && GUIEngine::getInstance()->getSoundManager())
    SoundManager::play(soundId, soundFlag, 0);
}

void GUIAction::execute(nuv::lang::DPtr<GUIEngine> engine, GUIActionPtr action) {
  GUIWidgetPtr target = action->target;
  GUIWidgetPtr param = asWidget(action->paramObject);
  const int32_t arg = action->arg;
  switch (action->type) {
    case SEND_EVENT:
    case SEND_SCREEN_EVENT: {
      GUIWidgetPtr receiver = action->type == SEND_EVENT ? target : engine->getCurrentScreen();
      if (receiver.isNull()) break;
      int32_t code = arg != 0 ? arg : action->eventCode;
      // The event's data goes along only with the event's own code.
      bool same = code == action->eventCode;
      receiver->handleEvent(code, action->type == SEND_SCREEN_EVENT, same ? action->eventData.get() : nullptr,
                            same ? action->eventDataLength : 0);
      break;
    }
    case PUSH_SCREEN:
      engine->pushScreen(param);
      break;
    case POP_SCREEN:
      engine->popScreen();
      break;
    case ADD_TO_SCREEN: {
      GUIWidgetPtr screen = engine->getCurrentScreen();
      if (screen.isNull() || param.isNull()) break;
      screen->addChild(param);
      param->handleEvent(GUIWidget::EVENT_SHOWN, true, nullptr, 0);
      break;
    }
    case CLOSE_WIDGET:
      engine->closeWidget(param);
      break;
    case FOCUS_ID: {
      GUIWidgetPtr screen = engine->getCurrentScreen();
      GUIWidgetPtr found = screen.isNull() ? nullptr : screen->findChild(arg, true);
      if (!found.isNull()) found->setFocused(true);
      break;
    }
    case FOCUS_NEXT:
    case FOCUS_PREVIOUS:
    case FOCUS_VERTICAL:
      if (target.isNull()) break;
      if (action->type == FOCUS_NEXT) target->focusNext();
      if (action->type == FOCUS_PREVIOUS) target->focusPrevious();
      if (action->type == FOCUS_VERTICAL) target->focusVertical();
      break;
    case SET_STATE:
    case CLEAR_STATE:
      if (!target.isNull()) target->setState(static_cast<uint32_t>(arg), action->type == SET_STATE);
      break;
    case SCROLL_UP:
      if (!target.isNull()) target->scrollUp(arg);
      break;
    case SCROLL_DOWN:
      if (!target.isNull()) target->scrollDown(arg);
      break;
    case SCROLL_LEFT:
      if (!target.isNull()) target->scrollLeft(arg);
      break;
    case SCROLL_RIGHT:
      if (!target.isNull()) target->scrollRight(arg);
      break;
    case SCROLL_TO_TOP:
      if (!target.isNull()) target->scrollToTop();
      break;
    case SCROLL_TO_BOTTOM:
      if (!target.isNull()) target->scrollToBottom();
      break;
    case SCROLL_TO_LEFT:
      if (!target.isNull()) target->scrollToLeft();
      break;
    case SCROLL_TO_RIGHT:
      if (!target.isNull()) target->scrollToRight();
      break;
    case THUMB_FOLLOWS:
    case TRACK_PRESSED:
    case THUMB_DRAGGED:
      executeScrollBar(action);
      break;
    case SET_SFX_LEVEL:
    case SET_MUSIC_LEVEL: {
      if (action->eventCode != kLevelEvent || !engine->getSoundManager()) break;
      int32_t level = action->dataInt(0);
      if (level < 0 || level >= kLevelCount) break;
      if (action->type == SET_SFX_LEVEL) {
        SoundManager::setSfxLevel(level);
      } else {
        SoundManager::setMusicLevel(level);
      }
      break;
    }
    case SEND_KEY:
      if (!target.isNull()) target->handleEvent(GUIWidget::EVENT_KEY, false, &arg, sizeof arg);
      break;
    case OPEN_ADDRESS: {
      DStringPtr address = nuv::lang::dynamicCast<DString>(action->paramObject);
      if (!address.isNull() && DMIDlet::current() != nullptr) DMIDlet::current()->platformRequest(address);
      break;
    }
    case QUIT:
      engine->popAllScreens();
      if (DMIDlet::current() != nullptr) DMIDlet::current()->notifyDestroyed();
      break;
    default:
      break;
  }
  action->runHookAndSound();
}

// The scroll-bar actions. range is how far the list scrolls, free how far the thumb moves; when either is 0
// (the content fits, or the thumb fills the track) the thumb and the list stay as they are.
void GUIAction::executeScrollBar(GUIActionPtr action) {
  GUIWidgetPtr list = action->target;
  GUIWidgetPtr thumb = asWidget(action->paramObject);
  if (list.isNull()) return;
  GUIWidgetPtr track = thumb.isNull() ? nullptr : thumb->getParent();
  GUIRect content = list->getContentRect();
  const int32_t range = content.height - list->clientH;
  const int32_t free = track.isNull() ? 0 : track->clientH - thumb->h;
  switch (action->type) {
    case THUMB_FOLLOWS:
      if (track.isNull() || range <= 0 || free <= 0) return;
      thumb->setPosition(thumb->x, list->scrollY * free / range);
      return;
    case TRACK_PRESSED: {
      if (action->eventCode != GUIWidget::EVENT_POINTER_PRESSED && action->eventCode != GUIWidget::EVENT_POINTER_HELD)
        return;
      const int32_t y = action->dataInt(1);
      int32_t page = 0;
      if (thumb.isNull()) {
        page = y < (list->h >> 1) ? GUIWidget::EVENT_PAGE_UP : GUIWidget::EVENT_PAGE_DOWN;
      } else if (!track.isNull()) {
        if (y <= thumb->y) page = GUIWidget::EVENT_PAGE_UP;
        if (y >= thumb->y + thumb->h) page = GUIWidget::EVENT_PAGE_DOWN;
      }
      if (page != 0) list->handleEvent(page, false, nullptr, 0);
      return;
    }
    case THUMB_DRAGGED: {
      if (track.isNull() || range <= 0 || free <= 0) return;
      GUIPoint dragged = thumb->getAbsolutePosition({action->dataInt(2), action->dataInt(3)}, true);
      int32_t thumbY = std::clamp(dragged.y - thumb->h / 2, 0, free);
      int32_t scroll = range * thumbY / free;
      if (scroll < 0) return;
      list->setScroll(list->scrollX, scroll);
      thumb->setPosition(thumb->x, thumbY);
      return;
    }
    default:
      return;
  }
}

}  // namespace gamelib
