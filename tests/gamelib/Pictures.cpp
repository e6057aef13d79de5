// Test pictures through the data writers' PNG encoder and the image library's JPEG writer.
#include "gamelib/Pictures.h"

#include "Png.h"
#include "shell/Pictures.h"

namespace gltest {

std::string png(const datakit::Image& image) {
  datakit::Bytes bytes = datakit::encodePng(image);
  return std::string(bytes.begin(), bytes.end());
}

std::string solidPng(int w, int h, datakit::Rgb colour) { return png(datakit::Image(w, h, colour)); }

std::string solidJpeg(int w, int h, datakit::Rgb colour) {
  std::vector<uint8_t> samples;
  for (int i = 0; i < w * h; ++i) {
    samples.push_back(static_cast<uint8_t>(colour >> 16));
    samples.push_back(static_cast<uint8_t>(colour >> 8));
    samples.push_back(static_cast<uint8_t>(colour));
  }
  std::vector<uint8_t> bytes = shelltest::makeJpeg(w, h, samples, false, 95);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace gltest
