// Helpers for pixel-exact drawing tests: surfaces as text pictures and checksums.
#pragma once

#include <cstdint>
#include <string>

#include "shell/hal/Surface.h"

namespace shelltest {

// One line per row; '.' for the background colour, '#' for any other pixel.
std::string picture(const ScreenHAL::Surface& s, uint16_t background = 0);
// Pixels of the given colour.
int count(const ScreenHAL::Surface& s, uint16_t colour);
// FNV-1a over the visible pixels, row by row; padding bytes are ignored.
uint32_t checksum(const ScreenHAL::Surface& s);
// Fills the surface with distinct pixels (value = y * width + x + 1, never 0xF81F).
void fillPattern(ScreenHAL::Surface& s);

}  // namespace shelltest
