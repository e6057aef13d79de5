// The game.dat packer: names it stores, names it refuses, and the same bytes on every run.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/api/windows.h"
#include "platform/host/archive7z.h"
#include "platform/host/paths.h"
#include "support/Archives.h"
#include "support/TempFolder.h"

namespace {

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The names stored in an archive, in their order.
std::vector<std::string> storedNames(const std::string& archivePath) {
  HANDLE file = CreateFileW(platform::toDevicePath(archivePath).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  platform::Archive7z archive;
  std::string error;
  std::vector<std::string> names;
  if (archive.open(file, error)) {
    for (const auto& entry : archive.entries()) names.emplace_back(entry.name.begin(), entry.name.end());
  }
  CloseHandle(file);
  return names;
}

}  // namespace

TEST(PackerTest, StoresEveryFileUnderItsSlashSeparatedName) {
  test::TempFolder folder;
  test::writeFiles(folder.file("tree"), {{"graphics/240x320/a.png", "a"},
                                         {"txt/lang", "l"},
                                         {"-starts with a dash", "d"},
                                         {"wild*card?", "w"},
                                         {"empty", ""}});
  std::filesystem::create_directories(folder.file("tree/no/files/here"));
  ASSERT_EQ(test::runPacker(folder.file("tree"), folder.file("game.dat")), 0);
  std::vector<std::string> names = storedNames(folder.file("game.dat"));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"-starts with a dash", "empty", "graphics/240x320/a.png", "txt/lang",
                                             "wild*card?"}));
}

TEST(PackerTest, TheSameTreeGivesTheSameBytes) {
  test::TempFolder folder;
  const test::ArchiveFiles files = {{"a/b.txt", std::string(5000, 'b')}, {"c", "see"}};
  test::writeFiles(folder.file("one"), files);
  test::writeFiles(folder.file("two"), files);
  // Times and permissions differ; they are not stored.
  std::filesystem::last_write_time(folder.file("two/c"),
                                   std::filesystem::file_time_type::clock::now() - std::chrono::hours(1000));
  ::chmod(folder.file("two/a/b.txt").c_str(), 0600);
  ASSERT_EQ(test::runPacker(folder.file("one"), folder.file("one.dat")), 0);
  ASSERT_EQ(test::runPacker(folder.file("two"), folder.file("two.dat")), 0);
  EXPECT_EQ(fileBytes(folder.file("one.dat")), fileBytes(folder.file("two.dat")));
  // Packing again over an existing archive replaces it rather than adding to it.
  test::writeFiles(folder.file("three"), {{"c", "see"}});
  ASSERT_EQ(test::runPacker(folder.file("three"), folder.file("one.dat")), 0);
  EXPECT_EQ(storedNames(folder.file("one.dat")), (std::vector<std::string>{"c"}));
}

TEST(PackerTest, RefusesNamesTheLookupCouldNotFindAndWritesNothing) {
  struct Case {
    std::string name;
    const char* reason;
  } cases[] = {
      {"graphics/a\\b.png", "holds a backslash"},
      {"caf\xC3\xA9.txt", "is not ASCII"},
      {"tab\there", "holds a control character"},
      {std::string(200, 'd') + "/" + std::string(60, 'f'), "longer than 255 characters"},
  };
  for (const Case& c : cases) {
    test::TempFolder folder;
    test::writeFiles(folder.file("tree"), {{"good.txt", "fine"}, {c.name, "refused"}});
    std::ofstream(folder.file("game.dat")) << "old archive";
    std::string messages;
    EXPECT_NE(test::runPacker(folder.file("tree"), folder.file("game.dat"), &messages), 0) << c.reason;
    EXPECT_NE(messages.find("\"" + c.name + "\" " + c.reason), std::string::npos) << messages;
    EXPECT_EQ(messages.find("good.txt"), std::string::npos) << messages;
    EXPECT_EQ(fileBytes(folder.file("game.dat")), "old archive") << c.reason;
  }
  test::TempFolder folder;
  std::string messages;
  EXPECT_NE(test::runPacker(folder.file("missing"), folder.file("game.dat"), &messages), 0);
  EXPECT_NE(messages.find("not a folder"), std::string::npos) << messages;
}
