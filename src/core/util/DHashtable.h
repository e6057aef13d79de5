// A hash map of counted object references, with entries pooled densely and chained by pool index.
#pragma once

#include <cstdint>
#include <memory>

#include "core/lang/DObject.h"
#include "core/util/DEnumeration.h"

namespace nuv::util {

// Keys are either objects (matched by hashCode and equals) or plain ints (matched by value, no key
// object stored); one table holds one kind. Enumeration follows pool order: insertion order, except
// that a removal moves the last entry into the hole.
class DHashtable : public nuv::lang::DObject {
 public:
  class DKeyEnumerator;
  class DValueEnumerator;

  static constexpr int32_t kDefaultBuckets = 11;
  static constexpr int32_t kDefaultLoadFactor = 75;

  // A negative capacity or a load factor below 1 percent throws IllegalArgumentException.
  explicit DHashtable(int32_t initialCapacity = kDefaultBuckets, int32_t loadFactorPercent = kDefaultLoadFactor);
  ~DHashtable() override;

  int32_t size() const noexcept { return count_; }
  int32_t bucketCount() const noexcept { return bucketCount_; }
  int32_t poolCapacity() const noexcept { return poolCapacity_; }
  // 1-based pool index of the first entry chained in the bucket, 0 when the bucket is empty.
  int32_t bucketHead(int32_t bucket) const;

  // Borrowed values, null when absent. Null keys throw NullPointerException.
  nuv::lang::DObject* get(int32_t key) const;
  nuv::lang::DObject* get(nuv::lang::DObjectPtr key) const;
  bool containsKey(nuv::lang::DObjectPtr key) const;

  // The previous value, null when the key is new. Null keys and values throw NullPointerException.
  nuv::lang::DObjectPtr put(int32_t key, nuv::lang::DObjectPtr value);
  nuv::lang::DObjectPtr put(nuv::lang::DObjectPtr key, nuv::lang::DObjectPtr value);
  // The removed value, null when absent.
  nuv::lang::DObjectPtr remove(nuv::lang::DObjectPtr key);
  // Keeps the pool and the bucket array at their size.
  void clear();

  DEnumerationPtr keys();
  DEnumerationPtr elements();

 private:
  struct Entry {
    int32_t hash = 0;
    nuv::lang::DObjectPtr key;  // null under an int key
    nuv::lang::DObjectPtr value;
    int32_t next = 0;  // pool index, 0 ends the chain
    int32_t prev = 0;  // pool index, or minus the bucket index for the first of a chain
  };

  static constexpr int32_t kInitialPool = 16;
  static constexpr int32_t kPoolStep = 64;

  Entry& entry(int32_t index) { return pool_[index - 1]; }
  const Entry& entry(int32_t index) const { return pool_[index - 1]; }
  int32_t bucketOf(int32_t hash) const { return (hash & 0x7FFFFFFF) % bucketCount_; }
  int32_t findInt(int32_t key) const;
  int32_t findObject(nuv::lang::DObject* key, int32_t hash) const;
  nuv::lang::DObjectPtr insert(int32_t index, int32_t hash, nuv::lang::DObjectPtr key, nuv::lang::DObjectPtr value);
  void linkFirst(int32_t index);
  void rehash();
  void growPool();
  void computeThreshold();

  std::unique_ptr<Entry[]> pool_;
  int32_t poolCapacity_ = kInitialPool;
  int32_t count_ = 0;
  std::unique_ptr<int32_t[]> buckets_;
  int32_t bucketCount_ = 0;
  int32_t loadFactor_ = 0;
  int32_t threshold_ = 0;
};

using DHashtablePtr = nuv::lang::DPtr<DHashtable>;

// The enumerators keep their table alive and return null once past its last entry.
class DHashtable::DKeyEnumerator : public nuv::lang::DObject, public DEnumeration {
 public:
  explicit DKeyEnumerator(DHashtablePtr table) : DEnumeration(this), table_(std::move(table)) {}
  bool hasMoreElements() override;
  nuv::lang::DObject* nextElement() override;

 private:
  DHashtablePtr table_;
  int32_t position_ = 0;
};

class DHashtable::DValueEnumerator : public nuv::lang::DObject, public DEnumeration {
 public:
  explicit DValueEnumerator(DHashtablePtr table) : DEnumeration(this), table_(std::move(table)) {}
  bool hasMoreElements() override;
  nuv::lang::DObject* nextElement() override;

 private:
  DHashtablePtr table_;
  int32_t position_ = 0;
};

}  // namespace nuv::util
