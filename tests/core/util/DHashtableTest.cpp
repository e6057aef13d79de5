// The pooled hash map: growth of buckets and pool, replacing, removal, int keys and enumeration.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

#include "core/lang/DInteger.h"
#include "core/lang/DString.h"
#include "core/util/DHashtable.h"
#include "support/Exceptions.h"

using namespace nuv::lang;
using namespace nuv::util;

namespace {

// A key with a chosen hash; keys with the same id are equal.
class Key : public DObject {
 public:
  Key(int id, int32_t hash) : id(id), hash(hash) {}
  int32_t hashCode() override { return hash; }
  bool equals(DObject* other) override {
    auto* key = dynamic_cast<Key*>(other);
    return key && key->id == id;
  }
  const int id;
  const int32_t hash;
};

using KeyPtr = DPtr<Key>;

std::vector<DObject*> walk(DEnumerationPtr e) {
  std::vector<DObject*> out;
  while (e->hasMoreElements()) out.push_back(e->nextElement());
  return out;
}

}  // namespace

TEST(DHashtableTest, ConstructionChecksItsArguments) {
  struct Case {
    int32_t capacity;
    int32_t loadFactor;
    uint32_t code;
    int32_t buckets;
  } cases[] = {
      {11, 75, 0, 11},
      {0, 75, 0, 1},
      {1, 1, 0, 1},
      {-1, 75, ExceptionCode::IllegalArgumentException, 0},
      {11, 0, ExceptionCode::IllegalArgumentException, 0},
      {11, -5, ExceptionCode::IllegalArgumentException, 0},
  };
  for (const Case& c : cases) {
    DHashtablePtr table;
    EXPECT_THROWS_CODE(c.code, table = new DHashtable(c.capacity, c.loadFactor));
    if (c.code == 0) {
      EXPECT_EQ(table->bucketCount(), c.buckets);
      EXPECT_EQ(table->poolCapacity(), 16);
      EXPECT_EQ(table->size(), 0);
    }
  }
}

TEST(DHashtableTest, BucketsAndPoolGrowAtTheirThresholds) {
  struct Case {
    int entries;
    int32_t buckets;
    int32_t pool;
  } cases[] = {{8, 11, 16},  {9, 23, 16},  {16, 23, 16}, {17, 23, 80},
               {18, 47, 80}, {35, 47, 80}, {36, 95, 80}, {81, 191, 144}};
  for (const Case& c : cases) {
    DHashtablePtr table = new DHashtable();
    std::vector<DStringPtr> keys;
    for (int i = 0; i < c.entries; ++i) {
      keys.push_back(DInteger::toString(i * 7919));
      EXPECT_TRUE(table->put(keys.back(), new DInteger(i)).isNull());
    }
    EXPECT_EQ(table->size(), c.entries);
    EXPECT_EQ(table->bucketCount(), c.buckets) << c.entries;
    EXPECT_EQ(table->poolCapacity(), c.pool) << c.entries;
    for (int i = 0; i < c.entries; ++i) {
      auto* value = dynamic_cast<DInteger*>(table->get(DInteger::toString(i * 7919)));
      ASSERT_NE(value, nullptr) << i;
      EXPECT_EQ(value->intValue(), i);
    }
    EXPECT_EQ(walk(table->keys()).size(), static_cast<size_t>(c.entries));
  }
}

TEST(DHashtableTest, PuttingAnExistingKeyReplacesInPlace) {
  DHashtablePtr table = new DHashtable();
  DStringPtr firstKey = u"k", secondKey = u"k";
  DObjectPtr oldValue = new DObject(), newValue = new DObject();
  table->put(DStringPtr(u"before"), new DObject());
  table->put(firstKey, oldValue);
  table->put(DStringPtr(u"after"), new DObject());

  DObjectPtr previous = table->put(secondKey, newValue);
  EXPECT_EQ(previous.get(), oldValue.get());
  EXPECT_EQ(table->size(), 3);
  EXPECT_EQ(table->get(firstKey), newValue.get());
  // The key passed last is the one stored, in the old entry's place; the old key is let go.
  EXPECT_EQ(walk(table->keys())[1], secondKey.get());
  EXPECT_EQ(firstKey->refCount(), 1);
  previous.reset();
  EXPECT_EQ(oldValue->refCount(), 1);
}

TEST(DHashtableTest, RemovalMovesTheLastEntryIntoTheHole) {
  struct Case {
    int removed;
    std::vector<int> order;
  } cases[] = {{0, {2, 1}}, {1, {0, 2}}, {2, {0, 1}}};
  for (const Case& c : cases) {
    DHashtablePtr table = new DHashtable();
    std::vector<DStringPtr> keys = {u"first", u"second", u"third"};
    std::vector<DObjectPtr> values;
    for (const DStringPtr& key : keys) {
      values.emplace_back(new DObject());
      table->put(key, values.back());
    }
    DObjectPtr removed = table->remove(DStringPtr(keys[c.removed]->chars()));
    EXPECT_EQ(removed.get(), values[c.removed].get());
    removed.reset();
    EXPECT_EQ(values[c.removed]->refCount(), 1);
    EXPECT_EQ(keys[c.removed]->refCount(), 1);
    EXPECT_EQ(table->size(), 2);

    std::vector<DObject*> expectedKeys, expectedValues;
    for (int i : c.order) {
      expectedKeys.push_back(keys[i].get());
      expectedValues.push_back(values[i].get());
      EXPECT_EQ(table->get(keys[i]), values[i].get());
    }
    EXPECT_EQ(walk(table->keys()), expectedKeys) << c.removed;
    EXPECT_EQ(walk(table->elements()), expectedValues) << c.removed;
    EXPECT_FALSE(table->containsKey(keys[c.removed]));
    EXPECT_TRUE(table->remove(keys[c.removed]).isNull());
  }
}

TEST(DHashtableTest, RemovalKeepsBucketZeroRight) {
  struct Case {
    std::vector<int32_t> hashes;  // of keys 0, 1, ... in the order they are put
    int removed;
    int32_t head;  // bucket 0's first pool place afterwards
  } cases[] = {
      {{0}, 0, 0},        {{0, 5, 7}, 0, 0},  // the only entry of bucket 0; the last entry fills its place
      {{5, 0}, 1, 0},                         // the only entry of bucket 0, and the last entry
      {{5, 0}, 0, 1},                         // the last entry, first of bucket 0, moves to place 1
      {{0, 11}, 0, 1},                        // a chain of two; the survivor moves to place 1
      {{11, 3, 0}, 2, 1},                     // the first of a chain of two, and the last entry
      {{22, 0, 3}, 1, 1},                     // the first of a chain of two, in the middle of the pool
  };
  for (const Case& c : cases) {
    DHashtablePtr table = new DHashtable();
    std::vector<KeyPtr> keys;
    for (int i = 0; i < static_cast<int>(c.hashes.size()); ++i) {
      keys.emplace_back(new Key(i, c.hashes[i]));
      table->put(keys.back(), new DInteger(i));
    }
    table->remove(new Key(c.removed, c.hashes[c.removed]));
    EXPECT_EQ(table->bucketHead(0), c.head);
    for (int i = 0; i < static_cast<int>(keys.size()); ++i) {
      auto* value = dynamic_cast<DInteger*>(table->get(keys[i]));
      if (i == c.removed) {
        EXPECT_EQ(value, nullptr);
      } else {
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->intValue(), i);
      }
    }
    // The table stays usable: bucket 0 takes new entries.
    table->put(new Key(99, 33), new DObject());
    EXPECT_TRUE(table->containsKey(new Key(99, 33)));
    EXPECT_EQ(table->size(), static_cast<int32_t>(keys.size()));
  }
}

TEST(DHashtableTest, AgreesWithAMapOverManyPutsAndRemovals) {
  // Hashes from a small range make long chains and frequent moves of the last entry.
  std::mt19937 random(7);
  DHashtablePtr table = new DHashtable();
  std::map<int, int> model;
  for (int step = 0; step < 4000; ++step) {
    int id = static_cast<int>(random() % 60);
    KeyPtr key = new Key(id, static_cast<int32_t>(id % 13) * 11 - 40);
    if (random() % 3 == 0) {
      DObjectPtr removed = table->remove(key);
      auto it = model.find(id);
      ASSERT_EQ(removed.isNull(), it == model.end());
      if (it != model.end()) {
        EXPECT_EQ(dynamic_cast<DInteger*>(removed.get())->intValue(), it->second);
        model.erase(it);
      }
    } else {
      DObjectPtr previous = table->put(key, new DInteger(step));
      ASSERT_EQ(previous.isNull(), model.count(id) == 0);
      model[id] = step;
    }
    ASSERT_EQ(table->size(), static_cast<int32_t>(model.size()));
  }
  for (int id = 0; id < 60; ++id) {
    auto* value = dynamic_cast<DInteger*>(table->get(new Key(id, (id % 13) * 11 - 40)));
    auto it = model.find(id);
    ASSERT_EQ(value == nullptr, it == model.end());
    if (value) {
      EXPECT_EQ(value->intValue(), it->second);
    }
  }
}

TEST(DHashtableTest, IntKeysStoreNoKeyObject) {
  DHashtablePtr table = new DHashtable();
  const int32_t keys[] = {0, 1, -1, 11, -11, INT32_MIN, INT32_MAX, 10000, 10001};
  for (int32_t key : keys) EXPECT_TRUE(table->put(key, new DInteger(key)).isNull());
  EXPECT_EQ(table->size(), 9);
  EXPECT_EQ(table->bucketCount(), 23);
  for (int32_t key : keys) {
    auto* value = dynamic_cast<DInteger*>(table->get(key));
    ASSERT_NE(value, nullptr) << key;
    EXPECT_EQ(value->intValue(), key);
  }
  EXPECT_EQ(table->get(2), nullptr);

  DObjectPtr replaced = table->put(11, new DInteger(-7));
  EXPECT_EQ(dynamic_cast<DInteger*>(replaced.get())->intValue(), 11);
  EXPECT_EQ(dynamic_cast<DInteger*>(table->get(11))->intValue(), -7);
  EXPECT_EQ(table->size(), 9);
  EXPECT_EQ(walk(table->keys()), std::vector<DObject*>(9, nullptr));
  // An object lookup never matches an entry without a key object.
  EXPECT_FALSE(table->containsKey(new Key(0, 0)));
}

TEST(DHashtableTest, NullKeysAndValuesThrowAndChangeNothing) {
  DHashtablePtr table = new DHashtable();
  DStringPtr key = u"k";
  DObjectPtr value = new DObject();
  table->put(key, value);
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, table->get(nullptr));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, table->containsKey(nullptr));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, table->remove(nullptr));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, table->put(nullptr, value));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, table->put(key, nullptr));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, table->put(5, nullptr));
  EXPECT_EQ(table->size(), 1);
  EXPECT_EQ(table->get(key), value.get());
  EXPECT_EQ(key->refCount(), 2);
  EXPECT_EQ(value->refCount(), 2);
  EXPECT_THROWS_CODE(ExceptionCode::ArrayIndexOutOfBoundsException, table->bucketHead(11));
}

TEST(DHashtableTest, ClearAndDestructionReleaseEverything) {
  std::vector<DObjectPtr> held;
  DHashtablePtr table = new DHashtable();
  for (int i = 0; i < 20; ++i) {
    held.emplace_back(DInteger::toString(i));
    held.emplace_back(new DObject());
    table->put(held[held.size() - 2], held.back());
  }
  table->clear();
  EXPECT_EQ(table->size(), 0);
  EXPECT_EQ(table->bucketCount(), 47);
  EXPECT_EQ(table->poolCapacity(), 80);
  for (int32_t b = 0; b < table->bucketCount(); ++b) EXPECT_EQ(table->bucketHead(b), 0);
  for (const DObjectPtr& o : held) EXPECT_EQ(o->refCount(), 1);
  EXPECT_FALSE(walk(table->elements()).size());

  for (size_t i = 0; i < held.size(); i += 2) table->put(held[i], held[i + 1]);
  EXPECT_EQ(table->get(DStringPtr(u"7")), held[15].get());
  table.reset();
  for (const DObjectPtr& o : held) EXPECT_EQ(o->refCount(), 1);
}

TEST(DHashtableTest, EnumeratorsKeepTheTableAliveAndStopAtTheEnd) {
  DStringPtr key = u"k";
  DObjectPtr value = new DObject();
  DHashtablePtr table = new DHashtable();
  table->put(key, value);
  DEnumerationPtr keys = table->keys();
  DEnumerationPtr values = table->elements();
  DHashtablePtr empty = new DHashtable();
  DEnumerationPtr none = empty->keys();
  table.reset();
  empty.reset();

  EXPECT_EQ(keys->nextElement(), key.get());
  EXPECT_EQ(values->nextElement(), value.get());
  for (DEnumeration* e : {keys.get(), values.get(), none.get()}) {
    EXPECT_FALSE(e->hasMoreElements());
    EXPECT_EQ(e->nextElement(), nullptr);
    EXPECT_EQ(e->nextElement(), nullptr);
  }
  keys.reset();
  EXPECT_EQ(key->refCount(), 2);
  values.reset();
  EXPECT_EQ(key->refCount(), 1);
  EXPECT_EQ(value->refCount(), 1);
}

TEST(DHashtableTest, EnumerationStopsWhenTheTableShrinks) {
  DHashtablePtr table = new DHashtable();
  for (int i = 0; i < 3; ++i) table->put(i, new DInteger(i));
  DEnumerationPtr values = table->elements();
  values->nextElement();
  values->nextElement();
  table->clear();
  EXPECT_FALSE(values->hasMoreElements());
  EXPECT_EQ(values->nextElement(), nullptr);
}
