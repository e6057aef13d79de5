// Reference counting, smart-pointer rules and the object root's default operations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/lang/DInterface.h"
#include "core/lang/DObject.h"
#include "core/lang/DString.h"
#include "support/Exceptions.h"

using namespace nuv::lang;

namespace {

// Records its destruction in a shared log, and optionally holds another object.
class Tracked : public DObject {
 public:
  Tracked(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
  ~Tracked() override { log_.push_back(name_); }
  DObjectPtr held;
  int equalsCalls = 0;
  bool equals(DObject* other) override {
    ++equalsCalls;
    return DObject::equals(other);
  }

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

class SelfClearing : public DObject {
 public:
  explicit SelfClearing(DPtr<SelfClearing>& slot) : slot_(slot) {}
  ~SelfClearing() override { seenNull = slot_.isNull(); }
  static inline bool seenNull = false;

 private:
  DPtr<SelfClearing>& slot_;
};

class Iface : public DInterface {
 protected:
  using DInterface::DInterface;
};

class WithIface : public DObject, public Iface {
 public:
  explicit WithIface(std::vector<std::string>& log) : Iface(this), log_(log) {}
  ~WithIface() override { log_.push_back("gone"); }

 private:
  std::vector<std::string>& log_;
};

// Takes its argument by value and fails, as a library call on a failure path does.
void failingCall(DObjectPtr) { throwException(ExceptionCode::IllegalArgumentException); }

}  // namespace

TEST(DObjectTest, CountsFollowPointersAndTheLastReleaseDestroys) {
  std::vector<std::string> log;
  auto* raw = new Tracked(log, "a");
  EXPECT_EQ(raw->refCount(), 0);
  {
    DObjectPtr p = raw;
    EXPECT_EQ(raw->refCount(), 1);
    DObjectPtr q = p;
    EXPECT_EQ(raw->refCount(), 2);
    p = q;  // the object already held: count unchanged
    EXPECT_EQ(raw->refCount(), 2);
    q.reset();
    EXPECT_EQ(raw->refCount(), 1);
    EXPECT_TRUE(log.empty());
  }
  EXPECT_EQ(log, std::vector<std::string>{"a"});
}

TEST(DObjectTest, SelfAssignmentOfTheOnlyReferenceKeepsTheObject) {
  std::vector<std::string> log;
  DObjectPtr p = new Tracked(log, "a");
  DObjectPtr& alias = p;
  p = alias;
  p = p.get();
  EXPECT_EQ(p->refCount(), 1);
  EXPECT_TRUE(log.empty());
}

TEST(DObjectTest, ReleaseClearsTheSlotBeforeTheDestructorRuns) {
  DPtr<SelfClearing> slot;
  slot = new SelfClearing(slot);
  slot.reset();
  EXPECT_TRUE(SelfClearing::seenNull);
}

TEST(DObjectTest, DestroyingAnOwnerDestroysWhatItHoldsAfterIt) {
  std::vector<std::string> log;
  {
    auto* outer = new Tracked(log, "outer");
    outer->held = new Tracked(log, "inner");
    DObjectPtr p = outer;
  }
  EXPECT_EQ(log, (std::vector<std::string>{"outer", "inner"}));
}

TEST(DObjectTest, ByValueArgumentIsReleasedOnTheFailurePath) {
  std::vector<std::string> log;
  DObjectPtr p = new Tracked(log, "a");
  EXPECT_THROWS_CODE(ExceptionCode::IllegalArgumentException, failingCall(p));
  EXPECT_EQ(p->refCount(), 1);
}

TEST(DObjectTest, ComparisonOfPointers) {
  std::vector<std::string> log;
  DObjectPtr none1, none2;
  auto* a = new Tracked(log, "a");
  DObjectPtr pa = a;
  DObjectPtr pb = new Tracked(log, "b");
  EXPECT_TRUE(none1 == none2);
  EXPECT_FALSE(none1 == pa);
  EXPECT_FALSE(pa == none1);
  EXPECT_EQ(a->equalsCalls, 0);
  EXPECT_TRUE(pa == pa);
  EXPECT_FALSE(pa == pb);
  EXPECT_EQ(a->equalsCalls, 1);
}

TEST(DObjectTest, NullDereferenceThrowsNullPointerException) {
  DObjectPtr none;
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, none->hashCode());
  DInterfacePtr<Iface> noIface;
  EXPECT_THROWS_CODE(ExceptionCode::NullPointerException, noIface.operator->());
}

TEST(DObjectTest, DefaultOperations) {
  DObjectPtr p = new DObject();
  EXPECT_STREQ(p->getClassName(), "DObject");
  int32_t hash = p->hashCode();
  EXPECT_GE(hash, 0);
  EXPECT_EQ(static_cast<uint32_t>(hash), reinterpret_cast<uintptr_t>(p.get()) & 0x7FFFFFFF);
  DStringPtr text = p->toString();
  std::u16string hex;
  for (auto h = static_cast<uint32_t>(hash); h != 0 || hex.empty(); h /= 16) {
    hex.insert(hex.begin(), u"0123456789abcdef"[h % 16]);
  }
  std::u16string want = u"DObject@" + hex;
  EXPECT_EQ(std::u16string(text->view()), want);
  EXPECT_LE(text->length(), 8 + 8);
}

TEST(DObjectTest, InterfacePointerKeepsItsOwnerAlive) {
  std::vector<std::string> log;
  auto* object = new WithIface(log);
  DObjectPtr owner = object;
  {
    DInterfacePtr<Iface> iface(static_cast<Iface*>(object));
    EXPECT_EQ(object->refCount(), 2);
    owner.reset();
    EXPECT_TRUE(log.empty());
  }
  EXPECT_EQ(log, std::vector<std::string>{"gone"});
}
