// The checker's state and its checks, one group to a file: Check.cpp, CheckerTexts.cpp, CheckerScreens.cpp.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Check.h"
#include "CheckFiles.h"
#include "CheckLegibility.h"
#include "CheckMoreGames.h"
#include "GameTable.h"
#include "Png.h"
#include "TextTables.h"

namespace datakit {

inline bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

inline bool startsWith(const std::string& s, const std::string& head) { return s.compare(0, head.size(), head) == 0; }

// The main menu's titles: each language needs them all, and each must fit the screen.
extern const std::vector<std::string> kMenuTitles;

class Checker {
 public:
  Checker(std::filesystem::path dir, const std::map<std::string, std::string>& sources);

  CheckReport run();

 private:
  std::filesystem::path dir_;
  const std::map<std::string, std::string>& sources_;
  std::set<std::string> names_;
  CheckReport report_;
  std::map<std::string, std::map<std::u16string, std::u16string>> texts_;  // language code -> table
  std::vector<std::u16string> languageNames_;                              // as the language question shows them

  // Reading entries and reporting faults against their sources.
  std::string where(const std::string& name) const;
  void error(const std::string& name, int line, const std::string& message);
  FaultSink sink();
  void guarded(const std::string& name, const std::function<void()>& check);
  Bytes bytes(const std::string& name) const;
  bool has(const std::string& name) const;
  std::map<std::u16string, std::u16string> table(const std::vector<TableLine>& lines, const std::string& name);
  void report(const std::string& name, const std::vector<Fault>& faults);
  int sourceLine(const std::string& name, const std::string& key);

  // The archive's files, and each game's sounds, mixes and levels.
  void checkFile(const std::string& name);
  static bool isSharedAnimationList(const std::string& name);
  static const LevelFiles* levelFilesOf(const std::string& name);
  bool present(const GameRow& game) const;
  void checkGameSounds();
  void checkGameMixes();
  void checkLevelsPresent();

  // The text tables and help pages.
  void checkTexts();
  void checkMarkSpacing();
  void checkHelpNames();
  int paragraphLine(const std::string& name, int paragraph);

  // One screen size: its PATH, its pictures and fonts, and whether the shared texts fit.
  std::vector<std::string> pathList(const std::string& resolution);
  std::optional<std::string> findInPath(const std::vector<std::string>& list, const std::string& dir,
                                        const std::string& name);
  LegibilityFont checkFont(const std::string& resolution, const std::string& prefix, bool upper);
  void checkScreenSize(const std::string& resolution);
  void checkGameNames(const std::string& resolution, const std::vector<std::string>& list);
  void checkFits(const std::vector<LegibilityFont>& fonts, int width);
};

}  // namespace datakit
