// The game library's text service as the GUI sees it: when a text or the engine holds one, marked-up texts
// resolve their source as a key of the global text table.
#pragma once

#include "core/lang/DObject.h"

namespace gamelib {

class StringManager : public nuv::lang::DObject {
 public:
  const char* getClassName() const override { return "StringManager"; }
};

using StringManagerPtr = nuv::lang::DPtr<StringManager>;

}  // namespace gamelib
