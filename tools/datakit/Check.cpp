// The checker: reads a staged archive tree as the game library will and reports every fault.
#include "Check.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <optional>
#include <set>
#include <sstream>

#include "CheckFiles.h"
#include "CheckHelpNames.h"
#include "CheckLegibility.h"
#include "CheckMix.h"
#include "CheckMoreGames.h"
#include "CheckTypography.h"
#include "DataError.h"
#include "Fonts.h"
#include "GameTable.h"
#include "Mod.h"
#include "Png.h"
#include "Stage.h"
#include "TextTables.h"
#include "Wav.h"
#include "app/GameList.h"
#include "gamelib/PageLayout.h"

namespace fs = std::filesystem;

namespace datakit {

const std::vector<std::string> kSharedImages = {
    "vandelorn", "menu/back", "menu/icons",      "arrowUp",          "arrowDown",
    "pause",     "selected",  "input/input_top", "input/input_midd", "input/input_bot",
};

// Both icons of every main menu entry.
const std::vector<std::string> kMenuIconKeys = [] {
  std::vector<std::string> keys;
  for (const gamelib::MenuNames& e : glimmerhut::kMenuNames) {
    keys.push_back(ascii(e.icon));
    keys.push_back(ascii(e.selectedIcon));
  }
  return keys;
}();

// The main menu's titles.
const std::vector<std::string> kMenuTitles = [] {
  std::vector<std::string> keys;
  for (const gamelib::MenuNames& e : glimmerhut::kMenuNames) keys.push_back(ascii(e.titleKey));
  return keys;
}();

// Font 6 is the only one the program does not upper-case.
const std::vector<std::string> kFontNames = {"menu", "menusel", "hud0", "hud1", "num0", "num1", "small"};
constexpr size_t kMixedCaseFont = 6;
// The key set-up's names of keys in the player's language: this prefix and the key's English name.
constexpr const char16_t* kKeyNamePrefix = u"keyname_";

// The shared texts but the main menu's titles, which come from the rows.
const std::vector<std::string> kTextKeys = {
    // sound question
    "enable_sound",
    "yes",
    "no",
    // in-game menus
    "start",
    "continue",
    "highscores",
    "help",
    "cfg_keys",
    "mainmenu",
    "exit",
    "level",
    "sound_level",
    "music_level",
    "sound level",
    "music level",
    "soundfxoff",
    "soundfxlow",
    "soundfxnormal",
    "soundfxhigh",
    "musicoff",
    "musiclow",
    "musicnormal",
    "musichigh",
    // high scores, name entry and help pages
    "empty",
    "entername",
    "quit",
    "down",
    // key set-up
    "set_default",
    "ok",
    "cancel",
};

namespace {

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool startsWith(const std::string& s, const std::string& head) { return s.compare(0, head.size(), head) == 0; }

// "graphics/WIDTHxHEIGHT.dat"
bool isResolutionFile(const std::string& name) {
  if (!startsWith(name, "graphics/") || !endsWith(name, ".dat")) return false;
  std::string size = name.substr(9, name.size() - 13);
  size_t x = size.find('x');
  return x != std::string::npos && x > 0 && x + 1 < size.size() && size.find_first_not_of("0123456789") == x &&
         size.find_first_not_of("0123456789", x + 1) == std::string::npos;
}

using Font = LegibilityFont;

// Where the game library draws texts of the shared screens, and so how wide each may be: the
// main menu's titles (a title wider than the screen less 20 is split into two words, and one that
// cannot be split is not drawn), the in-game menu's entries (inside the list box), the key set-up's
// action names (in the left half of its grid) and buttons.
enum class Room { Title, MenuBox, FullGrid, QuestionBox, KeyGrid };
struct Fit {
  size_t font;
  Room room;
  std::vector<std::string> keys;
  const char* where;
};
const std::vector<Fit> kFits = {
    {3, Room::Title, kMenuTitles, "main menu"},
    {1,
     Room::MenuBox,
     {"start", "continue", "highscores", "help", "cfg_keys", "mainmenu", "exit", "sound_level", "music_level",
      "sound level", "music level", "soundfxoff", "soundfxlow", "soundfxnormal", "soundfxhigh", "musicoff", "musiclow",
      "musicnormal", "musichigh"},
     "in-game menu"},
    {1, Room::FullGrid, {"set_default", "ok", "cancel"}, "key set-up"},
    {2, Room::QuestionBox, {"enable_sound"}, "sound question"},
    {1, Room::QuestionBox, {"yes", "no"}, "sound question"},
    {6, Room::KeyGrid, {"entername"}, "name entry"},
};

// The shared texts, and each game's own texts and menu entries.
std::vector<std::string> allTextKeys() {
  std::vector<std::string> keys = kTextKeys;
  keys.insert(keys.end(), kMenuTitles.begin(), kMenuTitles.end());
  for (const GameRow& g : gameTable()) {
    keys.insert(keys.end(), g.textKeys.begin(), g.textKeys.end());
    keys.insert(keys.end(), g.menuTexts.begin(), g.menuTexts.end());
    keys.push_back("ctrl_actions_" + g.key);
  }
  return keys;
}

// The shared fits, and each game's own menu entries in the menu box.
std::vector<Fit> allFits() {
  std::vector<Fit> fits = kFits;
  for (const GameRow& g : gameTable())
    if (!g.menuTexts.empty()) fits.push_back({1, Room::MenuBox, g.menuTexts, "in-game menu"});
  return fits;
}

class Checker {
 public:
  Checker(fs::path dir, const std::map<std::string, std::string>& sources) : dir_(std::move(dir)), sources_(sources) {
    for (auto it = fs::recursive_directory_iterator(dir_); it != fs::recursive_directory_iterator(); ++it)
      if (it->is_regular_file()) names_.insert(fs::relative(it->path(), dir_).generic_string());
  }

  CheckReport run() {
    for (const std::string& name : names_) guarded(name, [&] { checkFile(name); });
    checkTexts();
    checkMarkSpacing();
    checkHelpNames();
    checkMoreGamesTexts(texts_, sink());
    checkLevelsPresent();
    checkGameSounds();
    checkGameMixes();
    for (const std::string& name : names_)
      if (isResolutionFile(name)) guarded(name, [&] { checkScreenSize(name); });
    return report_;
  }

 private:
  fs::path dir_;
  const std::map<std::string, std::string>& sources_;
  std::set<std::string> names_;
  CheckReport report_;
  std::map<std::string, std::map<std::u16string, std::u16string>> texts_;  // language code -> table
  std::vector<std::u16string> languageNames_;                              // as the language question shows them

  std::string where(const std::string& name) const {
    auto it = sources_.find(name);
    return it != sources_.end() ? it->second : (dir_ / name).string();
  }

  void error(const std::string& name, int line, const std::string& message) {
    report_.errors.push_back(where(name) + ":" + std::to_string(line) + ": " + message);
  }

  FaultSink sink() {
    return [this](const std::string& name, const std::string& key, const std::string& message) {
      error(name, key.empty() ? 0 : sourceLine(name, key), message);
    };
  }

  // Runs one check; a DataError from the readers is reported against the source of the entry.
  void guarded(const std::string& name, const std::function<void()>& check) {
    try {
      check();
    } catch (const DataError& e) {
      std::string message = e.what();
      message = message.substr(message.find(": ", e.file().size()) + 2);
      error(name, e.line(), message);
    } catch (const std::exception& e) {
      error(name, 0, e.what());
    }
  }

  Bytes bytes(const std::string& name) const { return readBytes(dir_ / name); }
  bool has(const std::string& name) const { return names_.count(name) != 0; }

  std::map<std::u16string, std::u16string> table(const std::vector<TableLine>& lines, const std::string& name) {
    std::map<std::u16string, std::u16string> out;
    for (const TableLine& l : lines) {
      size_t eq = l.text.find(u'=');
      if (eq == std::u16string::npos) {
        error(name, l.line, "line without '='");
        continue;
      }
      out[l.text.substr(0, eq)] = l.text.substr(eq + 1);
    }
    return out;
  }

  void checkFile(const std::string& name) {
    // Blanks are fine: some games' sounds have them in their names.
    for (char c : name)
      if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E || c == '\\')
        return error(name, 0, "archive names are printable ASCII without '\\'");
    // Blanks may stand inside a name ("eat the dot.wav"), where no one loses them.
    for (size_t at = 0; at < name.size(); ++at)
      if (name[at] == ' ' && (at == 0 || at + 1 == name.size() || name[at - 1] == '/' || name[at + 1] == '/'))
        return error(name, 0, "archive names and their folders neither start nor end with a blank");
    if (name.size() > 255) return error(name, 0, "archive name longer than 255 characters");
    if (endsWith(name, ".png")) {
      report(name, checkPictureFile(bytes(name)));
    } else if (endsWith(name, ".wav")) {
      // A synthesised sound's faults are its level's: the line a person changes.
      const int level = sourceLine(name, "level");
      for (const Fault& f : checkWavFile(bytes(name))) error(name, f.line != 0 ? f.line : level, f.message);
    } else if (endsWith(name, ".mod")) {
      report(name, checkModFile(bytes(name)));
    } else if (const LevelFiles* levels = levelFilesOf(name)) {
      report(name, levels->check(bytes(name)));
    } else if ((startsWith(name, "graphics/") && (endsWith(name, ".dat") || endsWith(name, ".txt"))) ||
               name == "data/keys.txt" || isSharedAnimationList(name)) {
      std::vector<TableLine> lines = readPlainTable(bytes(name), where(name));
      std::string picture = name.substr(0, name.size() - 4) + ".png";
      std::string images = name.substr(0, name.rfind('/') + 1) + "all.txt";
      if (endsWith(name, ".txt") && has(picture)) {
        PngInfo info;
        readPngInfo(bytes(picture), info);
        report(name, checkImageTableLines(lines, info, picture));
      } else if (name.find("anim") != std::string::npos && has(images)) {
        report(name, checkAnimationLines(lines, readPlainTable(bytes(images), where(images)), images));
      } else {
        table(lines, name);
      }
    } else if (startsWith(name, "txt/") && endsWith(name, "_help.txt")) {
      report(name, checkHelpLines(readUtfStrings(bytes(name), where(name))));
    } else if (startsWith(name, "txt/") && endsWith(name, ".txt")) {
      table(readUtfStrings(bytes(name), where(name)), name);
    }
  }

  // An animation list that serves every screen size.
  static bool isSharedAnimationList(const std::string& name) {
    for (const GameRow& game : gameTable())
      if (game.animationList == name && startsWith(name, "data/")) return true;
    return false;
  }

  // The level files of the game a name belongs to, if it is one.
  static const LevelFiles* levelFilesOf(const std::string& name) {
    for (const GameRow& game : gameTable())
      for (const LevelFiles& levels : game.levels)
        if (levels.isLevel(name)) return &levels;
    return nullptr;
  }

  // Whether the archive holds the game's data at all; a game not in it yet is not checked.
  bool present(const GameRow& game) const {
    return std::any_of(names_.begin(), names_.end(),
                       [&](const std::string& n) { return startsWith(n, "data/" + game.folder); });
  }

  // Sounds are shared by every screen size.
  void checkGameSounds() {
    for (const GameRow& game : gameTable()) {
      if (!present(game)) continue;
      for (const std::string& sound : game.sounds)
        if (!has(sound + ".wav") && !has(sound + ".mod"))
          error(sound + ".wav", 0, "missing: the game plays this sound (as .wav or .mod)");
    }
  }

  // What the player hears at the highest levels. A fault names the loudest effect's level, the line a person
  // changes.
  void checkGameMixes() {
    for (const GameRow& game : gameTable()) {
      if (!present(game)) continue;
      const GameSounds sounds = playSoundsOf(game, dir_);
      for (const MixCase& c : mixGameSounds(sounds.tunes, sounds.effects))
        if (c.fullScale) {
          const std::string& loudest = c.effects.front();
          error(loudest, sourceLine(loudest, "level"), describeClip(c, sounds.tunes));
        }
    }
  }

  // A game plays its levels in order to the last; a gap would end a game midway.
  void checkLevelsPresent() {
    for (const GameRow& game : gameTable()) {
      if (!present(game)) continue;
      for (const LevelFiles& levels : game.levels)
        for (const std::string& level : levels.required)
          if (!has(level)) error(level, 0, "missing: " + levels.whyRequired);
    }
  }

  void report(const std::string& name, const std::vector<Fault>& faults) {
    for (const Fault& f : faults) error(name, f.line, f.message);
  }

  int sourceLine(const std::string& name, const std::string& key) {
    auto it = sources_.find(name);
    if (it == sources_.end()) return 0;
    std::string text = readFile(it->second);
    int line = 1;
    for (size_t at = 0; at < text.size(); ++line) {
      size_t end = std::min(text.find('\n', at), text.size());
      if (text.compare(at, key.size() + 1, key + "=") == 0) return line;
      at = end + 1;
    }
    return 0;
  }

  void checkTexts() {
    const std::string lang = "txt/lang.txt";
    if (!has(lang)) return error(lang, 0, "missing: the language list");
    auto list = table(readUtfStrings(bytes(lang), where(lang)), lang);
    if (!list.count(u"LANGS") || !list.count(u"SNAMES")) return error(lang, 1, "LANGS and SNAMES are both needed");
    std::vector<std::u16string> names = splitText(list[u"LANGS"], u';'), codes = splitText(list[u"SNAMES"], u';');
    if (names.size() != codes.size()) return error(lang, 1, "LANGS and SNAMES are lists of the same length");
    languageNames_ = names;
    for (const std::u16string& c : codes) {
      std::string code(c.begin(), c.end());
      std::string file = "txt/res_" + code + ".txt";
      if (!has(file)) {
        error(lang, sourceLine(lang, "SNAMES"), "no texts for language " + code + " (" + file + ")");
        continue;
      }
      guarded(file, [&] { texts_[code] = table(readUtfStrings(bytes(file), where(file)), file); });
    }
    std::set<std::u16string> allKeys;
    for (auto& [code, t] : texts_)
      for (auto& [k, v] : t) allKeys.insert(k);
    for (const std::string& k : allTextKeys()) allKeys.insert(std::u16string(k.begin(), k.end()));
    for (auto& [code, t] : texts_) {
      std::string file = "txt/res_" + code + ".txt";
      for (const std::u16string& k : allKeys)
        if (!t.count(k)) error(file, 1, "missing key \"" + toUtf8(k) + "\"");
      for (const GameRow& g : gameTable()) {
        std::string key = "ctrl_actions_" + g.key;
        auto it = t.find(std::u16string(key.begin(), key.end()));
        if (it != t.end() &&
            splitText(it->second, u';').size() != static_cast<size_t>(std::popcount(unsigned(g.actionMask))))
          error(file, sourceLine(file, key),
                key + " names " + std::to_string(std::popcount(unsigned(g.actionMask))) + " actions");
      }
    }
  }

  // The spaces a language sets before marks, in its text table and its help pages ("txt/GAME/CODE_help.txt").
  void checkMarkSpacing() {
    for (auto& [code, t] : texts_) {
      const std::string file = "txt/res_" + code + ".txt";
      for (auto& [key, value] : t)
        if (auto fault = markSpacingFault(code, value)) error(file, sourceLine(file, toUtf8(key)), *fault);
    }
    const std::string helpEnd = "_help.txt";
    for (const std::string& name : names_) {
      if (!startsWith(name, "txt/") || !endsWith(name, helpEnd)) continue;
      const size_t slash = name.rfind('/');
      const std::string code = name.substr(slash + 1, name.size() - slash - 1 - helpEnd.size());
      guarded(name, [&] {
        for (const TableLine& l : readUtfStrings(bytes(name), where(name)))
          if (auto fault = markSpacingFault(code, l.text)) error(name, paragraphLine(name, l.line), *fault);
      });
    }
  }

  // Each game's translated help pages against the English one: the menu's and the key set-up's names.
  void checkHelpNames() {
    const auto reference = texts_.find(kHelpReferenceLanguage);
    if (reference == texts_.end()) return;
    for (const GameRow& g : gameTable()) {
      const std::string referencePage = "txt/" + g.folder + kHelpReferenceLanguage + "_help.txt";
      for (auto& [code, t] : texts_) {
        const std::string page = "txt/" + g.folder + code + "_help.txt";
        if (code == reference->first || !has(referencePage) || !has(page)) continue;
        guarded(page, [&] {
          for (const Fault& f : helpNameFaults(readUtfStrings(bytes(referencePage), where(referencePage)),
                                               readUtfStrings(bytes(page), where(page)),
                                               shownNames(reference->second, t, g.menuTexts, g.key)))
            error(page, paragraphLine(page, f.line), f.message);
        });
      }
    }
  }

  // The source line of a help file's paragraph: comment lines make no paragraph.
  int paragraphLine(const std::string& name, int paragraph) {
    auto it = sources_.find(name);
    if (it == sources_.end()) return paragraph;
    std::istringstream text(readFile(it->second));
    int line = 0, paragraphs = 0;
    for (std::string l; std::getline(text, l);) {
      ++line;
      if ((l.empty() || l[0] != '#') && ++paragraphs == paragraph) return line;
    }
    return paragraph;
  }

  std::vector<std::string> pathList(const std::string& resolution) {
    auto t = table(readPlainTable(bytes(resolution), where(resolution)), resolution);
    std::u16string path = t.count(u"PATH") ? t[u"PATH"] : u"PATH";
    std::vector<std::string> list;
    for (const std::u16string& p : splitText(path, u';')) {
      std::string s = toUtf8(p);
      list.push_back(s.empty() || s.back() != '/' ? s + "/" : s);
    }
    return list;
  }

  std::optional<std::string> findInPath(const std::vector<std::string>& list, const std::string& dir,
                                        const std::string& name) {
    for (const std::string& p : list)
      if (has(dir + p + name)) return dir + p + name;
    return std::nullopt;
  }

  Font checkFont(const std::string& resolution, const std::string& prefix, bool upper) {
    Font font;
    int pages = 0;
    for (int page = 0; page < 10; ++page, pages = page) {
      std::string picture = prefix + "/font_" + std::to_string(page) + ".png";
      std::string metrics = prefix + "/font_" + std::to_string(page);
      if (!has(picture) && !has(metrics)) break;
      if (!has(picture) || !has(metrics)) {
        error(has(picture) ? picture : metrics, 0, "a font page needs its picture and its metrics");
        break;
      }
      PngInfo info;
      readPngInfo(bytes(picture), info);
      if (page == 0)
        font.height = info.height;
      else if (info.height != font.height)
        error(picture, 0, "all pages of a font share the height of page 0");
      Bytes m = bytes(metrics);
      int count = m.empty() ? 0 : static_cast<std::int8_t>(m[0]);
      if (count < 1) {
        error(metrics, 0, "a page holds 1 to 127 glyphs");
        continue;
      }
      size_t at = 1;
      int width = 0;
      for (int g = 0; g < count; ++g) {
        if (at + 2 > m.size()) {
          error(metrics, 0, "metrics end early");
          break;
        }
        size_t len = size_t(m[at]) << 8 | m[at + 1];
        Bytes one(m.begin() + static_cast<long>(at), m.begin() + static_cast<long>(std::min(m.size(), at + 2 + len)));
        std::vector<TableLine> s = readUtfStrings(one, where(metrics));
        at += 2 + len;
        if (s.size() != 1 || s[0].text.size() != 1 || at >= m.size()) {
          error(metrics, 0, "glyph " + std::to_string(g) + " is not one character and a width");
          break;
        }
        char16_t c = s[0].text[0];
        if (upper && upperOf(c) != c)
          error(metrics, 0, "glyph " + toUtf8(s[0].text) + " is never shown: the font is upper-cased");
        if (page == 0 && g == 0 && c != u' ')
          error(metrics, 0, "glyph 0 of page 0 gives the space's width and should be the space");
        int w = static_cast<std::int8_t>(m[at++]);
        if (w <= 0) error(metrics, 0, "glyph " + toUtf8(s[0].text) + " has no width");
        font.pages.push_back(page);
        font.offsets.push_back(width);
        width += w;
        font.chars.push_back(c);
        font.widths.push_back(w);
      }
      font.pageEntries.push_back(picture);
      if (at != m.size()) error(metrics, 0, "bytes after the last glyph");
      if (width != info.width)
        error(metrics, 0,
              "glyph widths add up to " + std::to_string(width) + ", the page is " + std::to_string(info.width) +
                  " wide");
    }
    for (int page = pages + 1; page < 10; ++page)
      if (has(prefix + "/font_" + std::to_string(page) + ".png"))
        error(prefix + "/font_" + std::to_string(page) + ".png", 0, "page after a gap is never loaded");
    if (font.height == 0) error(resolution, 0, "font " + prefix + " has no page 0");
    return font;
  }

  void checkScreenSize(const std::string& resolution) {
    std::string size = resolution.substr(9, resolution.size() - 13);
    int width = std::stoi(size), height = std::stoi(size.substr(size.find('x') + 1));
    std::vector<std::string> list = pathList(resolution);
    for (const std::string& image : kSharedImages)
      if (!findInPath(list, "graphics/", image + ".png") && !findInPath(list, "graphics/", image + ".jpg"))
        error(resolution, 1, "no picture \"" + image + "\" under its PATH");
    if (auto icons = findInPath(list, "graphics/", "menu/icons.txt")) {
      auto lines = readPlainTable(bytes(*icons), where(*icons));
      std::map<std::string, std::pair<int, int>> sizes;
      for (const TableLine& l : lines) {
        auto f = splitText(l.text, u';');
        if (f.size() == 5) sizes[toUtf8(f[0])] = {std::stoi(toUtf8(f[3])), std::stoi(toUtf8(f[4]))};
      }
      for (const std::string& key : kMenuIconKeys)
        if (!sizes.count(key))
          error(*icons, 0, "the main menu's icon \"" + key + "\" is missing");
        else if (sizes[key] != sizes[kMenuIconKeys[0]])
          error(*icons, 0, "icon \"" + key + "\" differs in size from \"" + kMenuIconKeys[0] + "\"");
      if (sizes.count(kMenuIconKeys[0]) && sizes[kMenuIconKeys[0]].first * 4 > width)
        error(*icons, 0, "four icons do not fit side by side on a screen " + std::to_string(width) + " wide");
    } else {
      error(resolution, 1, "no image table \"menu/icons\" under its PATH");
    }
    checkGameNames(resolution, list);
    auto prefix = findInPath(list, "", "menu/font_0");
    if (!prefix) return error(resolution, 1, "no font \"menu\" under its PATH");
    std::string base = prefix->substr(0, prefix->size() - std::string("menu/font_0").size());
    std::vector<Font> fonts;
    for (size_t i = 0; i < kFontNames.size(); ++i) {
      Font font = checkFont(resolution, base + kFontNames[i], i != kMixedCaseFont);
      for (auto& [code, t] : texts_)
        for (auto& [key, value] : t)
          for (char16_t c : value) {
            char16_t g = i != kMixedCaseFont ? upperOf(c) : c;
            if (!gamelib::drawsAsSpace(c) && c != u'\n' && font.chars.find(g) == std::u16string::npos) {
              std::string file = "txt/res_" + code + ".txt";
              error(file, sourceLine(file, toUtf8(key)),
                    "font " + base + kFontNames[i] + " has no \"" + toUtf8(std::u16string(1, g)) + "\"");
              break;
            }
          }
      if (font.height * 3 > height) error(resolution, 0, "font " + kFontNames[i] + " is too tall for the screen");
      font.upper = i != kMixedCaseFont;
      font.spacing = i == kMixedCaseFont ? 1 : 0;
      fonts.push_back(font);
    }
    checkFits(fonts, width);
    LegibilityInput legibility{
        width,
        height,
        &texts_,
        &fonts,
        languageNames_,
        [&](const std::string& picture) { return findInPath(list, "graphics/", picture + ".png"); },
        [&](const std::string& entry) { return bytes(entry); }};
    // A picture's fault is its generator's (or the pixel art's first) line.
    LegibilityReport legible = checkLegibility(legibility);
    for (const LegibilityFault& f : legible.faults)
      error(f.entry, f.key.empty() ? std::max(1, sourceLine(f.entry, "generator")) : sourceLine(f.entry, f.key),
            f.message);
    report_.notes.insert(report_.notes.end(), legible.notes.begin(), legible.notes.end());
    auto picture = [&](const std::string& p) {
      auto png = findInPath(list, "graphics/", p + ".png");
      return png ? png : findInPath(list, "graphics/", p + ".jpg");
    };
    checkMoreGamesPictures({resolution, width, picture, [&](const std::string& n) { return bytes(n); },
                            [&](const std::u16string& t) { return fonts[0].width(t); }},
                           texts_, sink());
  }

  // A game whose folder is in the archive must have everything its set-up asks for by name.
  void checkGameNames(const std::string& resolution, const std::vector<std::string>& list) {
    for (const GameRow& game : gameTable()) {
      if (game.imageTable.empty()) continue;
      auto images = findInPath(list, "graphics/", game.imageTable + ".txt");
      if (!images) continue;
      for (const std::string& picture : game.pictures)
        if (!findInPath(list, "graphics/", picture + ".png") && !findInPath(list, "graphics/", picture + ".jpg"))
          error(resolution, 1, "no picture \"" + picture + "\" under its PATH");
      std::set<std::u16string> keys;
      for (const TableLine& l : readPlainTable(bytes(*images), where(*images))) keys.insert(splitText(l.text, u';')[0]);
      for (const std::string& key : game.imageKeys)
        if (!keys.count(std::u16string(key.begin(), key.end())))
          error(*images, 0, "the game looks up \"" + key + "\", which is not in the image table");
      if (game.animationList.empty()) continue;
      // A list under data/ serves every screen size: its frames must be in each size's image table.
      const bool shared = startsWith(game.animationList, "data/");
      auto anim = shared ? (has(game.animationList) ? std::optional<std::string>(game.animationList) : std::nullopt)
                         : findInPath(list, "graphics/", game.animationList);
      if (!anim) {
        error(resolution, 1, "no animation list \"" + game.animationList + "\" under its PATH");
      } else {
        if (shared)
          report(*anim, checkAnimationLines(readPlainTable(bytes(*anim), where(*anim)),
                                            readPlainTable(bytes(*images), where(*images)), *images));
        std::set<std::u16string> names;
        for (const TableLine& l : readPlainTable(bytes(*anim), where(*anim)))
          names.insert(l.text.substr(0, l.text.find(u'=')));
        for (const std::string& key : game.animationKeys)
          if (!names.count(std::u16string(key.begin(), key.end())))
            error(*anim, 0, "the game looks up the animation \"" + key + "\", which the list lacks");
      }
    }
  }

  void checkFits(const std::vector<Font>& fonts, int width) {
    const int titleRoom = width - 20, menuRoom = width - 2 * (width >> 3), actionRoom = (width - 20) / 2;
    // Two key cells share the grid's right half; a name stays between the lines around its cell.
    const int keyRoom = ((width - 20) - (width - 20) / 2) / 2 - 1;
    const int questionRoom = width / 3 * 2, keyGridRoom = fonts[2].height * 21 / 12 * 6;
    auto roomOf = [&](Room r) {
      switch (r) {
        case Room::MenuBox:
          return menuRoom;
        case Room::QuestionBox:
          return questionRoom;
        case Room::KeyGrid:
          return keyGridRoom;
        default:
          return titleRoom;
      }
    };
    const std::string lang = "txt/lang.txt";
    if (has(lang)) {
      auto list = table(readUtfStrings(bytes(lang), where(lang)), lang);
      for (const std::u16string& name : splitText(list[u"LANGS"], u';'))
        if (int w = fonts[0].width(name); w > questionRoom)
          error(lang, sourceLine(lang, "LANGS"),
                "\"" + toUtf8(name) + "\" is " + std::to_string(w) + " pixels wide, the language menu has room for " +
                    std::to_string(questionRoom));
    }
    for (auto& [code, t] : texts_) {
      std::string file = "txt/res_" + code + ".txt";
      auto tooWide = [&](const std::string& key, int w, int room, const char* where) {
        error(file, sourceLine(file, key),
              "\"" + key + "\" is " + std::to_string(w) + " pixels wide, the " + where + " has room for " +
                  std::to_string(room) + " at " + std::to_string(width) + " pixels");
      };
      for (const Fit& fit : allFits())
        for (const std::string& key : fit.keys) {
          auto it = t.find(std::u16string(key.begin(), key.end()));
          if (it == t.end()) continue;
          const Font& f = fonts[fit.font];
          if (fit.room != Room::Title) {
            int room = roomOf(fit.room);
            if (int w = f.width(it->second); w > room) tooWide(key, w, room, fit.where);
            continue;
          }
          if (int w = f.width(it->second); w > titleRoom) {
            std::vector<std::u16string> words = splitText(it->second, u' ');
            if (words.size() != 2 || f.width(words[0]) > width || f.width(words[1]) > width)
              tooWide(key, w, titleRoom, "main menu (as two words at most)");
          }
        }
      for (const GameRow& g : gameTable()) {
        std::string key = "ctrl_actions_" + g.key;
        auto it = t.find(std::u16string(key.begin(), key.end()));
        if (it != t.end())
          for (const std::u16string& action : splitText(it->second, u';'))
            if (int w = fonts[2].width(action); w > actionRoom)
              tooWide(key, w, actionRoom, "key set-up's action column");
      }
      for (const auto& [key, name] : t)
        if (key.rfind(kKeyNamePrefix, 0) == 0)
          if (int w = fonts[kMixedCaseFont].width(name); w > keyRoom)
            tooWide(toUtf8(key), w, keyRoom, "key set-up's key cell");
    }
  }
};

}  // namespace

CheckReport checkStaged(const fs::path& stageDir, const std::map<std::string, std::string>& sources) {
  return Checker(stageDir, sources).run();
}

}  // namespace datakit
