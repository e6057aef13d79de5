// Tests that read the built game.dat through the program's own archive stream, and tests that spoil a
// copy of the tree the build staged for it and expect the checker to name the fault.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "GameTable.h"
#include "Stage.h"
#include "core/io/D7zipInputStream.h"
#include "core/lang/DString.h"
#include "platform/host/paths.h"
#include "support/TempFolder.h"

namespace builtarchive {

inline nuv::lang::DStringPtr name(const std::string& s) {
  return new nuv::lang::DString(std::u16string(s.begin(), s.end()));
}

// Opens game.dat beside the program, as the program finds it.
class BuiltArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setProgramFile((std::filesystem::path(GH_GAME_DAT).parent_path() / "glimmerhut").string());
    nuv::io::D7zipInputStream::openArchive(name("game.dat"), name(""));
  }
  void TearDown() override {
    nuv::io::D7zipInputStream::closeArchive();
    platform::setProgramFile("");
  }
};

inline bool has(const std::string& entry) { return nuv::io::D7zipInputStream::getSize(name(entry)) >= 0; }

inline std::string read(const std::string& entry) {
  std::string text;
  auto stream = nuv::io::D7zipInputStream::open(name("/" + entry));
  for (int b = stream->read(); b >= 0; b = stream->read()) text.push_back(static_cast<char>(b));
  return text;
}

// "key=value" or "key;x;y;w;h" lines, CR LF ended.
inline std::map<std::string, std::string> lines(const std::string& entry, char separator) {
  std::map<std::string, std::string> out;
  std::istringstream in(read(entry));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t at = line.find(separator);
    if (at != std::string::npos) out[line.substr(0, at)] = line.substr(at + 1);
  }
  return out;
}

// The languages of the data: each has its text table and a help page for every game.
inline const char* const kLanguages[] = {"en", "de", "fr"};

// Each of the game's sounds is in the archive: a tune (by its place in the list) as a module, ".mod",
// an effect as a sample, ".wav".
void expectSounds(const datakit::GameRow& game, const std::function<bool(int index)>& isTune);

// The texts of the in-game menu's standard entries.
inline const std::vector<std::string> kMenuEntryKeys = {"start",    "continue", "highscores", "help",
                                                        "cfg_keys", "exit",     "mainmenu"};

// The keys a game's screens look up in every language: its text keys, the names of its rebindable
// actions, and those given.
std::vector<std::string> screenTextKeys(const datakit::GameRow& game, const std::vector<std::string>& more = {});

// For every language: the game's help page in its help folder holds more than helpBytes bytes and the
// language's text table an entry for each key; `more` then checks what else the game wants of the
// language, given its code and its table.
void expectEveryLanguage(const char16_t* helpFolder, int32_t helpBytes, const std::vector<std::string>& keys,
                         const std::function<void(const std::string& code, const std::string& texts)>& more = {});

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
};

// An image table's rectangles under one screen size.
inline std::map<std::string, Rect> atlas(const std::string& imageTable, const std::string& size) {
  std::map<std::string, Rect> out;
  for (auto& [key, rest] : lines("graphics/" + size + "/" + imageTable + ".txt", ';')) {
    Rect r;
    char sep;
    std::istringstream(rest) >> r.x >> sep >> r.y >> sep >> r.w >> sep >> r.h;
    out[key] = r;
  }
  return out;
}

// The tree game.dat was packed from, staged and checked by the build; tests only read it.
std::filesystem::path stagedTree();
// Its files by archive name, and the source file each came from (as the build's staging step wrote them).
const datakit::StagedFiles& stagedFiles();
const std::map<std::string, std::string>& stagedSources();

// A copy of the staged tree for one spoil, in a folder of the build. Its files are hard links to the build's
// own (so that the checker sees them as files of this tree); a change replaces the link it touches by a file
// of the copy's own, so the build's tree is never written. Spoil it only through these calls.
class SpoiledTree {
 public:
  SpoiledTree();
  std::string read(const std::string& entry) const;
  // Creates the entry's folders when they are new.
  void write(const std::string& entry, const std::string& bytes);
  void write(const std::string& entry, const datakit::Bytes& bytes);
  void remove(const std::string& entry);
  // Drops the lines of a CR LF table that start with the given text.
  void dropLines(const std::string& entry, const std::string& start);
  void cut(const std::string& entry, size_t size);
  // The checker's faults, one a line.
  std::string faults() const;

 private:
  std::filesystem::path at(const std::string& entry) const;
  test::TempFolder folder_;
};

// A table of strings (each a byte count and modified UTF-8) with a line added at its end.
std::string withLine(const SpoiledTree& tree, const std::string& entry, const std::u16string& line);

// One way to spoil the staged data, and the fault (a part of the checker's line) that must follow; where
// the fault must also name the file to change or the screen size, those parts stand in the same line.
struct Spoil {
  const char* what;
  std::function<void(SpoiledTree&)> spoil;
  const char* message;
  std::vector<const char*> sameLine = {};
};
void PrintTo(const Spoil& spoil, std::ostream* out);
// The case's name in the test list, made of the words of `what`.
std::string spoilName(const ::testing::TestParamInfo<Spoil>& info);

// Each case spoils a fresh copy and checks it; a table of cases is instantiated with
// INSTANTIATE_TEST_SUITE_P(Game, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName).
class SpoiledData : public ::testing::TestWithParam<Spoil> {};

}  // namespace builtarchive
