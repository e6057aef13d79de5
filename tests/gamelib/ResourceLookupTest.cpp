// Finding resources: the archive under the bare name and the path prefixes, then files beside the program;
// pictures as PNG, else JPEG; the resolution file's path list and the image path property.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/io/D7zipInputStream.h"
#include "core/io/DInputStream.h"
#include "gamelib/GameLibFixture.h"
#include "gamelib/Pictures.h"
#include "support/Archives.h"
#include "support/Exceptions.h"

namespace {

using gamelib::GameLib;
using gltest::narrow;
using nuv::lang::DStringPtr;

class ResourceLookupTest : public gltest::GameLibFixture {};

// The first bytes of a resource as text; "(none)" when nothing was found.
std::string contents(const char16_t* name) {
  nuv::io::DInputStreamPtr stream = GameLib::loadFile(name);
  if (stream.isNull()) return "(none)";
  std::string text;
  while (stream->available() > 0) text.push_back(static_cast<char>(stream->read()));
  return text;
}

TEST_F(ResourceLookupTest, LoadFileSearchesBareNameThenPrefixesThenFilesBeside) {
  openArchive({{"data/keys.txt", "archive bare"},
               {"big/data/keys.txt", "archive big"},
               {"big/only.txt", "big only"},
               {"small/only.txt", "small only"},
               {"small/level.txt", "small level"},
               {"both.txt", "archive both"}});
  writeBeside("both.txt", "file both");
  writeBeside("beside.txt", "file beside");
  writeBeside("big/prefixed.txt", "file big");
  setPath(u"small;big/");

  struct Case {
    const char16_t* name;
    const char* expected;
  } cases[] = {
      {u"data/keys.txt", "archive bare"}, {u"/data/keys.txt", "archive bare"}, {u"only.txt", "small only"},
      {u"level.txt", "small level"},      {u"both.txt", "archive both"},       {u"beside.txt", "file beside"},
      {u"/beside.txt", "file beside"},    {u"prefixed.txt", "file big"},       {u"absent.txt", "(none)"},
  };
  for (const Case& c : cases) EXPECT_EQ(contents(c.name), c.expected) << narrow(DStringPtr(c.name));
}

TEST_F(ResourceLookupTest, FindInPathTriesOnlyThePrefixesOfTheArchive) {
  openArchive({{"bare.txt", "x"}, {"graphics/big/pic.png", gltest::solidPng(2, 2, 0xFF0000)}});
  writeBeside("graphics/big/beside.png", gltest::solidPng(2, 2, 0xFF0000));
  setPath(u"small/;big/");
  EXPECT_EQ(narrow(GameLib::findInPath(u"graphics/", u"pic.png")), "graphics/big/");
  EXPECT_EQ(narrow(GameLib::resolvePath(u"graphics/", u"pic.png")), "graphics/big/pic.png");
  EXPECT_TRUE(GameLib::findInPath(u"", u"bare.txt").isNull());
  EXPECT_TRUE(GameLib::resolvePath(u"graphics/", u"beside.png").isNull());
  EXPECT_TRUE(GameLib::loadImage(u"beside").isNull());
  EXPECT_FALSE(GameLib::loadFile(u"graphics/big/beside.png").isNull());
}

TEST_F(ResourceLookupTest, ImagesLoadAsPngElseJpeg) {
  openArchive({{"graphics/s/both.png", gltest::solidPng(3, 2, 0x00FF00)},
               {"graphics/s/both.jpg", gltest::solidJpeg(5, 4, 0x0000FF)},
               {"graphics/s/photo.jpg", gltest::solidJpeg(6, 7, 0x0000FF)},
               {"graphics/s/broken.png", "not a picture"},
               {"graphics/s/broken.jpg", gltest::solidJpeg(8, 8, 0x0000FF)}});
  setPath(u"s");
  EXPECT_EQ(narrow(GameLib::resolveImagePath(u"graphics/", u"photo")), "graphics/s/photo");
  struct Case {
    const char16_t* name;
    int32_t width;  // 0: no image
    int32_t height;
  } cases[] = {{u"both", 3, 2}, {u"/both", 3, 2}, {u"photo", 6, 7}, {u"broken", 8, 8}, {u"absent", 0, 0}};
  for (const Case& c : cases) {
    nuv::microedition::lcdui::DImagePtr image = GameLib::loadImage(c.name);
    if (c.width == 0) {
      EXPECT_TRUE(image.isNull()) << narrow(DStringPtr(c.name));
      continue;
    }
    ASSERT_FALSE(image.isNull()) << narrow(DStringPtr(c.name));
    EXPECT_EQ(image->getWidth(), c.width);
    EXPECT_EQ(image->getHeight(), c.height);
  }
}

// The search finds a resource's entry, and the stream or the picture's decoder is handed that entry: each
// name is looked up once.
TEST_F(ResourceLookupTest, AResourceFoundIsOpenedWithoutItsNameLookedUpAgain) {
  openArchive({{"graphics/s/pic.png", gltest::solidPng(3, 2, 0x00FF00)},
               {"graphics/s/photo.jpg", gltest::solidJpeg(6, 7, 0x0000FF)},
               {"data/keys.txt", "keys"}});
  setPath(u"s/");
  auto lookups = [] { return nuv::io::D7zipInputStream::timeSpent().nameLookups; };
  struct Case {
    const char16_t* name;
    bool picture;
    int32_t screenHeight;  // 240 and up: pictures are looked for under "/ppc" first
    uint64_t lookups;
  } cases[] = {
      // The bare name, then the name as PNG, which is decoded.
      {u"pic", true, 0, 2},
      // And the name under the image path, once.
      {u"pic", true, 320, 3},
      // The bare name, as PNG, as JPEG; then the decoder's PNG, which is not there, and the JPEG found.
      {u"photo", true, 0, 4},
      {u"data/keys.txt", false, 0, 1},
  };
  for (const Case& c : cases) {
    GameLib::screenHeight = c.screenHeight;
    const uint64_t before = lookups();
    const bool found = c.picture ? !GameLib::loadImage(c.name).isNull() : !GameLib::loadFile(c.name).isNull();
    EXPECT_TRUE(found) << narrow(DStringPtr(c.name));
    EXPECT_EQ(lookups() - before, c.lookups) << narrow(DStringPtr(c.name)) << " at " << c.screenHeight;
  }
}

TEST_F(ResourceLookupTest, PathValuesEndEveryEntryInASlash) {
  struct Case {
    const char16_t* value;
    std::vector<const char*> entries;
  } cases[] = {
      {u"240x320/", {"240x320/"}}, {u"a;b/", {"a/", "b/"}},      {u"", {"/"}},
      {u"PATH", {"PATH/"}},        {u"a;;b", {"a/", "/", "b/"}},
  };
  for (const Case& c : cases) {
    setPath(c.value);
    ASSERT_EQ(GameLib::pathList->length, static_cast<int32_t>(c.entries.size()));
    for (int32_t i = 0; i < GameLib::pathList->length; ++i) EXPECT_EQ(narrow((*GameLib::pathList)[i]), c.entries[i]);
  }
  EXPECT_EQ(narrow(GameLib::resolutionFileName(240, 320)), "/graphics/240x320.dat");
  EXPECT_EQ(narrow(GameLib::resolutionFileName(480, 640)), "/graphics/480x640.dat");
}

TEST_F(ResourceLookupTest, AppPropertiesFollowTheScreenHeight) {
  struct Case {
    int32_t height;
    const char16_t* key;
    const char* expected;
  } cases[] = {{239, u"image.path", ""},         {240, u"image.path", "/ppc"},       {640, u"image.path", "/ppc"},
               {240, u"app.name", "glimmerhut"}, {240, u"screen.scale2x", "(null)"}, {240, u"other", "(null)"}};
  for (const Case& c : cases) {
    GameLib::screenHeight = c.height;
    EXPECT_EQ(narrow(app->getAppProperty(c.key)), c.expected) << c.height;
  }
  EXPECT_TRUE(app->getAppProperty(nullptr).isNull());
}

// An entry the archive lists but cannot decode is reported to the caller as the archive's IOException,
// never taken for a missing resource (which would end as a null pointer further on).
TEST_F(ResourceLookupTest, DamagedEntriesAreReportedNotSkipped) {
  std::vector<test::StoredEntry> entries = {{u"graphics/s/pic.png", gltest::solidPng(3, 2, 0x00FF00), {}},
                                            {u"graphics/s/pic.jpg", gltest::solidJpeg(5, 4, 0x0000FF), {}},
                                            {u"s/table.txt", "KEY=value", {}},
                                            {u"table.txt", "the bare name", {}}};
  std::vector<uint64_t> at = test::writeStoredArchive(folder.file("game.dat"), entries);
  for (size_t i : {size_t{0}, size_t{2}}) test::flipByte(folder.file("game.dat"), at[i] + entries[i].bytes.size() / 2);
  nuv::io::D7zipInputStream::openArchive(u"game.dat", u"");
  setPath(u"s");
  EXPECT_THROWS_CODE(nuv::lang::ExceptionCode::IOException, GameLib::loadImage(u"pic"));
  EXPECT_EQ(contents(u"table.txt"), "the bare name");  // the bare name comes first and is whole
  try {
    GameLib::loadFile(u"s/table.txt");
    ADD_FAILURE() << "the damaged table opened";
  } catch (nuv::lang::DExceptionBase* e) {
    std::unique_ptr<nuv::lang::DExceptionBase> owned(e);
    EXPECT_EQ(narrow(DStringPtr(e->message())).rfind("game.dat: s/table.txt: ", 0), 0u)
        << narrow(DStringPtr(e->message()));
  }
}

}  // namespace
