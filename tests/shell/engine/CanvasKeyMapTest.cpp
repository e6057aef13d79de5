// Game actions of key codes: the default bindings, custom key maps, the key lists and the key names.
#include <gtest/gtest.h>

#include <vector>

#include "core/lang/DintArray2d.h"
#include "platform/host/desktop.h"
#include "shell/engine/TestMIDlet.h"

namespace {

using nuv::lang::DintArray;
using nuv::lang::DintArray2d;
using nuv::lang::DintArray2dPtr;
using nuv::microedition::lcdui::DCanvas;
using nuv::microedition::lcdui::DDisplay;
using nuv::microedition::lcdui::DDisplayPtr;

class CanvasKeyMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setHeadless(true);
    midlet_ = new test::TestMIDlet();
    display_ = new DDisplay(nullptr);
    canvas_ = new test::RecordingCanvas(log_);
  }
  void TearDown() override { nuv::microedition::midlet::DMIDlet::releaseCurrent(); }

  std::vector<std::string> log_;
  nuv::lang::DPtr<test::TestMIDlet> midlet_;
  DDisplayPtr display_;
  nuv::lang::DPtr<test::RecordingCanvas> canvas_;
};

// Row a lists the keys of action a; rows not given stay null.
DintArray2dPtr keyMap(std::vector<std::pair<int, std::vector<int32_t>>> rows) {
  DintArray2dPtr map = new DintArray2d(16);
  for (auto& [action, keys] : rows) {
    nuv::lang::DintArrayPtr row = new DintArray(static_cast<int32_t>(keys.size()));
    for (size_t i = 0; i < keys.size(); ++i) (*row)[static_cast<int32_t>(i)] = keys[i];
    (*map)[action] = row;
  }
  return map;
}

TEST_F(CanvasKeyMapTest, DefaultBindings) {
  struct Case {
    int32_t key;
    int32_t action;
  } cases[] = {
      {'1', 5},  {'2', 0},   {'3', 6},    {'4', 2},   {'5', 4},    {'6', 3},    {'7', 7}, {'8', 1}, {'9', 8},
      {'0', -1}, {10000, 9}, {10001, 10}, {10002, 4}, {10003, 12}, {10004, 11}, {37, 2},  {38, 0},  {39, 3},
      {40, 1},   {-4, 13},   {13, 4},     {10, 4},    {-2, 14},    {-3, 15},    {27, -1}, {0, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(canvas_->getGameAction(c.key), c.action) << c.key;
  EXPECT_EQ(canvas_->width, 240);
  EXPECT_EQ(canvas_->height, 320);
}

TEST_F(CanvasKeyMapTest, CustomMapsReplaceTheirActionsDefaults) {
  // Map 1: fire has no keys at all; '5' means up, beside the defaults of up.
  canvas_->setKeyMap(1, keyMap({{4, {}}, {0, {'5', 'W'}}}));
  EXPECT_EQ(canvas_->getGameAction('5'), 4);  // stored, not selected
  canvas_->selectKeyMap(1);
  struct Case {
    int32_t key;
    int32_t action;
  } cases[] = {{'5', 0}, {'W', 0}, {'2', -1}, {38, -1}, {10002, -1}, {13, -1}, {10, -1}, {'4', 2}, {-4, 13}};
  for (const Case& c : cases) EXPECT_EQ(canvas_->getGameAction(c.key), c.action) << c.key;

  // Setting the active id again takes effect at once; within a map the later row wins.
  canvas_->setKeyMap(1, keyMap({{2, {'X'}}, {3, {'X'}}}));
  EXPECT_EQ(canvas_->getGameAction('X'), 3);
  EXPECT_EQ(canvas_->getGameAction('4'), -1);
  EXPECT_EQ(canvas_->getGameAction('5'), 4);
  // Removing the active map brings the defaults back.
  canvas_->setKeyMap(1, nullptr);
  EXPECT_EQ(canvas_->getGameAction('4'), 2);
  EXPECT_EQ(canvas_->getGameAction('X'), -1);
  // A short map only touches the actions it has rows for.
  canvas_->setKeyMap(2, keyMap({}));
  canvas_->selectKeyMap(2);
  EXPECT_EQ(canvas_->getGameAction(-3), 15);
}

TEST_F(CanvasKeyMapTest, DefaultKeyListsOfAnAction) {
  struct Case {
    int32_t action;
    int32_t count;
    std::vector<int32_t> keys;  // empty: null
  } cases[] = {
      {4, -1, {'5', 10002, 13, 10}},
      {4, 2, {'5', 10002}},
      {4, 6, {'5', 10002, 13, 10, -1, -1}},
      {13, -1, {-4}},
      {16, -1, {}},
      {-1, 3, {}},
      {4, 0, {}},
  };
  for (const Case& c : cases) {
    nuv::lang::DintArrayPtr keys = DCanvas::getKeyCodes(c.action, c.count);
    std::vector<int32_t> got;
    if (keys) got.assign(keys->data(), keys->data() + keys->length);
    EXPECT_EQ(got, c.keys) << c.action << " " << c.count;
    EXPECT_EQ(keys.isNull(), c.keys.empty());
  }
}

TEST_F(CanvasKeyMapTest, KeyNames) {
  struct Case {
    int32_t key;
    const char16_t* name;
  } cases[] = {
      {8, u"Backspace"},  {13, u"Enter"},     {27, u"Esc"},       {32, u"Spacebar"}, {37, u"Left"},
      {46, u"Delete"},    {48, u"0"},         {57, u"9"},         {65, u"A"},        {90, u"Z"},
      {91, u"Win L"},     {96, u"Numpad0"},   {105, u"Numpad9"},  {106, u"Num*"},    {108, u"KEY 108"},
      {111, u"Num/"},     {112, u"F1"},       {123, u"F12"},      {124, u"KEY 124"}, {145, u"Scroll Lock"},
      {10000, u"Soft L"}, {10001, u"Soft R"}, {10002, u"Action"}, {10003, u"#"},     {10004, u"*"},
      {0, u"KEY 0"},      {-4, u"KEY -4"},    {97 - 32, u"A"},    {122, u"F11"},     {10005, u"KEY 10005"},
  };
  for (const Case& c : cases) EXPECT_EQ(DCanvas::getKeyName(c.key), c.name) << c.key;
}

TEST_F(CanvasKeyMapTest, SettingTheCurrentCanvasAgainHidesAndShowsIt) {
  display_->setCurrent(canvas_);
  EXPECT_TRUE(canvas_->shown);
  display_->setCurrent(canvas_);
  EXPECT_TRUE(canvas_->shown);
  display_->setCurrent(nullptr);
  EXPECT_FALSE(canvas_->shown);
  EXPECT_EQ(log_, (std::vector<std::string>{"showNotify", "hideNotify", "showNotify", "hideNotify"}));
  EXPECT_EQ(DDisplay::getDisplay(midlet_.get()).get(), display_.get());
}

}  // namespace
