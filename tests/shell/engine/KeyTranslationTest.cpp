// The device-key translation tables of the Pocket PC, the Smartphone and the special-keys device family.
#include <gtest/gtest.h>

#include "platform/api/window.h"
#include "shell/KeyTranslation.h"

namespace {

constexpr int32_t kDropped = -1;

struct Case {
  int32_t device;
  int32_t pocketPc;
  int32_t smartphone;
  int32_t specialPocketPc;
  int32_t specialSmartphone;
};

// One row per device key: what a canvas receives on each kind of device (kDropped: nothing).
constexpr Case kCases[] = {
    {VK_F1, 10000, 10000, 10000, 10000},
    {VK_F2, 10001, 10001, 10001, 10001},
    {VK_ESCAPE, 10001, 10001, 10001, 10001},
    {VK_RETURN, 10002, 10002, 10002, 10002},
    {VK_F3, VK_F3, kDropped, VK_F3, kDropped},
    {VK_F4, VK_F4, kDropped, VK_F4, kDropped},
    {VK_F8, VK_F8, 10004, VK_F8, 10004},
    {VK_F9, VK_F9, 10003, VK_F9, 10003},
    {VK_F13, kDropped, VK_F13, kDropped, VK_F13},
    {0x80, kDropped, 0x80, kDropped, 0x80},
    {VK_F24, kDropped, VK_F24, kDropped, VK_F24},
    {VK_LWIN, kDropped, VK_LWIN, kDropped, kDropped},
    {VK_RWIN, VK_RWIN, VK_RWIN, kDropped, kDropped},
    {VK_APP1, 10000, VK_APP1, 10000, VK_APP1},
    {VK_APP2, 10004, VK_APP2, 10000, 10000},  // the special-keys device makes App2 its F1
    {VK_APP3, 10003, VK_APP3, 10001, 10001},  // and App3 its F2
    {VK_APP4, 10001, VK_APP4, 10001, VK_APP4},
    {VK_LEFT, VK_LEFT, VK_LEFT, VK_LEFT, VK_LEFT},
    {'5', '5', '5', '5', '5'},
    {'A', 'A', 'A', 'A', 'A'},
};

int32_t delivered(std::optional<int32_t> key) { return key ? *key : kDropped; }

TEST(KeyTranslationTest, EachDeviceKindFollowsItsTable) {
  for (const Case& c : kCases) {
    EXPECT_EQ(delivered(shell::translateKey(c.device, false, false)), c.pocketPc) << c.device;
    EXPECT_EQ(delivered(shell::translateKey(c.device, true, false)), c.smartphone) << c.device;
    EXPECT_EQ(delivered(shell::translateKey(c.device, false, true)), c.specialPocketPc) << c.device;
    EXPECT_EQ(delivered(shell::translateKey(c.device, true, true)), c.specialSmartphone) << c.device;
  }
}

}  // namespace
