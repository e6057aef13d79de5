// Interfaces implemented beside DObject, and the pointer that keeps their owner object alive.
#pragma once

#include <utility>

#include "core/lang/DObject.h"

namespace nuv::lang {

// An interface part of an object; the object counts, the interface part is never counted itself.
class DInterface {
 public:
  DInterface(const DInterface&) = delete;
  DInterface& operator=(const DInterface&) = delete;
  virtual ~DInterface() = default;
  DObject* owner() const noexcept { return owner_; }

 protected:
  explicit DInterface(DObject* owner) : owner_(owner) {}

 private:
  DObject* owner_;
};

// Holds an interface and one reference to the object it belongs to.
template <class I>
class DInterfacePtr {
 public:
  DInterfacePtr() noexcept = default;
  DInterfacePtr(I* iface) : iface_(iface) {
    if (iface_) iface_->owner()->addRef();
  }
  DInterfacePtr(const DInterfacePtr& other) : DInterfacePtr(other.iface_) {}
  DInterfacePtr(DInterfacePtr&& other) noexcept : iface_(std::exchange(other.iface_, nullptr)) {}
  DInterfacePtr& operator=(DInterfacePtr other) noexcept {
    std::swap(iface_, other.iface_);
    return *this;
  }
  ~DInterfacePtr() { reset(); }

  void reset() {
    I* old = std::exchange(iface_, nullptr);
    if (old) old->owner()->release();
  }

  I* operator->() const {
    if (iface_ == nullptr) throwNullPointerException();
    return iface_;
  }
  I* get() const noexcept { return iface_; }
  explicit operator bool() const noexcept { return iface_ != nullptr; }

 private:
  I* iface_ = nullptr;
};

}  // namespace nuv::lang
