// Object arrays of one element class; another subsystem's array is one line:
//   using DImageArray = DTypedArray<DImage>;  using DImageArrayPtr = DPtr<DImageArray>;
#pragma once

#include <cstdint>
#include <typeinfo>
#include <utility>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DObjectArray.h"

namespace nuv::lang {

namespace detail {
// Element 0's class name and a suffix, in one buffer per suffix that the next call overwrites.
const char* classNameWithSuffix(const char* elementName, const char* suffix);
}  // namespace detail

template <class T>
class DTypedArray : public DObjectArray {
 public:
  // An element of another class, stored through the untyped base, is a ClassCastException.
  static T* typed(DObject* object) {
    if (object == nullptr) return nullptr;
    // Elements are nearly always exactly a T: skip the hierarchy walk for them.
    if (typeid(*object) == typeid(T)) return static_cast<T*>(object);
    T* result = dynamic_cast<T*>(object);
    if (result == nullptr) throwException(ExceptionCode::ClassCastException);
    return result;
  }

  // One element seen as a T: reads like a DPtr<T>, and assigning to it stores into the array.
  class Slot {
   public:
    explicit Slot(DObjectPtr& slot) : slot_(slot) {}
    Slot(const Slot&) = default;

    Slot& operator=(DPtr<T> value) {
      slot_ = DObjectPtr(std::move(value));
      return *this;
    }
    Slot& operator=(std::nullptr_t) {
      slot_ = nullptr;
      return *this;
    }
    Slot& operator=(const Slot& other) { return *this = DPtr<T>(other.get()); }

    T* get() const { return typed(slot_.get()); }
    bool isNull() const noexcept { return slot_.isNull(); }
    explicit operator bool() const noexcept { return !slot_.isNull(); }
    operator DPtr<T>() const { return DPtr<T>(get()); }

    T* operator->() const {
      T* object = get();
      if (object == nullptr) throwNullPointerException();
      return object;
    }
    T& operator*() const { return *operator->(); }

    // Rows of two-dimensional arrays: table[row][column].
    template <class I>
    requires requires(T& t, I i) { t[i]; }
    decltype(auto) operator[](I index) const { return (*operator->())[index]; }

    friend bool operator==(const Slot& a, std::nullptr_t) noexcept { return a.isNull(); }
    friend bool operator==(const Slot& a, const DPtr<T>& b) { return DPtr<T>(a.get()) == b; }

   private:
    DObjectPtr& slot_;
  };

  explicit DTypedArray(int32_t n) : DObjectArray(n) {}

  Slot operator[](int32_t index) { return Slot(DObjectArray::operator[](index)); }
  DPtr<T> operator[](int32_t index) const { return DPtr<T>(typed(DObjectArray::operator[](index).get())); }

  // Element 0's class name followed by "Array"; "DObjectArray" when empty; a null element 0 throws.
  const char* getClassName() const override {
    if (length < 1) return "DObjectArray";
    return detail::classNameWithSuffix(DObjectArray::operator[](0)->getClassName(), "Array");
  }
};

}  // namespace nuv::lang
