// A tank's own rules: its set-up from its type's tables, its states and its step.
#include "games/tanks/GTNK.h"

#include "core/io/DPrintStream.h"
#include "core/lang/DSystem.h"
#include "gamelib/GameLib.h"
#include "games/tanks/TanksGlobals.h"

namespace tanks {

namespace {

constexpr int32_t kEighths = 8;

// A direction outside 0-3 is reported on the output stream and gives 0.
int32_t byDirection(int32_t direction, const int32_t (&values)[4], const char16_t* name) {
  if (direction >= 0 && direction < 4) return values[direction];
  nuv::lang::DSystem::out->println(nuv::lang::DStringPtr(u"Error in _GTNK::") + name +
                                   u"(...) -> unknow direction, ValOfDir = " + direction + u".");
  return 0;
}

}  // namespace

void GTNK::init(int32_t newType) {
  frame = 0;
  reload = 0;
  type = newType & 15;
  state = STATE_IDLE;
  lives = (*tankArmour)[type];
  speed = (*tankSpeeds)[type];
  direction = DIR_DOWN;
  entered = false;
  destroyed = false;
  stateTimer = -1;
  alive = true;
}

void GTNK::place(int32_t newX, int32_t newY, int32_t newDirection) {
  x = newX;
  y = newY;
  direction = newDirection;
  subX = subY = 0;
  state = STATE_IDLE;
}

bool GTNK::turn(int32_t newDirection) {
  if (state != STATE_IDLE) return false;
  direction = newDirection;
  return true;
}

bool GTNK::step() {
  reload -= gamelib::GameLib::kStepMs;
  if (stateTimer >= 0) stateTimer -= gamelib::GameLib::kStepMs;
  if (state == STATE_APPEARING && stateTimer < 0) state = STATE_IDLE;
  if (state == STATE_MOVING) {
    subY += speed * _YMO(direction);
    subX += speed * _XMO(direction);
    if (subX % kEighths == 0 && subY % kEighths == 0) {
      x += subX / kEighths;
      y += subY / kEighths;
      subX = subY = 0;
      frame = frame == 0 ? kSecondFrame : 0;
      state = STATE_IDLE;
    }
  }
  return state == STATE_IDLE;
}

bool GTNK::setState(int32_t newState) {
  if (newState == STATE_APPEARING && !entered && !destroyed) {
    state = STATE_APPEARING;
    entered = true;
    stateTimer = ETNK_TIME_FOR_BORN;
    return true;
  }
  if (newState == STATE_MOVING && state == STATE_IDLE) {
    state = STATE_MOVING;
    return true;
  }
  if (newState == STATE_DESTROYED && entered && !destroyed) {
    state = STATE_DESTROYED;
    destroyed = true;
    stateTimer = ETNK_TIME_FOR_BORN;
    return true;
  }
  return false;
}

bool GTNK::tryReload() {
  if (reload > 0) return false;
  reload = (*tankReload)[type];
  return true;
}

int32_t GTNK::_XCO(int32_t direction) {
  static constexpr int32_t kValues[] = {1, 1, 2, 2};
  return byDirection(direction, kValues, u"_XCO");
}

int32_t GTNK::_YCO(int32_t direction) {
  static constexpr int32_t kValues[] = {2, 1, 1, 2};
  return byDirection(direction, kValues, u"_YCO");
}

int32_t GTNK::_XMO(int32_t direction) {
  static constexpr int32_t kValues[] = {-1, 0, 1, 0};
  return byDirection(direction, kValues, u"_XMO");
}

int32_t GTNK::_YMO(int32_t direction) {
  static constexpr int32_t kValues[] = {0, -1, 0, 1};
  return byDirection(direction, kValues, u"_YMO");
}

}  // namespace tanks
