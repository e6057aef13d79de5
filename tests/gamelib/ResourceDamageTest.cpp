// Damaged resources told apart from missing ones: reports that name the archive (or the program's folder)
// and the entry, loads that go on only without what is not there, and files beside the program that read
// like the same entry inside the archive.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "TextTables.h"
#include "core/io/DInputStream.h"
#include "core/lang/DSystem.h"
#include "core/lang/DbyteArray.h"
#include "gamelib/GameLibFixture.h"
#include "gamelib/ImageFont.h"
#include "gamelib/Pictures.h"
#include "gamelib/ResourceDamage.h"
#include "gamelib/TextTable.h"
#include "support/Exceptions.h"

namespace {

using gamelib::GameLib;
using gamelib::ResourceDamage;
using gamelib::TextTable;
namespace ExceptionCode = nuv::lang::ExceptionCode;

std::string utfTable(const std::vector<datakit::TextEntry>& entries) {
  datakit::Bytes bytes = datakit::writeUtfTable(entries);
  return std::string(bytes.begin(), bytes.end());
}

class ResourceDamageTest : public gltest::GameLibFixture {
 protected:
  void SetUp() override {
    GameLibFixture::SetUp();
    const std::string table = utfTable({{"a", u"1", 0}, {"b", u"2", 0}});
    openArchive({{"txt/cut.txt", table.substr(0, table.size() - 1)},
                 {"txt/whole.txt", table},
                 {"graphics/s/bad.png", "no picture at all"},
                 {"data/a.bin", "abc"}});
    writeBeside("txt/beside.txt", table.substr(0, table.size() - 1));
    writeBeside("data/b.bin", "abc");
    writeBeside("f/x/font_0.png", "no picture either");
    setPath(u"s");
  }
  // The program's folder as the reports name it.
  static std::string folderName() { return gltest::narrow(nuv::lang::DSystem::getProperty(u"app.fullpath")); }
};

TEST_F(ResourceDamageTest, DamageIsReportedWithWhereItLiesAndMissingIsNot) {
  struct Case {
    const char* what;
    std::function<void()> load;
    std::string message;  // empty: an exception that is no report
  } cases[] = {
      {"a UTF table cut short", [] { TextTable::load(u"/txt/cut", true); },
       "game.dat: txt/cut.txt: its last line is cut short"},
      {"the same beside the program", [] { TextTable::load(u"/txt/beside", true); },
       folderName() + ": txt/beside.txt: its last line is cut short"},
      {"a picture that is no picture", [] { GameLib::loadImage(u"bad"); },
       "game.dat: graphics/s/bad.png: not a PNG or JPEG picture"},
      {"a font page that is no picture", [] { gamelib::ImageFontPtr(new gamelib::ImageFont())->load(u"f/x"); },
       folderName() + ": f/x/font_0.png: not a PNG picture"},
      {"a missing table, named as missing", [] { TextTable::load(u"/txt/absent", true); }, "txt/absent.txt is missing"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(test::thrownMessage(c.load), c.message);
    EXPECT_EQ(test::thrownCode(c.load), ExceptionCode::IOException);
  }
  // A whole table still loads, and a missing picture is simply not there.
  TextTable::load(u"/txt/whole", true);
  EXPECT_EQ(gltest::narrow(TextTable::getString(u"b")), "2");
  EXPECT_TRUE(GameLib::loadImage(u"absent").isNull());
}

TEST_F(ResourceDamageTest, SkipMissingDropsOnlyWhatIsNotThere) {
  struct Case {
    const char* what;
    uint32_t parent;
    std::function<void()> load;
    bool loaded;
    uint32_t passes;  // 0: nothing goes on up
  } cases[] = {
      {"loaded", ExceptionCode::Exception, [] {}, true, 0},
      {"not there", ExceptionCode::IOException, [] { TextTable::load(u"/txt/absent", true); }, false, 0},
      {"damaged", ExceptionCode::Exception, [] { TextTable::load(u"/txt/cut", true); }, false,
       ExceptionCode::IOException},
      {"of another type", ExceptionCode::IOException, [] { nuv::lang::throwNullPointerException(); }, false,
       ExceptionCode::NullPointerException},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bool loaded = false;
    EXPECT_EQ(test::thrownCode([&] { loaded = ResourceDamage::skipMissing(c.parent, c.load); }), c.passes);
    EXPECT_EQ(loaded, c.loaded);
  }
}

// The archive hands out an entry whole, answering the end of the data with -1; a file beside the program
// with the same bytes answers every read the same way.
TEST_F(ResourceDamageTest, AFileBesideTheProgramReadsLikeTheSameEntry) {
  auto readings = [](const char16_t* name) {
    nuv::io::DInputStreamPtr stream = GameLib::loadFile(name);
    std::vector<int64_t> seen;
    if (stream.isNull()) return seen;
    seen.push_back(stream->available());
    for (int i = 0; i < 4; ++i) seen.push_back(stream->read());
    nuv::lang::DbyteArrayPtr buffer = new nuv::lang::DbyteArray(4);
    seen.push_back(stream->read(buffer, 0, 4));
    seen.push_back(stream->skip(10));
    seen.push_back(stream->available());
    stream->reset();
    seen.push_back(stream->skip(10));
    return seen;
  };
  const std::vector<int64_t> entry = readings(u"data/a.bin");
  EXPECT_EQ(entry, (std::vector<int64_t>{3, 'a', 'b', 'c', -1, -1, 0, 0, 3}));
  EXPECT_EQ(readings(u"data/b.bin"), entry);
}

}  // namespace
