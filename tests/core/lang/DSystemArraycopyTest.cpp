// Copying runs of array elements: bounds, truncation, overlap within one array, reference counts.
#include <gtest/gtest.h>

#include <vector>

#include "core/lang/DObjectArray.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DSystem.h"
#include "core/lang/DcharArray.h"
#include "core/lang/DintArray.h"
#include "core/lang/DshortArray.h"
#include "support/Exceptions.h"

using namespace nuv::lang;

namespace {

DintArrayPtr ints(std::vector<int32_t> values) {
  DintArrayPtr a = new DintArray(static_cast<int32_t>(values.size()));
  for (size_t i = 0; i < values.size(); ++i) a[static_cast<int32_t>(i)] = values[i];
  return a;
}

std::vector<int32_t> valuesOf(const DintArrayPtr& a) { return {a->data(), a->data() + a->length}; }

}  // namespace

TEST(DSystemArraycopyTest, IntCopiesBetweenAndWithinArrays) {
  struct Case {
    const char* what;
    bool sameArray;
    int32_t srcLength;
    int32_t srcPos;
    int32_t dstLength;
    int32_t dstPos;
    int32_t length;
    uint32_t code;                  // 0: succeeds
    std::vector<int32_t> dstAfter;  // the destination afterwards (the source when sameArray)
  } cases[] = {
      {"overlap forward", true, 4, 0, 4, 1, 3, 0, {1, 1, 2, 3}},
      {"overlap backward", true, 4, 1, 4, 0, 3, 0, {2, 3, 4, 4}},
      {"within, source run past end", true, 4, 2, 4, 0, 5, ExceptionCode::ArrayIndexOutOfBoundsException, {1, 2, 3, 4}},
      {"between, source ends early", false, 4, 2, 10, 0, 5, 0, {3, 4, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"destination limits the count", false, 4, 0, 3, 1, 4, 0, {0, 1, 2}},
      {"source position at its end", false, 4, 4, 2, 0, 0, 0, {0, 0}},
      {"destination position at its end", false, 4, 0, 2, 2, 3, 0, {0, 0}},
      {"source position past its end", false, 4, 5, 2, 0, 0, ExceptionCode::IndexOutOfBoundsException, {0, 0}},
      {"destination position past its end", false, 4, 0, 2, 3, 0, ExceptionCode::IndexOutOfBoundsException, {0, 0}},
      {"negative source position", false, 4, -1, 2, 0, 1, ExceptionCode::IndexOutOfBoundsException, {0, 0}},
      {"negative destination position", false, 4, 0, 2, -1, 1, ExceptionCode::IndexOutOfBoundsException, {0, 0}},
      {"negative length", false, 4, 0, 2, 0, -1, ExceptionCode::IndexOutOfBoundsException, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DintArrayPtr src = ints({1, 2, 3, 4});
    ASSERT_EQ(src->length, c.srcLength);
    DintArrayPtr dst = c.sameArray ? src : new DintArray(c.dstLength);
    EXPECT_THROWS_CODE(c.code, DSystem::arraycopy(src, c.srcPos, dst, c.dstPos, c.length));
    EXPECT_EQ(valuesOf(dst), c.dstAfter);
    EXPECT_EQ(src->refCount(), c.sameArray ? 2 : 1);  // by-value arguments are released on every path
  }
}

TEST(DSystemArraycopyTest, NullArraysThrow) {
  DintArrayPtr a = ints({1});
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, DSystem::arraycopy(DintArrayPtr(), 0, a, 0, 1));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, DSystem::arraycopy(a, 0, DintArrayPtr(), 0, 1));
  EXPECT_EQ(a->refCount(), 1);
}

TEST(DSystemArraycopyTest, SixteenBitArrays) {
  DshortArrayPtr shorts = new DshortArray(3);
  shorts[0] = -5;
  shorts[1] = 6;
  DSystem::arraycopy(shorts, 0, shorts, 1, 2);
  EXPECT_EQ((std::vector<int16_t>(shorts->data(), shorts->data() + 3)), (std::vector<int16_t>{-5, -5, 6}));

  DcharArrayPtr from = new DcharArray(3, u'a', u'b', u'c');
  DcharArrayPtr to = new DcharArray(2);
  DSystem::arraycopy(from, 1, to, 0, 2);
  EXPECT_EQ(std::u16string(to->data(), 2), u"bc");
}

TEST(DSystemArraycopyTest, ObjectCopiesCountEverySlot) {
  DObjectPtr x = new DObject();
  DObjectPtr y = new DObject();
  DObjectPtr old = new DObject();
  DObjectArrayPtr src = new DObjectArray(2);
  src[0] = x;
  src[1] = y;
  DStringArrayPtr strings = new DStringArray(1);
  DObjectArrayPtr dst = new DObjectArray(3);
  dst[0] = old;
  DSystem::arraycopy(src, 0, dst, 0, 2);
  EXPECT_EQ(dst[0].get(), x.get());
  EXPECT_EQ(x->refCount(), 3);
  EXPECT_EQ(old->refCount(), 1);  // the overwritten slot let its element go

  DSystem::arraycopy(dst, 0, dst, 1, 2);  // x, x, y
  EXPECT_EQ(dst[1].get(), x.get());
  EXPECT_EQ(dst[2].get(), y.get());
  EXPECT_EQ(x->refCount(), 4);
  EXPECT_EQ(y->refCount(), 3);

  // Typed arrays copy through their object-array base.
  strings[0] = u"s";
  DSystem::arraycopy(strings, 0, dst, 0, 1);
  EXPECT_TRUE(dst[0] == DObjectPtr(new DString(u"s")));
  EXPECT_EQ(x->refCount(), 3);
}
