// Strings: concatenation, comparison, searching, derived strings, conversions and wildcard matching.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/lang/DInteger.h"
#include "core/lang/DString.h"
#include "core/lang/DbyteArray.h"
#include "support/Exceptions.h"

using namespace nuv::lang;

namespace {

std::u16string text(const DStringPtr& s) { return std::u16string(s->view()); }

std::vector<int8_t> bytesOf(const DbyteArrayPtr& a) {
  return a->length > 0 ? std::vector<int8_t>(a->data(), a->data() + a->length) : std::vector<int8_t>{};
}

}  // namespace

TEST(DStringTest, ConstructionWidensBytesAsSignedAndCopies) {
  EXPECT_EQ(text(new DString("a\x80\xff")), std::u16string(u"a\xff80\xffff"));
  DStringPtr original = u"copy";
  DStringPtr copy = new DString(original);
  EXPECT_NE(copy.get(), original.get());
  EXPECT_EQ(text(copy), u"copy");
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, new DString(DStringPtr()));
}

TEST(DStringTest, ConcatenationReadsNullAsTheWordNull) {
  DStringPtr x = u"x";
  DStringPtr none;
  EXPECT_EQ(text(none + x), u"nullx");
  EXPECT_EQ(text(x + none), u"xnull");
  EXPECT_EQ(text(x + static_cast<const char16_t*>(nullptr)), u"xnull");
  EXPECT_EQ(text(u"a" + x), u"ax");
  EXPECT_EQ(text(x + u"b"), u"xb");
  EXPECT_EQ(text(x + -12), u"x-12");
  EXPECT_EQ(text(DString::concat(static_cast<const char16_t*>(nullptr), static_cast<const char16_t*>(nullptr))),
            u"nullnull");

  DStringPtr a = u"left";
  DStringPtr before = a;
  concatAssign(a, u"right");
  EXPECT_EQ(text(a), u"leftright");
  EXPECT_EQ(text(before), u"left");  // strings never change; a holds a new one
  EXPECT_EQ(before->refCount(), 1);
}

TEST(DStringTest, HashIsCachedJavaStyle) {
  struct Case {
    const char16_t* text;
    int32_t hash;
  } cases[] = {{u"abc", 96354}, {u"", 0}, {u"a", 97}, {u"polygenelubricants", static_cast<int32_t>(0x80000000)}};
  for (const Case& c : cases) {
    DStringPtr s = c.text;
    EXPECT_EQ(s->hashCode(), c.hash) << std::string(c.text, c.text + s->length());
    EXPECT_EQ(s->hashCode(), c.hash);
  }
}

TEST(DStringTest, CompareToAndEquality) {
  struct Case {
    const char16_t* a;
    const char16_t* b;
    int32_t result;
  } cases[] = {
      {u"ab", u"abc", -1},  {u"b", u"abc", 1},    {u"abc", u"abc", 0},
      {u"", u"", 0},        {u"\x00e9", u"z", 1},  // characters compare unsigned
      {u"\xffff", u"a", 1},
  };
  for (const Case& c : cases) {
    DStringPtr a = c.a;
    EXPECT_EQ(a->compareTo(c.b), c.result);
    EXPECT_EQ(a->equals(DStringPtr(c.b)), c.result == 0);
    EXPECT_EQ(a->equals(c.b), c.result == 0);
    EXPECT_EQ(a == c.b, c.result == 0);
  }
  EXPECT_FALSE(DStringPtr() == u"x");
}

TEST(DStringTest, EqualsComparesWithStringFormAndIsFalseForNull) {
  DStringPtr s = u"42";
  DObjectPtr number = new DInteger(42);
  EXPECT_TRUE(s->equals(number.get()));
  EXPECT_FALSE(DStringPtr(u"41")->equals(number.get()));
  EXPECT_FALSE(s->equals(static_cast<DObject*>(nullptr)));
  EXPECT_FALSE(s->equals(DStringPtr()));
  EXPECT_FALSE(s->equals(static_cast<const char16_t*>(nullptr)));
  EXPECT_TRUE(DObjectPtr(s) == DObjectPtr(new DString(u"42")));
}

TEST(DStringTest, CharAtAndSubstringCheckBounds) {
  DStringPtr s = u"abc";
  EXPECT_EQ(s->charAt(0), u'a');
  EXPECT_EQ(s->charAt(2), u'c');
  EXPECT_THROWS_CODE(ExceptionCode::StringIndexOutOfBoundsException, s->charAt(3));
  EXPECT_THROWS_CODE(ExceptionCode::StringIndexOutOfBoundsException, s->charAt(-1));

  struct Case {
    int32_t begin;
    int32_t end;
    const char16_t* result;  // null: throws
  } cases[] = {{0, 3, u"abc"},  {1, 2, u"b"},     {2, 2, u""},     {3, 3, u""},
               {0, 4, nullptr}, {-1, 2, nullptr}, {2, 1, nullptr}, {4, 4, nullptr}};
  for (const Case& c : cases) {
    if (c.result) {
      EXPECT_EQ(text(s->substring(c.begin, c.end)), c.result) << c.begin << ".." << c.end;
    } else {
      EXPECT_THROWS_CODE(ExceptionCode::StringIndexOutOfBoundsException, s->substring(c.begin, c.end));
    }
  }
  EXPECT_EQ(text(s->substring(3)), u"");
  EXPECT_EQ(text(s->substring(1)), u"bc");
  EXPECT_THROWS_CODE(ExceptionCode::StringIndexOutOfBoundsException, s->substring(4));
}

TEST(DStringTest, SearchingHonoursStartPositions) {
  DStringPtr s = u"abcabc";
  struct CharCase {
    char16_t c;
    int32_t from;
    int32_t index;
  } chars[] = {{u'b', 0, 1}, {u'b', 2, 4}, {u'b', -5, 1}, {u'b', 5, -1}, {u'b', 6, -1}, {u'z', 0, -1}};
  for (const CharCase& c : chars) EXPECT_EQ(s->indexOf(c.c, c.from), c.index) << c.from;
  EXPECT_EQ(s->lastIndexOf(u'a'), 3);
  EXPECT_EQ(s->lastIndexOf(u'z'), -1);

  struct StrCase {
    const char16_t* str;
    int32_t from;
    int32_t index;
  } strings[] = {{u"bc", 0, 1}, {u"bc", 2, 4}, {u"ca", -3, 2}, {u"", 3, 3},
                 {u"", 6, 6},   {u"", 7, -1},  {u"c", 7, -1},  {u"abcabcd", 0, -1}};
  for (const StrCase& c : strings) EXPECT_EQ(s->indexOf(c.str, c.from), c.index) << c.from;
  DStringPtr abc = u"abc";
  EXPECT_EQ(abc->indexOf(u"", 3), 3);
  EXPECT_EQ(abc->indexOf(u"c", 4), -1);
  EXPECT_EQ(abc->indexOf(u"c"), 2);
}

TEST(DStringTest, StartsWithAndEndsWith) {
  DStringPtr s = u"prefix.png";
  EXPECT_TRUE(s->startsWith(u"pre"));
  EXPECT_TRUE(s->startsWith(u""));
  EXPECT_FALSE(s->startsWith(u"png"));
  EXPECT_TRUE(s->endsWith(u".png"));
  EXPECT_FALSE(s->endsWith(u".jpg"));
  EXPECT_FALSE(DStringPtr(u"ab")->startsWith(u"abc"));
  EXPECT_FALSE(DStringPtr(u"bc")->endsWith(u"abc"));
}

TEST(DStringTest, TrimReturnsTheSameObjectWhenNothingIsRemoved) {
  DStringPtr plain = u"word";
  EXPECT_EQ(plain->trim().get(), plain.get());
  DStringPtr empty = u"";
  EXPECT_EQ(empty->trim().get(), empty.get());
  struct Case {
    const char16_t* in;
    const char16_t* out;
  } cases[] = {{u"  ", u""}, {u" a b ", u"a b"}, {u"\t\r\nx\x01\x20", u"x"}, {u"\x21y", u"\x21y"}};
  for (const Case& c : cases) EXPECT_EQ(text(DStringPtr(c.in)->trim()), c.out);
}

TEST(DStringTest, ReplaceAndReplaceAll) {
  DStringPtr empty = u"";
  EXPECT_EQ(empty->replace(u'a', u'b').get(), empty.get());
  EXPECT_EQ(text(DStringPtr(u"banana")->replace(u'a', u'o')), u"bonono");

  struct Case {
    const char16_t* in;
    const char16_t* target;
    const char16_t* replacement;
    const char16_t* out;
  } cases[] = {
      {u"abcb", u"b", u"xy", u"axycxy"},
      {u"aaaa", u"aa", u"b", u"bb"},
      {u"abc", u"abc", u"", u""},
      {u"a.b.c", u".", u"\\", u"a\\b\\c"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text(DStringPtr(c.in)->replaceAll(c.target, c.replacement)), c.out);
  }
  // No hit, an empty string, and an empty target all give back the same object without looping.
  DStringPtr s = u"abc";
  EXPECT_EQ(s->replaceAll(u"z", u"y").get(), s.get());
  EXPECT_EQ(s->replaceAll(u"", u"y").get(), s.get());
  EXPECT_EQ(empty->replaceAll(u"a", u"y").get(), empty.get());
  EXPECT_EQ(text(s->replaceAll(u"b", DStringPtr())), u"anullc");
}

TEST(DStringTest, CaseConversionCoversEuropeanAlphabets) {
  struct Case {
    const char16_t* mixed;
    const char16_t* lower;
    const char16_t* upper;
  } cases[] = {
      {u"Hello, World 1!", u"hello, world 1!", u"HELLO, WORLD 1!"},
      {u"\u00c9t\u00c9 \u00d7\u00f7 \u00ff\u00df", u"\u00e9t\u00e9 \u00d7\u00f7 \u00ff\u00df",
       u"\u00c9T\u00c9 \u00d7\u00f7 \u0178\u00df"},
      {u"\u0141\u00f3d\u017a \u010c\u0159", u"\u0142\u00f3d\u017a \u010d\u0159", u"\u0141\u00d3D\u0179 \u010c\u0158"},
      {u"\u0391\u03b8\u03ae\u03bd\u03b1\u03c2", u"\u03b1\u03b8\u03ae\u03bd\u03b1\u03c2",
       u"\u0391\u0398\u0389\u039d\u0391\u03a3"},
      {u"\u041c\u043e\u0441\u043a\u0432\u0430 \u0401\u0451", u"\u043c\u043e\u0441\u043a\u0432\u0430 \u0451\u0451",
       u"\u041c\u041e\u0421\u041a\u0412\u0410 \u0401\u0401"},
  };
  for (const Case& c : cases) {
    DStringPtr s = c.mixed;
    EXPECT_EQ(text(s->toLowerCase()), c.lower);
    EXPECT_EQ(text(s->toUpperCase()), c.upper);
  }
}

TEST(DStringTest, BytesUseTheAnsiCodePage) {
  DStringPtr s = u"A\u00e9\u20ac\u0416";
  EXPECT_EQ(bytesOf(s->getBytes()), (std::vector<int8_t>{0x41, -0x17, -0x80, 0x3f}));
  EXPECT_EQ(bytesOf(s->toCString()), (std::vector<int8_t>{0x41, -0x17, -0x80, 0x3f, 0}));
  EXPECT_EQ(DStringPtr(u"")->getBytes()->length, 0);
  EXPECT_EQ(bytesOf(DStringPtr(u"")->toCString()), std::vector<int8_t>{0});
}

TEST(DStringTest, ParseShortKeepsTheLowSixteenBits) {
  EXPECT_EQ(DString::parseShort(u" 123"), 123);
  EXPECT_EQ(DString::parseShort(u"-7x"), -7);
  EXPECT_EQ(DString::parseShort(u"65535"), -1);
  EXPECT_EQ(DString::parseShort(u"70000"), 4464);
  EXPECT_THROWS_CODE(ExceptionCode::NumberFormatException, DString::parseShort(u"none"));
}

TEST(DStringTest, WildcardMatch) {
  struct Case {
    const char16_t* pattern;
    const char16_t* text;
    int32_t flags;
    int32_t result;
  } cases[] = {
      {u"a*c", u"abbc", 0, 0},
      {u"a?c", u"ac", 0, 1},
      {u"a\\*", u"a*", 0, 0},
      {u"a\\*", u"ab", 0, 1},
      {u"a\\*", u"a\\b", DString::kNoEscape, 0},
      {u"a\\?", u"a?", 0, 0},
      {u"a\\?", u"ab", 0, 1},
      {u"*", u"", 0, 0},
      {u"", u"", 0, 0},
      {u"", u"a", 0, 1},
      {u"*.png", u"x.jpg.png", 0, 0},
      {u"sms://*:5?", u"sms://+123:55", 0, 0},
      {u"a*b*c", u"aXbYbZ", 0, 1},
      {u"a*", u"a", 0, 0},
      {u"?", u"", 0, 1},
      {u"abc", u"abcd", 0, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DString::wildcardMatch(c.pattern, c.text, c.flags), c.result)
        << std::string(c.pattern, c.pattern + std::u16string_view(c.pattern).size());
  }
}
