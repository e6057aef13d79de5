// The root of every object of the system: a virtual interface and an intrusive reference count.
#pragma once

#include <cstdint>

#include "core/lang/DPtr.h"

namespace nuv::lang {

class DString;
using DStringPtr = DPtr<DString>;

class DObject {
 public:
  DObject() = default;
  DObject(const DObject&) = delete;
  DObject& operator=(const DObject&) = delete;
  virtual ~DObject() = default;

  virtual void finalize() {}
  virtual const char* getClassName() const { return "DObject"; }
  // "DObject@" and hashCode() in lower-case hexadecimal.
  virtual DStringPtr toString();
  // The address with the top bit cleared.
  virtual int32_t hashCode();
  // Identity.
  virtual bool equals(DObject* other) { return other == this; }

  // Counts are plain integers: objects live on one thread.
  void addRef() noexcept { ++refCount_; }
  void release() {
    if (refCount_ <= 0) return;
    if (--refCount_ == 0) delete this;
  }
  int32_t refCount() const noexcept { return refCount_; }

 private:
  int32_t refCount_ = 0;
};

using DObjectPtr = DPtr<DObject>;

}  // namespace nuv::lang
