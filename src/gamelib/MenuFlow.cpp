// The in-game menu flow the games share.
#include "gamelib/MenuFlow.h"

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

void MenuFlow::showEntries(GameMenu& menu, std::span<const MenuEntryKeys> entries, bool paused) {
  menu.setItems(entryTexts(entries, paused));
  menu.first = 0;
  menu.selected = 0;
}

void MenuFlow::cycleSoundLevel(GameMenu& menu, int32_t item, MenuEntry kind, const DStringPtr& gameKey) {
  const bool sfx = isSfx(kind);
  const int32_t level = ((sfx ? SoundManager::getSfxLevel() : SoundManager::getMusicLevel()) + 1) % kSoundLevels;
  (*menu.items)[item] = levelText(kind, level);
  if (sfx) {
    SoundManager::setSfxLevel(level);
  } else {
    SoundManager::setMusicLevel(level);
  }
  GameMenu::saveOption(gameKey + (sfx ? u"sfx_level" : u"music_level"), level);
}

void MenuFlow::loadSoundLevels(const DStringPtr& gameKey) {
  SoundManager::setSfxLevel(GameMenu::loadOption(gameKey + u"sfx_level", kDefaultSoundLevel));
  SoundManager::setMusicLevel(GameMenu::loadOption(gameKey + u"music_level", kDefaultSoundLevel));
}

void MenuFlow::installKeySetup(int32_t remappableActions, const DStringPtr& gameKey,
                               const nuv::microedition::lcdui::DImagePtr& background, int32_t shade) {
  CustomControlsPtr controls = new CustomControls(remappableActions);
  CustomControls::current = controls;
  controls->init(gameKey);
  if (!background.isNull()) controls->background = GameMenu::shadeImage(background, shade, 0, background->getWidth());
  GameLib::canvas->setKeyMap(kPlayKeyMap, controls->load());
}

bool MenuFlow::keySetupClosed() {
  if (!CustomControls::current.isNull() && CustomControls::current->update() == CustomControls::STILL_OPEN) {
    return false;
  }
  ScreenCanvas::resetInput();
  return true;
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

bool MenuFlow::offerHighScore(GameMenu& menu, GameMenu& table, int32_t tableId, const DStringPtr& gameKey,
                              int32_t score) {
  SoundManager::stopAll();
  table.loadHighScores(tableId, gameKey);
  GameLib::canvas->selectKeyMap(kMenuKeyMap);
  if (!table.isHighScore(score)) return false;
  menu.showNameEntry();
  return true;
}

bool MenuFlow::nameTyped(const GameMenu& menu) {
  return menu.mode == GameMenu::MODE_NAME_ENTRY && GameMenu::nameEntered;
}

void MenuFlow::storeHighScore(GameMenu& menu, GameMenu& table, int32_t tableId, const DStringPtr& gameKey,
                              int32_t score) {
  table.loadHighScores(tableId, gameKey);
  table.addHighScore(GameMenu::enteredName, score);
  table.saveHighScores(tableId, gameKey);
  GameMenu::nameEntered = false;
  menu.mode = GameMenu::MODE_LIST;
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
