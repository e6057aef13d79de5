// Files and read-only mappings of the stand-in.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/api/windows.h"
#include "platform/host/paths.h"
#include "support/TempFolder.h"

namespace {

class FileTest : public ::testing::Test {
 protected:
  std::u16string device(const std::string& name) const { return platform::toDevicePath(folder.file(name)); }

  void writeHost(const std::string& name, const std::string& bytes) const {
    std::ofstream(folder.file(name), std::ios::binary) << bytes;
  }

  std::string readHost(const std::string& name) const {
    std::ifstream in(folder.file(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  HANDLE open(const std::string& name, DWORD access, DWORD disposition) const {
    return CreateFileW(device(name).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }

  test::TempFolder folder;
};

}  // namespace

TEST_F(FileTest, DispositionsCreateTruncateOrRefuse) {
  struct Case {
    const char* what;
    bool exists;
    DWORD disposition;
    bool opens;
    DWORD error;
    const char* contentAfter;  // null: the file does not exist afterwards
  } cases[] = {
      {"create new, missing", false, CREATE_NEW, true, ERROR_SUCCESS, ""},
      {"create new, existing", true, CREATE_NEW, false, ERROR_FILE_EXISTS, "old"},
      {"create always, missing", false, CREATE_ALWAYS, true, ERROR_SUCCESS, ""},
      {"create always, existing", true, CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS, ""},
      {"open existing, missing", false, OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
      {"open existing, existing", true, OPEN_EXISTING, true, ERROR_SUCCESS, "old"},
      {"open always, missing", false, OPEN_ALWAYS, true, ERROR_SUCCESS, ""},
      {"open always, existing", true, OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS, "old"},
      {"truncate existing, missing", false, TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
      {"truncate existing, existing", true, TRUNCATE_EXISTING, true, ERROR_SUCCESS, ""},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(folder.file("f"));
    if (c.exists) writeHost("f", "old");
    HANDLE h = open("f", GENERIC_READ | GENERIC_WRITE, c.disposition);
    EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
    if (h != INVALID_HANDLE_VALUE) {
      EXPECT_TRUE(CloseHandle(h));
    }
    EXPECT_EQ(std::filesystem::exists(folder.file("f")), c.contentAfter != nullptr) << c.what;
    if (c.contentAfter) {
      EXPECT_EQ(readHost("f"), c.contentAfter) << c.what;
    }
  }
}

TEST_F(FileTest, OpenFailuresSayWhy) {
  std::filesystem::create_directory(folder.file("dir"));
  EXPECT_EQ(open("missing/f", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(open("dir", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
  EXPECT_EQ(CreateFileW(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
}

TEST_F(FileTest, ReadWriteAndMoveThePointer) {
  HANDLE h = open("f", GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD n = 0;
  ASSERT_TRUE(WriteFile(h, "abcdef", 6, &n, nullptr));
  EXPECT_EQ(n, 6u);
  EXPECT_TRUE(FlushFileBuffers(h));
  EXPECT_EQ(GetFileSize(h, nullptr), 6u);

  struct Move {
    LONG distance;
    DWORD method;
    DWORD result;  // INVALID_SET_FILE_POINTER: refused, position unchanged
  } moves[] = {
      {0, FILE_BEGIN, 0}, {2, FILE_CURRENT, 2},   {-1, FILE_END, 5},  {-6, FILE_CURRENT, INVALID_SET_FILE_POINTER},
      {4, FILE_END, 10},  {-10, FILE_CURRENT, 0}, {3, FILE_BEGIN, 3}, {0, 7, INVALID_SET_FILE_POINTER},
  };
  DWORD position = 0;
  for (const Move& m : moves) {
    DWORD result = SetFilePointer(h, m.distance, nullptr, m.method);
    EXPECT_EQ(result, m.result) << m.distance << " from " << m.method;
    if (result != INVALID_SET_FILE_POINTER) position = result;
    EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_CURRENT), position);
  }
  EXPECT_EQ(SetFilePointer(h, -1, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_NEGATIVE_SEEK));

  char buffer[8] = {};
  ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &n, nullptr));
  EXPECT_EQ(std::string(buffer, n), "def");
  // At the end a read succeeds with nothing.
  ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &n, nullptr));
  EXPECT_EQ(n, 0u);
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_EQ(readHost("f"), "abcdef");
}

TEST_F(FileTest, AccessAndHandlesAreChecked) {
  writeHost("f", "xyz");
  HANDLE h = open("f", GENERIC_READ, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD n = 1;
  EXPECT_FALSE(WriteFile(h, "a", 1, &n, nullptr));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
  EXPECT_EQ(n, 0u);
  EXPECT_FALSE(FlushFileBuffers(h));
  EXPECT_TRUE(CloseHandle(h));

  // A closed handle is refused, never followed.
  char c;
  EXPECT_FALSE(ReadFile(h, &c, 1, &n, nullptr));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
  EXPECT_FALSE(CloseHandle(nullptr));
  EXPECT_EQ(GetFileSize(h, nullptr), INVALID_FILE_SIZE);
  EXPECT_EQ(readHost("f"), "xyz");
}

// Only files open: anything else is refused at once, and a FIFO is never waited on. The test holds both ends
// of the FIFO open, so that an open that should have been refused returns rather than hangs.
TEST_F(FileTest, WhatIsNoFileIsRefusedAtOnce) {
  ASSERT_EQ(mkfifo(folder.file("fifo").c_str(), 0644), 0);
  const int reader = ::open(folder.file("fifo").c_str(), O_RDONLY | O_NONBLOCK);
  const int writer = ::open(folder.file("fifo").c_str(), O_WRONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ASSERT_GE(writer, 0);
  std::filesystem::create_symlink("/dev/null", folder.file("null"));
  const struct {
    const char* name;
    DWORD access;
    DWORD disposition;
  } cases[] = {
      {"fifo", GENERIC_READ, OPEN_EXISTING}, {"fifo", GENERIC_WRITE, CREATE_ALWAYS},
      {"fifo", GENERIC_WRITE, OPEN_ALWAYS},  {"null", GENERIC_WRITE, CREATE_ALWAYS},
      {"null", GENERIC_READ, OPEN_EXISTING},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.access == GENERIC_READ ? " read" : " written"));
    HANDLE h = open(c.name, c.access, c.disposition);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  ::close(writer);
  ::close(reader);
}

TEST_F(FileTest, DeleteAndAttributes) {
  writeHost("f", "x");
  std::filesystem::create_directory(folder.file("dir"));
  EXPECT_EQ(GetFileAttributesW(device("f").c_str()), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(GetFileAttributesW(device("dir").c_str()), FILE_ATTRIBUTE_DIRECTORY);
  // Neither a file nor a folder, told without opening (a FIFO's open would wait for a writer).
  ASSERT_EQ(mkfifo(folder.file("fifo").c_str(), 0644), 0);
  std::filesystem::create_symlink("/dev/null", folder.file("null"));
  EXPECT_EQ(GetFileAttributesW(device("fifo").c_str()), FILE_ATTRIBUTE_DEVICE);
  EXPECT_EQ(GetFileAttributesW(device("null").c_str()), FILE_ATTRIBUTE_DEVICE);
  EXPECT_FALSE(DeleteFileW(device("dir").c_str()));
  EXPECT_TRUE(DeleteFileW(device("f").c_str()));
  EXPECT_EQ(GetFileAttributesW(device("f").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(DeleteFileW(device("f").c_str()));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileTest, MappedViewsOutliveTheirHandles) {
  std::string content(10000, 0);
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7);
  writeHost("m", content);
  HANDLE file = CreateFileForMappingW(device("m").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  ASSERT_NE(mapping, nullptr);
  const void* whole = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  const void* tail = MapViewOfFile(mapping, FILE_MAP_READ, 0, 5000, 100);
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 9990, 11), nullptr);
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 10000, 0), nullptr);
  EXPECT_TRUE(CloseHandle(mapping));
  EXPECT_TRUE(CloseHandle(file));
  ASSERT_NE(whole, nullptr);
  ASSERT_NE(tail, nullptr);
  EXPECT_EQ(std::memcmp(whole, content.data(), content.size()), 0);
  EXPECT_EQ(std::memcmp(tail, content.data() + 5000, 100), 0);
  EXPECT_TRUE(UnmapViewOfFile(whole));
  EXPECT_TRUE(UnmapViewOfFile(tail));
  EXPECT_FALSE(UnmapViewOfFile(tail));

  writeHost("empty", "");
  file = CreateFileForMappingW(device("empty").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_INVALID));
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_EQ(CreateFileForMappingW(device("m").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
}
