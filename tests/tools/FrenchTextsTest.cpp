// The French texts address the player in one way, as "tu" (as the German ones say "du"): no help page or
// menu text says "vous" or uses a verb in its form.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

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
    // The typographic apostrophe separates words as the plain one does.
    for (size_t at = line.find("’"); at != std::string::npos; at = line.find("’", at)) line.replace(at, 3, " ");
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
  int files = 0;
  for (const auto& f : fs::recursive_directory_iterator(fs::path(GH_SOURCE_DATA) / "txt")) {
    const std::string name = f.path().filename().string();
    if (!f.is_regular_file() || (name.rfind("fr_", 0) != 0 && name.rfind("res_fr", 0) != 0)) continue;
    ++files;
    std::ifstream in(f.path());
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(formalWords(text.str()), "") << f.path();
  }
  EXPECT_EQ(files, 9);  // the shared texts and eight games' help
}
