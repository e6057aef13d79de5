// The French texts address the player in one way, as "tu" (as the German ones say "du"): no help page or
// menu text says "vous" or uses a verb in its form. The space French sets before ":", ";", "!" and "?" is a
// no-break one, so that no line begins with the mark; the checker refuses a plain one with its file and line.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "BuiltArchive.h"
#include "CheckLegibility.h"
#include "CheckTypography.h"
#include "TextTables.h"

namespace fs = std::filesystem;

namespace {

// A letter, or a byte of an accented one.
bool isWordByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return std::isalpha(b) || b >= 0x80;
}

// "vous", "votre", "vos" and the verbs' forms that go with them, which end in "ez".
bool isFormal(std::string word) {
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* w : {"vous", "votre", "vos"})
    if (word == w) return true;
  for (const char* w : {"nez", "chez", "assez"})
    if (word == w) return false;
  return word.size() > 2 && word.compare(word.size() - 2, 2, "ez") == 0;
}

// Each formal word of the text, with its line; comments left out.
std::string formalWords(const std::string& text) {
  std::string found;
  std::istringstream lines(text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    if (line.rfind('#', 0) == 0) continue;
    // The typographic apostrophe and the no-break space separate words as the plain ones do.
    for (size_t at = line.find("’"); at != std::string::npos; at = line.find("’", at)) line.replace(at, 3, " ");
    for (size_t at = line.find("\u00A0"); at != std::string::npos; at = line.find("\u00A0", at))
      line.replace(at, 2, " ");
    for (size_t at = 0; at < line.size();) {
      size_t end = at;
      while (end < line.size() && isWordByte(line[end])) ++end;
      if (end > at && isFormal(line.substr(at, end - at)))
        found += "line " + std::to_string(number) + ": " + line.substr(at, end - at) + "\n";
      at = end + 1;
    }
  }
  return found;
}

}  // namespace

TEST(FrenchTexts, AddressThePlayerAsTu) {
  const fs::path txt = fs::path(GH_SOURCE_DATA) / "txt";
  std::set<fs::path> files;
  for (const auto& f : fs::recursive_directory_iterator(txt)) {
    const std::string name = f.path().filename().string();
    if (!f.is_regular_file() || (name.rfind("fr_", 0) != 0 && name.rfind("res_fr", 0) != 0)) continue;
    files.insert(f.path());
    std::ifstream in(f.path());
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(formalWords(text.str()), "") << f.path();
  }
  // The shared texts and every game's help.
  std::set<fs::path> expected = {txt / "res_fr.txt.utf"};
  for (const datakit::GameRow& game : datakit::gameTable()) expected.insert(txt / (game.folder + "fr_help.txt.help"));
  EXPECT_EQ(files, expected);
}

TEST(FrenchTexts, APlainSpaceBeforeAMarkIsAFault) {
  struct Case {
    const char* language;
    std::u16string text;
    bool fault;
  } cases[] = {
      {"fr", u"Mode : chasse", true},
      {"fr", u"Bravo !", true},
      {"fr", u"Activer le son ?", true},
      {"fr", u"vite ; encore", true},
      {"fr", u" : au d\u00E9but", true},
      {"fr", u"Mode\u00A0: chasse", false},
      {"fr", u"Bravo\u202F!", false},
      {"fr", u"Mode:chasse, https://example.com/a?b", false},
      {"fr", u"50 % et \u00AB\u00A0bonus\u00A0\u00BB", false},
      {"fr", u"ligne\n: suite", false},
      {"en", u"Mode : chase !", false},
      {"de", u"Modus : Jagd", false},
  };
  for (const Case& c : cases) {
    const std::optional<std::string> fault = datakit::markSpacingFault(c.language, c.text);
    EXPECT_EQ(fault.has_value(), c.fault) << c.language << " " << datakit::toUtf8(c.text);
  }
  // The fault names the mark and where it stands, and counts the others.
  EXPECT_EQ(datakit::markSpacingFault("fr", u"Niveaux : originaux ; Mode : classique !"),
            "a plain space before \":\" after \"Niveaux\" lets a line begin with the mark (and 3 more in this text): "
            "French puts a no-break space (U+00A0) before : ; ! and ?");
}

// The checker measures a text as the game library does: a no-break space takes the space's room, though no
// font page holds it.
TEST(FrenchTexts, TheCheckerMeasuresANoBreakSpaceAsTheSpace) {
  datakit::LegibilityFont font;
  font.chars = u" A:";
  font.widths = {3, 5, 2};
  font.spacing = 1;
  EXPECT_EQ(font.width(u"A :"), 13);
  EXPECT_EQ(font.width(u"A\u00A0:"), 13);
  EXPECT_EQ(font.width(u"A\u202F:"), 13);
}

namespace {

using builtarchive::SpoiledData;
using builtarchive::SpoiledTree;

// "FILE:N:", N the line of the data source that begins with the text.
std::string sourceLine(const std::string& file, const std::string& start) {
  std::ifstream in(fs::path(GH_SOURCE_DATA) / file);
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.rfind(start, 0) == 0) return file + ":" + std::to_string(number) + ":";
  }
  return file + ": no line begins with " + start;
}
const std::string kSoundQuestionLine = sourceLine("txt/res_fr.txt.utf", "enable_sound=");

// One paragraph of a staged help file replaced.
void replaceParagraph(SpoiledTree& d, const std::string& entry, size_t paragraph, const std::u16string& text) {
  const std::string staged = d.read(entry);
  datakit::Bytes out;
  for (const datakit::TableLine& l : datakit::readUtfStrings(datakit::Bytes(staged.begin(), staged.end()), entry))
    datakit::appendUtf(out, static_cast<size_t>(l.line) == paragraph ? text : l.text);
  d.write(entry, out);
}

// A fault names the source a person edits and the line: a text table's key, a help file's paragraph (its
// comment lines counted).
const builtarchive::Spoil kSpoils[] = {
    {"a plain space in a menu text",
     [](SpoiledTree& d) {
       d.write("txt/res_fr.txt", builtarchive::withLine(d, "txt/res_fr.txt", u"enable_sound=Activer le son ?"));
     },
     "a plain space before \"?\" after \"Activer le son\"",
     {kSoundQuestionLine.c_str()}},
    {"a plain space in a help page",
     [](SpoiledTree& d) {
       replaceParagraph(d, "txt/rck/fr_help.txt", 2, u"Dans l'espace rien ne te freine : ton vaisseau d\u00E9rive.");
     },
     "a plain space before \":\" after \"...rien ne te freine\"",
     {"txt/rck/fr_help.txt.help:3:"}},
};
INSTANTIATE_TEST_SUITE_P(FrenchTexts, SpoiledData, ::testing::ValuesIn(kSpoils), builtarchive::spoilName);

}  // namespace
