// The space-rocks game's screen: the state machine, the start and pause menus with their entries, the help
// and high-score pages, the name entry and the key set-up.
#include "games/rocks/Rocks.h"

#include <span>

#include "gamelib/GameApi.h"

namespace rocks {

using namespace gamelib::api;

namespace {

// The standard entries with the screen-edge option before the key set-up; its text follows the option.
constexpr MenuEntryKeys kMenu[] = {
    {MenuEntry::Start, u"start", u"continue"},   {MenuEntry::HighScores, u"highscores", u"highscores"},
    {MenuEntry::Help, u"help", u"help"},         {MenuEntry::SfxLevel, nullptr, nullptr},
    {MenuEntry::MusicLevel, nullptr, nullptr},   {MenuEntry::Own, data::kBoundsOff, data::kBoundsOff},
    {MenuEntry::Keys, u"cfg_keys", u"cfg_keys"}, {MenuEntry::Exit, u"exit", u"mainmenu"},
};
static_assert(std::size(kMenu) == Rocks::kItemCount);
static_assert(kMenu[Rocks::ITEM_BOUNDS].kind == MenuEntry::Own && kMenu[Rocks::ITEM_EXIT].kind == MenuEntry::Exit);

// The flow's page of each menu mode.
constexpr MenuPageNumber kModes[] = {{MenuPage::Start, Rocks::MENU_START},
                                     {MenuPage::Pause, Rocks::MENU_PAUSE},
                                     {MenuPage::Help, Rocks::MENU_HELP},
                                     {MenuPage::Table, Rocks::MENU_HIGH_SCORES}};
// Every page is the menu state but the key set-up.
constexpr MenuPageNumber kStates[] = {{MenuPage::Start, Rocks::STATE_MENU}, {MenuPage::Keys, Rocks::STATE_KEY_SETUP}};

DStringPtr boundsText() { return TextTable::getString(boundsOn ? data::kBoundsOn : data::kBoundsOff); }

}  // namespace

Rocks::Rocks()
    : particleSlots(new DintArray2d(kBurstRows, 4)),
      particles(new DintArray2d(kBurstRows * kRecordsPerBurst, 5)),
      shots(new FlyingOArray(kShotPlaces)) {}

Rocks::~Rocks() = default;

void Rocks::playSound(int32_t id, int32_t loops) { SoundManager::play(id, loops, 0); }

void Rocks::update() {
  switch (gameState) {
    case STATE_MENU:
      menuFlow->update();
      // A choice takes the select key with it.
      if (!menuFlow.isNull() && menuFlow->menu().chosen) ScreenCanvas::select = false;
      break;
    case STATE_KEY_SETUP:
      menuFlow->update();
      break;
    default:
      playClock();
      break;
  }
}

void Rocks::buildMenu(int32_t mode) { menuFlow->show(pageOfNumber(kModes, mode)); }

void Rocks::makeMenuFlow() {
  MenuHooks hooks;
  hooks.start = [this](int32_t) {
    GameLib::canvas->selectKeyMap(ScreenCanvas::kPlayKeyMap);
    startGame();
    ship->changed = true;
  };
  hooks.resume = [this] {
    gameState = STATE_PLAY;
    stateTimer = 0;
    SoundManager::stop(SOUND_MENU);
    ship->changed = true;
  };
  hooks.own = [this](MenuPage, int32_t item) {
    boundsOn = !boundsOn;
    (*menuFlow->menu().items)[item] = boundsText();
    GameMenu::saveOption(gameKey + u"B", boundsOn ? 1 : 0);
  };
  hooks.built = [this](MenuPage page) {
    if (page == MenuPage::Start || page == MenuPage::Pause) (*menuFlow->menu().items)[ITEM_BOUNDS] = boundsText();
  };
  // Without the splash the menu keeps its plain box.
  const MenuPages pages = {.picture = splash,
                           .helpFolder = data::kHelpFolder,
                           .table = kHighScoreTable,
                           .remappableActions = data::kRemappableActions};
  menuFlow = new MenuFlow(gameKey, kMenu, pages, hooks, {.inputClockRestarts = true, .pagesTakeFire = true});
  menuFlow->words = {
      .state = &gameState, .states = kStates, .page = &menuMode, .pages = kModes, .previousPage = &previousMenuMode};
}

void Rocks::startGame() {
  score = 0;
  extraLifeMark = 0;
  level = 1;
  startLevel(1, 0);
  gameState = STATE_LEVEL_INTRO;
  SoundManager::stopAll();
  playSound(SOUND_LEVEL);
  stateTimer = kIntroSteps;
  playSound(SOUND_GAME, -1);
}

void Rocks::endGame(bool keepBackground) {
  const int32_t finalScore = score;
  // The flow keeps the score for the name entry; the next game starts afresh.
  score = 0;
  extraLifeMark = 0;
  level = 1;
  if (menuFlow->endGame(finalScore) && !keepBackground) background = nullptr;
}

}  // namespace rocks
