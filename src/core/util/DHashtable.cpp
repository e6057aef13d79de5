// The pooled hash map and its two enumerators.
#include "core/util/DHashtable.h"

#include <algorithm>
#include <utility>

#include "core/lang/DExceptionBase.h"

namespace nuv::util {

using nuv::lang::DObject;
using nuv::lang::DObjectPtr;
using nuv::lang::throwException;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

int32_t clampToInt(int64_t value) { return static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX)); }

}  // namespace

DHashtable::DHashtable(int32_t initialCapacity, int32_t loadFactorPercent) {
  if (initialCapacity < 0 || loadFactorPercent < 1) throwException(ExceptionCode::IllegalArgumentException);
  pool_ = std::make_unique<Entry[]>(kInitialPool);
  bucketCount_ = initialCapacity == 0 ? 1 : initialCapacity;
  buckets_ = std::make_unique<int32_t[]>(static_cast<size_t>(bucketCount_));
  loadFactor_ = loadFactorPercent;
  computeThreshold();
}

DHashtable::~DHashtable() { clear(); }

void DHashtable::computeThreshold() { threshold_ = clampToInt(int64_t{bucketCount_} * loadFactor_ / 100); }

int32_t DHashtable::bucketHead(int32_t bucket) const {
  if (bucket < 0 || bucket >= bucketCount_) throwException(ExceptionCode::ArrayIndexOutOfBoundsException);
  return buckets_[bucket];
}

int32_t DHashtable::findInt(int32_t key) const {
  for (int32_t i = buckets_[bucketOf(key)]; i > 0; i = entry(i).next) {
    if (entry(i).hash == key) return i;
  }
  return 0;
}

// The key passed in decides equality, as the caller's own class defines it. Int-keyed entries have no
// key object and never match an object key.
int32_t DHashtable::findObject(DObject* key, int32_t hash) const {
  for (int32_t i = buckets_[bucketOf(hash)]; i > 0; i = entry(i).next) {
    const Entry& e = entry(i);
    if (e.hash == hash && e.key && key->equals(e.key.get())) return i;
  }
  return 0;
}

DObject* DHashtable::get(int32_t key) const {
  int32_t i = findInt(key);
  return i ? entry(i).value.get() : nullptr;
}

DObject* DHashtable::get(DObjectPtr key) const {
  if (key.isNull()) throwException(ExceptionCode::NullPointerException);
  int32_t i = findObject(key.get(), key->hashCode());
  return i ? entry(i).value.get() : nullptr;
}

bool DHashtable::containsKey(DObjectPtr key) const {
  if (key.isNull()) throwException(ExceptionCode::NullPointerException);
  return findObject(key.get(), key->hashCode()) != 0;
}

DObjectPtr DHashtable::put(int32_t key, DObjectPtr value) {
  if (value.isNull()) throwException(ExceptionCode::NullPointerException);
  return insert(findInt(key), key, nullptr, std::move(value));
}

DObjectPtr DHashtable::put(DObjectPtr key, DObjectPtr value) {
  if (key.isNull() || value.isNull()) throwException(ExceptionCode::NullPointerException);
  int32_t hash = key->hashCode();
  int32_t found = findObject(key.get(), hash);
  return insert(found, hash, std::move(key), std::move(value));
}

DObjectPtr DHashtable::insert(int32_t found, int32_t hash, DObjectPtr key, DObjectPtr value) {
  if (found) {
    // The entry keeps its place; the old key and value go once the entry holds the new ones.
    Entry& e = entry(found);
    DObjectPtr oldKey = std::exchange(e.key, std::move(key));
    return std::exchange(e.value, std::move(value));
  }
  if (count_ >= threshold_) rehash();
  if (count_ >= poolCapacity_) growPool();
  int32_t index = count_ + 1;
  Entry& e = entry(index);
  e.hash = hash;
  e.key = std::move(key);
  e.value = std::move(value);
  linkFirst(index);
  count_ = index;
  return nullptr;
}

void DHashtable::linkFirst(int32_t index) {
  Entry& e = entry(index);
  int32_t bucket = bucketOf(e.hash);
  int32_t first = buckets_[bucket];
  if (first > 0) entry(first).prev = index;
  e.next = first;
  e.prev = -bucket;
  buckets_[bucket] = index;
}

void DHashtable::rehash() {
  int32_t bucketCount = clampToInt(int64_t{2} * bucketCount_ + 1);
  buckets_ = std::make_unique<int32_t[]>(static_cast<size_t>(bucketCount));
  bucketCount_ = bucketCount;
  computeThreshold();
  for (int32_t i = 1; i <= count_; ++i) linkFirst(i);
}

void DHashtable::growPool() {
  int32_t capacity = poolCapacity_ + kPoolStep;
  auto pool = std::make_unique<Entry[]>(static_cast<size_t>(capacity));
  std::move(pool_.get(), pool_.get() + count_, pool.get());
  pool_ = std::move(pool);
  poolCapacity_ = capacity;
}

DObjectPtr DHashtable::remove(DObjectPtr key) {
  if (key.isNull()) throwException(ExceptionCode::NullPointerException);
  int32_t index = findObject(key.get(), key->hashCode());
  if (index == 0) return nullptr;

  Entry& e = entry(index);
  // Released when this call returns, after the table is consistent again.
  DObjectPtr oldKey = std::move(e.key);
  DObjectPtr oldValue = std::move(e.value);

  if (e.prev <= 0) {
    buckets_[-e.prev] = e.next;
  } else {
    entry(e.prev).next = e.next;
  }
  if (e.next > 0) entry(e.next).prev = e.prev;

  // Keep the pool dense: the last entry fills the hole and its neighbours follow it.
  if (index != count_) {
    e = std::move(entry(count_));
    if (e.prev <= 0) {
      buckets_[-e.prev] = index;
    } else {
      entry(e.prev).next = index;
    }
    if (e.next > 0) entry(e.next).prev = index;
  }
  entry(count_) = Entry{};
  --count_;
  return oldValue;
}

void DHashtable::clear() {
  std::fill_n(buckets_.get(), bucketCount_, 0);
  int32_t count = std::exchange(count_, 0);
  // The table already reads as empty, should a released object's destructor look at it.
  for (int32_t i = 1; i <= count; ++i) {
    Entry& e = entry(i);
    e.key.reset();
    e.value.reset();
    e = Entry{};
  }
}

DEnumerationPtr DHashtable::keys() { return new DKeyEnumerator(this); }

DEnumerationPtr DHashtable::elements() { return new DValueEnumerator(this); }

bool DHashtable::DKeyEnumerator::hasMoreElements() { return position_ < table_->count_; }

DObject* DHashtable::DKeyEnumerator::nextElement() {
  if (position_ >= table_->count_) return nullptr;
  return table_->entry(++position_).key.get();
}

bool DHashtable::DValueEnumerator::hasMoreElements() { return position_ < table_->count_; }

DObject* DHashtable::DValueEnumerator::nextElement() {
  if (position_ >= table_->count_) return nullptr;
  return table_->entry(++position_).value.get();
}

}  // namespace nuv::util
