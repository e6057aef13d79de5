// Pictures for the game library's tests, made by the data writers.
#pragma once

#include <string>

#include "Image.h"

namespace gltest {

// The picture as the PNG bytes game.dat holds.
std::string png(const datakit::Image& image);
// A solid w x h picture.
std::string solidPng(int w, int h, datakit::Rgb colour);
// A solid w x h JPEG.
std::string solidJpeg(int w, int h, datakit::Rgb colour);

}  // namespace gltest
