// A plain 24-bit picture in host memory: captured frames and the program's own pictures.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, row after row
};

}  // namespace platform
