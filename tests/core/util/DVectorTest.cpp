// The growable sequence: growth, removal, searching, resizing, copying and its enumeration.
#include <gtest/gtest.h>

#include <vector>

#include "core/lang/DObjectArray.h"
#include "core/lang/DString.h"
#include "core/util/DVector.h"
#include "support/Exceptions.h"

using namespace nuv::lang;
using namespace nuv::util;

namespace {

// A vector of n fresh objects, with the objects kept aside to watch their counts.
struct Filled {
  explicit Filled(int n) : vector(new DVector()) {
    for (int i = 0; i < n; ++i) {
      objects.emplace_back(new DObject());
      vector->addElement(objects.back());
    }
  }
  DVectorPtr vector;
  std::vector<DObjectPtr> objects;
};

}  // namespace

TEST(DVectorTest, GrowsByDoublingAndKeepsOrder) {
  struct Case {
    int added;
    int capacity;
  } cases[] = {{0, 16}, {16, 16}, {17, 32}, {33, 64}, {100, 128}};
  for (const Case& c : cases) {
    Filled f(c.added);
    EXPECT_EQ(f.vector->size(), c.added);
    EXPECT_EQ(f.vector->capacity(), c.capacity) << c.added;
    for (int i = 0; i < c.added; ++i) {
      ASSERT_EQ(f.vector->elementAt(i), f.objects[i].get());
      EXPECT_EQ(f.objects[i]->refCount(), 2);
    }
  }
}

TEST(DVectorTest, BadIndicesAndNullElementsThrowAndChangeNothing) {
  Filled f(3);
  for (int index : {-1, 3, INT32_MIN, INT32_MAX}) {
    EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBoundsException, f.vector->elementAt(index));
    EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBoundsException, f.vector->removeElementAt(index));
  }
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, f.vector->addElement(nullptr));
  EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBoundsException, f.vector->setSize(-1));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, f.vector->copyInto(nullptr));
  ASSERT_EQ(f.vector->size(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(f.vector->elementAt(i), f.objects[i].get());
    EXPECT_EQ(f.objects[i]->refCount(), 2);
  }
}

TEST(DVectorTest, RemovingMovesTheFollowingElementsDownAndReleases) {
  struct Case {
    int removed;
    std::vector<int> left;
  } cases[] = {{0, {1, 2, 3}}, {2, {0, 1, 3}}, {3, {0, 1, 2}}};
  for (const Case& c : cases) {
    Filled f(4);
    f.vector->removeElementAt(c.removed);
    EXPECT_EQ(f.objects[c.removed]->refCount(), 1);
    ASSERT_EQ(f.vector->size(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(f.vector->elementAt(i), f.objects[c.left[i]].get()) << c.removed;
  }
}

TEST(DVectorTest, SearchesByEquality) {
  DVectorPtr v = new DVector();
  for (const char16_t* s : {u"a", u"b", u"a", u"c"}) v->addElement(DStringPtr(s));
  struct Case {
    const char16_t* wanted;
    int index;
  } cases[] = {{u"a", 0}, {u"b", 1}, {u"c", 3}, {u"d", -1}, {u"", -1}, {nullptr, -1}};
  for (const Case& c : cases) {
    DStringPtr wanted = c.wanted;  // a fresh object: found by value, not by identity
    EXPECT_EQ(v->indexOf(wanted), c.index);
    EXPECT_EQ(v->contains(wanted), c.index >= 0);
  }

  EXPECT_TRUE(v->removeElement(DStringPtr(u"a")));
  EXPECT_FALSE(v->removeElement(DStringPtr(u"d")));
  ASSERT_EQ(v->size(), 3);
  EXPECT_EQ(v->indexOf(DStringPtr(u"a")), 1);
  EXPECT_EQ(v->indexOf(DStringPtr(u"c")), 2);
}

TEST(DVectorTest, NullSlotsAreSkippedByTheSearch) {
  DVectorPtr v = new DVector();
  v->addElement(DStringPtr(u"a"));
  v->setSize(3);
  v->addElement(DStringPtr(u"b"));
  EXPECT_EQ(v->indexOf(DStringPtr(u"b")), 3);
  EXPECT_EQ(v->indexOf(nullptr), 1);
  EXPECT_TRUE(v->removeElement(nullptr));
  EXPECT_EQ(v->size(), 3);
}

TEST(DVectorTest, SetSizeReleasesOrPadsWithNull) {
  struct Case {
    int from;
    int to;
    int capacity;
  } cases[] = {{3, 0, 16}, {3, 2, 16}, {3, 16, 16}, {3, 17, 32}, {3, 40, 40}, {20, 5, 32}};
  for (const Case& c : cases) {
    Filled f(c.from);
    f.vector->setSize(c.to);
    EXPECT_EQ(f.vector->size(), c.to);
    EXPECT_EQ(f.vector->capacity(), c.capacity) << c.from << " -> " << c.to;
    for (int i = 0; i < c.from; ++i) EXPECT_EQ(f.objects[i]->refCount(), i < c.to ? 2 : 1);
    for (int i = c.from; i < c.to; ++i) EXPECT_EQ(f.vector->elementAt(i), nullptr);
  }
}

TEST(DVectorTest, RemoveAllAndDestructionReleaseEveryElement) {
  Filled f(20);
  f.vector->removeAllElements();
  EXPECT_EQ(f.vector->size(), 0);
  EXPECT_EQ(f.vector->capacity(), 32);
  for (const DObjectPtr& o : f.objects) EXPECT_EQ(o->refCount(), 1);

  Filled g(20);
  g.vector.reset();
  for (const DObjectPtr& o : g.objects) EXPECT_EQ(o->refCount(), 1);
}

TEST(DVectorTest, CopyIntoFillsTheShorterLength) {
  struct Case {
    int elements;
    int length;
  } cases[] = {{3, 5}, {5, 3}, {0, 2}, {2, 0}};
  for (const Case& c : cases) {
    Filled f(c.elements);
    DObjectArrayPtr array = new DObjectArray(c.length);
    f.vector->copyInto(array);
    for (int i = 0; i < c.length; ++i) {
      EXPECT_EQ(array[i].get(), i < c.elements ? f.objects[i].get() : nullptr);
    }
    for (int i = 0; i < c.elements; ++i) EXPECT_EQ(f.objects[i]->refCount(), i < c.length ? 3 : 2);
  }
}

TEST(DVectorTest, EnumerationWalksInOrderThenGivesNull) {
  for (int n : {0, 1, 3}) {
    Filled f(n);
    DEnumerationPtr e = f.vector->elements();
    for (int i = 0; i < n; ++i) {
      ASSERT_TRUE(e->hasMoreElements());
      EXPECT_EQ(e->nextElement(), f.objects[i].get());
    }
    EXPECT_FALSE(e->hasMoreElements());
    EXPECT_EQ(e->nextElement(), nullptr);
    EXPECT_EQ(e->nextElement(), nullptr);
  }
}

TEST(DVectorTest, EnumerationKeepsTheVectorAliveAndFollowsShrinking) {
  Filled f(3);
  DEnumerationPtr e = f.vector->elements();
  DVector* vector = f.vector.get();
  f.vector.reset();
  EXPECT_EQ(vector->refCount(), 1);
  EXPECT_EQ(e->nextElement(), f.objects[0].get());
  vector->setSize(1);
  EXPECT_FALSE(e->hasMoreElements());
  EXPECT_EQ(e->nextElement(), nullptr);
  e.reset();
  EXPECT_EQ(f.objects[0]->refCount(), 1);
}
