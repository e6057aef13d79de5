// The game library's parsers: pictures, image tables, bitmap fonts, text tables, help pages and the record
// stores of options, high scores and key maps.
#include <algorithm>
#include <cstring>
#include <memory>

#include "Entries.h"
#include "core/lang/DObjectArray.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DbyteArray.h"
#include "core/rms/DRecordStore.h"
#include "core/util/DHashtable.h"
#include "gamelib/Animation.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ImageFont.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/StartScreens.h"
#include "gamelib/TextTable.h"
#include "platform/seam/clock.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"
#include "shell/raster/ImageDecoder.h"

namespace fuzz {

using gamelib::GameImage;
using gamelib::GameImagePtr;
using gamelib::GameLib;
using gamelib::GameMenu;
using gamelib::GameMenuPtr;
using gamelib::ImageFont;
using gamelib::ImageFontPtr;
using gamelib::ScreenCanvas;
using gamelib::TextTable;
using nuv::lang::DStringPtr;
using nuv::microedition::lcdui::DGraphics;
using nuv::microedition::lcdui::DGraphicsPtr;
using nuv::microedition::lcdui::DImage;
using nuv::microedition::lcdui::DImagePtr;

namespace {

constexpr int32_t kTopLeft = DGraphics::TOP | DGraphics::LEFT;
constexpr int32_t kTransforms[] = {DGraphics::TRANS_MIRROR, DGraphics::TRANS_ROT180, DGraphics::TRANS_ROT90,
                                   DGraphics::TRANS_ROT270};
// Places that put a picture inside the screen, across its edges and far outside it.
constexpr int32_t kPlaces[][2] = {{0, 0}, {-7, 300}, {230, -3}, {-100000, 100000}};
// Enough names of a table to reach every kind of line; a table of hundreds says nothing more.
constexpr int32_t kMaxNames = 64;
// The key set-up of a game that rebinds the arrows and fire: one stored row each. Every record is a
// transaction of the registry's, so the rows are kept few.
constexpr int32_t kRebindable = 0x1F;
constexpr int32_t kKeyRows = 5;
// Text in every font: the characters of the languages, a space run, a line break and a long word.
constexpr const char16_t* kSample = u"Ab 0,9!? \u00e9\u00df\u00c4  x\nwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww end";

// The screen size's folder, as the path list names it first ("240x320/").
std::string screenFolder() {
  DStringPtr first = (*GameLib::pathList)[0];
  return std::string(first->view().begin(), first->view().end());
}

nuv::lang::DbyteArrayPtr byteArray(Input input) {
  nuv::lang::DbyteArrayPtr array = new nuv::lang::DbyteArray(static_cast<int32_t>(input.size()));
  if (!input.empty()) std::memcpy(array->data(), input.data(), input.size());
  return array;
}

std::vector<DStringPtr> tableNames() {
  std::vector<DStringPtr> names;
  nuv::util::DEnumerationPtr keys = GameImage::imageTable->keys();
  while (keys->hasMoreElements() && static_cast<int32_t>(names.size()) < kMaxNames) {
    names.push_back(DStringPtr(static_cast<nuv::lang::DString*>(keys->nextElement())));
  }
  return names;
}

// The store's records 1 to n all hold the bytes.
void putRecords(const char16_t* storeName, int32_t n, Input input) {
  using nuv::microedition::rms::DRecordStore;
  refusalsAllowed([&] {
    nuv::microedition::rms::DRecordStorePtr store = DRecordStore::openRecordStore(storeName, true);
    nuv::lang::DbyteArrayPtr record = byteArray(input);
    for (int32_t id = 1; id <= n; ++id) {
      if (store->getNumRecords() >= id) {
        store->setRecord(id, record, 0, record->length);
      } else {
        store->addRecord(record, 0, record->length);
      }
    }
    store->closeRecordStore();
  });
}

}  // namespace

void picture(Input input) {
  useGameLibrary();
  std::unique_ptr<Raster::RasterSurface> surface =
      Raster::ImageDecoder::decodeMemory(input.data(), input.data() + input.size());
  if (!surface) return;
  DImagePtr image = DImage::fromSurface(std::move(surface), true);
  DGraphicsPtr g = GameLib::graphics;
  g->setClip(0, 0, GameLib::screenWidth, GameLib::screenHeight);
  for (const auto& place : kPlaces) {
    g->drawImage(image, place[0], place[1], kTopLeft);
    g->drawImageOpaque(image, place[0], place[1], kTopLeft);
  }
  for (int32_t transform : kTransforms) {
    refusalsAllowed([&] { g->drawImage(DImage::createTransformedImage(image, transform), 3, 5, kTopLeft); });
    g->drawImage(image, 11, 7, kTopLeft, transform);
  }
}

void imageTable(Input input) {
  useGameLibrary();
  static const std::string atlas = gameDataEntry("graphics/" + screenFolder() + "menu/icons.png");
  const std::string folder = "graphics/" + screenFolder() + "fuzz/";
  openArchive({{folder + "all.txt", bytes(input)}, {folder + "all.png", atlas}});
  refusalsAllowed([&] { GameImage::loadImageTable(u"fuzz/all"); });
  if (GameImage::atlas.isNull()) return;
  GameImage::graphics = GameLib::graphics;
  GameLib::graphics->setClip(0, 0, GameLib::screenWidth, GameLib::screenHeight);
  const std::vector<DStringPtr> names = tableNames();
  nuv::lang::DStringArrayPtr frames = new nuv::lang::DStringArray(static_cast<int32_t>(names.size()));
  for (size_t i = 0; i < names.size(); ++i) {
    (*frames)[static_cast<int32_t>(i)] = names[i];
    for (const char16_t* suffix : {u"", u"_up", u"_dn", u"_lv", u"_mr"}) {
      refusalsAllowed([&] {
        GameImagePtr image = GameImage::create(names[i] + suffix);
        if (image.isNull()) return;
        for (const auto& place : kPlaces) {
          GameImage::draw(place[0], place[1], image);
          GameImage::drawOpaque(place[0], place[1], image);
        }
      });
    }
  }
  // An animation list names its frames in the same table.
  if (names.empty()) return;
  refusalsAllowed([&] {
    gamelib::AnimationPtr animation = new gamelib::Animation(frames);
    animation->restart();
    for (size_t i = 0; i < 2 * names.size() + 2; ++i) animation->paint(5, 5);
  });
}

void font(Input input) {
  useGameLibrary();
  // Page 0's metrics come from the input; its picture and page 1 are the menu font's own.
  static const std::string pictures[] = {gameDataEntry(screenFolder() + "menu/font_0.png"),
                                         gameDataEntry(screenFolder() + "menu/font_1.png")};
  static const std::string secondPage = gameDataEntry(screenFolder() + "menu/font_1");
  openArchive({{"fuzz/font_0", bytes(input)},
               {"fuzz/font_0.png", pictures[0]},
               {"fuzz/font_1", secondPage},
               {"fuzz/font_1.png", pictures[1]}});
  for (bool upperCase : {true, false}) {
    ImageFontPtr f = new ImageFont();
    f->upperCase = upperCase;
    f->spacing = upperCase ? 0 : 1;
    bool loaded = false;
    refusalsAllowed([&] {
      f->load(u"fuzz");
      loaded = true;
    });
    if (!loaded) continue;
    // A font that loaded draws any text: a failure now is a fault of the loader, not a refusal.
    f->getHeight();
    f->stringWidth(kSample);
    nuv::lang::DStringArrayPtr lines = f->splitLines(60, kSample);
    GameLib::graphics->setClip(0, 0, GameLib::screenWidth, GameLib::screenHeight);
    for (int32_t anchor : {kTopLeft, DGraphics::HCENTER | DGraphics::BASELINE, DGraphics::RIGHT | DGraphics::BOTTOM}) {
      f->drawString(GameLib::graphics, kSample, 120, 160, anchor);
      f->drawString(GameLib::graphics, kSample, -30, 318, anchor);
    }
    for (int32_t i = 0; i < lines->length; ++i) f->drawString(GameLib::graphics, (*lines)[i], 0, 10 * i, kTopLeft);
  }
}

void textTable(Input input) {
  useGameLibrary();
  // As a plain table it is the resolution file with the path list, or the keys table with its numbers.
  openArchive({{"fuzz.txt", bytes(input)}, {"txt/lang.txt", bytes(input)}});
  const nuv::lang::DStringArrayPtr paths = GameLib::pathList;
  refusalsAllowed([&] {
    TextTable::load(u"/fuzz", false);
    GameLib::setPathList(TextTable::getString(u"PATH"));
    for (const char16_t* key : {u"KEY_LEFT_SOFT1", u"KEY_LEFT_SOFT2", u"KEY_MIDDLE_SOFT", u"PATH"})
      TextTable::getInt(key, 0);
  });
  GameLib::pathList = paths;
  // As a UTF table it is the list of languages the start asks for.
  refusalsAllowed([&] {
    gamelib::GameInterfacePtr menu = gamelib::start::makeLanguageMenu();
    for (int32_t code : {0, 40, 40, 38, 38, 38}) {
      if (code != 0) GameLib::canvas->keyPressed(code);
      step(*menu);
      if (code != 0) GameLib::canvas->keyReleased(code);
    }
    menu->leave();
  });
  ScreenCanvas::resetInput();
}

void helpPage(Input input) {
  useGameLibrary();
  openArchive({{"txt/fuzz/en_help.txt", bytes(input)}});
  GameMenuPtr menu = new GameMenu();
  GameMenu::inputClock = 1;
  refusalsAllowed([&] {
    menu->loadHelp(gamelib::GameLib::helpPath(u"/txt/fuzz/"), nullptr);
    menu->mode = GameMenu::MODE_HELP;
    for (int32_t action : {-1, gamelib::GameAction::Down, gamelib::GameAction::Down, gamelib::GameAction::Right,
                           gamelib::GameAction::Up, gamelib::GameAction::Left}) {
      platform::advanceManualClock(201);
      if (action >= 0) {
        ScreenCanvas::anyKey = true;
        ScreenCanvas::held[action] = true;
      }
      menu->update();
      ScreenCanvas::resetInput();
      GameImage::graphics = GameLib::graphics;
      menu->paintHelp();
    }
  });
  ScreenCanvas::resetInput();
}

void recordStore(Input input) {
  useGameLibrary();
  // The same bytes stand in the high-score table, the option and every row of the key map.
  putRecords(u"fuzzhs1", 1, input);
  putRecords(u"op_fuzzsfx", 1, input);
  putRecords(u"keys_fuzz", kKeyRows, input);
  GameMenuPtr table = new GameMenu();
  refusalsAllowed([&] {
    table->loadHighScores(1, u"fuzz");
    table->mode = GameMenu::MODE_TABLE;
    GameImage::graphics = GameLib::graphics;
    table->paint();
    if (table->isHighScore(1000)) table->addHighScore(u"fuzz", 1000);
    table->paint();
  });
  refusalsAllowed([] { gamelib::SoundManager::loadLevels(u"fuzz"); });
  refusalsAllowed([] {
    gamelib::CustomControls::install(kRebindable, u"fuzz", nullptr);
    GameLib::canvas->selectKeyMap(gamelib::ScreenCanvas::kPlayKeyMap);
    for (int32_t code : {38, 40, 10002, 53}) press(code);
    gamelib::CustomControls::current->paint(GameLib::graphics);
  });
  gamelib::CustomControls::current = nullptr;
  GameLib::canvas->selectKeyMap(gamelib::ScreenCanvas::kMenuKeyMap);
  ScreenCanvas::resetInput();
}

}  // namespace fuzz
