// A translated help page calls the menu's entries and keys what its language's menu calls them, paragraph by
// paragraph against the English page; the checker names the paragraph that does not.
#include <gtest/gtest.h>

#include "BuiltArchive.h"
#include "CheckHelpNames.h"

using namespace datakit;

namespace {

std::vector<TableLine> page(std::initializer_list<std::u16string> paragraphs) {
  std::vector<TableLine> out;
  for (const std::u16string& p : paragraphs) out.push_back({p, static_cast<int>(out.size()) + 1});
  return out;
}

}  // namespace

TEST(HelpNames, TheMenusWordsAreTakenFromBothTables) {
  const std::map<std::u16string, std::u16string> en = {
      {u"start", u"Start"},
      {u"exit", u"Exit"},
      {u"soundfxlow", u"Sound: Low"},
      {u"boundson", u"Edges: Bounce"},
      {u"ctrl_actions_rocks", u"Thrust;Left;Fire"},
      {u"keyname_Left", u"Left"},
      {u"keyname_Enter", u"Enter"},
      {u"score", u"Score"},
  };
  const std::map<std::u16string, std::u16string> fr = {
      {u"start", u"Jouer"},
      {u"soundfxlow", u"Effets\u00A0: faibles"},
      {u"boundson", u"Bords\u00A0: Rebond"},
      {u"ctrl_actions_rocks", u"Pouss\u00E9e;\u00C0 gauche;Tir"},
      {u"keyname_Left", u"Gauche"},
      {u"keyname_Enter", u"Entr\u00E9e"},
      {u"score", u"Score"},
  };
  // An entry one table lacks and a text that is no entry are left out; one English word may stand for two.
  const ShownNames expected = {
      {u"Start", {u"Jouer"}},
      {u"Sound", {u"Effets"}},
      {u"Edges", {u"Bords"}},
      {u"Thrust", {u"Pouss\u00E9e"}},
      {u"Left", {u"Gauche", u"\u00C0 gauche"}},
      {u"Fire", {u"Tir"}},
      {u"Enter", {u"Entr\u00E9e"}},
  };
  EXPECT_EQ(shownNames(en, fr, {"boundson"}, "rocks"), expected);
}

TEST(HelpNames, AParagraphMustSayTheMenusWordWhereTheEnglishOneNamesAnEntry) {
  const ShownNames names = {{u"Start", {u"Jouer"}}, {u"Fire", {u"Tir"}}, {u"Dig left", {u"Creuser \u00E0 g."}}};
  struct Case {
    const char* what;
    std::u16string english;
    std::u16string translated;
    bool fault;
  } cases[] = {
      {"named", u"It opens in the level list of Start.", u"Elle s'ouvre dans la liste de Jouer.", false},
      {"named otherwise", u"It opens in the level list of Start.", u"Elle s'ouvre dans la liste de D\u00E9marrer.",
       true},
      {"a key named otherwise", u"Turn, thrust, Fire shoots.", u"Tourne, pousse, Feu tire.", true},
      {"a translation inside a longer word", u"Up or Fire shoots.", u"Haut ou Tirer.", true},
      {"a translation at a sentence's start", u"Turn, Fire shoots.", u"Tir fait feu.", false},
      {"a word of several", u"The key Dig left digs.", u"La touche Creuser \u00E0 g. creuse.", false},
      {"any word at a paragraph's start", u"Start opens the page.", u"D\u00E9marrer ouvre la page.", false},
      {"any word after a full stop", u"Go. Fire balls burn.", u"Va. Les balles de feu br\u00FBlent.", false},
      {"any word after a colon", u"Guns: Fire shoots.", u"Canons\u00A0: le canon tire.", false},
      {"the name inside a longer word", u"A Firestorm or a Startled foe.", u"Une temp\u00EAte.", false},
  };
  for (const Case& c : cases) {
    const std::vector<Fault> faults =
        helpNameFaults(page({u"FIRST", c.english}), page({u"PREMIER", c.translated}), names);
    EXPECT_EQ(faults.size(), c.fault ? 1u : 0u) << c.what;
    if (!faults.empty()) {
      EXPECT_EQ(faults[0].line, 2) << c.what;
    }
  }
  // Pages of different paragraphs cannot be laid side by side.
  EXPECT_TRUE(helpNameFaults(page({u"See Start."}), page({u"Voir D\u00E9marrer.", u""}), names).empty());
}

namespace {

using builtarchive::SpoiledData;
using builtarchive::SpoiledTree;

// The brick game's French page with its last paragraph replaced: the fault names the source line (its comment
// line counted), the English word and the French menu's.
const builtarchive::Spoil kSpoils[] = {
    {"a help page naming the start entry otherwise than its menu",
     [](SpoiledTree& d) {
       const std::string entry = "txt/bnc/fr_help.txt";
       const std::string staged = d.read(entry);
       std::vector<TableLine> paragraphs = readUtfStrings(Bytes(staged.begin(), staged.end()), entry);
       Bytes out;
       for (size_t i = 0; i < paragraphs.size(); ++i)
         appendUtf(out, i + 1 == paragraphs.size() ? u"Les manches gagn\u00E9es s'ouvrent sous D\u00E9marrer."
                                                   : paragraphs[i].text);
       d.write(entry, out);
     },
     "the English help names \"Start\" here, and this paragraph never says \"Jouer\"",
     {"txt/bnc/fr_help.txt.help:21:"}},
};
INSTANTIATE_TEST_SUITE_P(HelpNames, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName);

}  // namespace
