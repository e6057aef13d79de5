// The GUI's marked-up text, and the more-games screen that shows its entries in it.
#include "Entries.h"
#include "core/lang/DString.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/TextTable.h"
#include "gui/GUIAnimation.h"
#include "gui/GUIEngine.h"
#include "gui/GUIText.h"
#include "moregames/MoreGames.h"
#include "shell/lcdui/DImage.h"

namespace fuzz {

using gamelib::GameLib;
using gamelib::GUIText;
using gamelib::GUITextPtr;

namespace {

// Widths that wrap every word, a column and the screen; each lays the text out anew.
constexpr int32_t kWidths[] = {1, 37, 240};
constexpr int32_t kAlignments[] = {gamelib::ALIGN_JUSTIFY, gamelib::ALIGN_HCENTER | gamelib::ALIGN_VCENTER,
                                   gamelib::ALIGN_RIGHT | gamelib::ALIGN_BOTTOM};
constexpr int32_t kKeyUp = 38;
constexpr int32_t kKeyDown = 40;

void useEngine() {
  static const bool made = [] {
    useGameLibrary();
    gamelib::GUIEnginePtr engine = gamelib::GUIEngine::getInstance();
    engine->setDefaultImageFont(GameLib::font(GameLib::FONT_SMALL));
    engine->setStringManager(new gamelib::StringManager());
    return true;
  }();
  (void)made;
}

}  // namespace

void markup(Input input) {
  useEngine();
  GUITextPtr text = new GUIText();
  // Names a text may show: a picture, an animation, and a token that is markup itself.
  text->putResource(u"pic", nuv::microedition::lcdui::DImage::createMutableImage(6, 12));
  text->putResource(u"anim", new gamelib::GUIAnimation(0xF80000, -1));
  text->putResource(u"tok", new nuv::lang::DString(u"a <br> <token token=tok> b"));
  GUITextPtr marker = new GUIText();
  marker->setResolvedText(u"...");
  refusalsAllowed([&] {
    text->setText(latin1(input));
    for (size_t i = 0; i < std::size(kWidths); ++i) {
      text->setAlignment(kAlignments[i]);
      text->setKeepNewlines(i == 1);
      text->setMaxHeight(i == 2 ? 40 : -1);
      text->setOverflowMarker(i == 2 ? marker : nullptr);
      text->getHeight(kWidths[i]);
      text->paint(GameLib::graphics, 3, 5, kWidths[i], 200);
    }
  });
}

void moreGames(Input input) {
  useGameLibrary();
  // The screen's pictures are the real ones; its texts, in the language table, are the input.
  static const std::vector<StoredEntry> pictures = [] {
    const std::string folder =
        "graphics/" + std::string((*GameLib::pathList)[0]->view().begin(), (*GameLib::pathList)[0]->view().end());
    std::vector<StoredEntry> list;
    for (std::string name : {"menu/back.png", "button.png", "arrowUp.png", "arrowDown.png"})
      list.push_back({folder + name, gameDataEntry(folder + name)});
    for (int32_t n = 0; n < moregames::MoreGames::kEntryCount; ++n) {
      const std::string name = folder + "moregames/game_" + std::to_string(n) + ".png";
      list.push_back({name, gameDataEntry(name)});
    }
    return list;
  }();
  std::vector<StoredEntry> files = pictures;
  files.push_back({"txt/res_en.txt", bytes(input)});
  openArchive(files);
  refusalsAllowed([&] {
    gamelib::TextTable::load(u"/txt/res_en", true);
    moregames::MoreGamesPtr screen = new moregames::MoreGames();
    screen->init();
    // Down through the list and past its end, then back up: the list scrolls and the bar follows.
    for (int32_t i = 0; i < 24; ++i) {
      const int32_t key = i < 14 ? kKeyDown : kKeyUp;
      GameLib::canvas->keyPressed(key);
      step(*screen);
      GameLib::canvas->keyReleased(key);
      step(*screen);
    }
    screen->leave();
  });
  gamelib::ScreenCanvas::resetInput();
}

}  // namespace fuzz
