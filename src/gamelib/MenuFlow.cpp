// The in-game menu flow the games share.
#include "gamelib/MenuFlow.h"

#include <utility>

#include "core/lang/DSystem.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/TextTable.h"

namespace gamelib {

using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;

namespace {

constexpr int32_t kProgressStep = 10;
constexpr int32_t kProgressBack = 0xFFFFFF;
constexpr int32_t kProgressBar = 0xFF0000;

bool isSfx(MenuEntry kind) { return kind == MenuEntry::SfxLevel; }

DStringPtr levelText(MenuEntry kind, int32_t level) {
  return isSfx(kind) ? GameMenu::getSfxLevelText(level) : GameMenu::getMusicLevelText(level);
}

}  // namespace

MenuPage pageOfNumber(std::span<const MenuPageNumber> table, int32_t number) {
  for (const MenuPageNumber& entry : table) {
    if (entry.number == number) return entry.page;
  }
  return table.front().page;
}

int32_t numberOfPage(std::span<const MenuPageNumber> table, MenuPage page) {
  for (const MenuPageNumber& entry : table) {
    if (entry.page == page) return entry.number;
  }
  return table.front().number;
}

MenuFlow::MenuFlow(DStringPtr gameKey, std::span<const MenuEntryKeys> entries, GameMenuPtr menu, int32_t table,
                   MenuHooks hooks, MenuStyle style)
    : table(table),
      gameKey_(std::move(gameKey)),
      entries_(entries),
      menu_(std::move(menu)),
      hooks_(std::move(hooks)),
      style_(style) {}

GameMenu& MenuFlow::menuOf(MenuPage page) const {
  if (page == MenuPage::Table && !tableMenu.isNull()) return *tableMenu;
  if (page == MenuPage::Help && !helpMenu.isNull()) return *helpMenu;
  return *menu_;
}

bool MenuFlow::isListPage(MenuPage page) const {
  return page != MenuPage::Help && page != MenuPage::Table && page != MenuPage::Keys;
}

void MenuFlow::update(MenuPage page) {
  // A choice may leave the game, which lets its flow go.
  MenuFlowPtr keep = this;
  const GameInterface* screen = GameLib::currentScreen.get();
  page_ = page;
  switch (page) {
    case MenuPage::Keys:
      if (CustomControls::current.isNull() || CustomControls::current->update() != CustomControls::STILL_OPEN) {
        ScreenCanvas::resetInput();
        keysClosed();
      }
      return;
    case MenuPage::Help:
    case MenuPage::Table: {
      GameMenu& menu = menuOf(page);
      menu.update();
      if (closes(menu)) back();
      break;
    }
    default: {
      GameMenu& menu = *menu_;
      menu.update();
      if (!menu.chosen) break;
      if (page >= MenuPage::Own) {
        hooks_.own(page, menu.selected);
      } else {
        choose(menu.selected);
      }
      break;
    }
  }
  if (GameLib::currentScreen.get() != screen) return;
  storeTypedName();
}

bool MenuFlow::closes(const GameMenu& menu) const {
  if (page_ == MenuPage::Table && style_.tableClosesOnFireOrTap) {
    return ScreenCanvas::held[GameAction::Fire] || ScreenCanvas::pointerDown;
  }
  return menu.closed;
}

void MenuFlow::choose(int32_t item) {
  const MenuEntry kind = entries_[static_cast<size_t>(item)].kind;
  const bool paused = page_ == MenuPage::Pause;
  switch (kind) {
    case MenuEntry::Start:
      if (paused) {
        hooks_.resume();
      } else {
        hooks_.start();
      }
      break;
    case MenuEntry::HighScores:
      show(MenuPage::Table);
      break;
    case MenuEntry::Help:
      show(MenuPage::Help);
      break;
    case MenuEntry::SfxLevel:
    case MenuEntry::MusicLevel:
      cycleSoundLevel(item, kind);
      break;
    case MenuEntry::Keys:
      show(MenuPage::Keys);
      break;
    case MenuEntry::Exit:
      if (paused) {
        hooks_.abandon();
      } else {
        GameLib::showMainMenu();
      }
      break;
    case MenuEntry::Own:
      hooks_.own(page_, item);
      break;
  }
}

void MenuFlow::show(MenuPage page) {
  // A page over the list goes back to it.
  if (isListPage(page_) && !isListPage(page)) returnPage_ = page_;
  build(page);
}

void MenuFlow::build(MenuPage page) {
  page_ = page;
  if (page != MenuPage::Keys) {
    fill(page);
    if (words.previousPage != nullptr) *words.previousPage = *words.page;
    if (style_.pagesTakeFire) ScreenCanvas::held[GameAction::Fire] = false;
    if (style_.tableWaits && page == MenuPage::Table) GameMenu::inputClock = 0;
  }
  if (hooks_.built) hooks_.built(page);
  enter(page);
  // The keys that opened the key set-up do not act in it.
  if (page == MenuPage::Keys) ScreenCanvas::clearKeys();
}

void MenuFlow::fill(MenuPage page) {
  GameMenu& menu = menuOf(page);
  if (&menu != menu_.get()) {
    // A page with a menu of its own keeps what the game put in it.
    menu.closed = false;
    return;
  }
  menu.first = 0;
  menu.selected = 0;
  menu.closed = false;
  menu.mode = GameMenu::MODE_LIST;
  if (page == MenuPage::Start || page == MenuPage::Pause) {
    menu.setItems(entries(page == MenuPage::Pause));
  } else if (page == MenuPage::Help) {
    if (helpFolder != nullptr) menu.loadHelp(helpPath(helpFolder), nullptr);
    menu.mode = GameMenu::MODE_HELP;
  } else if (page == MenuPage::Table) {
    menu.loadHighScores(table, gameKey_);
    menu.mode = GameMenu::MODE_TABLE;
  }
}

void MenuFlow::enter(MenuPage page) {
  page_ = page;
  const bool keys = page == MenuPage::Keys;
  if (words.state != nullptr) *words.state = keys ? words.keysState : words.menuState;
  if (words.page != nullptr && !keys) *words.page = numberOfPage(words.pages, page);
  if (hooks_.shown) hooks_.shown(page);
}

void MenuFlow::showEntries(bool paused) {
  menu_->setItems(entries(paused));
  menu_->first = 0;
  menu_->selected = 0;
}

DStringArrayPtr MenuFlow::entries(bool paused) {
  if (entryArray.isNull()) return entryTexts(entries_, paused);
  DStringArrayPtr texts = entryTexts(entries_, paused);
  for (int32_t i = 0; i < texts->length; ++i) (*entryArray)[i] = (*texts)[i];
  return entryArray;
}

void MenuFlow::back() {
  menuOf(page_).closed = false;
  // Help the flow loaded is read again when its page next opens.
  if (page_ == MenuPage::Help && helpFolder != nullptr) {
    GameMenu::helpLines = nullptr;
    GameMenu::helpLineCount = 0;
  }
  if (!style_.pagesKeepTheList) {
    build(returnPage_);
    return;
  }
  const MenuEntry kind = page_ == MenuPage::Help ? MenuEntry::Help : MenuEntry::HighScores;
  int32_t item = 0;
  while (item + 1 < static_cast<int32_t>(entries_.size()) && entries_[static_cast<size_t>(item)].kind != kind) ++item;
  returnTo(returnPage_, item);
}

void MenuFlow::returnTo(MenuPage page, int32_t item) {
  menu_->mode = GameMenu::MODE_LIST;
  menu_->closed = false;
  menu_->selected = item;
  menu_->first = 0;
  enter(page);
}

void MenuFlow::keysClosed() {
  if (style_.keysKeepTheList) {
    enter(returnPage_);
  } else {
    build(returnPage_);
  }
  if (style_.keysRestartTheClock) GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis();
}

void MenuFlow::cycleSoundLevel(int32_t item, MenuEntry kind) {
  const bool sfx = isSfx(kind);
  const int32_t level = ((sfx ? SoundManager::getSfxLevel() : SoundManager::getMusicLevel()) + 1) % kSoundLevels;
  (*menu_->items)[item] = levelText(kind, level);
  if (sfx) {
    SoundManager::setSfxLevel(level);
  } else {
    SoundManager::setMusicLevel(level);
  }
  GameMenu::saveOption(gameKey_ + (sfx ? u"sfx_level" : u"music_level"), level);
}

void MenuFlow::pause() {
  pausePlay();
  show(MenuPage::Pause);
}

bool MenuFlow::endGame(int32_t score) {
  score_ = score;
  GameMenu& scores = scoreMenu.isNull() ? *menu_ : *scoreMenu;
  SoundManager::stopAll();
  scores.loadHighScores(table, gameKey_);
  GameLib::canvas->selectKeyMap(kMenuKeyMap);
  if (!scores.isHighScore(score)) {
    show(MenuPage::Start);
    return false;
  }
  menu_->showNameEntry();
  enter(MenuPage::Start);
  return true;
}

bool MenuFlow::nameTyped() const { return menu_->mode == GameMenu::MODE_NAME_ENTRY && GameMenu::nameEntered; }

bool MenuFlow::storeTypedName() {
  if (!nameTyped()) return false;
  GameMenu& scores = scoreMenu.isNull() ? *menu_ : *scoreMenu;
  scores.loadHighScores(table, gameKey_);
  scores.addHighScore(GameMenu::enteredName, score_);
  scores.saveHighScores(table, gameKey_);
  GameMenu::nameEntered = false;
  menu_->mode = GameMenu::MODE_LIST;
  // The keys and the pen that accepted the name are spent.
  ScreenCanvas::held[GameAction::Fire] = false;
  ScreenCanvas::pointerDown = false;
  ScreenCanvas::dragging = false;
  returnPage_ = MenuPage::Start;
  build(MenuPage::Table);
  return true;
}

DStringArrayPtr MenuFlow::entryTexts(std::span<const MenuEntryKeys> entries, bool paused) {
  DStringArrayPtr texts = new DStringArray(static_cast<int32_t>(entries.size()));
  for (size_t i = 0; i < entries.size(); ++i) {
    const MenuEntryKeys& entry = entries[i];
    DStringPtr text;
    if (entry.kind == MenuEntry::SfxLevel) {
      text = levelText(entry.kind, SoundManager::getSfxLevel());
    } else if (entry.kind == MenuEntry::MusicLevel) {
      text = levelText(entry.kind, SoundManager::getMusicLevel());
    } else {
      const char16_t* key = paused ? entry.pausedKey : entry.key;
      if (key != nullptr) text = TextTable::getString(key);
    }
    (*texts)[static_cast<int32_t>(i)] = text;
  }
  return texts;
}

DStringArrayPtr MenuFlow::levelEntries(int32_t highest) {
  DStringArrayPtr items = new DStringArray(highest + 1);
  for (int32_t i = 0; i < highest; ++i) (*items)[i] = TextTable::getString(u"level") + u" " + (highest - i);
  (*items)[highest] = TextTable::getString(u"exit");
  return items;
}

void MenuFlow::loadSoundLevels(const DStringPtr& gameKey) {
  SoundManager::setSfxLevel(GameMenu::loadOption(gameKey + u"sfx_level", kDefaultSoundLevel, 0, kSoundLevels - 1));
  SoundManager::setMusicLevel(GameMenu::loadOption(gameKey + u"music_level", kDefaultSoundLevel, 0, kSoundLevels - 1));
}

void MenuFlow::installKeySetup(int32_t remappableActions, const DStringPtr& gameKey,
                               const nuv::microedition::lcdui::DImagePtr& background) {
  CustomControlsPtr controls = new CustomControls(remappableActions);
  CustomControls::current = controls;
  controls->init(gameKey);
  if (!background.isNull()) {
    controls->background = GameMenu::shadeImage(background, GameMenu::kPageShade, 0, background->getWidth());
  }
  GameLib::canvas->setKeyMap(kPlayKeyMap, controls->load());
}

bool MenuFlow::pauseRequested() {
  if (ScreenCanvas::select || ScreenCanvas::back || ScreenCanvas::held[GameAction::Pause]) return true;
  const auto& icon = GameMenu::pauseImage;
  return ScreenCanvas::pointerDown && !icon.isNull() &&
         ScreenCanvas::pointerX > GameLib::screenWidth - icon->getWidth() && ScreenCanvas::pointerY < icon->getHeight();
}

void MenuFlow::pausePlay() {
  ScreenCanvas::resetInput();
  GameLib::canvas->selectKeyMap(kMenuKeyMap);
  SoundManager::pauseAll();
}

void MenuFlow::resumePlay() {
  GameLib::canvas->selectKeyMap(kPlayKeyMap);
  ScreenCanvas::held[GameAction::Right] = false;
  ScreenCanvas::held[GameAction::Fire] = false;
  ScreenCanvas::held[GameAction::Left] = false;
  ScreenCanvas::select = false;
  ScreenCanvas::back = false;
  SoundManager::resumeAll();
}

DStringPtr MenuFlow::languageCode() {
  const auto& codes = GameLib::languageCodes;
  const int32_t i = GameLib::languageIndex;
  if (codes.isNull() || i < 0 || i >= codes->length) return u"en";
  return (*codes)[i];
}

DStringPtr MenuFlow::helpPath(const char16_t* folder) { return (DStringPtr(folder) + languageCode()) + u"_help.txt"; }

void MenuFlow::reloadTexts() { TextTable::load(u"/txt/res_" + languageCode(), true); }

void MenuFlow::startLoading() {
  const int32_t h = GameLib::screenHeight;
  GameMenu::startProgress(h - (h >> 3), 0, kProgressStep, kProgressBack, kProgressBar);
  GameLib::canvas->flush();
}

void MenuFlow::advanceLoading() {
  GameMenu::advanceProgress();
  GameLib::canvas->flush();
}

}  // namespace gamelib
