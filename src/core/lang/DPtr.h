// The counted smart pointer every object of the system is held through.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

namespace nuv::lang {

class DString;

// Raised by every dereference of a null smart pointer: "NullPointerException", empty message.
[[noreturn]] void throwNullPointerException();

// Holds one reference to a DObject-derived T while not null. A pointer passed by value belongs to the
// callee; an object result is returned by value and carries its own reference.
template <class T>
class DPtr {
 public:
  DPtr() noexcept = default;
  DPtr(std::nullptr_t) noexcept {}
  DPtr(T* object) : object_(object) {
    if (object_) object_->addRef();
  }
  DPtr(const DPtr& other) : DPtr(other.object_) {}
  DPtr(DPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  template <class U>
  requires std::is_convertible_v<U*, T*> DPtr(const DPtr<U>& other) : DPtr(other.get()) {}
  template <class U>
  requires std::is_convertible_v<U*, T*> DPtr(DPtr<U>&& other)
  noexcept : object_(other.detach()) {}

  // A string literal becomes a new string object; only for DStringPtr.
  DPtr(const char16_t* text) requires std::is_same_v<T, DString> : DPtr(text ? new T(text) : nullptr) {}
  DPtr& operator=(const char16_t* text) requires std::is_same_v<T, DString> { return *this = DPtr(text); }

  ~DPtr() { reset(); }

  // The new object gains its reference before the old one is let go, so self-assignment is safe.
  DPtr& operator=(T* object) {
    if (object) object->addRef();
    T* old = std::exchange(object_, object);
    if (old) old->release();
    return *this;
  }
  DPtr& operator=(const DPtr& other) { return *this = other.object_; }
  DPtr& operator=(DPtr&& other) noexcept {
    if (this != &other) {
      T* old = std::exchange(object_, std::exchange(other.object_, nullptr));
      if (old) old->release();
    }
    return *this;
  }
  DPtr& operator=(std::nullptr_t) {
    reset();
    return *this;
  }

  // Clears the slot before releasing, so a destructor that reaches this pointer again finds it null.
  void reset() {
    T* old = std::exchange(object_, nullptr);
    if (old) old->release();
  }

  T* operator->() const {
    if (object_ == nullptr) throwNullPointerException();
    return object_;
  }
  T& operator*() const { return *operator->(); }

  // Element access of the arrays; the array checks the index.
  template <class I>
  requires requires(T& t, I i) { t[i]; }
  decltype(auto) operator[](I index) const { return (*operator->())[index]; }

  T* get() const noexcept { return object_; }
  bool isNull() const noexcept { return object_ == nullptr; }
  explicit operator bool() const noexcept { return object_ != nullptr; }

  // Gives up the reference without releasing it; the caller owns it now.
  T* detach() noexcept { return std::exchange(object_, nullptr); }

  // Same object or both null; one null is unequal; otherwise the left object's equals decides.
  template <class U>
  friend bool operator==(const DPtr& a, const DPtr<U>& b) {
    if (a.get() == b.get()) return true;
    if (a.get() == nullptr || b.get() == nullptr) return false;
    return a.get()->equals(b.get());
  }
  friend bool operator==(const DPtr& a, std::nullptr_t) noexcept { return a.get() == nullptr; }

 private:
  T* object_ = nullptr;
};

// Checked downcast: null when the object is not a U.
template <class U, class T>
DPtr<U> dynamicCast(const DPtr<T>& p) {
  return DPtr<U>(dynamic_cast<U*>(p.get()));
}

}  // namespace nuv::lang
