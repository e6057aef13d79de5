// The hub of the widget system: every live widget, the stack of screens (the last is current), the queue of
// actions waiting to run, the default font and text service, and the pointer's pressed widget. One engine
// exists at a time, made on first request and released by disposeAll.
#pragma once

#include <cstdint>
#include <vector>

#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "core/util/DHashtable.h"
#include "core/util/DVector.h"
#include "gamelib/ImageFont.h"
#include "gui/GUIFont.h"
#include "gui/GUIRect.h"
#include "gui/StringManager.h"
#include "shell/lcdui/DGraphics.h"

namespace gamelib {

class GUIWidget;
class GUIAction;
class GUIText;
class GUIEngine;
using GUIEnginePtr = nuv::lang::DPtr<GUIEngine>;

class GUIEngine : public nuv::lang::DObject {
 public:
  GUIEngine();
  ~GUIEngine() override;
  const char* getClassName() const override { return "GUIEngine"; }

  // Makes the engine on the first call.
  static GUIEnginePtr getInstance();
  // False between disposeAll and the next getInstance.
  static bool hasInstance() { return !instance.isNull(); }
  // Sets the repaint request of the engine when there is one.
  static void requestRepaint();

  void registerWidget(nuv::lang::DPtr<GUIWidget> widget);
  void unregisterWidget(nuv::lang::DPtr<GUIWidget> widget);

  // Null does nothing. Input is reset, the screen shown (event 7 through its tree) and focused.
  void pushScreen(nuv::lang::DPtr<GUIWidget> screen);
  // The current screen is hidden (event 6 through its tree) and removed; nothing without one.
  void popScreen();
  void popAllScreens();
  // The current screen is popped; another widget is hidden and taken from its parent; a widget without a
  // parent is left alone.
  void closeWidget(nuv::lang::DPtr<GUIWidget> widget);
  nuv::lang::DPtr<GUIWidget> getCurrentScreen();

  void queueAction(nuv::lang::DPtr<GUIAction> action);
  // The first queued action, taken from the queue; null when the queue is empty, and also when that action
  // is a copy of one that already ran since the last update or the last time the queue ran empty: a chain
  // of actions that keeps raising itself then runs once per step instead of for ever.
  nuv::lang::DPtr<GUIAction> pollAction();
  // Taken only in the frame in which the pointer went down.
  void setPressedWidget(nuv::lang::DPtr<GUIWidget> widget);

  // One input step: the current screen's update pass and key pass, then the pointer's events.
  void update();
  // The screen stack from the topmost screen that covers the display (or only the top one).
  void paintWidgets(bool topOnly);

  // Lower-cased name; null without a resource table or without the name.
  nuv::lang::DObjectPtr getResource(nuv::lang::DStringPtr name);
  // A host's own named resources that marked-up texts fall back to.
  void putResource(nuv::lang::DStringPtr name, nuv::lang::DObjectPtr resource);
  // (0, 0) and the game library's screen size.
  static GUIRect getScreenBounds();

  StringManagerPtr getStringManager() { return stringManager; }
  void setStringManager(StringManagerPtr manager) { stringManager = std::move(manager); }
  GUIFontPtr getDefaultFont() { return defaultFont; }
  void setDefaultFont(GUIFontPtr font) { defaultFont = std::move(font); }
  void setDefaultImageFont(ImageFontPtr font) { defaultFont = new GUIFont(std::move(font)); }
  nuv::lang::DPtr<GUIText> getEllipsisText();
  // Whether actions may use the game library's sound service (their sounds and the level actions).
  bool getSoundManager() const { return soundManager; }
  void setSoundManager(bool on) { soundManager = on; }

  // Empties the queue, disposes every widget and releases the engine.
  static void disposeAll();

  static GUIRect getClip(const nuv::microedition::lcdui::DGraphicsPtr& g);
  static void setClip(const nuv::microedition::lcdui::DGraphicsPtr& g, const GUIRect& rect);
  static void clipRect(const nuv::microedition::lcdui::DGraphicsPtr& g, const GUIRect& rect);

  // Of GUIWidget.
  nuv::util::DVectorPtr allWidgets;
  // Of GUIWidget, bottom first.
  nuv::util::DVectorPtr screenStack;
  // Texts resolve their key again when it differs from the one they saw.
  int32_t textStamp = 0;
  // Of GUIAction, first in first out.
  nuv::util::DVectorPtr actionQueue;
  nuv::util::DHashtablePtr resources;
  StringManagerPtr stringManager;
  GUIFontPtr defaultFont;
  bool soundManager = false;
  nuv::lang::DPtr<GUIWidget> pressedWidget;
  bool lastPointerDown = false;
  // While clear the pressed widget may be chosen.
  bool pressLocked = false;
  nuv::lang::DPtr<GUIText> ellipsisText;
  // Set by what still moves; paintWidgets asks the shell for another frame.
  bool repaintRequest = false;

 private:
  static inline GUIEnginePtr instance;
  // The bound actions whose copies ran since the last update or since the queue ran empty.
  std::vector<nuv::lang::DPtr<GUIAction>> ranThisStep_;
};

}  // namespace gamelib
