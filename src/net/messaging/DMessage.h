// A short text message: where it goes (or came from) and its text.
#pragma once

#include "core/lang/DObject.h"
#include "core/lang/DString.h"

namespace nuv::wireless::messaging {

class DMessage : public nuv::lang::DObject {
 public:
  DMessage() = default;

  const char* getClassName() const override { return "DMessage"; }
  void setAddress(nuv::lang::DStringPtr address) { address_ = std::move(address); }
  nuv::lang::DStringPtr getAddress() const { return address_; }
  void setPayloadText(nuv::lang::DStringPtr text) { text_ = std::move(text); }
  nuv::lang::DStringPtr getPayloadText() const { return text_; }

 private:
  nuv::lang::DStringPtr address_;
  nuv::lang::DStringPtr text_;
};

using DMessagePtr = nuv::lang::DPtr<DMessage>;

}  // namespace nuv::wireless::messaging
