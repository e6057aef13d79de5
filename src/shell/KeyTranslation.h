// The key codes a canvas receives for the device's keys.
#pragma once

#include <cstdint>
#include <optional>

namespace shell {

// What the device key becomes on this kind of device; nothing when the key is dropped.
std::optional<int32_t> translateKey(int32_t key, bool smartphone, bool specialKeysDevice);

}  // namespace shell
