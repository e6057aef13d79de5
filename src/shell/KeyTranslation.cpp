// Device keys to framework keys: soft keys, the action key and the hash and star keys, per kind of device.
#include "shell/KeyTranslation.h"

#include "platform/api/window.h"
#include "shell/lcdui/DCanvas.h"

namespace shell {

namespace {

using nuv::microedition::lcdui::FrameworkKey::Action;
using nuv::microedition::lcdui::FrameworkKey::Hash;
using nuv::microedition::lcdui::FrameworkKey::SoftLeft;
using nuv::microedition::lcdui::FrameworkKey::SoftRight;
using nuv::microedition::lcdui::FrameworkKey::Star;

constexpr int32_t kDropped = -1;

struct Translation {
  UINT device;
  int32_t delivered;  // kDropped: the key never reaches the canvas
};

constexpr Translation kSmartphone[] = {
    {VK_F1, SoftLeft}, {VK_F2, SoftRight}, {VK_ESCAPE, SoftRight}, {VK_RETURN, Action},
    {VK_F3, kDropped}, {VK_F4, kDropped},  {VK_F8, Star},          {VK_F9, Hash},
};

constexpr Translation kPocketPc[] = {
    {VK_LWIN, kDropped},    {VK_APP1, SoftLeft}, {VK_F1, SoftLeft}, {VK_APP4, SoftRight}, {VK_F2, SoftRight},
    {VK_ESCAPE, SoftRight}, {VK_RETURN, Action}, {VK_APP3, Hash},   {VK_APP2, Star},
};

// The device family with special keys: two of its buttons are the soft keys, the Windows keys are noise.
constexpr Translation kSpecialKeys[] = {
    {VK_LWIN, kDropped},
    {VK_RWIN, kDropped},
    {VK_APP2, VK_F1},
    {VK_APP3, VK_F2},
};

template <size_t N>
int32_t lookUp(const Translation (&table)[N], int32_t key) {
  for (const Translation& t : table) {
    if (static_cast<int32_t>(t.device) == key) return t.delivered;
  }
  return key;
}

}  // namespace

std::optional<int32_t> translateKey(int32_t key, bool smartphone, bool specialKeysDevice) {
  if (specialKeysDevice) key = lookUp(kSpecialKeys, key);
  if (key == kDropped) return std::nullopt;
  if (smartphone) {
    key = lookUp(kSmartphone, key);
  } else if (key >= static_cast<int32_t>(VK_F13) && key <= static_cast<int32_t>(VK_F24)) {
    return std::nullopt;
  } else {
    key = lookUp(kPocketPc, key);
  }
  if (key == kDropped) return std::nullopt;
  return key;
}

}  // namespace shell
