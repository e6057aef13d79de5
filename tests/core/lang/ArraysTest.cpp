// Arrays: construction, index checks, counted elements, two-dimensional rows and class names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/lang/DObjectArray2d.h"
#include "core/lang/DStringArray.h"
#include "core/lang/DStringArray2d.h"
#include "core/lang/DboolArray.h"
#include "core/lang/DbyteArray.h"
#include "core/lang/DbyteArray2d.h"
#include "core/lang/DcharArray.h"
#include "core/lang/DintArray.h"
#include "core/lang/DintArray2d.h"
#include "core/lang/DshortArray.h"
#include "core/lang/DshortArray2d.h"
#include "support/Exceptions.h"

using namespace nuv::lang;

namespace {

class Widget : public DObject {
 public:
  const char* getClassName() const override { return "Widget"; }
};
using WidgetArray = DTypedArray<Widget>;
using WidgetArrayPtr = DPtr<WidgetArray>;
using WidgetArray2d = DTypedArray2d<WidgetArray>;

// Checks one array type: zeroed elements, writes through array and pointer, and the index checks.
template <class Array>
void checkPrimitive(const char* name) {
  SCOPED_TRACE(name);
  DPtr<Array> a = new Array(3);
  EXPECT_STREQ(a->getClassName(), name);
  EXPECT_EQ(a->length, 3);
  for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(a[i], 0);
  a[2] = 1;
  (*a)[0] = 1;
  EXPECT_EQ(a->data()[2], 1);
  EXPECT_EQ((*a)[2], 1);
  for (int32_t bad : {-1, 3, INT32_MIN}) {
    EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBoundsException, a[bad]);
    EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBoundsException, (*a)[bad] = 1);
  }
  for (int32_t n : {0, -2}) {
    DPtr<Array> empty = new Array(n);
    EXPECT_EQ(empty->length, n);
    EXPECT_EQ(empty->data(), nullptr);
    EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBoundsException, empty[0]);
  }
}

}  // namespace

TEST(ArraysTest, PrimitiveArraysAreZeroedAndIndexChecked) {
  checkPrimitive<DboolArray>("DboolArray");
  checkPrimitive<DbyteArray>("DbyteArray");
  checkPrimitive<DcharArray>("DcharArray");
  checkPrimitive<DshortArray>("DshortArray");
  checkPrimitive<DintArray>("DintArray");
}

TEST(ArraysTest, ElementsWrapToTheirWidth) {
  DbyteArrayPtr bytes = new DbyteArray(1);
  bytes[0] = static_cast<int8_t>(0xFF);
  EXPECT_EQ(bytes[0], -1);
  DshortArrayPtr shorts = new DshortArray(1);
  shorts[0] = static_cast<int16_t>(40000);
  EXPECT_EQ(shorts[0], 40000 - 65536);
}

TEST(ArraysTest, ListConstructorsTakeTheLengthFirst) {
  DintArrayPtr colours = new DintArray(3, 0xAFAFAF, 0x00AFFF, 0x0000FF);
  EXPECT_EQ(colours->length, 3);
  EXPECT_EQ((std::vector<int32_t>(colours->data(), colours->data() + 3)),
            (std::vector<int32_t>{0xAFAFAF, 0x00AFFF, 0x0000FF}));
  DcharArrayPtr chars = new DcharArray(4, u'h', 'i', 0x263A);
  EXPECT_EQ(std::u16string(chars->data(), 4), std::u16string(u"hi\u263a\0", 4));
  EXPECT_THROWS_CODE(ExceptionCode::IllegalArgumentException, new DintArray(1, 1, 2));
}

TEST(ArraysTest, ObjectArraysCountTheirElements) {
  DObjectPtr first = new DObject();
  DObjectPtr second = new DObject();
  {
    DObjectArrayPtr a = new DObjectArray(2);
    EXPECT_TRUE(a[0].isNull());
    a[0] = first;
    a[1] = first;
    EXPECT_EQ(first->refCount(), 3);
    a[1] = second;  // overwriting releases the previous element
    EXPECT_EQ(first->refCount(), 2);
    EXPECT_EQ(second->refCount(), 2);
    a[0] = a[0];
    EXPECT_EQ(first->refCount(), 2);
    EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBoundsException, a[2] = first);
    EXPECT_STREQ(a->getClassName(), "DObject");
  }
  EXPECT_EQ(first->refCount(), 1);
  EXPECT_EQ(second->refCount(), 1);
}

TEST(ArraysTest, ObjectArrayReleasesElementsInIndexOrder) {
  static std::vector<int> order;
  struct Noted : DObject {
    explicit Noted(int id) : id(id) {}
    ~Noted() override { order.push_back(id); }
    int id;
  };
  order.clear();
  DObjectArrayPtr a = new DObjectArray(3);
  for (int i = 0; i < 3; ++i) a[i] = new Noted(i);
  a.reset();
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

TEST(ArraysTest, TypedArraysReadAndWriteTheirElementClass) {
  DStringArrayPtr names = new DStringArray(3);
  names[0] = u"start";
  names[1] = names[0];
  DStringPtr got = names[1];
  EXPECT_EQ(got->view(), u"start");
  EXPECT_EQ(names[0]->length(), 5);
  EXPECT_TRUE(names[2] == nullptr);
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, names[2]->length());
  EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBoundsException, names[3] = u"x");

  // An element of another class stored through the untyped base is refused when read as a string.
  DObjectArray& untyped = *names;
  untyped[2] = new DObject();
  EXPECT_THROWS_CODE(ExceptionCode::ClassCastException, names[2]->length());
  EXPECT_FALSE(names[2].isNull());
}

TEST(ArraysTest, ClassNamesOfTypedArrays) {
  EXPECT_STREQ(DStringArrayPtr(new DStringArray(2))->getClassName(), "DObject");
  EXPECT_STREQ(DObjectArray2dPtr(new DObjectArray2d(1, 1))->getClassName(), "DObject");

  WidgetArrayPtr widgets = new WidgetArray(2);
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, widgets->getClassName());
  widgets[0] = new Widget();
  EXPECT_STREQ(widgets->getClassName(), "WidgetArray");
  EXPECT_STREQ(WidgetArrayPtr(new WidgetArray(0))->getClassName(), "DObjectArray");

  struct Case {
    DObjectPtr array;
    const char* name;
  } tables[] = {
      {new DbyteArray2d(2, 2), "DbyteArray2d"}, {new DshortArray2d(0), "DshortArray2d"},
      {new DintArray2d(1), "DintArray2d"},      {new WidgetArray2d(0), "DObjectArray2d"},
      {new WidgetArray2d(2), "DObjectArray2d"}, {new DStringArray2d(1, 1), "DObject2d"},
  };
  for (const Case& c : tables) EXPECT_STREQ(c.array->getClassName(), c.name);
  DPtr<WidgetArray2d> grid = new WidgetArray2d(1);
  grid[0] = widgets;
  EXPECT_STREQ(grid->getClassName(), "WidgetArray2d");
}

TEST(ArraysTest, TwoDimensionalArraysHoldCountedRows) {
  DintArray2dPtr grid = new DintArray2d(2, 3);
  EXPECT_EQ(grid->length, 2);
  EXPECT_EQ(grid[1]->length, 3);
  grid[1][2] = 7;
  EXPECT_EQ(grid[1][2], 7);
  EXPECT_EQ(grid[0][2], 0);
  EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBoundsException, grid[1][3]);
  EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBoundsException, grid[2][0]);

  DintArrayPtr row = grid[0];
  EXPECT_EQ(row->refCount(), 2);
  grid[0] = DintArrayPtr(new DintArray(1));
  EXPECT_EQ(row->refCount(), 1);

  DbyteArray2dPtr empty = new DbyteArray2d(2);
  EXPECT_TRUE(empty[0].isNull());
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, empty[0][0]);

  DObjectArray2dPtr objects = new DObjectArray2d(1, 2);
  EXPECT_EQ(objects[0]->length, 2);
  objects[0][1] = DStringPtr(u"cell");
  EXPECT_TRUE(objects[0][1] == DObjectPtr(new DString(u"cell")));

  DStringArray2dPtr texts = new DStringArray2d(1, 2);
  texts[0][1] = u"x";
  EXPECT_EQ(texts[0][1]->view(), u"x");
}

TEST(ArraysTest, AccessThroughANullPointerThrows) {
  DintArrayPtr none;
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, none[0]);
}
