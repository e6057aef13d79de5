// The menu tours of the eight games: each game's places and ways written once, one script maker for all.
#include "program/MenuTour.h"

#include <cstdio>

#include "core/lang/DString.h"
#include "core/lang/DbyteArray.h"
#include "core/rms/DRecordStore.h"
#include "platform/api/registry.h"
#include "platform/host/datafolder.h"

namespace tour {

namespace {

// Keys are held long enough for a game that steps every second frame, and come far enough apart for
// menus that take a key at most every 200 ms; each frame is taken shortly before the next key.
constexpr int kHold = 100;
constexpr int kGap = 300;
constexpr int kSettle = 250;
// The main menu is up by 20 s; a game's menu well within 4 s of its icon being chosen.
constexpr int kMainMenuUp = 20000;
constexpr int kGameLoaded = 4000;
constexpr int kMainMenuSettles = 8000;
constexpr int kIntroMs = 3000;
constexpr int kSoundLevels = 4;
constexpr int kPlayFrameEvery = 5000;

class Tour {
 public:
  explicit Tour(int scale) : scale_(scale) {}
  void at(int t) { t_ = t; }
  int now() const { return t_; }
  void wait(int ms) { t_ += ms; }

  void capture(const std::string& label) {
    char name[64];
    std::snprintf(name, sizeof name, "%03zu-%s.png", script_.frames.size(), label.c_str());
    script_.frames.push_back(name);
    line(t_, "capture " + std::string(name));
  }
  // The key pressed, and the frame it led to.
  void press(const char* key, const std::string& label) {
    hold(key, t_, kHold);
    t_ += kSettle;
    capture(label);
    t_ += kGap - kSettle;
  }
  void tap(int x, int y, const std::string& label) {
    const std::string point = std::to_string(x * scale_) + " " + std::to_string(y * scale_);
    line(t_, "pen down " + point);
    line(t_ + kHold, "pen up " + point);
    t_ += kSettle;
    capture(label);
    t_ += kGap - kSettle;
  }
  void hold(const char* key, int from, int ms) {
    line(from, "key down " + std::string(key));
    line(from + ms, "key up " + std::string(key));
  }

  // Down or up through the list, whichever is shorter, until the entry is highlighted; the highlight wraps
  // at both ends.
  void highlight(int entry, int count, const std::string& label) {
    const bool down = (entry - selected_ + count) % count <= (selected_ - entry + count) % count;
    while (selected_ != entry) {
      selected_ = (selected_ + (down ? 1 : count - 1)) % count;
      press(down ? "Down" : "Up", label);
    }
  }
  void selected(int entry) { selected_ = entry; }

  Script finish() {
    line(t_ + 500, "close");
    return script_;
  }

 private:
  void line(int t, const std::string& event) { script_.text += std::to_string(t) + " " + event + "\n"; }

  Script script_;
  int scale_;
  int t_ = 0;
  int selected_ = 0;
};

void toTheGame(Tour& t, const Game& g) {
  t.at(1300);
  t.capture("language");
  t.at(1700);
  t.press("Enter", "sound");
  t.at(2300);
  t.press("Enter", "answered");
  t.at(kMainMenuUp);
  t.capture("main");
  for (const char* arrow : g.arrows) t.press(arrow, "main-moved");
  t.at(g.chosenAt);
  t.press("Enter", "loading");
  t.at(g.chosenAt + kGameLoaded);
  t.capture("start");
}

void startPage(Tour& t, const Game& g) {
  for (int i = 1; i <= g.places.entries; ++i) t.press("Down", "start-" + std::to_string(i % g.places.entries));
  t.highlight(g.places.sfx, g.places.entries, "to-sfx");
  for (int i = 0; i < kSoundLevels; ++i) t.press("Enter", "sfx-" + std::to_string(i));
  t.highlight(g.places.sfx + 1, g.places.entries, "to-music");
  for (int i = 0; i < kSoundLevels; ++i) t.press("Enter", "music-" + std::to_string(i));
  if (g.places.option >= 0) {
    t.highlight(g.places.option, g.places.entries, "to-option");
    t.press("Enter", "option-changed");
    t.press("Enter", "option-back");
  }
}

// The help, the table and the key set-up from the list showing (`prefix` names the start or pause page).
void pagesOfTheList(Tour& t, const Game& g, const std::string& prefix, bool walk) {
  t.highlight(g.places.help, g.places.entries, prefix + "to-help");
  t.press("Enter", prefix + "help");
  if (walk) {
    t.press("Enter", prefix + "help-page");
    t.press("Enter", prefix + "help-page");
    t.press("Up", prefix + "help-up");
  }
  t.press("F1", prefix + "help-closed");
  t.selected(g.pagesKeepTheList ? g.places.help : 0);

  t.highlight(g.places.table, g.places.entries, prefix + "to-table");
  t.press("Enter", prefix + "table");
  if (g.tables > 0) {
    if (walk) {
      for (int i = 1; i <= g.tables + 1; ++i) t.press("Down", prefix + "tables-" + std::to_string(i % (g.tables + 1)));
    }
    t.press("Enter", prefix + "table-shown");
  }
  if (walk) t.press("Down", prefix + "table-down");
  t.press("Enter", prefix + "table-closed");
  if (g.tables > 0) {
    t.press("Up", prefix + "tables-exit");
    t.press("Enter", prefix + "tables-left");
    t.selected(0);
  } else {
    t.selected(g.pagesKeepTheList ? g.places.table : 0);
  }

  t.highlight(g.places.keys, g.places.entries, prefix + "to-keys");
  t.press("Enter", prefix + "keys");
  if (walk) {
    for (int i = 1; i <= 5; ++i) t.press("Down", prefix + "keys-row-" + std::to_string(i));
    t.press("Right", prefix + "keys-right");
  }
  t.press("F2", prefix + "keys-cancelled");
  t.selected(g.keysKeepTheList ? g.places.keys : 0);
}

void ownPages(Tour& t, const Game& g) {
  if (g.setupPage) {
    t.highlight(0, g.places.entries, "to-start");
    t.press("Enter", "setup");
    t.press("Down", "setup-1");
    t.press("Enter", "setup-option");
    t.press("Enter", "setup-option-back");
    t.press("Down", "setup-2");
    for (int i = 0; i < 4; ++i) t.press("Enter", "setup-mode-" + std::to_string(i));
    t.press("Down", "setup-3");
    t.press("Enter", "setup-left");
    t.selected(0);
  }
  if (g.levels) {
    t.highlight(0, g.places.entries, "to-start");
    t.press("Enter", "levels");
    for (int i = 1; i <= 4; ++i) t.press("Down", "levels-" + std::to_string(i % 4));
    t.press("Up", "levels-exit");
    t.press("Enter", "levels-left");
    t.selected(0);
  }
}

// "start", and the first level where the game offers a choice.
void startAGame(Tour& t, const Game& g) {
  t.highlight(0, g.places.entries, "to-start");
  t.press("Enter", "starting");
  if (g.levels) {
    t.press("Down", "level-2");
    t.press("Down", "level-1");
    t.press("Enter", "level-chosen");
  }
  if (g.setupPage) t.press("Enter", "setup-start");
}

void pauseInPlay(Tour& t, const Game& g) {
  startAGame(t, g);
  t.wait(kIntroMs);
  t.capture("play");
  t.press("F1", "paused");
  t.selected(0);
  for (int i = 1; i <= g.places.entries; ++i) t.press("Down", "pause-" + std::to_string(i % g.places.entries));
  pagesOfTheList(t, g, "pause-", false);
  t.highlight(0, g.places.entries, "to-continue");
  t.press("Enter", "continued");
  t.wait(1000);
  t.capture("resumed");
  t.tap(g.pauseX, g.pauseY, "tap-paused");
  t.selected(0);
  t.press("Up", "to-mainmenu");
  t.press("Enter", "abandoned");
  t.selected(0);
}

// Played with the game's own presses until it ends; where the score makes the table a name is typed and
// accepted, and the table closed.
void playToTheEnd(Tour& t, const Game& g) {
  startAGame(t, g);
  const int start = t.now() - kGap;
  for (const Press& p : g.play) {
    for (int at = p.from; at == p.from || (p.every > 0 && at < p.to); at += p.every) {
      t.hold(p.key, start + at, p.hold);
      if (p.every == 0) break;
    }
  }
  for (int at = kPlayFrameEvery; at < g.playMs; at += kPlayFrameEvery) {
    t.at(start + at);
    t.capture("game");
  }
  t.at(start + g.playMs);
  t.capture("ended");
  for (const char* letter : {"T", "U", "R"}) t.press(letter, "name");
  t.press("F1", "name-accepted");
  t.press("Enter", "table-closed");
  t.selected(g.pagesKeepTheList ? g.places.table : 0);
}

// "exit" leads back to the main menu.
void leave(Tour& t, const Game& g) {
  t.highlight(g.places.exit, g.places.entries, "to-exit");
  t.press("Enter", "left");
  t.wait(kMainMenuSettles);
  t.capture("main-again");
}

}  // namespace

const std::vector<Game>& games() {
  // The tanks game's second of driving: a turn held half a second, then two shots.
  auto drive = [] {
    std::vector<Press> presses;
    const char* turns[] = {"Up", "Up", "Left", "Up", "Right", "Right", "Up", "Left", "Down", "Up"};
    for (int i = 0; i < 10; ++i) {
      const int from = 2500 + 1000 * i;
      presses.push_back({turns[i], from, 500, 10000, 86000});
      presses.push_back({"Enter", from + 550, 50, 10000, 86000});
      presses.push_back({"Enter", from + 800, 50, 10000, 86000});
    }
    // The lost game's result waits for fire.
    presses.push_back({"Enter", 88000, 50, 0, 0});
    return presses;
  };
  static const std::vector<Game> all = {
      {.name = "bounce",
       .key = u"bounce",
       .arrows = {},
       .chosenAt = 20100,
       .levels = true,
       .pagesKeepTheList = true,
       .pauseX = 230,
       .pauseY = 5,
       .play = {{"Up", 3000, 100, 1000, 45000}},
       .playMs = 60000},
      {.name = "canyon",
       .key = u"canyon",
       .arrows = {"Right"},
       .chosenAt = 20400,
       .levels = true,
       .pauseX = 5,
       .pauseY = 5,
       .play = {{"Right", 1900, 450, 0, 0},
                {"Down", 2400, 50, 0, 0},
                {"Left", 4600, 450, 0, 0},
                {"Up", 5100, 50, 0, 0},
                {"Enter", 5100, 40, 500, 11600},
                {"Left", 11600, 10000, 0, 0}},
       .playMs = 26000},
      {.name = "swarm",
       .key = u"swarm",
       .arrows = {"Right", "Right"},
       .chosenAt = 20800,
       .pauseX = 5,
       .pauseY = 5,
       .play = {{"Up", 2600, 209400, 0, 0}},
       .playMs = 230000},
      {.name = "burrow",
       .key = u"burrow",
       .arrows = {"Down"},
       .chosenAt = 21000,
       .levels = true,
       .keysKeepTheList = false,
       .pauseX = 8,
       .pauseY = 278,
       .play = {{"Right", 2000, 1800, 0, 0}, {"Up", 3900, 1800, 0, 0}, {"Left", 6500, 3600, 0, 0}},
       .playMs = 66000},
      {.name = "tanks",
       .key = u"tanks",
       .arrows = {"Down", "Right"},
       .chosenAt = 20500,
       .levels = true,
       .keysKeepTheList = false,
       .pauseX = 10,
       .pauseY = 310,
       .play = drive(),
       .playMs = 95000},
      {.name = "climber",
       .key = u"climber",
       .arrows = {"Down", "Right", "Right"},
       .chosenAt = 21000,
       .levels = true,
       .pauseX = 5,
       .pauseY = 315,
       .play = {{"Right", 2600, 1200, 0, 0},
                {"Enter", 3900, 50, 0, 0},
                {"Right", 7100, 3000, 0, 0},
                {"Left", 10200, 600, 0, 0},
                {"Up", 10900, 2000, 0, 0},
                {"Left", 13000, 3200, 0, 0},
                {"Up", 16300, 2000, 0, 0},
                {"Right", 18400, 1600, 0, 0},
                {"Left", 20100, 2200, 0, 0}},
       .playMs = 163000},
      {.name = "gobbler",
       .key = u"gobbler",
       .arrows = {"Right", "Right", "Right"},
       .chosenAt = 21100,
       .setupPage = true,
       .tables = 4,
       .pauseX = 230,
       .pauseY = 5,
       .play = {{"Left", 50, 400, 8000, 240000},
                {"Up", 2050, 400, 8000, 240000},
                {"Right", 4050, 400, 8000, 240000},
                {"Down", 6050, 400, 8000, 240000}},
       .playMs = 240000},
      // The screen-edge option stands before the key set-up.
      {.name = "rocks",
       .key = u"rocks",
       .arrows = {"Right", "Right", "Right", "Down"},
       .chosenAt = 22000,
       .places = {.entries = 8, .table = 1, .help = 2, .sfx = 3, .keys = 6, .exit = 7, .option = 5},
       .pauseX = 230,
       .pauseY = 315,
       .play = {{"Up", 300, 600, 0, 0},
                {"Enter", 1000, 23600, 0, 0},
                {"Left", 1050, 120, 500, 24600},
                // Star, hash, star, 2, 0: the last level, where the ship goes down soon.
                {"App2", 24800, 100, 0, 0},
                {"App3", 25000, 100, 0, 0},
                {"App2", 25200, 100, 0, 0},
                {"2", 25400, 100, 0, 0},
                {"0", 25600, 100, 0, 0}},
       .playMs = 90000},
  };
  return all;
}

Script script(const Game& game, int scale) {
  Tour t(scale);
  toTheGame(t, game);
  startPage(t, game);
  pagesOfTheList(t, game, "", true);
  ownPages(t, game);
  playToTheEnd(t, game);
  pauseInPlay(t, game);
  leave(t, game);
  return t.finish();
}

void openLevels(const std::string& dataFolder, const char16_t* gameKey, int highest) {
  using nuv::lang::DbyteArray;
  using nuv::lang::DString;
  using nuv::microedition::rms::DRecordStore;
  platform::setDataFolder(dataFolder + "/glimmerhut");
  DRecordStore::setAppNameSource([] { return nuv::lang::DStringPtr(u"glimmerhut"); });
  nuv::lang::DbyteArrayPtr value = new DbyteArray(4);
  for (int i = 0; i < 4; ++i) (*value)[i] = static_cast<int8_t>(highest >> (24 - 8 * i));
  auto store =
      DRecordStore::openRecordStore(DString::concat(u"op_", DString::concat(gameKey, u"openlevel").get()), true);
  store->addRecord(value, 0, 4);
  store->closeRecordStore();
  DRecordStore::setAppNameSource(nullptr);
  platform::closeUserHive();
  platform::setDataFolder("");
}

}  // namespace tour
