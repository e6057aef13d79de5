// The in-game menu flow the games share.
#include "gamelib/MenuFlow.h"

#include <limits>
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
using nuv::microedition::lcdui::DImagePtr;

namespace {

// Beyond every screen edge.
constexpr int32_t kFar = std::numeric_limits<int32_t>::max();

bool isSfx(MenuEntry kind) { return kind == MenuEntry::SfxLevel; }

DStringPtr levelText(MenuEntry kind, int32_t level) {
  return isSfx(kind) ? GameMenu::getSfxLevelText(level) : GameMenu::getMusicLevelText(level);
}

// "level" and a number from the highest down to 1, then "exit".
DStringArrayPtr levelEntries(int32_t highest) {
  DStringArrayPtr items = new DStringArray(highest + 1);
  for (int32_t i = 0; i < highest; ++i) (*items)[i] = TextTable::getString(u"level") + u" " + (highest - i);
  (*items)[highest] = TextTable::getString(u"exit");
  return items;
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

PauseSign PauseSign::topLeft(const DImagePtr& picture) {
  if (picture.isNull()) return {};
  return {-kFar, -kFar, picture->getWidth(), picture->getHeight()};
}

PauseSign PauseSign::topRight(const DImagePtr& picture) {
  if (picture.isNull()) return {};
  return {GameLib::screenWidth - picture->getWidth() + 1, -kFar, kFar, picture->getHeight() - 1};
}

PauseSign PauseSign::bottomLeft(const DImagePtr& picture) {
  if (picture.isNull()) return {};
  return {-kFar, GameLib::screenHeight - picture->getHeight(), picture->getWidth(), kFar};
}

PauseSign PauseSign::bottomRight(const DImagePtr& picture) {
  if (picture.isNull()) return {};
  const int32_t left = GameLib::screenWidth - picture->getWidth() + 1;
  return {left, GameLib::screenHeight - picture->getHeight() + 1, kFar, kFar};
}

MenuFlow::MenuFlow(DStringPtr gameKey, std::span<const MenuEntryKeys> entries, const MenuPages& pages, MenuHooks hooks,
                   MenuStyle style)
    : table(pages.table),
      gameKey_(std::move(gameKey)),
      entries_(entries),
      helpFolder_(pages.helpFolder),
      help_(pages.help),
      menu_(new GameMenu()),
      hooks_(std::move(hooks)),
      style_(style) {
  SoundManager::loadLevels(gameKey_);
  GameLib::loadChosenTexts();
  const DImagePtr& picture = pages.picture;
  // Laid out before the picture widens the list, the help keeps the plain list's width.
  if (help_ == HelpLayout::OnEnteringAtPlainWidth) layOutHelp(*menu_);
  if (!picture.isNull()) menu_->setBackground(picture, GameMenu::kListShade);
  if (pages.tableHasItsMenu) {
    tableMenu_ = new GameMenu();
    tableMenu_->loadHighScores(table, gameKey_);
    tableMenu_->mode = GameMenu::MODE_TABLE;
  }
  if (pages.helpHasItsMenu) {
    helpMenu_ = new GameMenu();
    helpMenu_->mode = GameMenu::MODE_HELP;
  }
  for (GameMenu* page : {tableMenu_.get(), helpMenu_.get()}) {
    if (page != nullptr && !picture.isNull()) page->setBackground(picture, GameMenu::kPageShade);
  }
  if (help_ == HelpLayout::OnEntering) layOutHelp(menuOf(MenuPage::Help));
  CustomControls::install(pages.remappableActions, gameKey_, picture);
}

void MenuFlow::leave(MenuFlowPtr& flow) {
  if (flow.isNull()) return;
  // A level number typed in this game is not the next game's.
  ScreenCanvas::forgetSequence();
  for (GameMenu* menu : {flow->menu_.get(), flow->tableMenu_.get(), flow->helpMenu_.get()}) {
    if (menu != nullptr) menu->releaseImage();
  }
  CustomControls::current = nullptr;
  GameMenu::helpLines = nullptr;
  GameMenu::helpLineCount = 0;
  flow = nullptr;
}

void MenuFlow::layOutHelp(GameMenu& menu) const { menu.loadHelp(GameLib::helpPath(helpFolder_), nullptr); }

GameMenu& MenuFlow::menuOf(MenuPage page) const {
  if (page == MenuPage::Table && !tableMenu_.isNull()) return *tableMenu_;
  if (page == MenuPage::Help && !helpMenu_.isNull()) return *helpMenu_;
  return *menu_;
}

MenuPage MenuFlow::page() const { return pageOfWords(); }

MenuPage MenuFlow::pageOfWords() const {
  if (words.state == nullptr) return page_;
  const MenuPage page = pageOfNumber(words.states, *words.state);
  if (page == MenuPage::Keys) return page;
  if (words.page != nullptr) return pageOfNumber(words.pages, *words.page);
  const bool shared = numberOfPage(words.states, MenuPage::Pause) == *words.state;
  return page == MenuPage::Start && shared && words.paused != nullptr && *words.paused ? MenuPage::Pause : page;
}

bool MenuFlow::isListPage(MenuPage page) const {
  return page != MenuPage::Help && page != MenuPage::Table && page != MenuPage::Keys;
}

void MenuFlow::update() {
  // A choice may leave the game, which lets its flow go.
  MenuFlowPtr keep = this;
  const GameInterface* screen = GameLib::currentScreen.get();
  page_ = pageOfWords();
  if (style_.nameStoredNextStep) storeTypedName();
  switch (page_) {
    case MenuPage::Keys:
      if (CustomControls::current.isNull() || CustomControls::current->update() != CustomControls::STILL_OPEN) {
        ScreenCanvas::resetInput();
        keysClosed();
      }
      return;
    case MenuPage::Help:
    case MenuPage::Table: {
      GameMenu& menu = menuOf(page_);
      menu.update();
      if (closes(menu)) back();
      break;
    }
    default: {
      GameMenu& menu = *menu_;
      menu.update();
      if (!menu.chosen) break;
      if (page_ == MenuPage::Levels) {
        chooseLevel(menu.selected);
      } else if (page_ >= MenuPage::Own) {
        hooks_.own(page_, menu.selected);
      } else {
        choose(menu.selected);
      }
      break;
    }
  }
  if (GameLib::currentScreen.get() != screen || style_.nameStoredNextStep) return;
  storeTypedName();
}

void MenuFlow::paint() {
  const MenuPage page = pageOfWords();
  if (page != MenuPage::Keys) {
    menuOf(page).paint();
  } else if (!CustomControls::current.isNull()) {
    CustomControls::current->paint(GameLib::graphics);
  }
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
        resume();
      } else if (words.highestLevel != nullptr && *words.highestLevel > 1) {
        show(MenuPage::Levels);
      } else {
        hooks_.start(1);
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
        abandon();
      } else {
        GameLib::showMainMenu();
      }
      break;
    case MenuEntry::Own:
      hooks_.own(page_, item);
      break;
  }
}

void MenuFlow::chooseLevel(int32_t item) {
  if (item >= menu_->items->length - 1) {
    show(MenuPage::Start);
  } else {
    hooks_.start(*words.highestLevel - item);
  }
}

void MenuFlow::resume() {
  GameLib::canvas->selectKeyMap(ScreenCanvas::kPlayKeyMap);
  ScreenCanvas::held[GameAction::Right] = false;
  ScreenCanvas::held[GameAction::Fire] = false;
  ScreenCanvas::held[GameAction::Left] = false;
  ScreenCanvas::select = false;
  ScreenCanvas::back = false;
  SoundManager::resumeAll();
  hooks_.resume();
}

void MenuFlow::abandon() {
  ScreenCanvas::forgetSequence();
  if (hooks_.abandon) {
    hooks_.abandon();
    return;
  }
  SoundManager::stopAll();
  show(MenuPage::Start);
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
    if (style_.inputClockRestarts && page == MenuPage::Table) GameMenu::inputClock = 0;
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
  } else if (page == MenuPage::Levels) {
    menu.setItems(levelEntries(*words.highestLevel));
  } else if (page == MenuPage::Help) {
    if (help_ == HelpLayout::OnOpening) layOutHelp(menu);
    menu.mode = GameMenu::MODE_HELP;
  } else if (page == MenuPage::Table) {
    menu.loadHighScores(table, gameKey_);
    menu.mode = GameMenu::MODE_TABLE;
  }
}

void MenuFlow::enter(MenuPage page) {
  page_ = page;
  if (words.state != nullptr) *words.state = numberOfPage(words.states, page);
  if (words.page != nullptr && page != MenuPage::Keys) *words.page = numberOfPage(words.pages, page);
  if (words.paused != nullptr && (page == MenuPage::Start || page == MenuPage::Pause)) {
    *words.paused = page == MenuPage::Pause;
  }
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
  // Help laid out as its page opened is read again when the page next opens.
  if (page_ == MenuPage::Help && help_ == HelpLayout::OnOpening) {
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
  if (style_.inputClockRestarts) GameMenu::inputClock = nuv::lang::DSystem::currentTimeMillis();
}

void MenuFlow::cycleSoundLevel(int32_t item, MenuEntry kind) {
  const bool sfx = isSfx(kind);
  const int32_t level =
      ((sfx ? SoundManager::getSfxLevel() : SoundManager::getMusicLevel()) + 1) % SoundManager::kLevels;
  (*menu_->items)[item] = levelText(kind, level);
  if (sfx) {
    SoundManager::setSfxLevel(level);
  } else {
    SoundManager::setMusicLevel(level);
  }
  GameMenu::saveOption(gameKey_ + (sfx ? SoundManager::kSfxLevelOption : SoundManager::kMusicLevelOption), level);
}

bool MenuFlow::pauseRequested(const PauseSign& sign) {
  if (ScreenCanvas::select || ScreenCanvas::back || ScreenCanvas::held[GameAction::Pause]) return true;
  return ScreenCanvas::pointerDown && sign.contains(ScreenCanvas::pointerX, ScreenCanvas::pointerY);
}

void MenuFlow::pause() {
  ScreenCanvas::resetInput();
  GameLib::canvas->selectKeyMap(ScreenCanvas::kMenuKeyMap);
  SoundManager::pauseAll();
  show(MenuPage::Pause);
}

bool MenuFlow::endGame(int32_t score) {
  score_ = score;
  // A level number typed but not yet taken ends with the game.
  ScreenCanvas::forgetSequence();
  GameMenu& scores = menuOf(MenuPage::Table);
  SoundManager::stopAll();
  scores.loadHighScores(table, gameKey_);
  GameLib::canvas->selectKeyMap(ScreenCanvas::kMenuKeyMap);
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
  GameMenu& scores = menuOf(MenuPage::Table);
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

}  // namespace gamelib
