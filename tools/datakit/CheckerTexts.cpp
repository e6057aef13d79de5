// The checker's tests of the text tables and help pages: every key in every language, marks' spaces, names.
#include <bit>
#include <set>
#include <sstream>

#include "CheckHelpNames.h"
#include "CheckTypography.h"
#include "Checker.h"
#include "Stage.h"

namespace datakit {

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

}  // namespace

void Checker::checkTexts() {
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
void Checker::checkMarkSpacing() {
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
void Checker::checkHelpNames() {
  const auto reference = texts_.find(kHelpReferenceLanguage);
  if (reference == texts_.end()) return;
  for (const GameRow& g : gameTable()) {
    const std::string referencePage = "txt/" + g.folder + kHelpReferenceLanguage + "_help.txt";
    for (const auto& language : texts_) {
      const std::string& code = language.first;
      const auto& t = language.second;
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
int Checker::paragraphLine(const std::string& name, int paragraph) {
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

}  // namespace datakit
