// The installed desktop files agree with the program and the build: the launcher names the window's class,
// speaks the program's three languages, and the metainfo shows the screenshots the build takes, under the
// project's address, with a release.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr const char* kScreenshotAddress = "https://example.com/glimmerhut/screenshots/";

std::string readText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The desktop entry's keys (with their locale, "Name[de]") and values.
std::map<std::string, std::string> desktopEntry() {
  std::map<std::string, std::string> keys;
  std::istringstream lines(readText(fs::path(GH_DIST_DIR) / "com.example.glimmerhut.desktop"));
  for (std::string line; std::getline(lines, line);)
    if (size_t eq = line.find('='); eq != std::string::npos && line[0] != '#')
      keys[line.substr(0, eq)] = line.substr(eq + 1);
  return keys;
}

}  // namespace

TEST(DesktopFiles, TheEntryNamesTheWindowsClassAndSpeaksEveryLanguage) {
  const std::map<std::string, std::string> entry = desktopEntry();
  // The window's class is the program's file name (SDL's default, which the window keeps).
  ASSERT_TRUE(entry.count("StartupWMClass"));
  EXPECT_EQ(entry.at("StartupWMClass"), fs::path(GH_PROGRAM).filename().string());
  for (const char* key : {"Name", "GenericName", "Comment", "Keywords"})
    for (const char* language : {"", "[de]", "[fr]"}) {
      const std::string localized = std::string(key) + language;
      EXPECT_TRUE(entry.count(localized) && !entry.at(localized).empty()) << localized;
    }
}

TEST(DesktopFiles, TheMetainfoShowsTheBuiltScreenshotsAndARelease) {
  const std::string metainfo = readText(GH_METAINFO);
  std::set<std::string> named, built;
  const std::regex image(std::string("<image type=\"source\"[^>]*>") + kScreenshotAddress + "([a-z-]+\\.png)</image>");
  for (std::sregex_iterator it(metainfo.begin(), metainfo.end(), image), end; it != end; ++it) named.insert((*it)[1]);
  for (const auto& f : fs::directory_iterator(GH_SCREENSHOTS))
    if (f.path().extension() == ".png") built.insert(f.path().filename().string());
  EXPECT_EQ(named, built);
  EXPECT_GE(named.size(), 2u);
  EXPECT_LE(named.size(), 3u);
  EXPECT_TRUE(
      std::regex_search(metainfo, std::regex("<release version=\"[0-9.]+\" date=\"[0-9]{4}-[0-9]{2}-[0-9]{2}\">")));
  // The release is the version the program shows at its start.
  EXPECT_NE(metainfo.find("<release version=\"" GH_VERSION "\""), std::string::npos);
  EXPECT_TRUE(std::regex_search(metainfo, std::regex("<keywords>")));
  EXPECT_TRUE(std::regex_search(metainfo, std::regex("<content_rating type=\"oars-1.1\">")));
  for (const char* language : {"de", "fr"})
    for (const char* tag : {"name", "summary"})
      EXPECT_NE(metainfo.find("<" + std::string(tag) + " xml:lang=\"" + language + "\">"), std::string::npos)
          << tag << " " << language;
}
