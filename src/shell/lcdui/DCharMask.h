// One rendered character of a system font: a byte per pixel, 0xFF where the glyph has ink.
#pragma once

#include <cstdint>
#include <memory>

#include "core/lang/DObject.h"

namespace nuv::microedition::lcdui {

class DCharMask : public nuv::lang::DObject {
 public:
  // All bytes 0.
  DCharMask(char16_t character, int32_t width, int32_t height);
  const char* getClassName() const override { return "DCharMask"; }

  uint8_t* row(int32_t r) { return rows_.get() + static_cast<size_t>(r) * static_cast<size_t>(width); }
  const uint8_t* row(int32_t r) const { return rows_.get() + static_cast<size_t>(r) * static_cast<size_t>(width); }

  const char16_t character;
  const int32_t width;   // the advance in pixels
  const int32_t height;  // the font's height

 private:
  std::unique_ptr<uint8_t[]> rows_;
};

using DCharMaskPtr = nuv::lang::DPtr<DCharMask>;

}  // namespace nuv::microedition::lcdui
