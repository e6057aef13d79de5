// First values and release of the tunnel-digging game's globals.
#include "games/burrow/BurrowGlobals.h"

#include <string>
#include <vector>

namespace burrow {

using nuv::lang::DString;
using nuv::lang::DStringArray;
using nuv::lang::DStringArrayPtr;

namespace {

struct Run {
  const char16_t* stem;
  int32_t first;
  int32_t last;
  // Digits of the frame number, zero-padded.
  int32_t digits;
};

// stem + number + ".png" + suffix for each frame of each run, in order.
DStringArrayPtr frames(std::initializer_list<Run> runs, const char16_t* suffix = u"") {
  std::vector<std::u16string> names;
  for (const Run& run : runs) {
    for (int32_t i = run.first; i <= run.last; ++i) {
      std::u16string number;
      for (int32_t n = i, d = 0; d < run.digits || n > 0; ++d, n /= 10)
        number.insert(number.begin(), static_cast<char16_t>(u'0' + n % 10));
      names.push_back(run.stem + number + u".png" + suffix);
    }
  }
  DStringArrayPtr list = new DStringArray(static_cast<int32_t>(names.size()));
  for (size_t i = 0; i < names.size(); ++i)
    (*list)[static_cast<int32_t>(i)] = new DString(std::u16string_view(names[i]));
  return list;
}

constexpr Run kEnemyUp{u"enemyGoUp_", 1, 4, 1};
constexpr Run kEnemySide{u"enemyGoSide_", 1, 4, 1};
constexpr Run kEnemyEat{u"enemyEat_", 1, 8, 2};
constexpr Run kEnemyEatDeath{u"enemyEatDeath_", 1, 6, 1};
constexpr Run kMiner{u"burrowFull_", 1, 4, 1};
constexpr Run kBonus{u"bonus_anim", 0, 2, 1};

}  // namespace

void initGlobals() {
  gameKey = u"burrow";
  earthName = u"earth";
  bagFrames = frames({{u"sack_", 0, 3, 2}, {u"gold_", 1, 3, 1}});
  boltFrames = frames({{u"bullet_", 1, 4, 2}});
  cherryFrames = new DStringArray(1);
  (*cherryFrames)[0] = new DString(u"cherry.png");
  enemyUpFrames = frames({kEnemyUp});
  enemySideFrames = frames({kEnemySide});
  enemySideMirroredFrames = frames({kEnemySide}, u"_mr");
  enemyDieFrames = frames({{u"enemyDie_", 1, 6, 1}});
  enemyEatFrames = frames({kEnemyEat});
  enemyEatMirroredFrames = frames({kEnemyEat}, u"_mr");
  enemyEatDeathFrames = frames({kEnemyEatDeath});
  enemyEatDeathMirroredFrames = frames({kEnemyEatDeath}, u"_mr");
  minerFrames = frames({kMiner});
  minerMirroredFrames = frames({kMiner}, u"_mr");
  minerUpFrames = frames({kMiner}, u"_up");
  minerDownFrames = frames({kMiner}, u"_dn");
  minerDieFrames = frames({{u"burrowDie_", 1, 12, 2}});
  bonusFrames = frames({kBonus});
  bonusUpFrames = frames({kBonus}, u"_up");
  bonusDownFrames = frames({kBonus}, u"_dn");
}

void releaseGlobals() {
  gameKey = nullptr;
  earthName = nullptr;
  for (DStringArrayPtr* list :
       {&bagFrames, &boltFrames, &cherryFrames, &enemyUpFrames, &enemySideFrames, &enemySideMirroredFrames,
        &enemyDieFrames, &enemyEatFrames, &enemyEatMirroredFrames, &enemyEatDeathFrames, &enemyEatDeathMirroredFrames,
        &minerFrames, &minerMirroredFrames, &minerUpFrames, &minerDownFrames, &minerDieFrames, &bonusFrames,
        &bonusUpFrames, &bonusDownFrames}) {
    *list = nullptr;
  }
}

}  // namespace burrow
