// The maze game's screen: one update by state (menu, play every second update, key set-up), the pages of
// its in-game menu and their entries, starting, pausing and ending a game, and the direction the keys and
// the stylus ask for.
#include "games/gobbler/Gobbler.h"

#include <cstdlib>

#include "gamelib/GameApi.h"
#include "games/gobbler/GobblerGlobals.h"
#include "games/gobbler/MazeDrawing.h"

namespace gobbler {

using namespace gamelib::api;

namespace {

// The start and pause menus: the standard entries, but "highscores" opens the game's choice of tables.
constexpr MenuEntryKeys kMenu[] = {
    {MenuEntry::Start, u"start", u"continue"}, {MenuEntry::Own, u"highscores", u"highscores"},
    {MenuEntry::Help, u"help", u"help"},       {MenuEntry::SfxLevel, nullptr, nullptr},
    {MenuEntry::MusicLevel, nullptr, nullptr}, {MenuEntry::Keys, u"cfg_keys", u"cfg_keys"},
    {MenuEntry::Exit, u"exit", u"mainmenu"},
};
static_assert(std::size(kMenu) == Gobbler::ITEM_EXIT + 1);
static_assert(kMenu[Gobbler::ITEM_SFX_LEVEL].kind == MenuEntry::SfxLevel &&
              kMenu[Gobbler::ITEM_MUSIC_LEVEL].kind == MenuEntry::MusicLevel &&
              kMenu[Gobbler::ITEM_HIGH_SCORES].kind == MenuEntry::Own);

// The flow's page of each of the game's pages; the set-up page and the choice of tables are its own.
constexpr MenuPage kSetupPage = ownPage(0);
constexpr MenuPage kTablesPage = ownPage(1);
constexpr MenuPageNumber kPages[] = {{MenuPage::Start, Gobbler::PAGE_START}, {MenuPage::Pause, Gobbler::PAGE_PAUSE},
                                     {kSetupPage, Gobbler::PAGE_SETUP},      {MenuPage::Help, Gobbler::PAGE_HELP},
                                     {MenuPage::Table, Gobbler::PAGE_TABLE}, {kTablesPage, Gobbler::PAGE_TABLES}};
// Every page is the menu state but the key set-up.
constexpr MenuPageNumber kStates[] = {{MenuPage::Start, Gobbler::STATE_MENU}, {MenuPage::Keys, Gobbler::STATE_KEYS}};

}  // namespace

Gobbler::~Gobbler() { game = nullptr; }

void Gobbler::paint() {
  switch (screenState) {
    case STATE_MENU:
    case STATE_KEYS:
      menuFlow->paint();
      break;
    case STATE_PLAY:
      game->paint();
      break;
    default:
      break;
  }
}

void Gobbler::update() {
  pointerCacheValid = true;
  switch (screenState) {
    case STATE_PLAY:
      if (stepToggle == 0) game->roundStep();
      stepToggle = (stepToggle - 1) & 1;
      break;
    default:
      menuFlow->update();
      break;
  }
}

void Gobbler::makeMenuFlow(const DImagePtr& splash) {
  MenuHooks hooks;
  hooks.start = [](int32_t) { buildMenu(PAGE_SETUP); };
  hooks.resume = [this] { continueGame(); };
  hooks.own = [this](MenuPage page, int32_t item) {
    if (page == kSetupPage) {
      chooseOnSetup(item);
    } else if (page == kTablesPage) {
      chooseOnTables(item);
    } else {
      buildMenu(PAGE_TABLES);
    }
  };
  hooks.built = [](MenuPage page) {
    if (page == kSetupPage) {
      // The choices may have changed since the texts were made: a new visit plays the levels in order.
      refreshSetupTexts();
      menuFlow->menu().setItems(setupTexts);
    } else if (page == kTablesPage) {
      menuFlow->menu().setItems(tableTexts);
    }
  };
  const MenuPages pages = {.picture = splash,
                           .helpFolder = data::kHelpFolder,
                           .table = gameMode,
                           .remappableActions = data::kRemappableActions};
  menuFlow = new MenuFlow(gameKey, kMenu, pages, hooks, {.pagesTakeFire = true});
  menuFlow->words = {.state = &screenState,
                     .states = kStates,
                     .page = &menuPage,
                     .pages = kPages,
                     .previousPage = &previousMenuPage,
                     .paused = &gamePaused};
}

void Gobbler::chooseOnSetup(int32_t item) {
  switch (item) {
    case SETUP_START:
      startGame();
      break;
    case SETUP_LEVELS:
      randomLevels = !randomLevels;
      refreshSetupTexts();
      ScreenCanvas::held[GameAction::Fire] = false;
      break;
    case SETUP_MODE:
      gameMode = (gameMode + 1) % GobblerGame::kModes;
      refreshSetupTexts();
      break;
    case SETUP_EXIT:
      buildMenu(PAGE_START);
      break;
    default:
      break;
  }
}

void Gobbler::chooseOnTables(int32_t item) {
  if (item == TABLES_EXIT) {
    buildMenu(gamePaused ? PAGE_PAUSE : PAGE_START);
    return;
  }
  shownTable = item;
  menuFlow->table = item;
  buildMenu(PAGE_TABLE);
}

void Gobbler::startGame() {
  GameLib::canvas->selectKeyMap(ScreenCanvas::kPlayKeyMap);
  screenState = STATE_PLAY;
  ScreenCanvas::held[GameAction::Fire] = false;
  gamePaused = false;
  game->newMap();
  // A map that did not load has sent the game back to its menu.
  if (screenState != STATE_PLAY) return;
  SoundManager::stop(GobblerGame::SND_MENU);
  SoundManager::play(GobblerGame::SND_GAME, -1, 0);
}

void Gobbler::continueGame() {
  screenState = STATE_PLAY;
  fillScreen(game->backColour);
  // The menu covered the panel around the maze: it is drawn again.
  panelDrawn = false;
  gamePaused = false;
}

DStringArrayPtr Gobbler::textsOf(const DStringArrayPtr& keys) {
  DStringArrayPtr texts = new DStringArray(keys->length);
  for (int32_t i = 0; i < keys->length; ++i) (*texts)[i] = TextTable::getString((*keys)[i]);
  return texts;
}

void Gobbler::refreshSetupTexts() {
  (*setupTexts)[SETUP_LEVELS] = TextTable::getString(randomLevels ? u"levelsrandom" : u"levelsoriginal");
  (*setupTexts)[SETUP_MODE] = TextTable::getString((*modeKeys)[gameMode]);
}

void Gobbler::buildMenu(int32_t page) { menuFlow->show(pageOfNumber(kPages, page)); }

bool Gobbler::isRequested(int32_t direction) { return requestedDirection() == direction; }

int32_t Gobbler::requestedDirection() {
  const bool* held = ScreenCanvas::held;
  if (held[GameAction::Right]) return DIR_RIGHT;
  if (held[GameAction::Left]) return DIR_LEFT;
  if (held[GameAction::Up]) return DIR_UP;
  if (held[GameAction::Down]) return DIR_DOWN;
  if (held[GameAction::Fire] || ScreenCanvas::back) return DIR_FIRE;
  if (!ScreenCanvas::pointerDown) return DIR_NONE;
  const int32_t px = ScreenCanvas::pointerX, py = ScreenCanvas::pointerY;
  if (pointerCacheValid && px == lastPointerX && py == lastPointerY) return DIR_NONE;
  pointerCacheValid = false;
  lastPointerX = px;
  lastPointerY = py;
  if (player.isNull()) return DIR_NONE;
  const int32_t dx = px - player->position->x - viewX, dy = py - player->position->y - viewY;
  const int32_t w = player->bounds->right - player->bounds->left, h = player->bounds->bottom - player->bounds->top;
  const bool inRow = 0 < dy && dy < h, inColumn = 0 < dx && dx < w;
  const int32_t horizontal = dx < 1 ? DIR_LEFT : DIR_RIGHT, vertical = dy < 1 ? DIR_UP : DIR_DOWN;
  if (inRow && !inColumn) return horizontal;
  if (inColumn && !inRow) return vertical;
  if (!inRow && !inColumn) return std::abs(dx) <= std::abs(dy) ? vertical : horizontal;
  // A tap on the player asks for nothing.
  ScreenCanvas::pointerDown = false;
  return DIR_NONE;
}

}  // namespace gobbler
