// The checker: reads a staged archive tree as the game library will and reports every fault.
#include "Check.h"

#include <algorithm>
#include <functional>

#include "CheckMix.h"
#include "Checker.h"
#include "DataError.h"
#include "Png.h"
#include "Stage.h"

namespace fs = std::filesystem;

namespace datakit {

namespace {

// "graphics/WIDTHxHEIGHT.dat"
bool isResolutionFile(const std::string& name) {
  if (!startsWith(name, "graphics/") || !endsWith(name, ".dat")) return false;
  std::string size = name.substr(9, name.size() - 13);
  size_t x = size.find('x');
  return x != std::string::npos && x > 0 && x + 1 < size.size() && size.find_first_not_of("0123456789") == x &&
         size.find_first_not_of("0123456789", x + 1) == std::string::npos;
}

}  // namespace

Checker::Checker(fs::path dir, const std::map<std::string, std::string>& sources)
    : dir_(std::move(dir)), sources_(sources) {
  for (auto it = fs::recursive_directory_iterator(dir_); it != fs::recursive_directory_iterator(); ++it)
    if (it->is_regular_file()) names_.insert(fs::relative(it->path(), dir_).generic_string());
}

CheckReport Checker::run() {
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

std::string Checker::where(const std::string& name) const {
  auto it = sources_.find(name);
  return it != sources_.end() ? it->second : (dir_ / name).string();
}

void Checker::error(const std::string& name, int line, const std::string& message) {
  report_.errors.push_back(where(name) + ":" + std::to_string(line) + ": " + message);
}

FaultSink Checker::sink() {
  return [this](const std::string& name, const std::string& key, const std::string& message) {
    error(name, key.empty() ? 0 : sourceLine(name, key), message);
  };
}

// Runs one check; a DataError from the readers is reported against the source of the entry.
void Checker::guarded(const std::string& name, const std::function<void()>& check) {
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

Bytes Checker::bytes(const std::string& name) const { return readBytes(dir_ / name); }
bool Checker::has(const std::string& name) const { return names_.count(name) != 0; }

std::map<std::u16string, std::u16string> Checker::table(const std::vector<TableLine>& lines, const std::string& name) {
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

void Checker::report(const std::string& name, const std::vector<Fault>& faults) {
  for (const Fault& f : faults) error(name, f.line, f.message);
}

int Checker::sourceLine(const std::string& name, const std::string& key) {
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

void Checker::checkFile(const std::string& name) {
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
bool Checker::isSharedAnimationList(const std::string& name) {
  for (const GameRow& game : gameTable())
    if (game.animationList == name && startsWith(name, "data/")) return true;
  return false;
}

// The level files of the game a name belongs to, if it is one.
const LevelFiles* Checker::levelFilesOf(const std::string& name) {
  for (const GameRow& game : gameTable())
    for (const LevelFiles& levels : game.levels)
      if (levels.isLevel(name)) return &levels;
  return nullptr;
}

// Whether the archive holds the game's data at all; a game not in it yet is not checked.
bool Checker::present(const GameRow& game) const {
  return std::any_of(names_.begin(), names_.end(),
                     [&](const std::string& n) { return startsWith(n, "data/" + game.folder); });
}

// Sounds are shared by every screen size.
void Checker::checkGameSounds() {
  for (const GameRow& game : gameTable()) {
    if (!present(game)) continue;
    for (const std::string& sound : game.sounds)
      if (!has(sound + ".wav") && !has(sound + ".mod"))
        error(sound + ".wav", 0, "missing: the game plays this sound (as .wav or .mod)");
  }
}

// What the player hears at the highest levels. A fault names the loudest effect's level, the line a person
// changes.
void Checker::checkGameMixes() {
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
void Checker::checkLevelsPresent() {
  for (const GameRow& game : gameTable()) {
    if (!present(game)) continue;
    for (const LevelFiles& levels : game.levels)
      for (const std::string& level : levels.required)
        if (!has(level)) error(level, 0, "missing: " + levels.whyRequired);
  }
}

CheckReport checkStaged(const fs::path& stageDir, const std::map<std::string, std::string>& sources) {
  return Checker(stageDir, sources).run();
}

}  // namespace datakit
