// The exception code table, the message formatter and the catch helper.
#include <gtest/gtest.h>

#include <string>

#include "core/lang/DExceptionBase.h"

using namespace nuv::lang;

TEST(DExceptionBaseTest, NamesComeFromTheTableOrFromHex) {
  struct Case {
    uint32_t code;
    std::u16string name;
  } cases[] = {
      {0x4000000, u"Exception"},
      {0x5800001, u"ArrayIndexOutOfBoundsException"},
      {0x5000080, u"NullPointerException"},
      {0x4200008, u"RecordStoreNotOpenException"},
      {0x6000100, u"DServiceRegistrationException"},
      {0x1234, u"1234"},
      {0xABCDEF, u"abcdef"},
  };
  for (const Case& c : cases) EXPECT_EQ(std::u16string(getExceptionName(c.code)), c.name) << c.code;
}

TEST(DExceptionBaseTest, FormattedMessages) {
  EXPECT_EQ(std::u16string(DExceptionBase(1, u"a%%b").message()), u"a%b");
  EXPECT_EQ(std::u16string(DExceptionBase(1, u"100%").message()), u"100");
  EXPECT_EQ(std::u16string(DExceptionBase(1, u"%q%d", 7).message()), u"7");
  EXPECT_EQ(std::u16string(DExceptionBase(1, u"%x", -1).message()), u"ffffffff");
  EXPECT_EQ(std::u16string(DExceptionBase(1, u"%d", -1).message()), u"-1");
  EXPECT_EQ(std::u16string(DExceptionBase(1, u"<%s|%c>", u"host", 'Z').message()), u"<host|Z>");
  EXPECT_EQ(std::u16string(DExceptionBase(1).message()), u"");
  EXPECT_EQ(DExceptionBase(0x6000002).code(), 0x6000002u);
}

TEST(DExceptionBaseTest, LongMessagesAreCutTo123Characters) {
  std::u16string longText(500, u'x');
  DExceptionBase e(1, u"%s and more", longText.c_str());
  EXPECT_EQ(std::u16string(e.message()), std::u16string(123, u'x'));
}

TEST(DExceptionBaseTest, HandlersTakeDescendantsAndRethrowOthers) {
  struct Case {
    uint32_t parent;
    uint32_t thrown;
    bool handled;
  } cases[] = {
      {ExceptionCode::RuntimeException, ExceptionCode::NumberFormatException, true},
      {ExceptionCode::RuntimeException, ExceptionCode::EOFException, false},
      {ExceptionCode::Exception, ExceptionCode::RecordStoreNotOpenException, true},
      {ExceptionCode::IOException, ExceptionCode::EOFException, true},
      {ExceptionCode::IOException, ExceptionCode::NullPointerException, false},
      {ExceptionCode::IndexOutOfBoundsException, ExceptionCode::StringIndexOutOfBoundsException, true},
  };
  for (const Case& c : cases) {
    bool handled = false;
    uint32_t escaped = 0;
    try {
      try {
        throwException(c.thrown);
      } catch (DExceptionBase* e) {
        auto taken = catchException(e, c.parent);
        handled = true;
      }
    } catch (DExceptionBase* e) {
      escaped = e->code();
      delete e;
    }
    EXPECT_EQ(handled, c.handled) << std::hex << c.parent << " " << c.thrown;
    EXPECT_EQ(escaped, c.handled ? 0 : c.thrown);
  }
}
