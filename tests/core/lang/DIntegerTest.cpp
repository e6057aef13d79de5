// Boxed integers and the conversions between ints and text.
#include <gtest/gtest.h>

#include <string>

#include "core/lang/DInteger.h"
#include "core/lang/DString.h"
#include "support/Exceptions.h"

using namespace nuv::lang;

TEST(DIntegerTest, ToStringByRadix) {
  struct Case {
    int32_t value;
    int32_t radix;
    const char16_t* text;
  } cases[] = {
      {0, 10, u"0"},
      {-42, 10, u"-42"},
      {INT32_MIN, 10, u"-2147483648"},
      {255, 16, u"ff"},
      {-255, 16, u"-ff"},
      {INT32_MIN, 16, u"-80000000"},
      {0x7fffffff, 16, u"7fffffff"},
      {5, 8, u""},
      {5, 2, u""},
  };
  for (const Case& c : cases) EXPECT_EQ(DInteger::toString(c.value, c.radix)->view(), c.text) << c.value;
  EXPECT_EQ(DInteger::toHexString(-1)->view(), u"-1");
  EXPECT_EQ(DInteger::toString(7)->view(), u"7");
  EXPECT_EQ(DIntegerPtr(new DInteger(-3))->toString()->view(), u"-3");
}

TEST(DIntegerTest, ParseIntReadsPrefixesAndHex) {
  struct Case {
    const char16_t* text;
    int32_t value;
  } cases[] = {
      {u" 0x1f ", 31},
      {u"12abc", 12},
      {u"0X1F", 0},
      {u"  -17", -17},
      {u"+5", 5},
      {u"0x", 0},
      {u"0xFF", 255},
      {u"007", 7},
      {u"\t9\n", 9},
      {u"2147483647", INT32_MAX},
      {u"-2147483648", INT32_MIN},
      {u"0xffffffff", -1},
      {u"0x7fffffff", INT32_MAX},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DInteger::parseInt(c.text), c.value) << std::string(c.text, c.text + std::u16string_view(c.text).size());
  }
  for (const char16_t* bad : {u"abc", u"", u"   ", u"-", u"x12", u"99999999999", u"0x123456789"}) {
    EXPECT_THROWS_CODE(ExceptionCode::NumberFormatException, DInteger::parseInt(bad));
  }
  EXPECT_THROWS_CODE(ExceptionCode::NumberFormatException, DInteger::parseInt(DStringPtr()));
}

TEST(DIntegerTest, ParseIntWithRadix) {
  struct Case {
    const char16_t* text;
    int32_t radix;
    int32_t value;
  } cases[] = {{u"1f", 16, 31}, {u"0X1F", 16, 31}, {u" -a", 16, -10}, {u"19", 10, 19}, {u"0x10", 10, 0}};
  for (const Case& c : cases) EXPECT_EQ(DInteger::parseInt(c.text, c.radix), c.value);
  EXPECT_THROWS_CODE(ExceptionCode::NumberFormatException, DInteger::parseInt(u"10", 8));
  EXPECT_THROWS_CODE(ExceptionCode::NumberFormatException, DInteger::parseInt(u"g", 16));
}

TEST(DIntegerTest, ValueOfAndObjectOperations) {
  EXPECT_EQ(DInteger::valueOf(DStringPtr())->intValue(), 0);
  EXPECT_EQ(DInteger::valueOf(u" 0x10")->intValue(), 16);
  EXPECT_THROWS_CODE(ExceptionCode::NumberFormatException, DInteger::valueOf(u"abc"));

  DIntegerPtr five = new DInteger(5);
  EXPECT_STREQ(five->getClassName(), "DInteger");
  EXPECT_EQ(five->hashCode(), 5);
  EXPECT_TRUE(five->equals(DIntegerPtr(new DInteger(5)).get()));
  EXPECT_FALSE(five->equals(DIntegerPtr(new DInteger(6)).get()));
  // Objects that are not integers, even with the same string form, and null are simply unequal.
  EXPECT_FALSE(five->equals(DStringPtr(u"5").get()));
  EXPECT_FALSE(five->equals(nullptr));
  EXPECT_TRUE(DObjectPtr(five) == DObjectPtr(new DInteger(5)));
}
