// String buffers: appending, growth, length changes and index checks.
#include <gtest/gtest.h>

#include <string>

#include "core/lang/DString.h"
#include "core/lang/DStringBuffer.h"
#include "support/Exceptions.h"

using namespace nuv::lang;

namespace {

std::u16string text(const DStringBufferPtr& b) { return std::u16string(b->toString()->view()); }

}  // namespace

TEST(DStringBufferTest, AppendsStringsCharactersAndNull) {
  DStringBufferPtr b = new DStringBuffer();
  DStringBufferPtr same = b->append(u"ab");
  EXPECT_EQ(same.get(), b.get());
  b->append(u'c')->append(DStringPtr())->append(u"");
  EXPECT_EQ(text(b), u"abcnull");
  EXPECT_EQ(b->length(), 7);
  EXPECT_EQ(b->chars()[7], u'\0');
  // Each toString is a new string with its own copy.
  DStringPtr first = b->toString();
  b->append(u'!');
  EXPECT_EQ(first->view(), u"abcnull");
}

TEST(DStringBufferTest, GrowsToTheLargerOfNeededAndDouble) {
  struct Case {
    int32_t filled;  // characters appended one by one to a new buffer
    int32_t capacity;
  } cases[] = {{0, 16}, {15, 16}, {16, 32}, {31, 32}, {32, 64}};
  for (const Case& c : cases) {
    DStringBufferPtr b = new DStringBuffer();
    for (int32_t i = 0; i < c.filled; ++i) b->append(u'x');
    EXPECT_EQ(b->capacity(), c.capacity) << c.filled;
    EXPECT_EQ(b->length(), c.filled);
  }
  // A long append takes exactly what it needs when that is more than double.
  DStringBufferPtr b = new DStringBuffer();
  b->append(DStringPtr(new DString(std::u16string(40, u'y'))));
  EXPECT_EQ(b->capacity(), 41);

  DStringBufferPtr fromText = new DStringBuffer(u"hello");
  EXPECT_EQ(fromText->capacity(), 6);
  fromText->append(u'!');
  EXPECT_EQ(fromText->capacity(), 12);
  EXPECT_EQ(text(fromText), u"hello!");
}

TEST(DStringBufferTest, SetLengthCutsAndZeroFills) {
  DStringBufferPtr b = new DStringBuffer(u"abcdef");
  b->setLength(2);
  EXPECT_EQ(text(b), u"ab");
  EXPECT_EQ(b->chars()[2], u'\0');
  EXPECT_EQ(b->chars()[5], u'\0');
  b->setLength(4);
  EXPECT_EQ(b->charAt(3), u'\0');
  b->setLength(20);
  EXPECT_EQ(b->capacity(), 21);
  EXPECT_EQ(b->length(), 20);
  b->setLength(0);
  EXPECT_EQ(text(b), u"");
  EXPECT_THROWS_CODE(ExceptionCode::StringIndexOutOfBoundsException, b->setLength(-1));
}

TEST(DStringBufferTest, CharAccessChecksTheIndex) {
  DStringBufferPtr b = new DStringBuffer(u"abc");
  b->setCharAt(1, u'X');
  EXPECT_EQ(text(b), u"aXc");
  EXPECT_EQ(b->charAt(2), u'c');
  for (int32_t bad : {-1, 3, 100}) {
    EXPECT_THROWS_CODE(ExceptionCode::StringIndexOutOfBoundsException, b->charAt(bad));
    EXPECT_THROWS_CODE(ExceptionCode::StringIndexOutOfBoundsException, b->setCharAt(bad, u'z'));
  }
  EXPECT_EQ(text(b), u"aXc");
}
